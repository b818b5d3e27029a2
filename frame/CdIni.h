#pragma once
// "Cd.ini", the settings file that both programs share. Every window reads the
// keys it needs when it loads and writes a key the moment it changes; nothing
// is cached, so the other program's writes are seen at the next reading.
#include "platform/ini/IniFile.h"
#include "platform/system/Services.h"

#include <QString>
#include <QStringList>

namespace frame {

inline const QString CdIniName = QStringLiteral("Cd.ini");

// The settings file of the program folder.
inline ini::IniFile cdIni(const sys::Services& services)
{
    return ini::IniFile(services.file(CdIniName));
}

// Tells the user that settings files did not take a change (a full disk, a
// read-only folder). The files keep their earlier values; the window goes on
// with what it shows.
inline void nichtGespeichert(const sys::Services& services, const QStringList& dateien)
{
    if (services.messages)
        services.messages->msgBox(QStringLiteral("Sorry '") + dateien.join(QStringLiteral("', '"))
                                      + QStringLiteral("' kann nicht gespeichert werden!"),
                                  sys::mb::OkOnly | sys::mb::Critical, QStringLiteral("Fehler"));
}

}  // namespace frame
