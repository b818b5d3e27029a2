#pragma once
// Look-ups in the desktop's own settings: the wallpaper as KDE Plasma, Xfce,
// GNOME, Cinnamon or MATE keep it, and an installed system-information program.
#include "platform/system/Services.h"

namespace sys {

class DesktopSettings : public Desktop {
public:
    // `gsettings`: the tool that reads the GNOME-family settings, found in PATH
    // when it is a bare name.
    explicit DesktopSettings(QString gsettings = QStringLiteral("gsettings"));

    // The first wallpaper file that exists, the running desktop's own settings
    // first (XDG_CURRENT_DESKTOP), then the others; "" when there is none.
    QString wallpaper() const override;
    // The full path of the first known program found in PATH, or "".
    QString systemInformationProgram() const override;

    // The programs systemInformationProgram looks for, in order.
    static const QStringList& systemInformationPrograms();

private:
    QString m_gsettings;
};

}  // namespace sys
