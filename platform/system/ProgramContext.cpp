#include "platform/system/ProgramContext.h"

#include "platform/system/ProgramFolder.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace sys {

std::unique_ptr<QTranslator> qtTexteDeutsch()
{
    auto übersetzung = std::make_unique<QTranslator>();
    if (!übersetzung->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(übersetzung.get()))
        return nullptr;
    return übersetzung;
}

ProgramContext::ProgramContext(const QString& applicationName, const QString& title, Instances instances)
    : messages(title), userStore(userStorePath()), singleInstance(programFolder())
{
    QCoreApplication::setApplicationName(applicationName);
    m_qtTexte = qtTexteDeutsch();
    m_services.programFolder = programFolder();
    m_services.executableFolder = executableFolder();
    m_services.title = title;
    wireServices(m_services, *this);
    if (instances == Instances::Any)
        m_services.singleInstance = nullptr;
}

}  // namespace sys
