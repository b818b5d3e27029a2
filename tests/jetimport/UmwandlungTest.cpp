// The conversion of a Windows catalogue, read back through a plain SQLite
// connection: tables, columns, types and keys at the file's version, every
// value, the keys our German equality joins, the report.
#include "jetimport/Umwandlung.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "tests/jetimport/Windowskatalog.h"
#include "tests/support/JetSchaden.h"
#include "tests/support/RohSqlite.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace jetimporttest;
using testing_support::roh;
using testing_support::rohWert;
using testing_support::TempFolder;

namespace {

QStringList tabellenImZiel(const QString& datei)
{
    QStringList namen;
    for (const auto& z : roh(datei, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")))
        namen << z[0];
    return namen;
}

QString createTable(const QString& datei, const QString& tabelle)
{
    return rohWert(datei, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = '%1'").arg(tabelle));
}

struct Fall {
    const char* version;
    jettest::Spaltenfolge folge;
    frame::schema::Herkunft herkunft;
};

std::string fallName(const testing::TestParamInfo<Fall>& i)
{
    std::string n = QString::fromUtf8(i.param.version).replace(QLatin1Char('.'), QLatin1Char('_')).toStdString();
    n += i.param.folge == jettest::Spaltenfolge::Frisch ? "_frisch" : "_angehoben";
    if (i.param.herkunft == frame::schema::Herkunft::Tools)
        n += "_tools";
    return n;
}

class Schemastand : public testing::TestWithParam<Fall> {};

// The file keeps its version; each table gets the columns of the engine's
// table in their order and our types, as a fresh catalogue of ours at that
// version declares them, with the version's keys.
TEST_P(Schemastand, TabellenSpaltenTypenUndSchluesselDerVersion)
{
    const Fall f = GetParam();
    const QString version = QString::fromUtf8(f.version);
    TempFolder ordner;
    jettest::KatalogArt art;
    art.folge = f.folge;
    art.herkunft = f.herkunft;
    const jettest::KatalogInhalt inhalt = reicherInhalt(version);
    const QString quelle = ordner.file(QStringLiteral("filme.jet.mdb"));
    jettest::katalog(quelle, version, inhalt, art);
    const QString ziel = ordner.file(QStringLiteral("filme.mdb"));
    const jetimport::Bericht bericht = jetimport::umwandeln(quelle, ziel);

    QStringList erwartet = frame::schema::tabellen(version);
    erwartet.sort();
    EXPECT_EQ(tabellenImZiel(ziel), erwartet);
    EXPECT_EQ(rohWert(ziel, QStringLiteral("PRAGMA integrity_check")), "ok");
    EXPECT_EQ(rohWert(ziel, QStringLiteral("PRAGMA journal_mode")), "delete");
    EXPECT_EQ(rohWert(ziel, QStringLiteral("SELECT nr FROM Version")), version);
    EXPECT_EQ(bericht.schema, version);

    for (const auto& jetTabelle : jettest::katalogTabellen(version, art)) {
        const QString sql = createTable(ziel, jetTabelle.name);
        QStringList definitionen;
        for (const auto& s : jetTabelle.spalten) {
            // The column as our schema declares it at this version, under the
            // name the engine's file gives it ("Ausdatum" in a file of tools).
            QString d;
            for (const auto& k : frame::schema::spalten(jetTabelle.name, version)) {
                if (s.name.compare(QString::fromUtf8(k.name), Qt::CaseInsensitive) == 0)
                    d = frame::schema::spaltenDefinition(k);
            }
            d.replace(QStringLiteral("\"AusDatum\""), QStringLiteral("\"%1\"").arg(s.name));
            definitionen << d;
        }
        EXPECT_EQ(sql, QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(jetTabelle.name, definitionen.join(", ")))
            << jetTabelle.name.toStdString();
        EXPECT_EQ(werte(ziel, jetTabelle.name, version, art),
                  erwarteteZeilen(jetTabelle.name, version, inhalt,
                                  {{"ärger", "ärger [2]"},
                                   {"ärger CD1", "ärger CD1 [2]"},
                                   {"DER HERR DER RINGE - DIE ZWEI TÜRME (EXTENDED 123)",
                                    "DER HERR DER RINGE - DIE ZWEI TÜRME (EXTENDED [2]"}},
                                  art))
            << jetTabelle.name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versionen, Schemastand,
    testing::Values(Fall{"1.0.8", jettest::Spaltenfolge::Frisch, frame::schema::Herkunft::Hauptprogramm},
                    Fall{"1.1.6", jettest::Spaltenfolge::Frisch, frame::schema::Herkunft::Tools},
                    Fall{"1.1.6", jettest::Spaltenfolge::Angehoben, frame::schema::Herkunft::Hauptprogramm},
                    Fall{"1.3.4", jettest::Spaltenfolge::Angehoben, frame::schema::Herkunft::Hauptprogramm},
                    Fall{"1.4.1", jettest::Spaltenfolge::Frisch, frame::schema::Herkunft::Hauptprogramm},
                    Fall{"1.4.1", jettest::Spaltenfolge::Angehoben, frame::schema::Herkunft::Hauptprogramm}),
    fallName);

// Keys that the engine kept apart but our German equality joins: the later
// row under a free name, its sub-entries and lendings with it, each rename in
// the report; keys the engine and we both keep apart stay as they are.
TEST(Umwandlung, GleicheSchluesselWerdenUmbenanntUndIhreZeilenFolgen)
{
    TempFolder ordner;
    const jettest::KatalogInhalt inhalt = reicherInhalt(QStringLiteral("1.4.1"));
    jettest::katalog(ordner.file("w.mdb"), QStringLiteral("1.4.1"), inhalt);
    const QString ziel = ordner.file("filme.mdb");
    const jetimport::Bericht bericht = jetimport::umwandeln(ordner.file("w.mdb"), ziel);

    EXPECT_EQ(roh(ziel, "SELECT Titel FROM Filme ORDER BY rowid"),
              (std::vector<QStringList>{{"Müller"},
                                        {"Muller"},
                                        {"Straße"},
                                        {"Strasse"},
                                        {"Ärger"},
                                        {"ärger [2]"},
                                        {"Der Herr der Ringe - Die zwei Türme (Extended 123)"},
                                        {"DER HERR DER RINGE - DIE ZWEI TÜRME (EXTENDED [2]"}}));
    EXPECT_EQ(rohWert(ziel, "SELECT max(length(Titel)) FROM Filme"), "50");
    EXPECT_EQ(roh(ziel, "SELECT Titel, Titel2 FROM Unterordner ORDER BY rowid"),
              (std::vector<QStringList>{{"Müller", "Müller CD1"},
                                        {"ärger [2]", "Ärger CD1"},
                                        {"ärger [2]", "ärger CD1 [2]"},
                                        {"Ärger", "Ärger CD2"},
                                        {"DER HERR DER RINGE - DIE ZWEI TÜRME (EXTENDED [2]", "Teil 1"}}));
    EXPECT_EQ(roh(ziel, "SELECT Titel, EinDT FROM Ausleihe ORDER BY rowid"),
              (std::vector<QStringList>{{"Müller", "15.02.2003"},
                                        {"ärger [2]", "<null>"},
                                        {"DER HERR DER RINGE - DIE ZWEI TÜRME (EXTENDED [2]", ""}}));

    ASSERT_EQ(bericht.umbenannt.size(), 3u);
    EXPECT_EQ(bericht.umbenannt[0].alt, "ärger");
    EXPECT_EQ(bericht.umbenannt[0].neu, "ärger [2]");
    EXPECT_EQ(bericht.umbenannt[2].tabelle, "Unterordner");
    EXPECT_EQ(bericht.umbenannt[2].spalte, "Titel2");

    // What our layer refuses the file never holds twice.
    auto db = db::Database::open(ziel);
    EXPECT_EQ(db::dscount(*db, "SELECT count(*) AS Zähler FROM Filme a JOIN Filme b ON a.Titel = b.Titel COLLATE DEUTSCH"
                               " AND a.rowid < b.rowid"),
              0);
}

TEST(Umwandlung, DerBerichtNenntZeilenUmbenennungenUndUhrzeitenUndLiegtNebenDemZiel)
{
    TempFolder ordner;
    jettest::katalog(ordner.file("w.mdb"), QStringLiteral("1.4.1"), reicherInhalt(QStringLiteral("1.4.1")));
    const QString ziel = ordner.file("meine Filme.mdb");
    const jetimport::Bericht bericht = jetimport::umwandeln(ordner.file("w.mdb"), ziel);

    const QString text = QString::fromUtf8(ordner.read("meine Filme.import.txt"));
    EXPECT_EQ(text, bericht.text());
    EXPECT_TRUE(text.contains("  Filme: 8\n"));
    EXPECT_TRUE(text.contains("  Unterordner: 5\n"));
    EXPECT_TRUE(text.contains("  Ausleihe: 3\n"));
    EXPECT_TRUE(text.contains("  Filme.Titel: \"ärger\" -> \"ärger [2]\"\n"));
    EXPECT_TRUE(text.contains("  Filme.Datum bei \"Straße\": 01.01.2004 13:14:15\n")) << text.toStdString();
    EXPECT_EQ(rohWert(ziel, "SELECT Datum FROM Filme WHERE Titel = 'Straße'"), "2004-01-01");
    ASSERT_EQ(bericht.uhrzeiten.size(), 1u);
    // Nothing of the run is left beside it.
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{"meine Filme.import.txt", "meine Filme.mdb", "w.mdb"}));
}

// The derived tables of the statistics come along with their columns and types.
TEST(Umwandlung, AbgeleiteteTabellenKommenMit)
{
    TempFolder ordner;
    jettest::KatalogInhalt inhalt;
    inhalt.filme = {jettest::Film{.Titel = "Matrix"}};
    inhalt.weitere.clear();
    for (const auto& t : jettest::statistikTabellen())
        inhalt.weitere.push_back({t, {}});
    jettest::katalog(ordner.file("w.mdb"), QStringLiteral("1.4.1"), inhalt);
    const QString ziel = ordner.file("filme.mdb");
    jetimport::umwandeln(ordner.file("w.mdb"), ziel);
    const QStringList tabellen = tabellenImZiel(ziel);
    for (const auto& t : jettest::statistikTabellen()) {
        EXPECT_TRUE(tabellen.contains(t.name)) << t.name.toStdString();
        const auto spalten = roh(ziel, QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(t.name));
        ASSERT_EQ(spalten.size(), t.spalten.size()) << t.name.toStdString();
        for (size_t i = 0; i < spalten.size(); ++i) {
            EXPECT_EQ(spalten[i][0], t.spalten[i].name);
            const QString typ = t.spalten[i].typ == jettest::Typ::Long     ? "INTEGER"
                                : t.spalten[i].typ == jettest::Typ::Double ? "REAL"
                                                                           : "TEXT";
            EXPECT_EQ(spalten[i][1], typ) << t.name.toStdString() << "." << t.spalten[i].name.toStdString();
        }
    }
    EXPECT_FALSE(tabellen.contains("MSysObjects"));
}

struct Abweisung {
    const char* name;
    std::function<void(const QString&)> schreiben;
    const char* grund;
};

class Abgewiesen : public testing::TestWithParam<Abweisung> {};

// Refused with the reason, about the Windows file, in German: no text of
// SQLite's and no word of the new file; nothing is left beside it.
void erwarteAbgewiesen(const std::function<void(const QString&)>& schreiben, const char* grund)
{
    TempFolder ordner;
    const QString quelle = ordner.file("q.mdb");
    schreiben(quelle);
    const QByteArray vorher = ordner.read("q.mdb");
    try {
        jetimport::umwandeln(quelle, ordner.file("filme.mdb"));
        ADD_FAILURE() << "nicht abgewiesen";
    } catch (const jetimport::Fehler& e) {
        EXPECT_TRUE(e.text().contains(QString::fromUtf8(grund))) << e.text().toStdString();
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Sie "))) << e.text().toStdString();
        static const QRegularExpression englisch(QStringLiteral("constraint|duplicate|failed|reserved|no such|neue Datei"),
                                                 QRegularExpression::CaseInsensitiveOption);
        EXPECT_FALSE(e.text().contains(englisch)) << e.text().toStdString();
    }
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"q.mdb"});
    EXPECT_EQ(ordner.read("q.mdb"), vorher);
}

TEST_P(Abgewiesen, MitDemGrundUndOhneEineDatei)
{
    erwarteAbgewiesen(GetParam().schreiben, GetParam().grund);
}

void ohneTabelle(const QString& pfad, const char* fehlt)
{
    std::vector<jettest::TabelleMitZeilen> tabellen;
    for (const auto& t : jettest::katalogTabellen(QStringLiteral("1.4.1"))) {
        if (t.name == QString::fromUtf8(fehlt))
            continue;
        tabellen.push_back({t, {}});
        if (t.name == QLatin1String("Version"))
            tabellen.back().zeilen.push_back({"1.4.1"});
    }
    jettest::schreiben(pfad, tabellen);
}

// The tables of a 1.4.1 catalogue with one title, Filme changed by `aendern`
// (its columns) before it is written.
void mitFilme(const QString& pfad, const std::function<void(jettest::Tabelle&)>& aendern)
{
    std::vector<jettest::TabelleMitZeilen> tabellen;
    for (auto t : jettest::katalogTabellen(QStringLiteral("1.4.1"))) {
        std::vector<jettest::Zeile> zeilen;
        if (t.name == QLatin1String("Filme")) {
            aendern(t);
            jettest::Zeile z;
            for (const auto& s : t.spalten)
                z.push_back(s.typ == jettest::Typ::Long ? jettest::Wert(7)
                            : s.typ == jettest::Typ::Double ? jettest::Wert(1.0)
                            : s.typ == jettest::Typ::Datum  ? jettest::Wert(QDate(2003, 1, 1))
                            : s.name == QLatin1String("Titel") ? jettest::Wert("Matrix")
                                                               : jettest::Wert("-"));
            zeilen.push_back(z);
        } else if (t.name == QLatin1String("Version")) {
            zeilen.push_back({"1.4.1"});
        }
        tabellen.push_back({t, zeilen});
    }
    jettest::schreiben(pfad, tabellen);
}

void mitInhalt(const QString& pfad, const std::function<void(jettest::KatalogInhalt&)>& aendern)
{
    jettest::KatalogInhalt in = jettest::schadensKatalog();
    aendern(in);
    jettest::katalog(pfad, QStringLiteral("1.4.1"), in);
}

INSTANTIATE_TEST_SUITE_P(
    Dateien, Abgewiesen,
    testing::Values(
        Abweisung{"OhneFilme", [](const QString& p) { ohneTabelle(p, "Filme"); }, "ihr fehlt die Tabelle \"Filme\""},
        Abweisung{"OhneVersion", [](const QString& p) { ohneTabelle(p, "Version"); },
                  "ihr fehlt die Tabelle \"Version\""},
        Abweisung{"OhneVersionszeile",
                  [](const QString& p) {
                      jettest::KatalogInhalt in;
                      in.ohneVersionszeile = true;
                      jettest::katalog(p, QStringLiteral("1.4.1"), in);
                  },
                  "nennt keine Schemaversion"},
        Abweisung{"VersionszeileOhneNummer",
                  [](const QString& p) { mitInhalt(p, [](jettest::KatalogInhalt& in) { in.nr = jettest::Wert(); }); },
                  "nennt keine Schemaversion"},
        // A flipped byte makes "1.4.1" a text that no version of the program wrote.
        Abweisung{"UnbekannteVersion",
                  [](const QString& p) { mitInhalt(p, [](jettest::KatalogInhalt& in) { in.nr = jettest::Wert("1.Ë.1"); }); },
                  "Sie ist kein Katalog einer bekannten Schemaversion: ihre Tabelle \"Version\" nennt \"1.Ë.1\""},
        Abweisung{"NeuereVersion",
                  [](const QString& p) { mitInhalt(p, [](jettest::KatalogInhalt& in) { in.nr = jettest::Wert("1.5"); }); },
                  "kein Katalog einer bekannten Schemaversion"},
        Abweisung{"SchluesselIstNull",
                  [](const QString& p) {
                      mitInhalt(p, [](jettest::KatalogInhalt& in) { in.filme[2].Titel = jettest::Wert(); });
                  },
                  "Sie ist beschädigt: die Zeile 3 der Tabelle \"Filme\" hat keinen Wert in \"Titel\", ihrem Schlüssel."},
        Abweisung{"UnterschluesselIstNull",
                  [](const QString& p) {
                      mitInhalt(p, [](jettest::KatalogInhalt& in) { in.unterordner[1].Titel2 = jettest::Wert(); });
                  },
                  "die Zeile 2 der Tabelle \"Unterordner\" hat keinen Wert in \"Titel2\""},
        Abweisung{"TextLaengerAlsSeineSpalte",
                  [](const QString& p) {
                      const jettest::Lageplan plan =
                          jettest::katalog(p, QStringLiteral("1.4.1"), jettest::schadensKatalog());
                      // Titel's entry follows the one index entry; its size is at 23.
                      jettest::seiteAendern(p, plan.tabelle("Filme").definition, [](quint8* b) { b[63 + 12 + 23] = 10; });
                  },
                  "ein Wert der Spalte \"Titel\" in der Zeile 1 der Tabelle \"Filme\" ist länger als die 5 Zeichen"},
        Abweisung{"DatumAusserhalbDerJahre",
                  [](const QString& p) {
                      mitInhalt(p, [](jettest::KatalogInhalt& in) { in.filme[1].Datum = jettest::Wert::jetTage(-9.0e304); });
                  },
                  "ein Wert der Spalte \"Datum\" in der Zeile 2 der Tabelle \"Filme\" ist kein Datum der Jahre 100 bis 9999"},
        Abweisung{"SpalteFehlt",
                  [](const QString& p) {
                      mitFilme(p, [](jettest::Tabelle& filme) {
                          std::erase_if(filme.spalten, [](const jettest::Spalte& s) { return s.name == "Cover"; });
                      });
                  },
                  "Sie ist beschädigt: ihrer Tabelle \"Filme\" fehlen Spalten der Schemaversion 1.4.1: \"Cover\"."},
        Abweisung{"SchluesselKeinText",
                  [](const QString& p) { mitFilme(p, [](jettest::Tabelle& filme) { filme.spalten[0].typ = jettest::Typ::Long; }); },
                  "die Spalte \"Titel\" der Tabelle \"Filme\" ist keine Textspalte"},
        // A name that SQLite keeps for itself: what the new file refuses is named as the Windows file's.
        Abweisung{"TabelleMitSqliteNamen",
                  [](const QString& p) {
                      mitInhalt(p, [](jettest::KatalogInhalt& in) {
                          in.weitere.push_back(
                              {jettest::Tabelle{"sqlite_daten", {{"Nr", jettest::Typ::Long}}, {}}, {{1}}});
                      });
                  },
                  "Sie ist beschädigt: ihre Tabelle \"sqlite_daten\" passt in keinen Katalog."},
        Abweisung{"OhneUnterordner", [](const QString& p) { ohneTabelle(p, "Unterordner"); },
                  "ihr fehlt die Tabelle \"Unterordner\" der Schemaversion 1.4.1"},
        Abweisung{"KeineJetDatei",
                  [](const QString& p) {
                      QFile f(p);
                      f.open(QIODevice::WriteOnly);
                      f.write(QByteArray(8192, 'x'));
                  },
                  "keine Jet-Datenbank"}),
    [](const testing::TestParamInfo<Abweisung>& i) { return std::string(i.param.name); });

// Every kind of damage the reader refuses ends the conversion with its
// reason and leaves nothing: among them a data page of Filme emptied while
// the definitions are intact, and a damaged long value page of a memo.
class Beschaedigt : public testing::TestWithParam<jettest::Schaden> {};

TEST_P(Beschaedigt, WirdAbgewiesen)
{
    erwarteAbgewiesen(GetParam().anlegen, GetParam().grund);
}

INSTANTIATE_TEST_SUITE_P(Jet, Beschaedigt, testing::ValuesIn(jettest::schaeden()),
                         [](const testing::TestParamInfo<jettest::Schaden>& i) { return std::string(i.param.name); });

// Characters outside the Basic Multilingual Plane in titles, names, sub-entries
// and memos (in the row, on one long value row, on a chain) arrive as they are.
TEST(Umwandlung, JedesZeichenKommtAn)
{
    TempFolder ordner;
    const jettest::KatalogInhalt inhalt = jettest::schadensKatalog();
    jettest::katalog(ordner.file("w.mdb"), QStringLiteral("1.4.1"), inhalt);
    const QString ziel = ordner.file("filme.mdb");
    const jetimport::Bericht bericht = jetimport::umwandeln(ordner.file("w.mdb"), ziel);
    for (const QString tabelle : {"Filme", "Unterordner", "Ausleihe"})
        EXPECT_EQ(werte(ziel, tabelle, "1.4.1"), erwarteteZeilen(tabelle, "1.4.1", inhalt)) << tabelle.toStdString();
    EXPECT_EQ(rohWert(ziel, "SELECT Wer FROM Filme WHERE Titel = 'Der Film \U0001F3AC'"), "Zoë \U0001F3AC");
    EXPECT_EQ(rohWert(ziel, "SELECT length(Info) FROM Filme WHERE Titel = 'Brazil'"), "5001");
    EXPECT_TRUE(bericht.zeichen.empty());
    EXPECT_TRUE(bericht.text().contains("Texte mit Bytes, die kein Zeichen sind (an ihrer Stelle steht „\uFFFD“):\n  keine\n"));
}

// A text that holds what is no character is taken over with U+FFFD in its
// place, and the report names its table, column and row.
TEST(Umwandlung, WasKeinZeichenIstStehtImBericht)
{
    TempFolder ordner;
    jettest::KatalogInhalt inhalt = jettest::schadensKatalog();
    inhalt.filme[0].Info = QStringLiteral("ab") + QChar(0xD83C);
    inhalt.filme[1].Wer = jettest::Wert::bytes(QByteArray("J\0\xFC\0r", 5));
    inhalt.ausleihe[0].Wer = QString(QChar(0xDFAC));
    jettest::katalog(ordner.file("w.mdb"), QStringLiteral("1.4.1"), inhalt);
    const QString ziel = ordner.file("filme.mdb");
    const jetimport::Bericht bericht = jetimport::umwandeln(ordner.file("w.mdb"), ziel);
    EXPECT_EQ(rohWert(ziel, "SELECT Info FROM Filme WHERE Titel = 'Matrix'"), "ab\uFFFD");
    EXPECT_EQ(rohWert(ziel, "SELECT Wer FROM Filme WHERE Titel = 'Alien'"), "Jü\uFFFD");
    const QString text = QString::fromUtf8(ordner.read("filme.import.txt"));
    EXPECT_TRUE(text.contains("  Filme.Info bei \"Matrix\": eine halbe UTF-16-Zeichenfolge (einzelnes Surrogat)\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("  Filme.Wer bei \"Alien\": eine ungerade Zahl von Bytes\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("  Ausleihe.Wer bei Zeile 1: eine halbe UTF-16-Zeichenfolge (einzelnes Surrogat)\n"))
        << text.toStdString();
    EXPECT_EQ(bericht.zeichen.size(), 3u);
}

TEST(Umwandlung, EinVorhandenesZielWirdNieUeberschrieben)
{
    TempFolder ordner;
    jettest::katalog(ordner.file("w.mdb"), QStringLiteral("1.4.1"), reicherInhalt(QStringLiteral("1.4.1")));
    ordner.write("filme.mdb", "mein Katalog");
    EXPECT_THROW(jetimport::umwandeln(ordner.file("w.mdb"), ordner.file("filme.mdb")), jetimport::Fehler);
    EXPECT_EQ(ordner.read("filme.mdb"), "mein Katalog");
    EXPECT_FALSE(QFile::exists(ordner.file("filme.import.txt")));
}

TEST(Umwandlung, DieResteEinesGetoetetenLaufsGehenMitDemNaechsten)
{
    TempFolder ordner;
    jettest::katalog(ordner.file("w.mdb"), QStringLiteral("1.4.1"), reicherInhalt(QStringLiteral("1.4.1")));
    // A process number that no process has now (above the kernel's limit).
    for (const char* rest : {".filme.mdb.4194399.jetimport", ".filme.mdb.4194399.jetimport-journal",
                             ".filme.mdb.4194399.ldb", ".filme.mdb.4194399.bericht"})
        ordner.write(rest, "halb");
    // One of a run that is alive (this test's own parent) stays.
    const QString lebendig = QStringLiteral(".filme.mdb.%1.jetimport").arg(getppid());
    ordner.write(lebendig, "läuft");
    jetimport::umwandeln(ordner.file("w.mdb"), ordner.file("filme.mdb"));
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{lebendig, "filme.import.txt", "filme.mdb", "w.mdb"}));
}

TEST(Umwandlung, AbbrechenLaesstNichtsZurueck)
{
    TempFolder ordner;
    jettest::katalog(ordner.file("w.mdb"), QStringLiteral("1.4.1"), reicherInhalt(QStringLiteral("1.4.1")));
    long long gesehen = 0;
    EXPECT_THROW(jetimport::umwandeln(
                     ordner.file("w.mdb"), ordner.file("filme.mdb"),
                     [&](long long erledigt, long long) { gesehen = erledigt; }, [&] { return gesehen >= 5; }),
                 jetimport::Fehler);
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"w.mdb"});
}

}  // namespace
