#include "frame/Backup.h"

#include "frame/modQuickSort.h"
#include "platform/vb/VbRuntime.h"

#include <QDir>
#include <QFileInfo>

namespace frame {

namespace {

const QString Defekt = QStringLiteral(".defekt");

QString backupOrdner(const sys::Services& services)
{
    return services.file(QStringLiteral("Backup"));
}

// The sort key is the change time, formatted to 15 characters, then the name.
constexpr qsizetype ZeitLaenge = 15;

QString sortSchluessel(const QFileInfo& f)
{
    return f.lastModified().toString(QStringLiteral("yyyyMMdd HHmmss")) + f.fileName();
}

// Deletes all but the newest files of the list; an error ends the pruning.
bool ausduennen(const QDir& ordner, QStringList liste)
{
    QuickSort(liste);
    for (qsizetype k = liste.size() - 1; k >= 0; --k) {
        if (k < liste.size() - BackupsBehalten) {
            if (!QFile::remove(ordner.filePath(liste[k].mid(ZeitLaenge))))
                return false;
        }
    }
    return true;
}

}  // namespace

QString backupName(const QDate& tag, const QString& dbName)
{
    return vb::dateText(tag) + QLatin1Char(' ') + dbName + QStringLiteral(".bak");
}

QString defektName(const QDate& tag, const QString& dbName)
{
    return vb::dateText(tag) + QLatin1Char(' ') + dbName + Defekt;
}

Sicherung przBackup(const sys::Services& services, const QString& dbName)
{
    const QString ordner = backupOrdner(services);
    QDir().mkpath(ordner);
    const QString quelle = services.file(dbName + QStringLiteral(".mdb"));
    const QDate heute = services.clock->today();
    Sicherung s;
    s.ergebnis = db::copyDatabase(quelle, ordner + QLatin1Char('/') + backupName(heute, dbName), &s.grund);
    if (s.ergebnis == db::CopyResult::Damaged)
        db::copyFileReplacing(quelle, ordner + QLatin1Char('/') + defektName(heute, dbName));
    przBackupListe(services);
    return s;
}

void przBackupListe(const sys::Services& services)
{
    const QDir ordner(backupOrdner(services));
    if (!ordner.exists())
        return;
    QStringList backups;
    QStringList defekte;
    for (const QFileInfo& f : ordner.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted))
        (f.fileName().endsWith(Defekt) ? defekte : backups) << sortSchluessel(f);
    if (ausduennen(ordner, backups))
        ausduennen(ordner, defekte);
}

QString neuestesBackup(const sys::Services& services, const QString& dbName)
{
    const QDir ordner(backupOrdner(services));
    const QString endung = QLatin1Char(' ') + dbName + QStringLiteral(".bak");
    QString neuestes;
    for (const QFileInfo& f : ordner.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        if (f.fileName().endsWith(endung) && sortSchluessel(f) > neuestes)
            neuestes = sortSchluessel(f);
    }
    return neuestes.isEmpty() ? QString() : ordner.filePath(neuestes.mid(ZeitLaenge));
}

bool meldeBeschaedigt(const sys::Services& services, const QString& dbName)
{
    const QString sicherung = neuestesBackup(services, dbName);
    QString backup = sicherung.isEmpty()
                         ? QStringLiteral("Im Ordner \"Backup\" liegt keine Sicherung dieser Datenbank.")
                         : QStringLiteral("Die neueste Sicherung ist \"%1\".").arg(sicherung);
    const QString defekt = backupOrdner(services) + QLatin1Char('/') + defektName(services.clock->today(), dbName);
    if (QFileInfo::exists(defekt))
        backup += QStringLiteral("\nEine Kopie der beschädigten Datei liegt unter \"%1\".").arg(defekt);
    services.messages->msgBox(QStringLiteral("Die Datenbank \"%1\" ist beschädigt oder unvollständig und kann nicht "
                                             "geöffnet werden.\n\n%2\n\nRondavex wird beendet.")
                                  .arg(services.file(dbName + QStringLiteral(".mdb")), backup),
                              sys::mb::Critical, sys::programTitle());
    return false;
}

}  // namespace frame
