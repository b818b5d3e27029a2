#pragma once
// A window's size and place, kept for the user between starts in the per-user
// store, one section a window.
#include "platform/system/Services.h"

#include <QString>

class QWidget;

namespace frame {

// The main window's section in the per-user store.
inline const QString HauptfensterPlatz = QStringLiteral("Hauptfenster");

// Before the window is first shown: its last size and place, as the user left
// them, when a screen still shows that place (the window's top edge, where it
// is taken hold of), its size kept within that screen and never below the
// window's minimum. Nothing is kept, or nothing a screen shows: the window
// keeps its default size and the platform places it; false.
bool fensterplatzLaden(QWidget* fenster, const sys::UserStore* store, const QString& abschnitt);

// The window's size and place as the user left it (a maximised window its
// size before, and that it was maximised). A window never shown keeps nothing.
void fensterplatzSichern(const QWidget* fenster, sys::UserStore* store, const QString& abschnitt);

}  // namespace frame
