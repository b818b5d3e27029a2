#include "platform/system/ProgramContext.h"

#include "platform/system/ProgramFolder.h"

#include <QCoreApplication>

namespace sys {

ProgramContext::ProgramContext(const QString& applicationName, const QString& title, Instances instances)
    : messages(title), userStore(userStorePath()), singleInstance(programFolder())
{
    QCoreApplication::setApplicationName(applicationName);
    m_services.programFolder = programFolder();
    m_services.title = title;
    wireServices(m_services, *this);
    if (instances == Instances::Any)
        m_services.singleInstance = nullptr;
}

}  // namespace sys
