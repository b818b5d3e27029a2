#include "platform/system/Dateireste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace sys {

QString restdatei(const QString& ziel, const QString& art)
{
    const QFileInfo info(ziel);
    return info.absolutePath() + QStringLiteral("/.%1.%2.%3").arg(info.fileName()).arg(::getpid()).arg(art);
}

void resteEntfernen(const QString& ziel, const QStringList& arten)
{
    const QFileInfo info(ziel);
    QStringList muster;
    for (const QString& a : arten)
        muster << QRegularExpression::escape(a);
    const QRegularExpression name(QStringLiteral("^\\.%1\\.(\\d+)\\.(%2)$")
                                      .arg(QRegularExpression::escape(info.fileName()), muster.join(QLatin1Char('|'))));
    const QDir ordner(info.absolutePath());
    for (const QString& datei : ordner.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const auto treffer = name.match(datei);
        if (!treffer.hasMatch())
            continue;
        const auto pid = static_cast<pid_t>(treffer.captured(1).toLongLong());
        // Another run may be at work on the same target right now.
        if (pid == ::getpid() || (::kill(pid, 0) != 0 && errno == ESRCH))
            QFile::remove(ordner.filePath(datei));
    }
}

QString importBericht(const QString& ziel)
{
    const QFileInfo info(ziel);
    const QString name = info.fileName();
    const QString stamm = name.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive) ? name.chopped(4) : name;
    return info.absolutePath() + QLatin1Char('/') + stamm + QStringLiteral(".import.txt");
}

}  // namespace sys
