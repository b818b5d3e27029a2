#include "frame/Schemaupgrade.h"

#include "frame/Backup.h"
#include "frame/CdIni.h"
#include "frame/Katalogschema.h"
#include "platform/db/FileCopy.h"
#include "platform/system/Dateigrund.h"
#include "platform/system/Dateireste.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <array>

namespace frame {

namespace {

const QString Titel = QStringLiteral("DB Konvertierung");
constexpr int SperreWartenMs = 2000;

QString spalteHinzu(const char* tabelle, const char* spalte)
{
    return QStringLiteral("ALTER TABLE \"%1\" ADD COLUMN %2")
        .arg(QString::fromUtf8(tabelle), schema::spaltenDefinition(QString::fromUtf8(tabelle), QString::fromUtf8(spalte)));
}

QString setze(const char* tabelle, const char* spalte, const char* wert)
{
    return QStringLiteral("UPDATE \"%1\" SET \"%2\"='%3'")
        .arg(QString::fromUtf8(tabelle), QString::fromUtf8(spalte), QString::fromUtf8(wert));
}

QString versionSetzen(const char* version)
{
    return setze("Version", "nr", version);
}

}  // namespace

Schemaupgrade::Schemaupgrade(const sys::Services& services, QString dbName)
    : m_services(services), m_dbName(std::move(dbName))
{
}

QString Schemaupgrade::datenbankPfad() const
{
    return m_services.file(m_dbName + QStringLiteral(".mdb"));
}

bool Schemaupgrade::fehler(const QString& version, const QString& pfad, const QString& grund)
{
    QString text = QStringLiteral("DB konnte nicht auf Version %1 gepatcht werden.\n\n%2\n%3\n\n"
                                  "Die Datenbank bleibt auf dem bisherigen Stand. Rondavex wird beendet.")
                       .arg(version, pfad, grund);
    if (m_nachUebernahme) {
        if (!m_schritte.isEmpty())
            text = QStringLiteral("Schon ausgeführt:\n%1\n\n").arg(m_schritte.join(QLatin1Char('\n'))) + text;
        const QString bericht = berichtErgaenzen(QStringLiteral("DB konnte nicht auf Version %1 gepatcht werden: %2")
                                                     .arg(version, grund));
        if (!bericht.isEmpty())
            text += QStringLiteral("\n\n") + bericht;
    }
    m_services.messages->msgBox(text, sys::mb::Critical, Titel);
    m_db.reset();
    m_gesperrt.clear();
    return false;
}

void Schemaupgrade::ok(const QString& meldung)
{
    if (m_nachUebernahme)
        m_schritte << meldung;
    else
        m_services.messages->msgBox(meldung, sys::mb::OkOnly, Titel);
}

QString Schemaupgrade::berichtErgaenzen(const QString& fehlschlag)
{
    const QString pfad = sys::importBericht(datenbankPfad());
    QByteArray text;
    if (QFile alt(pfad); alt.open(QIODevice::ReadOnly))
        text = alt.readAll();
    text += QStringLiteral("\nSchritte auf die Version %1 nach der Übernahme:\n").arg(schema::AktuelleVersion).toUtf8();
    for (const QString& s : m_schritte)
        text += QStringLiteral("  %1\n").arg(s).toUtf8();
    if (!fehlschlag.isEmpty())
        text += QStringLiteral("  %1\n").arg(fehlschlag).toUtf8();
    QSaveFile neu(pfad);
    if (neu.open(QIODevice::WriteOnly) && neu.write(text) == text.size() && neu.commit())
        return {};
    return QStringLiteral("Der Bericht \"%1\" lässt sich nicht ergänzen: %2").arg(pfad, sys::dateigrund(neu));
}

bool Schemaupgrade::przDBVersion()
{
    const QString pfad = datenbankPfad();
    auto abbrechen = [&](const QString& grund) {
        m_services.messages->msgBox(
            QStringLiteral("Die Datenbank \"%1\" kann nicht geöffnet werden.\n\n%2\n\nRondavex wird beendet.").arg(pfad, grund),
            sys::mb::Critical, sys::programTitle());
        m_db.reset();
        return false;
    };
    auto beschaedigt = [&] {
        m_db.reset();
        return meldeBeschaedigt(m_services, m_dbName);
    };
    if (m_dbName.isEmpty())
        return abbrechen(QStringLiteral("In \"Cd.ini\" ist unter [DB] kein \"DB Name0\" eingetragen."));
    try {
        m_db = db::Database::open(pfad);
    } catch (const db::DbError& e) {
        if (e.code() == db::ErrFileMissing)
            return abbrechen(QStringLiteral("Die Datei ist nicht vorhanden."));
        if (db::isDamage(e.code()))
            return beschaedigt();
        if (e.code() == db::ErrNotADatabase)
            return abbrechen(QStringLiteral("Die Datei ist keine Katalog-Datenbank."));
        return abbrechen(e.message());
    }
    // No file of ours is empty: an empty one was cut short.
    if (QFileInfo(pfad).size() == 0)
        return beschaedigt();
    try {
        if (!m_db->hasTable(QStringLiteral("Version")))
            return abbrechen(QStringLiteral("Die Datei ist keine Katalog-Datenbank: die Tabelle Version fehlt."));
        const db::Result r = m_db->query(QStringLiteral("SELECT nr FROM Version ORDER BY rowid LIMIT 1"));
        if (r.empty() || r.value(0, 0).isNull())
            return abbrechen(QStringLiteral("Die Tabelle Version nennt keine Version."));
        m_gelesen = r.value(0, 0).toString();
    } catch (const db::DbError& e) {
        if (db::isDamage(e.code()))
            return beschaedigt();
        return abbrechen(QStringLiteral("Die Version lässt sich nicht lesen: %1").arg(e.message()));
    }

    using Schritt = bool (Schemaupgrade::*)();
    static const std::pair<const char*, Schritt> Start[] = {
        {"1.0.8", &Schemaupgrade::przPatch109}, {"1.0.9", &Schemaupgrade::przPatch1091},
        {"1.0.91", &Schemaupgrade::przPatch110}, {"1.1.0", &Schemaupgrade::przPatch111},
        {"1.1.1", &Schemaupgrade::przPatch116}, {"1.1.6", &Schemaupgrade::przPatch13},
        {"1.3", &Schemaupgrade::przPatch134},   {"1.3.4", &Schemaupgrade::przPatch14},
        {"1.4", &Schemaupgrade::przPatch141},
    };
    auto schrittAb = [](const QString& gelesen) -> Schritt {
        for (const auto& [version, schritt] : Start)
            if (gelesen == QLatin1String(version))
                return schritt;
        return nullptr;
    };
    if (!schrittAb(m_gelesen))
        return true;

    // Another start may have raised the file since it was read: the chain goes
    // by the version read under the exclusive lock.
    m_db.reset();
    db::Database* kette = schrittDatei(schema::AktuelleVersion, pfad);
    if (!kette)
        return false;
    try {
        m_gelesen = kette->scalar(QStringLiteral("SELECT nr FROM Version ORDER BY rowid LIMIT 1")).toString();
    } catch (const db::DbError& e) {
        return fehler(schema::AktuelleVersion, pfad, e.message());
    }
    if (const Schritt schritt = schrittAb(m_gelesen); schritt && !(this->*schritt)())
        return false;
    // The window's connection shares the file with the other program again.
    m_gesperrt.clear();
    const QString bericht = m_schritte.isEmpty() ? QString() : berichtErgaenzen();
    try {
        m_db = db::Database::open(pfad);
    } catch (const db::DbError& e) {
        return abbrechen(e.message());
    }
    if (!m_schritte.isEmpty())
        m_services.messages->msgBox(QStringLiteral("Der übernommene Katalog ist jetzt auf der Version %1:\n\n%2%3")
                                        .arg(schema::AktuelleVersion, m_schritte.join(QLatin1Char('\n')),
                                             bericht.isEmpty() ? QString() : QStringLiteral("\n\n") + bericht),
                                    sys::mb::OkOnly, Titel);
    return true;
}

// The step's file under the chain's exclusive lock, opened on first use; after
// the step's failure message nullptr.
db::Database* Schemaupgrade::schrittDatei(const QString& version, const QString& pfad)
{
    for (const auto& offen : m_gesperrt)
        if (offen->path() == pfad)
            return offen.get();
    if (m_db && m_db->path() == pfad)
        m_db.reset();
    // Another start holds the file only for the moment it reads the version;
    // a program that keeps it open is still there when the wait is over.
    QDeadlineTimer warten(SperreWartenMs);
    for (;;) {
        try {
            m_gesperrt.push_back(db::Database::openExclusive(pfad));
            return m_gesperrt.back().get();
        } catch (const db::DbError& e) {
            if (e.code() == db::ErrLocked && !warten.hasExpired()) {
                QThread::msleep(50);
                continue;
            }
            fehler(version, pfad,
                   e.code() == db::ErrLocked ? QStringLiteral("Die Datei ist in einem anderen Programm geöffnet. "
                                                              "Schließen Sie es und starten Sie Rondavex danach erneut.")
                                             : e.message());
            return nullptr;
        }
    }
}

// One step in one transaction: its statements, its version, which must be
// stored, and its "Cd.ini" keys, written before the commit, so that a step
// whose keys cannot be written leaves the file as it was.
bool Schemaupgrade::schrittAusführen(const char* version, db::Database& datei, const QStringList& anweisungen,
                                     Anweisungsfehler modus, const Einstellungen& einstellungen)
{
    const QString cdPfad = cdIni(m_services).path();
    QString ort = datei.path();
    QString grund;
    try {
        db::Database::Transaction t(datei);
        for (const auto& sql : anweisungen) {
            if (modus == Anweisungsfehler::Überspringen)
                datei.tryExecute(sql);
            else
                datei.execute(sql);
        }
        const db::ExecResult v = datei.tryExecute(versionSetzen(version));
        if (!v.ok || v.changes == 0) {
            grund = v.ok ? QStringLiteral("Die Tabelle Version hat keine Zeile.") : v.message;
        } else if (einstellungen && !einstellungen(ini::IniFile(cdPfad))) {
            ort = cdPfad;
            grund = QStringLiteral("Die Einstellungen lassen sich nicht in \"Cd.ini\" schreiben.");
        } else {
            t.commit();
            return true;
        }
    } catch (const db::DbError& e) {
        grund = e.message();
    }
    // Only now: the failure message lets go of the file the transaction was on.
    return fehler(QString::fromUtf8(version), ort, grund);
}

// Steps on table Design. Every catalogue of these versions was "filme" in the
// Windows program; one taken over under another name is upgraded as itself,
// never the "filme.mdb" beside it.
bool Schemaupgrade::designSchritt(const char* version, const char* meldung, const QStringList& anweisungen)
{
    db::Database* datei = schrittDatei(QString::fromUtf8(version), datenbankPfad());
    if (!datei || !schrittAusführen(version, *datei, anweisungen, Anweisungsfehler::Überspringen))
        return false;
    ok(QString::fromUtf8(meldung));
    return true;
}

bool Schemaupgrade::przPatch109()
{
    return designSchritt("1.0.9", "DB erfolgreich auf Version 1.0.9 gepatcht.",
                         {spalteHinzu("Design", "Label6"), setze("Design", "Label6", "Ausleiher")})
           && przPatch1091();
}

bool Schemaupgrade::przPatch1091()
{
    return designSchritt("1.0.91", "DB erfolgreich auf Version 1.0.9.1 gepatcht.",
                         {spalteHinzu("Design", "Label7"), setze("Design", "Label7", "Kategorie"),
                          spalteHinzu("Filme", "Cat"), setze("Filme", "Cat", "-")})
           && przPatch110();
}

bool Schemaupgrade::przPatch110()
{
    return designSchritt("1.1.0", "DB erfolgreich auf Version 1.1.0 gepatcht.",
                         {QStringLiteral("ALTER TABLE Design DROP COLUMN TextFarbe"), spalteHinzu("Design", "TextFarbe"),
                          setze("Design", "TextFarbe", "16777215")})
           && przPatch111();
}

bool Schemaupgrade::przPatch111()
{
    return designSchritt("1.1.1", "DB erfolgreich auf Version 1.1.1 gepatcht.",
                         {spalteHinzu("Design", "TextFont"), setze("Design", "TextFont", "Microsoft Sans Serif"),
                          spalteHinzu("Design", "TextBold"), setze("Design", "TextBold", "0"),
                          spalteHinzu("Design", "TextSize"), setze("Design", "TextSize", "9,75")})
           && przPatch116();
}

// Moves table Design into "Cd.ini". The table is dropped in the transaction
// that commits only once its values stand in the file, so the user's look and
// field words are never lost.
bool Schemaupgrade::przPatch116()
{
    const QString version = QStringLiteral("1.1.6");
    const QString pfad = datenbankPfad();
    db::Database* datei = schrittDatei(version, pfad);
    if (!datei)
        return false;
    QHash<QString, QString> design;
    try {
        const db::Result r = datei->query(QStringLiteral("SELECT * FROM Design ORDER BY rowid LIMIT 1"));
        if (r.empty())
            return fehler(version, pfad, QStringLiteral("Die Tabelle Design hat keine Zeile."));
        static const char* const Felder[] = {"Bild", "Laden", "Label1", "Label2", "Label3", "Label4", "Label5",
                                             "Label6", "Label7", "TextFont", "TextBold", "TextSize", "TextFarbe"};
        for (const char* f : Felder)
            design.insert(QString::fromUtf8(f), r.value(0, QString::fromUtf8(f)).toString());
    } catch (const db::DbError& e) {
        return fehler(version, pfad, e.message());
    }

    // Section, key and value, in the order they are written.
    std::vector<std::array<QString, 3>> werte;
    const QString laden = design.value(QStringLiteral("Laden"));
    if (laden == QLatin1String("-")) {
        static const std::pair<const char*, const char*> Bilder[] = {
            {"space", "bilder/space.jpg"}, {"bug", "bilder/bug.jpg"},       {"foret", "bilder/foret.jpg"},
            {"lacs", "bilder/lacs.jpg"},   {"desert", "bilder/desert.jpg"}, {"voyager", "bilder/Voyager.jpg"},
        };
        for (const auto& [name, bild] : Bilder) {
            if (design.value(QStringLiteral("Bild")) == QLatin1String(name))
                werte.push_back({QStringLiteral("Design"), QStringLiteral("Bild"), m_services.file(QString::fromUtf8(bild))});
        }
    } else {
        werte.push_back({QStringLiteral("Design"), QStringLiteral("Bild"), laden});
    }
    werte.push_back({QStringLiteral("Version"), QStringLiteral("Nr"), QStringLiteral("Rondavex 1.2")});
    // "filme" in the Windows program, which knew no other name.
    werte.push_back({QStringLiteral("DB"), QStringLiteral("DB Name0"), m_dbName});
    werte.push_back({QStringLiteral("DB"), QStringLiteral("DB Version"), version});
    for (int i = 1; i <= 7; ++i) {
        const QString label = QStringLiteral("Label%1").arg(i);
        werte.push_back({QStringLiteral("Design"), label, design.value(label)});
    }
    for (const char* f : {"TextFarbe", "TextFont", "TextBold", "TextSize"})
        werte.push_back({QStringLiteral("Design"), QString::fromUtf8(f), design.value(QString::fromUtf8(f))});

    const bool geschafft = schrittAusführen("1.1.6", *datei,
                                   {QStringLiteral("DROP TABLE Design"), spalteHinzu("Filme", "Cover"),
                                    setze("Filme", "Cover", "-")},
                                   Anweisungsfehler::Abbrechen, [&](const ini::IniFile& cd) {
                                       for (const auto& [abschnitt, schluessel, wert] : werte)
                                           if (!cd.write(abschnitt, schluessel, wert))
                                               return false;
                                       return true;
                                   });
    if (!geschafft)
        return false;
    ok(QStringLiteral("DB erfolgreich auf Version 1.1.6 gepatcht."));
    return przPatch13();
}

// Steps on the configured catalogue, each after a ".old" copy of the file.
bool Schemaupgrade::kopieSchritt(const char* version, const char* meldung, const char* nr,
                                 const QStringList& anweisungen)
{
    const QString v = QString::fromUtf8(version);
    db::Database* datei = schrittDatei(v, datenbankPfad());
    if (!datei)
        return false;
    QString grund;
    const QString alt = m_services.file(m_dbName + QStringLiteral(".old"));
    if (!db::copyDatabaseFile(datei->path(), alt, &grund))
        return fehler(v, alt, QStringLiteral("Die Sicherungskopie lässt sich nicht anlegen: %1").arg(grund));
    const bool geschafft =
        schrittAusführen(version, *datei, anweisungen, Anweisungsfehler::Überspringen, [&](const ini::IniFile& cd) {
            return cd.write(QStringLiteral("Version"), QStringLiteral("Nr"), QString::fromUtf8(nr))
                   && cd.write(QStringLiteral("Version"), QStringLiteral("DB Version"), v);
        });
    if (!geschafft)
        return false;
    ok(QString::fromUtf8(meldung));
    return true;
}

bool Schemaupgrade::przPatch13()
{
    return kopieSchritt("1.3", "DB erfolgreich auf Version 1.3 gepatcht.", "Rondavex 1.3",
                        {spalteHinzu("Filme", "Size"), setze("Filme", "Size", "0")})
           && przPatch134();
}

bool Schemaupgrade::przPatch134()
{
    return kopieSchritt("1.3.4", "DB erfolgreich auf Version 1.3.4 gepatcht.", "Rondavex 1.3",
                        {schema::tabelleAnlegen(QStringLiteral("Ausleihe"), QStringLiteral("1.3.4"))})
           && przPatch14();
}

bool Schemaupgrade::przPatch14()
{
    return kopieSchritt("1.4", "DB erfolgreich auf Version 1.4 gepatcht.", "Rondavex 1.4",
                        {spalteHinzu("Filme", "Unterordner"), setze("Filme", "Unterordner", "-"),
                         schema::tabelleAnlegen(QStringLiteral("Unterordner"), QStringLiteral("1.4"))})
           && przPatch141();
}

bool Schemaupgrade::przPatch141()
{
    return kopieSchritt("1.4.1", "DB erfolgreich auf Version 1.4.1 gepatcht.", "Rondavex 1.4",
                        {spalteHinzu("Unterordner", "Mappe"), spalteHinzu("Unterordner", "Wer")});
}

}  // namespace frame
