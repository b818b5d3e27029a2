#include "platform/system/ProgramContext.h"

#include "platform/system/ProgramFolder.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace sys {

bool qtTexteDeutsch()
{
    auto* übersetzung = new QTranslator(QCoreApplication::instance());
    if (!übersetzung->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(übersetzung)) {
        delete übersetzung;
        return false;
    }
    return true;
}

ProgramContext::ProgramContext(const QString& applicationName, const QString& title, Instances instances)
    : messages(title), userStore(userStorePath()), singleInstance(programFolder())
{
    QCoreApplication::setApplicationName(applicationName);
    qtTexteDeutsch();
    m_services.programFolder = programFolder();
    m_services.title = title;
    wireServices(m_services, *this);
    if (instances == Instances::Any)
        m_services.singleInstance = nullptr;
}

}  // namespace sys
