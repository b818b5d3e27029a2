#pragma once
// The file names of the two programs; each starts the other from the folder of its own executable.
#include <QString>

namespace frame {

inline const QString HauptprogrammDatei = QStringLiteral("Rondavex");
inline const QString ToolsDatei = QStringLiteral("tools");

}  // namespace frame
