// The file work of the tools window: creating a catalogue, converting cover
// paths, compacting, and the grid view.
#include "tools/frmTools.h"

#include "frame/CdIni.h"
#include "frame/Einmalfenster.h"
#include "frame/Katalogschema.h"
#include "frame/basPruefling.h"
#include "platform/db/FileCopy.h"
#include "platform/db/FileRename.h"
#include "platform/db/LockFile.h"
#include "platform/system/Dateigrund.h"
#include "tools/Datagrid.h"
#include "tools/frmNeuDB.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRandomGenerator>

#include <cerrno>
#include <utility>
#include <vector>

namespace {

const QString TitelKomprimieren = QStringLiteral("DB Komprimieren");
const QString TitelCover = QStringLiteral("Cover-Update");
const QString SperrText = QStringLiteral(
    "Bitte die DB Komprimierung nur ausführen, wenn die Tools extra gestartet werden (Rondavex bzw. DB darf nicht "
    "geöffnet sein!)");

void temporäreEntfernen(const QString& pfad)
{
    QFile::remove(pfad);
    QFile::remove(pfad + QStringLiteral("-journal"));
}

QString ordnerVon(const QString& pfad)
{
    return QFileInfo(pfad).absolutePath();
}

}  // namespace

void frmTools::cmdCreateDB_Click()
{
    m_jetQuelle.clear();
    // The window loaded hidden by the look is shown as it is; once closed it
    // comes back new.
    if (m_neuDB && m_neuDB->geschlossen())
        delete m_neuDB.data();
    if (!m_neuDB) {
        m_neuDB = new frmNeuDB(*this, this);
        m_neuDB->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_neuDB->setWindowTitle(QStringLiteral("Neue Datenbank erstellen"));
    m_neuDB->show();
    m_neuDB->raise();
    m_neuDB->activateWindow();
}

void frmTools::przCreateDB1()
{
    // Cd.ini drops the blanks around a value when it is read back.
    const QString name = tfDBNameNeu1->text().trimmed();
    if (name.isEmpty()) {
        meldung(QStringLiteral("Sie sollten schon einen neuen DB Namen angeben!"), sys::mb::Exclamation,
                QStringLiteral("neuen DB Namen eingeben bitte!"));
        return;
    }
    if (!frame::textZulässig(name)) {
        meldung(QStringLiteral("Der DB Name \"%1\" enthält Zeichen, die nicht erlaubt sind. Erlaubt sind Buchstaben "
                               "ohne Umlaute, Ziffern, Leerzeichen, Punkt und Komma.")
                    .arg(name),
                sys::mb::Exclamation, QStringLiteral("neuen DB Namen eingeben bitte!"));
        return;
    }
    const QString ziel = katalogPfad(name);
    const auto schonDa = [&] {
        meldung(QStringLiteral("Datenbank schon vorhanden. Bitte anderen Namen vergeben!"), sys::mb::Exclamation,
                QStringLiteral("DB existiert bereits!"));
    };
    const QFileInfo zielInfo(ziel);
    if (zielInfo.exists() || zielInfo.isSymLink()) {
        schonDa();
        return;
    }
    if (!m_jetQuelle.isEmpty()) {
        przWindowsKatalog(name, ziel);
        return;
    }

    // Built whole under a hidden name and moved into place only when complete:
    // there is never a half catalogue under the name.
    const QString temporär = m_services.file(QStringLiteral(".%1.mdb.%2.neu")
                                                  .arg(name)
                                                  .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    try {
        {
            auto datenbank = db::Database::create(temporär);
            // At the main program's schema: it opens like any current catalogue.
            frame::schema::anlegen(*datenbank, frame::schema::AktuelleVersion, frame::schema::Herkunft::Tools);
        }
        if (!db::syncToDisk(temporär))
            throw db::DbError(db::ErrCopy, sys::dateigrund(errno));
        int fehler = 0;
        if (!db::renameNoReplace(temporär, ziel, &fehler)) {
            temporäreEntfernen(temporär);
            if (fehler == EEXIST) {
                schonDa();
                return;
            }
            throw db::DbError(db::ErrCopy, sys::dateigrund(fehler));
        }
    } catch (const db::DbError& e) {
        temporäreEntfernen(temporär);
        meldung(QStringLiteral("Die Datenbank \"%1\" konnte nicht angelegt werden:\r\n%2").arg(ziel, e.message()),
                sys::mb::Exclamation, QStringLiteral("DB Genrierung"));
        return;
    }
    db::syncToDisk(ordnerVon(ziel));

    if (!frame::cdIni(m_services).write(QStringLiteral("DB"), QStringLiteral("DB Name1"), name)) {
        meldung(QStringLiteral("Die Datenbank \"%1\" wurde angelegt, ihr Name konnte aber nicht in \"%2\" "
                               "gespeichert werden.")
                    .arg(ziel, m_services.file(frame::CdIniName)),
                sys::mb::Exclamation, QStringLiteral("DB Genrierung"));
        return;
    }
    przListenNeu();
    meldung(QStringLiteral("Datenbank erfolgreich generiert! Bitte wechseln Sie die DB wenn Sie die Neue benutzen "
                           "wollen."),
            sys::mb::Information, QStringLiteral("DB Genrierung erfolgreich!"));
}

void frmTools::cmdCoversumbenennen_Click()
{
    przCoverUmbenennen();
}

void frmTools::przCoverUmbenennen()
{
    const QString pfad = katalogPfad(m_dbName0);
    QString fehler;
    if (!QFileInfo(pfad).isFile()
        || !db::copyDatabaseFile(pfad, m_services.file(m_dbName0 + QStringLiteral(".old")), &fehler)) {
        meldung(QStringLiteral("Die Datenbank \"%1\" kann nicht gesichert werden, die Cover bleiben unverändert.%2")
                    .arg(pfad, fehler.isEmpty() ? QString() : QStringLiteral("\r\n") + fehler),
                sys::mb::Exclamation, TitelCover);
        return;
    }
    try {
        // Open only for this work: the catalogue is free again when it is done.
        const auto datenbank = db::Database::open(pfad);
        // Every cover is read before the first one is changed.
        const db::Result cover = datenbank->query(QStringLiteral("SELECT rowid, Cover FROM Filme WHERE Cover NOT LIKE '-'"));
        std::vector<std::pair<qlonglong, QString>> änderungen;
        for (int i = 0; i < cover.size(); ++i) {
            const QString text = cover.value(i, 1).toString();
            const qsizetype rückwärts = text.indexOf(QStringLiteral("covers\\"));
            const qsizetype vorwärts = text.indexOf(QStringLiteral("covers/"));
            const qsizetype marke = rückwärts < 0 ? vorwärts : vorwärts < 0 ? rückwärts : std::min(rückwärts, vorwärts);
            if (marke >= 0)
                änderungen.emplace_back(cover.value(i, 0).toLongLong(), text.mid(marke + 7));
        }
        if (änderungen.empty()) {
            m_services.userStore->saveSetting(QStringLiteral("Settings"), QStringLiteral("Cover Update"),
                                              QStringLiteral("1"));
            meldung(QStringLiteral("Cover-Update schon ausgeführt!"), sys::mb::Information, TitelCover);
            return;
        }
        db::Database::Transaction t(*datenbank);
        for (const auto& [zeile, rest] : änderungen)
            datenbank->execute(QStringLiteral("UPDATE Filme SET Cover = ?1 WHERE rowid = ?2"), {rest, zeile});
        t.commit();
    } catch (const db::DbError& e) {
        meldung(QStringLiteral("Die Cover der Datenbank \"%1\" konnten nicht geändert werden:\r\n%2")
                    .arg(pfad, e.message()),
                sys::mb::Exclamation, TitelCover);
        return;
    }
    const bool gespeichert =
        frame::cdIni(m_services).write(QStringLiteral("Funktionen"), QStringLiteral("Cover Normal"), QStringLiteral("0"));
    meldung(QStringLiteral("Covereinträge wurden in der DB geändert!\r\nBitte starten Sie die Rondavex neu!"),
            sys::mb::Exclamation, QStringLiteral("Covereinträge geändert"));
    if (!gespeichert)
        meldung(QStringLiteral("\"Cover Normal\" konnte nicht in \"%1\" gespeichert werden.")
                    .arg(m_services.file(frame::CdIniName)),
                sys::mb::Exclamation, TitelCover);
    m_services.userStore->saveSetting(QStringLiteral("Settings"), QStringLiteral("Cover Update"), QStringLiteral("1"));
    close();
}

bool frmTools::FileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

void frmTools::cmdKomp_Click()
{
    // DBCompact refuses an open catalogue first, with the lock's message.
    if (m_arbeitsName.isEmpty()) {
        meldung(QStringLiteral("Bitte wählen Sie eine zu komprimierende Datenbank!"), sys::mb::Exclamation,
                TitelKomprimieren);
        return;
    }
    DBCompact(m_arbeitsPfad, QString(), 1);
    przListenNeu();
}

bool frmTools::DBCompact(const QString& mdb, const QString& password, float idle)
{
    const auto fehlschlag = [&](const QString& grund) {
        meldung(QStringLiteral("Die Datenbank \"%1\" wurde nicht komprimiert:\r\n%2").arg(mdb, grund),
                sys::mb::Exclamation, TitelKomprimieren);
        return false;
    };
    if (!password.isEmpty())
        return fehlschlag(QStringLiteral("Datenbanken mit Kennwort gibt es hier nicht."));

    if (inTabellenAnsicht(mdb, TitelKomprimieren))
        return false;
    // Held from before the first file is touched until the last rename, so no
    // program can open the catalogue in between.
    bool belegt = false;
    const auto sperre = db::LockFile::tryAcquire(mdb, db::LockFile::Mode::Exclusive, &belegt);
    if (!sperre && belegt) {
        meldung(SperrText, sys::mb::OkOnly, {});
        return false;
    }
    if (const QString grund = schreibschutz(mdb); !grund.isEmpty())
        return fehlschlag(grund);
    if (!sperre)
        return fehlschlag(QStringLiteral("Die Sperrdatei \"%1\" lässt sich nicht anlegen.").arg(db::LockFile::pathFor(mdb)));

    const QString kopie = mdb + QStringLiteral(".bak");
    if (FileExists(kopie)) {
        const QDateTime geändert = QFileInfo(kopie).lastModified().toUTC();
        const float alter = float(double(geändert.msecsTo(m_services.clock->now().toUTC())) / 86400000.0);
        if (alter < idle) {
            meldung(QStringLiteral("Komprimierung nicht nötig!"), sys::mb::Exclamation,
                    QStringLiteral("Keine Komprimierung nötig"));
            return true;
        }
    }
    if (!FileExists(mdb))
        return fehlschlag(QStringLiteral("Die Datei gibt es nicht."));

    // A leftover of an interrupted run would make every later compaction fail.
    const QString ziel = mdb + QStringLiteral(".tmp");
    temporäreEntfernen(ziel);
    if (QFileInfo::exists(ziel))
        return fehlschlag(QStringLiteral("\"%1\" lässt sich nicht entfernen.").arg(ziel));
    try {
        auto datenbank = db::Database::openHolding(mdb, *sperre);
        datenbank->execute(QStringLiteral("VACUUM INTO ?"), {ziel});
    } catch (const db::DbError& e) {
        temporäreEntfernen(ziel);
        return fehlschlag(e.message());
    }
    if (!db::syncToDisk(ziel)) {
        const int fehler = errno;
        temporäreEntfernen(ziel);
        return fehlschlag(sys::dateigrund(fehler));
    }
    int fehler = 0;
    if (!db::renameReplacing(mdb, kopie, &fehler)) {
        temporäreEntfernen(ziel);
        return fehlschlag(sys::dateigrund(fehler));
    }
    if (!db::renameNoReplace(ziel, mdb, &fehler)) {
        const QString grund = sys::dateigrund(fehler);
        temporäreEntfernen(ziel);
        if (!db::renameReplacing(kopie, mdb, &fehler))
            return fehlschlag(grund
                              + QStringLiteral("\r\nDie Datenbank liegt jetzt unter \"%1\" und konnte nicht "
                                               "zurückbenannt werden: %2")
                                    .arg(kopie, sys::dateigrund(fehler)));
        return fehlschlag(grund);
    }
    db::syncToDisk(ordnerVon(mdb));
    meldung(QStringLiteral("DB erfolgreich komprimiert"), sys::mb::Information, {});
    return true;
}

void frmTools::cmdDBAnsicht_Click()
{
    // Opening never creates a file: an empty working name is refused here.
    if (m_arbeitsName.isEmpty() || !FileExists(m_arbeitsPfad)) {
        meldung(QStringLiteral("Bitte erst eine Datenbank wählen!"), sys::mb::Critical,
                QStringLiteral("Datenbank wählen"));
        return;
    }
    std::shared_ptr<db::Database> datenbank;
    try {
        datenbank = db::Database::open(m_arbeitsPfad);
        if (!datenbank->hasTable(QStringLiteral("Filme")))
            throw db::DbError(db::ErrNotADatabase, QStringLiteral("Die Tabelle Filme fehlt."));
    } catch (const db::DbError& e) {
        meldung(QStringLiteral("Die Datenbank \"%1\" kann nicht angezeigt werden:\r\n%2").arg(m_arbeitsPfad, e.message()),
                sys::mb::Exclamation, QStringLiteral("Tabellen-Ansicht"));
        return;
    }
    // The grid holds the connection while it is open and drops it when it closes.
    const bool offen = m_datagrid && m_datagrid->isVisible();
    frame::einmalZeigen(m_datagrid, [&] { return new Datagrid(datenbank, this); });
    if (offen)
        m_datagrid->verbinden(datenbank);
}
