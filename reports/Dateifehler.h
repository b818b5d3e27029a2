#pragma once
#include <QString>

namespace reports {

// What every report and export says when its file could not be written.
inline QString dateiNichtGeschrieben(const QString& name)
{
    return QStringLiteral("Die Datei '") + name + QStringLiteral("' konnte im Programmverzeichnis nicht geschrieben werden.");
}

}  // namespace reports
