#pragma once
// Fixed table and column names joined into statement texts go in as quoted
// identifiers, so a name with a blank, an umlaut or a keyword stays one name.
#include <QString>

namespace db {

// The name in double quotes, inner double quotes doubled.
inline QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace db
