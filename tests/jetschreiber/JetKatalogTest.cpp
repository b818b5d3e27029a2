#include "tests/jetschreiber/JetPruefung.h"
#include "tests/support/JetBytes.h"
#include "tests/support/JetKatalog.h"
#include "tests/support/TempFolder.h"

#include <QFile>

using namespace jettest;
using testing_support::TempFolder;

namespace {

QString memo(int n)
{
    QString s;
    for (int i = 0; s.size() < n; ++i)
        s += QStringLiteral("Zeile %1: Müller, Straße, \"Zitat\", 'tschüß'\r\n").arg(i);
    s.truncate(n);
    return s;
}

// What a Windows user's catalogue holds that a conversion could lose: umlauts,
// "ß", quotes, a memo of 100 KB, Nulls, titles that Jet keeps apart but German
// equality joins, open and closed lendings.
KatalogInhalt reicherInhalt()
{
    KatalogInhalt in;
    in.filme = {
        Film{.Titel = "Müller", .Anzahl = 2.0, .Format = "DVD", .Qualität = "1a", .Mappe = "A1", .Wer = "Jürgen",
             .Info = memo(100 * 1024), .Dten = "de", .Datum = QDate(2003, 4, 5), .Cat = "Komödie",
             .AusDatum = "01.03.2003", .Cover = "müller.jpg", .Size = "4700", .Unterordner = "1"},
        Film{.Titel = "Muller", .Anzahl = 0.5},
        Film{.Titel = "Straße", .Info = "Er sagte: \"Hallo\" und 'tschüß'",
             .Datum = QDateTime(QDate(2004, 1, 1), QTime(13, 14, 15))},
        Film{.Titel = "Strasse", .Format = Wert(), .Wer = Wert(), .Info = Wert(), .Datum = Wert(), .Cover = Wert()},
        Film{.Titel = "O'Brien \"Zitat\"", .Anzahl = -1.0e-3, .Info = "", .Datum = QDate(1899, 12, 30), .Size = "0"},
        Film{.Titel = "ÄÖÜäöüß", .Anzahl = 1.0 / 3, .Datum = QDate(1850, 1, 1)},
    };
    in.unterordner = {
        Unterordner{.Titel = "Müller", .Titel2 = "Müller CD1", .Anzahl = 1, .Info = memo(70000)},
        Unterordner{.Titel = "Müller", .Titel2 = "Muller CD1", .Anzahl = Wert(), .Wer = "Jürgen"},
        Unterordner{.Titel = "Straße", .Titel2 = "Straße/Teil 2", .Anzahl = -32768, .Size = "700"},
        Unterordner{.Titel = "Straße", .Titel2 = "Strasse/Teil 2", .Anzahl = 32767, .Format = Wert()},
    };
    in.ausleihe = {
        Ausleihe{.Titel = "Müller", .Wer = "Jürgen", .AusDT = "01.02.2003", .EinDT = "15.02.2003"},
        Ausleihe{.Titel = "Müller", .Wer = "Jürgen", .AusDT = "01.03.2003", .EinDT = Wert()},
        Ausleihe{.Titel = "Straße", .Wer = "Zoë", .AusDT = "24.12.2003", .EinDT = ""},
    };
    return in;
}

struct Stand {
    const char* version;
    QStringList tabellen;
    // Every table's columns as mdb-schema names them.
    std::vector<std::pair<QString, QStringList>> spalten;
};

const QStringList Filme108 = {"Titel:Text (50)",  "Anzahl:Double",    "Format:Text (10)", "Qualität:Text (4)",
                              "Mappe:Text (10)",  "Wer:Text (50)",    "Info:Memo/Hyperlink (255)",
                              "Dten:Text (10)",   "Datum:DateTime",   "AusDatum:Text (50)"};

QStringList filme(std::initializer_list<const char*> dazu)
{
    QStringList s = Filme108;
    s.insert(9, QStringLiteral("Cat:Text (20)"));
    for (const char* d : dazu)
        s << QString::fromUtf8(d);
    return s;
}

const Stand Staende[] = {
    {"1.0.8",
     {"Filme", "Version", "Design"},
     {{"Filme", Filme108},
      {"Version", {"nr:Text (10)"}},
      {"Design",
       {"Bild:Text (50)", "Laden:Text (255)", "Label1:Text (50)", "Label2:Text (50)", "Label3:Text (50)",
        "Label4:Text (50)", "Label5:Text (50)", "TextFarbe:Long Integer"}}}},
    {"1.1.1",
     {"Filme", "Version", "Design"},
     {{"Filme", filme({})},
      {"Version", {"nr:Text (10)"}},
      {"Design",
       {"Bild:Text (50)", "Laden:Text (255)", "Label1:Text (50)", "Label2:Text (50)", "Label3:Text (50)",
        "Label4:Text (50)", "Label5:Text (50)", "Label6:Text (20)", "Label7:Text (20)", "TextFarbe:Text (20)",
        "TextFont:Text (20)", "TextBold:Text (20)", "TextSize:Text (20)"}}}},
    {"1.1.6", {"Filme", "Version"}, {{"Filme", filme({"Cover:Text (150)"})}, {"Version", {"nr:Text (10)"}}}},
    {"1.3.4",
     {"Filme", "Version", "Ausleihe"},
     {{"Filme", filme({"Cover:Text (150)", "Size:Text (10)"})},
      {"Version", {"nr:Text (10)"}},
      {"Ausleihe", {"Titel:Text (100)", "Wer:Text (20)", "AusDT:Text (20)", "EinDT:Text (20)"}}}},
    {"1.4.1",
     {"Filme", "Version", "Ausleihe", "Unterordner"},
     {{"Filme", filme({"Cover:Text (150)", "Size:Text (10)", "Unterordner:Text (2)"})},
      {"Version", {"nr:Text (10)"}},
      {"Ausleihe", {"Titel:Text (100)", "Wer:Text (20)", "AusDT:Text (20)", "EinDT:Text (20)"}},
      {"Unterordner",
       {"Titel:Text (100)", "Titel2:Text (100)", "Anzahl:Integer", "Format:Text (10)", "Qualität:Text (4)",
        "Info:Memo/Hyperlink (255)", "Dten:Text (8)", "Cat:Text (20)", "Cover:Text (150)", "Size:Text (10)",
        "Mappe:Text (50)", "Wer:Text (50)"}}}},
};

QStringList gelesen(const MdbSchema& schema)
{
    QStringList out;
    for (const auto& s : schema.spalten)
        out << s.name + QLatin1Char(':') + s.typ;
    return out;
}

class JetKatalogStand : public testing::TestWithParam<Stand> {};

TEST_P(JetKatalogStand, HatDieTabellenSpaltenSchluesselUndWerteSeinerVersion)
{
    JET_LESER_NOETIG();
    const Stand& stand = GetParam();
    const QString version = QString::fromUtf8(stand.version);
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("filme.mdb"));
    const KatalogInhalt inhalt = reicherInhalt();
    katalog(pfad, version, inhalt);

    EXPECT_EQ(mdbTabellen(pfad), stand.tabellen);
    for (const auto& [tabelle, spalten] : stand.spalten)
        EXPECT_EQ(gelesen(mdbSchema(pfad, tabelle)), spalten) << tabelle.toStdString();
    EXPECT_EQ(mdbSchema(pfad, QStringLiteral("Filme")).primaerschluessel, QStringList{"Titel"});
    if (stand.tabellen.contains(QStringLiteral("Unterordner"))) {
        EXPECT_EQ(mdbSchema(pfad, QStringLiteral("Unterordner")).primaerschluessel, QStringList{"Titel2"});
    }
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_TRUE(datei.readAll().contains(utf16le(QStringLiteral("PrimaryKey"))));

    const auto daten = katalogDaten(version, inhalt);
    jetpruefung::erwarteGelesen(pfad, daten);
    const JsLesung lesung = mitMdbReader(pfad);
    EXPECT_EQ(lesung.tabelle(QStringLiteral("Version"))->zeilen.at(0).at(0).toString(), version);
    EXPECT_EQ(lesung.tabelle(QStringLiteral("Filme"))->zeilen.size(), inhalt.filme.size());
}

INSTANTIATE_TEST_SUITE_P(Jet, JetKatalogStand, testing::ValuesIn(Staende), [](const testing::TestParamInfo<Stand>& i) {
    return "V" + QString::fromUtf8(i.param.version).remove(QLatin1Char('.')).toStdString();
});

TEST(JetKatalog, AngehobeneDateienHabenDieSpaeterenSpaltenAmEnde)
{
    JET_LESER_NOETIG();
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("alt.mdb"));
    KatalogInhalt inhalt = reicherInhalt();
    const KatalogArt art{.folge = Spaltenfolge::Angehoben, .herkunft = frame::schema::Herkunft::Tools};
    katalog(pfad, QStringLiteral("1.4.1"), inhalt, art);
    QStringList namen;
    for (const auto& s : mdbSchema(pfad, QStringLiteral("Filme")).spalten)
        namen << s.name;
    EXPECT_EQ(namen, QStringList({"Titel", "Anzahl", "Format", "Qualität", "Mappe", "Wer", "Info", "Dten", "Datum",
                                  "Ausdatum", "Cat", "Cover", "Size", "Unterordner"}));
    jetpruefung::erwarteGelesen(pfad, katalogDaten(QStringLiteral("1.4.1"), inhalt, art));
}

TEST(JetKatalog, SchreibtDieAbgeleitetenTabellenUndEineAndereVersionsangabe)
{
    JET_LESER_NOETIG();
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("statistik.mdb"));
    KatalogInhalt inhalt;
    inhalt.filme = {Film{.Titel = "Eins", .Format = "DVD"}, Film{.Titel = "Zwei", .Format = "DVD"}};
    inhalt.nr = Wert("2.0");
    for (const Tabelle& t : statistikTabellen())
        inhalt.weitere.push_back({t, {}});
    inhalt.weitere[0].zeilen = {{"DVD", 2}, {Wert(), 0}};
    inhalt.weitere[4].zeilen = {{4700.5}};
    katalog(pfad, QStringLiteral("1.4.1"), inhalt);
    QStringList namen = {"Filme", "Version", "Ausleihe", "Unterordner"};
    for (const Tabelle& t : statistikTabellen())
        namen << t.name;
    EXPECT_EQ(mdbTabellen(pfad), namen);
    jetpruefung::erwarteGelesen(pfad, katalogDaten(QStringLiteral("1.4.1"), inhalt));

    TempFolder ohne;
    KatalogInhalt leer;
    leer.ohneVersionszeile = true;
    katalog(ohne.file(QStringLiteral("ohne.mdb")), QStringLiteral("1.3"), leer);
    EXPECT_TRUE(mdbExport(ohne.file(QStringLiteral("ohne.mdb")), QStringLiteral("Version")).empty());
}

// The benchmark's file, smaller: rows come from functions and are not kept.
TEST(JetKatalog, SchreibtEinenGrossenKatalogZeileFuerZeile)
{
    JET_LESER_NOETIG();
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("gross.mdb"));
    constexpr int Titel = 20000;
    KatalogQuelle quelle;
    int f = 0, u = 0, a = 0;
    quelle.film = [&](Film& film) {
        if (f == Titel)
            return false;
        film.Titel = QStringLiteral("Titel %1 Müller").arg(f);
        film.Info = f % 500 == 0 ? Wert(memo(20000)) : Wert(QStringLiteral("Info %1").arg(f));
        film.Datum = QDate(2000, 1, 1).addDays(f % 3000);
        ++f;
        return true;
    };
    quelle.unterordner = [&](Unterordner& sub) {
        if (u == 2 * Titel)
            return false;
        sub.Titel = QStringLiteral("Titel %1 Müller").arg(u / 2);
        sub.Titel2 = QStringLiteral("Datei %1.avi").arg(u);
        ++u;
        return true;
    };
    quelle.ausleihe = [&](Ausleihe& aus) {
        if (a == Titel / 2)
            return false;
        aus.Titel = QStringLiteral("Titel %1 Müller").arg(a);
        aus.Wer = "Jürgen";
        aus.AusDT = "01.02.2003";
        aus.EinDT = a % 3 ? Wert("15.02.2003") : Wert();
        ++a;
        return true;
    };
    katalog(pfad, QStringLiteral("1.4.1"), quelle);

    const JsLesung lesung = mitMdbReader(pfad);
    const auto& filme = lesung.tabelle(QStringLiteral("Filme"))->zeilen;
    const auto& unter = lesung.tabelle(QStringLiteral("Unterordner"))->zeilen;
    const auto& aus = lesung.tabelle(QStringLiteral("Ausleihe"))->zeilen;
    ASSERT_EQ(filme.size(), size_t(Titel));
    ASSERT_EQ(unter.size(), size_t(2 * Titel));
    ASSERT_EQ(aus.size(), size_t(Titel / 2));
    EXPECT_EQ(filme[0][0].toString(), "Titel 0 Müller");
    EXPECT_EQ(filme[19999][0].toString(), "Titel 19999 Müller");
    EXPECT_EQ(filme[500][6].toString(), memo(20000));
    EXPECT_EQ(unter[39999][1].toString(), "Datei 39999.avi");
    EXPECT_TRUE(aus[9999][3].isNull() == (9999 % 3 == 0));
    EXPECT_EQ(mdbExport(pfad, QStringLiteral("Unterordner")).size(), size_t(2 * Titel));
}

}  // namespace
