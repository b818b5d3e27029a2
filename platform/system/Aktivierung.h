#pragma once
// A window of the running instance brought to the front for a later start.
// A desktop gives the focus to a program only on proof that the user just
// asked for it: the launcher's start-up id on X11 (its time stamp), the
// activation token on Wayland. A later start hands its proof over, and the
// running instance uses it here.
#include "platform/system/Services.h"

class QWidget;

namespace sys {

// This start's proof, as the launcher put it into the environment. Read before
// the QApplication is made: Qt's X11 connection takes DESKTOP_STARTUP_ID away.
Activation activationOfThisStart();

// Shows the window (a minimized one in its former state), raises it and
// gives it the focus, with `activation` where the desktop asks for one.
void nachVorn(QWidget& fenster, const Activation& activation);

// The time of the user's action that an X11 start-up id carries ("…_TIME<n>"); 0 without one.
quint32 startupTime(const QString& startupId);

// The startup notification protocol's "remove" message, which ends the
// launcher's start-up feedback for `startupId` (values quoted as the protocol wants).
QByteArray startupRemoveMessage(const QString& startupId);

}  // namespace sys
