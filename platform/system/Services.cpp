#include "platform/system/Services.h"

namespace sys {

QString Services::file(const QString& name) const
{
    if (programFolder.endsWith(QLatin1Char('/')))
        return programFolder + name;
    return programFolder + QLatin1Char('/') + name;
}

}  // namespace sys
