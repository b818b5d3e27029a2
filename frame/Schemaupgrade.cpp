#include "frame/Schemaupgrade.h"

#include "frame/CdIni.h"
#include "frame/Katalogschema.h"
#include "platform/db/FileCopy.h"

namespace frame {

namespace {

const QString Titel = QStringLiteral("DB Konvertierung");

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

// Runs the step's statements with their failures skipped, then the version
// statement, which must succeed; all in one transaction.
bool anweisungenAusfuehren(db::Database& datenbank, const QStringList& anweisungen, const char* version,
                           QString* grund)
{
    try {
        db::Database::Transaction t(datenbank);
        for (const auto& sql : anweisungen)
            datenbank.tryExecute(sql);
        const db::ExecResult v = datenbank.tryExecute(versionSetzen(version));
        if (!v.ok || v.changes == 0) {
            *grund = v.ok ? QStringLiteral("Die Tabelle Version hat keine Zeile.") : v.message;
            return false;
        }
        t.commit();
        return true;
    } catch (const db::DbError& e) {
        *grund = e.message();
        return false;
    }
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

QString Schemaupgrade::filmePfad() const
{
    return m_services.file(QStringLiteral("filme.mdb"));
}

bool Schemaupgrade::fehler(const QString& version, const QString& pfad, const QString& grund)
{
    m_services.messages->msgBox(QStringLiteral("DB konnte nicht auf Version %1 gepatcht werden.\n\n%2\n%3\n\n"
                                               "Die Datenbank bleibt auf dem bisherigen Stand. Rondavex wird beendet.")
                                    .arg(version, pfad, grund),
                                sys::mb::Critical, Titel);
    m_db.reset();
    return false;
}

void Schemaupgrade::ok(const QString& meldung)
{
    m_services.messages->msgBox(meldung, sys::mb::OkOnly, Titel);
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
    if (m_dbName.isEmpty())
        return abbrechen(QStringLiteral("In \"Cd.ini\" ist unter [DB] kein \"DB Name0\" eingetragen."));
    try {
        m_db = db::Database::open(pfad);
    } catch (const db::DbError& e) {
        if (e.code() == db::ErrFileMissing)
            return abbrechen(QStringLiteral("Die Datei ist nicht vorhanden."));
        if (e.code() == db::ErrNotADatabase)
            return abbrechen(QStringLiteral("Die Datei ist keine Katalog-Datenbank."));
        return abbrechen(e.message());
    }
    try {
        if (!m_db->hasTable(QStringLiteral("Version")))
            return abbrechen(QStringLiteral("Die Datei ist keine Katalog-Datenbank: die Tabelle Version fehlt."));
        const db::Result r = m_db->query(QStringLiteral("SELECT nr FROM Version ORDER BY rowid LIMIT 1"));
        if (r.empty() || r.value(0, 0).isNull())
            return abbrechen(QStringLiteral("Die Tabelle Version nennt keine Version."));
        m_gelesen = r.value(0, 0).toString();
    } catch (const db::DbError& e) {
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
    for (const auto& [version, schritt] : Start) {
        if (m_gelesen == QLatin1String(version)) {
            if (!(this->*schritt)())
                return false;
            break;
        }
    }
    if (!m_db) {
        try {
            m_db = db::Database::open(pfad);
        } catch (const db::DbError& e) {
            return abbrechen(e.message());
        }
    }
    return true;
}

// Steps on table Design: always the file "filme.mdb", as every catalogue of
// these versions was named so.
bool Schemaupgrade::designSchritt(const char* version, const char* meldung, const QStringList& anweisungen)
{
    const QString pfad = filmePfad();
    m_db.reset();
    std::unique_ptr<db::Database> datei;
    try {
        datei = db::Database::open(pfad);
    } catch (const db::DbError& e) {
        return fehler(QString::fromUtf8(version), pfad, e.message());
    }
    QString grund;
    if (!anweisungenAusfuehren(*datei, anweisungen, version, &grund))
        return fehler(QString::fromUtf8(version), pfad, grund);
    datei.reset();
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

// Moves table Design into "Cd.ini". The settings are written first and the
// table is dropped only once they stand in the file, so the user's look and
// field words are never lost; the database part is one transaction.
bool Schemaupgrade::przPatch116()
{
    const QString version = QStringLiteral("1.1.6");
    const QString pfad = filmePfad();
    m_db.reset();
    std::unique_ptr<db::Database> datei;
    QHash<QString, QString> design;
    try {
        datei = db::Database::open(pfad);
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

    const ini::IniFile cd = cdIni(m_services);
    bool geschrieben = true;
    auto schreibe = [&](const char* abschnitt, const QString& schluessel, const QString& wert) {
        geschrieben = cd.write(QString::fromUtf8(abschnitt), schluessel, wert) && geschrieben;
    };

    const QString laden = design.value(QStringLiteral("Laden"));
    if (laden == QLatin1String("-")) {
        static const std::pair<const char*, const char*> Bilder[] = {
            {"space", "bilder/space.jpg"}, {"bug", "bilder/bug.jpg"},       {"foret", "bilder/foret.jpg"},
            {"lacs", "bilder/lacs.jpg"},   {"desert", "bilder/desert.jpg"}, {"voyager", "bilder/Voyager.jpg"},
        };
        for (const auto& [name, bilddatei] : Bilder) {
            if (design.value(QStringLiteral("Bild")) == QLatin1String(name))
                schreibe("Design", QStringLiteral("Bild"), m_services.file(QString::fromUtf8(bilddatei)));
        }
    } else {
        schreibe("Design", QStringLiteral("Bild"), laden);
    }
    schreibe("DB", QStringLiteral("DB Name0"), QStringLiteral("filme"));
    for (int i = 1; i <= 7; ++i) {
        const QString label = QStringLiteral("Label%1").arg(i);
        schreibe("Design", label, design.value(label));
    }
    for (const char* f : {"TextFarbe", "TextFont", "TextBold", "TextSize"})
        schreibe("Design", QString::fromUtf8(f), design.value(QString::fromUtf8(f)));
    if (!geschrieben)
        return fehler(version, cd.path(),
                      QStringLiteral("Die Einstellungen der Tabelle Design lassen sich nicht in \"Cd.ini\" schreiben."));

    try {
        db::Database::Transaction t(*datei);
        datei->execute(QStringLiteral("DROP TABLE Design"));
        datei->execute(versionSetzen("1.1.6"));
        datei->execute(spalteHinzu("Filme", "Cover"));
        datei->execute(setze("Filme", "Cover", "-"));
        t.commit();
    } catch (const db::DbError& e) {
        return fehler(version, pfad, e.message());
    }
    datei.reset();
    cd.write(QStringLiteral("Version"), QStringLiteral("Nr"), QStringLiteral("Rondavex 1.2"));
    cd.write(QStringLiteral("DB"), QStringLiteral("DB Version"), version);
    ok(QStringLiteral("DB erfolgreich auf Version 1.1.6 gepatcht."));
    return przPatch13();
}

// Steps on the configured catalogue, each after a ".old" copy of the file.
bool Schemaupgrade::kopieSchritt(const char* version, const char* meldung, const char* nr,
                                 const QStringList& anweisungen)
{
    const QString v = QString::fromUtf8(version);
    const QString pfad = datenbankPfad();
    m_db.reset();
    std::unique_ptr<db::Database> datei;
    try {
        datei = db::Database::open(pfad);
    } catch (const db::DbError& e) {
        return fehler(v, pfad, e.message());
    }
    QString grund;
    const QString alt = m_services.file(m_dbName + QStringLiteral(".old"));
    if (!db::copyDatabaseFile(pfad, alt, &grund))
        return fehler(v, alt, QStringLiteral("Die Sicherungskopie lässt sich nicht anlegen: %1").arg(grund));
    if (!anweisungenAusfuehren(*datei, anweisungen, version, &grund))
        return fehler(v, pfad, grund);
    m_db = std::move(datei);
    ok(QString::fromUtf8(meldung));
    const ini::IniFile cd = cdIni(m_services);
    cd.write(QStringLiteral("Version"), QStringLiteral("Nr"), QString::fromUtf8(nr));
    cd.write(QStringLiteral("Version"), QStringLiteral("DB Version"), v);
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
