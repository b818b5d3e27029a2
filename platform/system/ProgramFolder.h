#pragma once
#include <QString>

namespace sys {

// The folder that holds the running executable, resolved (links followed),
// whatever the working directory. Needs a QCoreApplication.
QString executableFolder();

// The folder of "Cd.ini", the catalogues and every file the programs write,
// or why it cannot be used.
struct ProgramFolderChoice {
    QString folder;
    QString failure;  // one German message naming the folder and the cause; empty when ready
    bool ready() const { return failure.isEmpty(); }
};

// The executable's own folder when it holds "Cd.ini" (the build's folder, a
// portable copy). Otherwise the per-user folder `userFolder`: created when it
// is missing and, while it holds no "Cd.ini", given every file of the
// installation's data folder that it lacks. A file that is already there is
// never replaced, so a second start, a second user and an update keep everything.
ProgramFolderChoice chooseProgramFolder(const QString& executableFolder, const QString& userFolder);

// The shipped files of an installation whose executables lie in
// `executableFolder` (<prefix>/lib/rondavex): <prefix>/share/rondavex. Found
// relative to the executable, so that a tree unpacked anywhere works.
QString shippedDataFolder(const QString& executableFolder);

// The user's home: $HOME when it is an absolute path, else the one the
// password file gives the user, else "/".
QString homeFolder();

// The per-user program folder: $XDG_DATA_HOME/Rondavex, or
// <home>/.local/share/Rondavex when the variable is unset, empty or not absolute.
QString userDataFolder();

// chooseProgramFolder(executableFolder(), userDataFolder())
ProgramFolderChoice programFolder();

// A file of the program folder `folder`: the folder, one "/", the name.
inline QString fileIn(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// The user's settings folder: $XDG_CONFIG_HOME, or <home>/.config when the
// variable is unset, empty or not absolute.
QString configHome();

// The per-user settings file: <configHome()>/Rondavex/Rondavex.ini.
QString userStorePath();

}  // namespace sys
