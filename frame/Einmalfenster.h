#pragma once
// Every window exists once: created and loaded on first use, shown again while
// it is open, and created and loaded afresh on its next use after it closed.
// A window that code hid (verstecken) stays loaded and is shown as it was.
#include "platform/system/Services.h"

#include <QPointer>
#include <QWidget>

#include <type_traits>

namespace frame {

inline constexpr char VerstecktEigenschaft[] = "rdxVersteckt";
// Set while a window runs a loop of its own that lets events run (a disc walk):
// closed meanwhile, it deletes itself once that loop has ended.
inline constexpr char LaeuftEigenschaft[] = "rdxLaeuft";

// Hides the window and keeps it loaded, with its state, for its next use.
inline void verstecken(QWidget* fenster)
{
    fenster->setProperty(VerstecktEigenschaft, true);
    fenster->hide();
}

// A window whose Form_Load gives false has ended itself while loading: it is
// deleted, never shown, and the call gives nullptr.
template <class Fenster, class Erzeugen>
Fenster* einmalZeigen(QPointer<Fenster>& fenster, Erzeugen erzeugen)
{
    if (fenster && !fenster->isVisible() && !fenster->property(VerstecktEigenschaft).toBool()) {
        // One still inside its loop is let go, and a new one opens now.
        if (fenster->property(LaeuftEigenschaft).toBool())
            fenster = nullptr;
        else
            delete fenster.data();
    }
    if (!fenster) {
        fenster = erzeugen();
        fenster->setAttribute(Qt::WA_DeleteOnClose);
        if constexpr (std::is_same_v<decltype(fenster->Form_Load()), bool>) {
            if (!fenster->Form_Load()) {
                delete fenster.data();
                return nullptr;
            }
        } else {
            fenster->Form_Load();
        }
    }
    fenster->setProperty(VerstecktEigenschaft, false);
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    return fenster;
}

// The same for the window of this kind that the context keeps.
template <class Fenster, class Erzeugen>
Fenster* einmalZeigen(const sys::Services& services, Erzeugen erzeugen)
{
    return einmalZeigen(services.singleWindows.slot<Fenster>(), erzeugen);
}

}  // namespace frame
