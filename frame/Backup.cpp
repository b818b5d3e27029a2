#include "frame/Backup.h"

#include "frame/modQuickSort.h"
#include "platform/db/FileCopy.h"
#include "platform/vb/VbRuntime.h"

#include <QDir>
#include <QFileInfo>

namespace frame {

namespace {

QString backupOrdner(const sys::Services& services)
{
    return services.file(QStringLiteral("Backup"));
}

// The sort key is the change time, formatted to 15 characters, then the name.
constexpr qsizetype ZeitLaenge = 15;

}  // namespace

QString backupName(const QDate& tag, const QString& dbName)
{
    return vb::dateText(tag) + QLatin1Char(' ') + dbName + QStringLiteral(".bak");
}

void przBackup(const sys::Services& services, const QString& dbName)
{
    const QString ordner = backupOrdner(services);
    QDir().mkpath(ordner);
    db::copyDatabaseFile(services.file(dbName + QStringLiteral(".mdb")),
                         ordner + QLatin1Char('/') + backupName(services.clock->today(), dbName));
    przBackupListe(services);
}

void przBackupListe(const sys::Services& services)
{
    const QDir ordner(backupOrdner(services));
    if (!ordner.exists())
        return;
    QStringList liste;
    for (const QFileInfo& f : ordner.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted))
        liste << f.lastModified().toString(QStringLiteral("yyyyMMdd HHmmss")) + f.fileName();
    QuickSort(liste);
    for (qsizetype k = liste.size() - 1; k >= 0; --k) {
        if (k < liste.size() - BackupsBehalten) {
            if (!QFile::remove(ordner.filePath(liste[k].mid(ZeitLaenge))))
                return;
        }
    }
}

}  // namespace frame
