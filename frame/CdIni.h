#pragma once
// "Cd.ini", the settings file that both programs share. Every window reads the
// keys it needs when it loads and writes a key the moment it changes; nothing
// is cached, so the other program's writes are seen at the next reading.
#include "platform/ini/IniFile.h"
#include "platform/system/Services.h"

#include <QString>

namespace frame {

inline const QString CdIniName = QStringLiteral("Cd.ini");

// The settings file of the program folder.
inline ini::IniFile cdIni(const sys::Services& services)
{
    return ini::IniFile(services.file(CdIniName));
}

}  // namespace frame
