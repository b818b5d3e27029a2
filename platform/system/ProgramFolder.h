#pragma once
#include <QString>

namespace sys {

// The folder that holds the running executable, resolved (links followed),
// whatever the working directory. Needs a QCoreApplication.
QString executableFolder();

// The folder of "Cd.ini", the catalogues and every file the programs write:
// today the executable's folder.
QString programFolder();

// A file of the program folder `folder`: the folder, one "/", the name.
inline QString fileIn(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// The per-user settings file: $XDG_CONFIG_HOME/Rondavex/Rondavex.ini, or
// ~/.config/Rondavex/Rondavex.ini when the variable is unset or empty.
QString userStorePath();

}  // namespace sys
