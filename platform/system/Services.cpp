#include "platform/system/Services.h"

#include "platform/system/ProgramFolder.h"

namespace sys {

QString Services::file(const QString& name) const
{
    return fileIn(programFolder, name);
}

QString Services::executable(const QString& name) const
{
    return fileIn(executableFolder.isEmpty() ? programFolder : executableFolder, name);
}

}  // namespace sys
