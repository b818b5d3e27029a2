#include "platform/system/ProgramContext.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
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

ProgramContext::ProgramContext(const QString& applicationName, const QString& title, Instances instances,
                               const Activation& ownStart)
    : m_folder(programFolder()), messages(title), userStore(userStorePath()), singleInstance(m_folder.folder, ownStart)
{
    QCoreApplication::setApplicationName(applicationName);
    // The icons that the build puts into each program beside its menu entry's.
    QIcon icon;
    for (const int size : {48, 128, 256}) {
        const QString file = QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QGuiApplication::desktopFileName());
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
    m_qtTexte = qtTexteDeutsch();
    m_services.programFolder = m_folder.folder;
    m_services.executableFolder = executableFolder();
    m_services.title = title;
    wireServices(m_services, *this);
    if (instances == Instances::Any)
        m_services.singleInstance = nullptr;
}

bool ProgramContext::programFolderReady() const
{
    if (m_folder.ready())
        return true;
    m_services.messages->msgBox(m_folder.failure + QStringLiteral("\n\n%1 wird beendet.").arg(m_services.title),
                                mb::OkOnly | mb::Critical);
    return false;
}

}  // namespace sys
