#pragma once
#include <QString>

namespace sys {

// The folder that holds the running executable, resolved (links followed),
// whatever the working directory. Needs a QCoreApplication.
QString programFolder();

// The per-user settings file: $XDG_CONFIG_HOME/Rondavex/Rondavex.ini, or
// ~/.config/Rondavex/Rondavex.ini when the variable is unset or empty.
QString userStorePath();

}  // namespace sys
