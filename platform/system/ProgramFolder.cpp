#include "platform/system/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sys {

QString executableFolder()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString resolved = exe.canonicalFilePath();
    return QFileInfo(resolved.isEmpty() ? exe.absoluteFilePath() : resolved).absolutePath();
}

QString programFolder()
{
    return executableFolder();
}

QString userStorePath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Rondavex/Rondavex.ini");
}

}  // namespace sys
