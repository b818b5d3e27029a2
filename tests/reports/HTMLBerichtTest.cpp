#include "reports/HTMLBericht.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "reports/Zeilenquelle.h"
#include "tests/reports/Seitenleser.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <sqlite3.h>

using reports::dbTableToHTML;
using reports::HTMLZelle;
using reports::Tabellenquelle;
using testing_support::seiteLesen;
using testing_support::TempFolder;

namespace {

std::vector<QVariantList> nummerierteZeilen(int n)
{
    std::vector<QVariantList> zeilen;
    for (int i = 1; i <= n; ++i)
        zeilen.push_back({QStringLiteral("T%1").arg(i), i});
    return zeilen;
}

Tabellenquelle nummeriert(int n)
{
    return Tabellenquelle(QStringLiteral("Filme"), {QStringLiteral("Titel"), QStringLiteral("Anzahl")},
                          nummerierteZeilen(n));
}

QByteArray link(const TempFolder& folder, const char* datei)
{
    return "file://" + folder.file(QString::fromLatin1(datei)).toUtf8();
}

// The lines of a page from its foot on: what follows the table.
QList<QByteArray> fuss(const QByteArray& seite)
{
    return seite.mid(seite.indexOf("</TABLE>")).split('\n');
}

const QByteArray Kopf = "<HTML>\r\n<HEAD>\r\n"
                        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">\r\n"
                        "<TITLE>CD Liste</TITLE>\r\n"
                        "<Link REL=Stylesheet HREF=css.css TYPE=Text/css>\r\n</HEAD>\r\n<H1>Alle CDs</H1>\r\n";
const QByteArray Tabellenkopf = "<TABLE WIDTH=700 CELLPADDING=0 CELLSPACING=2 BORDER=0>\r\n<TR>\r\n"
                                "<TH align=left>Titel</TH>\r\n<TH align=left>Qualit\xE4t</TH>\r\n</TR>\r\n"
                                "<TD><br></TD><TD><br></TD><TD><br></TD>\r\n";
const QByteArray Ende = "<P>&nbsp;\r\n<P><Font size=1>Erstellt mit Rondavex</Font></P>\r\n</BODY>\r\n</HTML>\r\n";

TEST(HTMLBericht, ZweiSeitenByteGenau)
{
    TempFolder folder;
    Tabellenquelle quelle(QStringLiteral("Filme"), {QStringLiteral("Titel"), QStringLiteral("Qualität")},
                          {{QStringLiteral("a"), QStringLiteral("1")},
                           {QStringLiteral("b"), QVariant()},
                           {QStringLiteral(""), QStringLiteral("2")}});
    const auto ergebnis = dbTableToHTML(quelle, folder.file(QStringLiteral("CDs.HTML")), QStringLiteral("CD Liste"),
                                        QStringLiteral("Alle CDs"), 2);
    ASSERT_TRUE(ergebnis.geschrieben) << ergebnis.grund.toStdString();

    const QByteArray seite1 = Kopf + "<P><B>Seite 1 von 2</B></P>\r\n" + Tabellenkopf +
                              "<TR>  <TD>a</TD>\r\n  <TD>1</TD>\r\n</TR><TR>  <TD>b</TD>\r\n  <TD>&nbsp;</TD>\r\n"
                              "</TR></TABLE>\r\n<P><B>Anzahl Datens\xE4tze: 2</B></P>\r\n"
                              "<P><P><Font size=1><A HREF=\"" + link(folder, "CDs2.HTML") +
                              "\">Weiter</A></Font></P>\r\n" + Ende;
    const QByteArray seite2 = Kopf + "<P><B>Seite 2 von 2</B></P>\r\n" + Tabellenkopf +
                              "<TR>  <TD></TD>\r\n  <TD>2</TD>\r\n</TR></TABLE>\r\n"
                              "<P><B>Anzahl Datens\xE4tze: 3</B></P>\r\n"
                              "<P><P><Font size=1><A HREF=\"" + link(folder, "CDs.HTML") +
                              "\">Zur\xFC" "ck</A></Font>  |  </P>\r\n" + Ende;
    EXPECT_EQ(folder.read(QStringLiteral("CDs.HTML")), seite1);
    EXPECT_EQ(folder.read(QStringLiteral("CDs2.HTML")), seite2);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST(HTMLBericht, LeererBerichtByteGenau)
{
    TempFolder folder;
    Tabellenquelle quelle(QStringLiteral("Filme"), {QStringLiteral("Titel"), QStringLiteral("Qualität")}, {});
    ASSERT_TRUE(dbTableToHTML(quelle, folder.file(QStringLiteral("CDs.HTML")), QStringLiteral("CD Liste"),
                              QStringLiteral("Alle CDs"), 100)
                    .geschrieben);
    EXPECT_EQ(folder.read(QStringLiteral("CDs.HTML")),
              Kopf + Tabellenkopf + "</TABLE>\r\n<P><B>Anzahl Datens\xE4tze: 0</B></P>\r\n" + Ende);
}

// One page as its foot shows it.
struct Seite {
    const char* datei;
    const char* seitenzeile;  // "" when the page has none
    int anzahl;
    const char* navigation;  // "-": no paragraph; else "Z" back link, "W" next link, "" neither
};

struct Seitenfall {
    const char* name;
    int zeilen;
    int proSeite;
    int überspringen;
    std::vector<Seite> seiten;
};

class HTMLSeiten : public ::testing::TestWithParam<Seitenfall> {};

TEST_P(HTMLSeiten, KopfZählerUndNavigation)
{
    const Seitenfall& fall = GetParam();
    TempFolder folder;
    Tabellenquelle quelle = nummeriert(fall.zeilen);
    for (int i = 0; i < fall.überspringen; ++i)
        quelle.weiter();
    ASSERT_TRUE(dbTableToHTML(quelle, folder.file(QStringLiteral("CDs.HTML")), QStringLiteral("T"),
                              QStringLiteral("H"), fall.proSeite)
                    .geschrieben);
    ASSERT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), qsizetype(fall.seiten.size()));
    for (size_t s = 0; s < fall.seiten.size(); ++s) {
        const Seite& erwartet = fall.seiten[s];
        SCOPED_TRACE(erwartet.datei);
        const QByteArray seite = folder.read(QString::fromLatin1(erwartet.datei));
        ASSERT_FALSE(seite.isEmpty());
        const QByteArray seitenzeile = QByteArray("<P><B>") + erwartet.seitenzeile + "</B></P>\r\n";
        EXPECT_EQ(seite.contains(seitenzeile), *erwartet.seitenzeile != 0);
        EXPECT_EQ(seite.count("<P><B>Seite "), *erwartet.seitenzeile ? 1 : 0);
        const QList<QByteArray> zeilen = fuss(seite);
        EXPECT_EQ(zeilen[1], "<P><B>Anzahl Datens\xE4tze: " + QByteArray::number(erwartet.anzahl) + "</B></P>\r");
        const QString nav = QString::fromLatin1(erwartet.navigation);
        if (nav == QLatin1String("-")) {
            EXPECT_EQ(zeilen[2], "<P>&nbsp;\r");
            continue;
        }
        QByteArray navigation = "<P>";
        if (nav.contains(QLatin1Char('Z'))) {
            const QByteArray zurück = s == 1 ? "CDs.HTML" : "CDs" + QByteArray::number(qulonglong(s)) + ".HTML";
            navigation += "<P><Font size=1><A HREF=\"" + link(folder, zurück.constData()) +
                          "\">Zur\xFC" "ck</A></Font>  |  ";
        }
        if (nav.contains(QLatin1Char('W')))
            navigation += "<P><Font size=1><A HREF=\"" +
                          link(folder, ("CDs" + QByteArray::number(qulonglong(s + 2)) + ".HTML").constData()) +
                          "\">Weiter</A></Font>";
        EXPECT_EQ(zeilen[2], navigation + "</P>\r");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Seitengrenzen, HTMLSeiten,
    ::testing::Values(
        Seitenfall{"Leer", 0, 100, 0, {{"CDs.HTML", "", 0, "-"}}},
        Seitenfall{"EineZeile", 1, 100, 0, {{"CDs.HTML", "", 1, ""}}},
        Seitenfall{"VolleSeite", 100, 100, 0, {{"CDs.HTML", "", 100, ""}}},
        Seitenfall{"Hunderteins", 101, 100, 0,
                   {{"CDs.HTML", "Seite 1 von 2", 100, "W"}, {"CDs2.HTML", "Seite 2 von 2", 101, "Z"}}},
        Seitenfall{"DreiSeiten", 250, 100, 0,
                   {{"CDs.HTML", "Seite 1 von 3", 100, "W"},
                    {"CDs2.HTML", "Seite 2 von 3", 200, "ZW"},
                    {"CDs3.HTML", "Seite 3 von 3", 250, "Z"}}},
        Seitenfall{"OhneSeitenwechsel", 3, 0, 0, {{"CDs.HTML", "", 3, "-"}}},
        Seitenfall{"NegativeZeilenzahl", 250, -5, 0, {{"CDs.HTML", "", 250, "-"}}},
        Seitenfall{"SpaeterBeginn", 250, 100, 120,
                   {{"CDs.HTML", "Seite 1 von 3", 100, "W"}, {"CDs2.HTML", "Seite 2 von 3", 130, "Z"}}},
        Seitenfall{"SpaeterBeginnEineSeite", 250, 100, 150, {{"CDs.HTML", "Seite 1 von 3", 100, ""}}}),
    [](const ::testing::TestParamInfo<Seitenfall>& p) { return std::string(p.param.name); });

struct Zellfall {
    const char* name;
    QVariant wert;
    QByteArray bytes;
};

class HTMLZellen : public ::testing::TestWithParam<Zellfall> {};

TEST_P(HTMLZellen, Zellbytes)
{
    EXPECT_EQ(HTMLZelle(GetParam().wert), GetParam().bytes);
    // The same cell on a page, as a source's row hands it to the writer.
    testing_support::TempFolder ordner;
    Tabellenquelle quelle(QStringLiteral("Filme"), {QStringLiteral("Wert")}, {{GetParam().wert}});
    ASSERT_TRUE(dbTableToHTML(quelle, ordner.file(QStringLiteral("t.HTML")), QStringLiteral("T"), QStringLiteral("T"), 10)
                    .geschrieben);
    EXPECT_TRUE(ordner.read(QStringLiteral("t.HTML")).contains("<TR>  <TD>" + GetParam().bytes + "</TD>\r\n</TR>"));
}

INSTANTIATE_TEST_SUITE_P(
    Kodierung, HTMLZellen,
    ::testing::Values(
        Zellfall{"Null", QVariant(), "&nbsp;"}, Zellfall{"Leer", QStringLiteral(""), ""},
        Zellfall{"Umlaute", QStringLiteral("ÄäÖöÜüß"), "&Auml;&auml;&Ouml;&ouml;&Uuml;&uuml;&szlig;"},
        Zellfall{"Markup", QStringLiteral("<b>\"x\"</b>"), "&lt;b&gt;&quot;x&quot;&lt;/b&gt;"},
        Zellfall{"Ampersand", QStringLiteral("Tom & Jerry"), "Tom &amp; Jerry"},
        Zellfall{"EntityBleibtText", QStringLiteral("&auml;"), "&amp;auml;"},
        Zellfall{"ApostrophUndZeichen", QStringLiteral("O'Brien; *?#[Neu]"), "O'Brien; *?#[Neu]"},
        Zellfall{"AndereAkzente", QStringLiteral("Café Señor"), "Caf\xE9 Se\xF1or"},
        Zellfall{"EuroUndAnfuehrung", QStringLiteral("5 € „gut“"), "5 \x80 \x84gut\x93"},
        Zellfall{"Polnisch", QStringLiteral("Łódź"), "&#321;\xF3" "d&#378;"},
        Zellfall{"Kyrillisch", QStringLiteral("Мир"), "&#1052;&#1080;&#1088;"},
        Zellfall{"AusserhalbBMP", QString::fromUtf8("\xF0\x9F\x8E\xAC"), "&#127916;"},
        Zellfall{"Steuerzeichen", QStringLiteral("a") + QChar(0x81) + QStringLiteral("b\a"), "a b "},
        Zellfall{"Zeilenumbruch", QStringLiteral("Zeile1\r\nZeile2\nZeile3\tEnde"), "Zeile1 Zeile2 Zeile3 Ende"},
        Zellfall{"UnicodeUmbruch", QStringLiteral("a\u2028b"), "a b"},
        Zellfall{"EinzelnesSurrogat", QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b"), "a?b"},
        Zellfall{"Zahl", QVariant(2.5), "2,5"}, Zellfall{"GanzeZahl", QVariant(qlonglong(4700)), "4700"},
        Zellfall{"Datum", QVariant(QDate(2024, 3, 5)), "05.03.2024"}),
    [](const ::testing::TestParamInfo<Zellfall>& p) { return std::string(p.param.name); });

TEST(HTMLBericht, TitelUeberschriftUndFeldnamenEscaped)
{
    TempFolder folder;
    Tabellenquelle quelle(QStringLiteral("Filme"), {QStringLiteral("A&B"), QStringLiteral("Qualität <x>")}, {});
    ASSERT_TRUE(dbTableToHTML(quelle, folder.file(QStringLiteral("CDs.HTML")), QStringLiteral("CDs \"<&>\""),
                              QStringLiteral("CDs ausgeliehen an Mü & Łu"), 100)
                    .geschrieben);
    const QByteArray seite = folder.read(QStringLiteral("CDs.HTML"));
    EXPECT_TRUE(seite.contains("<TITLE>CDs &quot;&lt;&amp;&gt;&quot;</TITLE>\r\n"));
    EXPECT_TRUE(seite.contains("<H1>CDs ausgeliehen an M\xFC &amp; &#321;u</H1>\r\n"));
    EXPECT_TRUE(seite.contains("<TH align=left>A&amp;B</TH>\r\n<TH align=left>Qualit\xE4t &lt;x&gt;</TH>\r\n"));
}

TEST(HTMLBericht, LeererTitelNimmtDenNamenDerQuelle)
{
    TempFolder folder;
    Tabellenquelle quelle = nummeriert(1);
    ASSERT_TRUE(dbTableToHTML(quelle, folder.file(QStringLiteral("CDs.HTML")), {}, {}, 100).geschrieben);
    const QByteArray seite = folder.read(QStringLiteral("CDs.HTML"));
    EXPECT_TRUE(seite.contains("<TITLE>Filme</TITLE>"));
    EXPECT_TRUE(seite.contains("<H1>Filme</H1>"));
}

TEST(HTMLBericht, LinkzielKodiertNurWasDieAdresseAendert)
{
    EXPECT_EQ(reports::HTMLLinkziel(QStringLiteral("/daten/Mein Ordner #1 100% ?\"ä\"/CDs2.HTML")),
              "file:///daten/Mein Ordner %231 100%25 %3F%22\xE4%22/CDs2.HTML");
    EXPECT_EQ(reports::HTMLLinkziel(QStringLiteral("/a&b/Łód/x.HTML")), "file:///a&amp;b/&#321;\xF3" "d/x.HTML");
}

TEST(HTMLBericht, NameOhnePunktUndOrdnerMitPunkt)
{
    TempFolder folder;
    QDir(folder.path()).mkdir(QStringLiteral("a.b"));
    Tabellenquelle quelle = nummeriert(3);
    ASSERT_TRUE(dbTableToHTML(quelle, folder.file(QStringLiteral("a.b/Bericht")), {}, {}, 2).geschrieben);
    EXPECT_EQ(QDir(folder.file(QStringLiteral("a.b"))).entryList(QDir::Files),
              (QStringList{QStringLiteral("Bericht"), QStringLiteral("Bericht2")}));
}

TEST(HTMLBericht, SeitenEinesLaengerenBerichtsBleiben)
{
    TempFolder folder;
    const QString datei = folder.file(QStringLiteral("CDs.HTML"));
    Tabellenquelle lang = nummeriert(5);
    ASSERT_TRUE(dbTableToHTML(lang, datei, QStringLiteral("lang"), {}, 1).geschrieben);
    const QByteArray alteDritte = folder.read(QStringLiteral("CDs3.HTML"));
    Tabellenquelle kurz = nummeriert(2);
    ASSERT_TRUE(dbTableToHTML(kurz, datei, QStringLiteral("kurz"), {}, 1).geschrieben);
    EXPECT_TRUE(folder.read(QStringLiteral("CDs2.HTML")).contains("<TITLE>kurz</TITLE>"));
    EXPECT_EQ(folder.read(QStringLiteral("CDs3.HTML")), alteDritte);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 5);
}

// A source that fails after a number of rows, as a query that breaks while read.
class BrechendeQuelle : public Tabellenquelle {
public:
    BrechendeQuelle(int n, int bruch) : Tabellenquelle(nummeriert(n)), m_bruch(bruch) {}
    void weiter() override
    {
        if (++m_gelesen >= m_bruch)
            throw db::DbError(SQLITE_IOERR, QStringLiteral("disk I/O error"));
        Tabellenquelle::weiter();
    }

private:
    int m_bruch;
    int m_gelesen = 0;
};

TEST(HTMLBericht, QuelleBrichtAbAlteSeiteBleibtGanz)
{
    TempFolder folder;
    const QString datei = folder.file(QStringLiteral("CDs.HTML"));
    Tabellenquelle alt = nummeriert(300);
    ASSERT_TRUE(dbTableToHTML(alt, datei, QStringLiteral("alt"), {}, 100).geschrieben);
    const QByteArray alteZweite = folder.read(QStringLiteral("CDs2.HTML"));

    BrechendeQuelle quelle(300, 150);
    const auto ergebnis = dbTableToHTML(quelle, datei, QStringLiteral("neu"), {}, 100);
    EXPECT_FALSE(ergebnis.geschrieben);
    EXPECT_EQ(ergebnis.datei, folder.file(QStringLiteral("CDs2.HTML")));
    EXPECT_EQ(ergebnis.grund, QStringLiteral("disk I/O error"));
    EXPECT_TRUE(folder.read(QStringLiteral("CDs.HTML")).contains("<TITLE>neu</TITLE>"));
    EXPECT_EQ(folder.read(QStringLiteral("CDs2.HTML")), alteZweite);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST(HTMLBericht, OrdnerFehltMeldetDieErsteSeite)
{
    TempFolder folder;
    Tabellenquelle quelle = nummeriert(3);
    const auto ergebnis = dbTableToHTML(quelle, folder.file(QStringLiteral("fehlt/CDs.HTML")), {}, {}, 100);
    EXPECT_FALSE(ergebnis.geschrieben);
    EXPECT_EQ(ergebnis.datei, folder.file(QStringLiteral("fehlt/CDs.HTML")));
}

TEST(HTMLBericht, VollePlatteLaesstDieAlteSeiteGanz)
{
    TempFolder folder;
    const QString ordner = folder.file(QStringLiteral("voll"));
    QDir(folder.path()).mkdir(QStringLiteral("voll"));
    testing_support::MountedTmpfs platte(ordner, "size=64k");
    if (!platte.ok())
        GTEST_SKIP() << "no tmpfs";
    const QString datei = ordner + QStringLiteral("/CDs.HTML");
    Tabellenquelle klein = nummeriert(3);
    ASSERT_TRUE(dbTableToHTML(klein, datei, QStringLiteral("alt"), {}, 0).geschrieben);
    const QByteArray alt = folder.read(QStringLiteral("voll/CDs.HTML"));

    Tabellenquelle gross = nummeriert(5000);
    const auto ergebnis = dbTableToHTML(gross, datei, QStringLiteral("neu"), {}, 0);
    EXPECT_FALSE(ergebnis.geschrieben);
    EXPECT_EQ(ergebnis.datei, datei);
    EXPECT_EQ(folder.read(QStringLiteral("voll/CDs.HTML")), alt);
    EXPECT_EQ(QDir(ordner).entryList(QDir::Files | QDir::Hidden).size(), 1);
}


TEST(HTMLBericht, BrowserParserLiestWerteZurueck)
{
    TempFolder folder;
    const QStringList werte = {QStringLiteral("Tom & Jerry <3>"), QStringLiteral("\"Zitat\" O'Brien"),
                               QStringLiteral("Ärger im Büro ß"), QStringLiteral("Łódź Мир 5 €"),
                               QStringLiteral("&auml; [Neu] #1 *?"), QString::fromUtf8("Film \xF0\x9F\x8E\xAC")};
    std::vector<QVariantList> zeilen;
    for (const QString& w : werte)
        zeilen.push_back({w, QVariant(), 2.5});
    Tabellenquelle quelle(QStringLiteral("Filme"),
                          {QStringLiteral("Titel"), QStringLiteral("Qualität"), QStringLiteral("A&B")}, zeilen);
    ASSERT_TRUE(dbTableToHTML(quelle, folder.file(QStringLiteral("Mein #1 Ordner?.HTML")),
                              QStringLiteral("Titel <&> Ł"), QStringLiteral("CDs an \"Mü\""), 4)
                    .geschrieben);

    const QJsonObject seite1 = seiteLesen(folder.file(QStringLiteral("Mein #1 Ordner?.HTML")));
    EXPECT_EQ(seite1[QStringLiteral("kodierung")].toString(), QStringLiteral("windows-1252"));
    EXPECT_EQ(seite1[QStringLiteral("titel")].toString(), QStringLiteral("Titel <&> Ł"));
    EXPECT_EQ(seite1[QStringLiteral("ueberschrift")].toString(), QStringLiteral("CDs an \"Mü\""));
    EXPECT_EQ(seite1[QStringLiteral("kopf")].toArray().toVariantList(),
              (QVariantList{QStringLiteral("Titel"), QStringLiteral("Qualität"), QStringLiteral("A&B")}));
    const QJsonObject seite2 = seiteLesen(folder.file(QStringLiteral("Mein #1 Ordner?2.HTML")));
    QJsonArray zellen = seite1[QStringLiteral("zeilen")].toArray();
    for (const QJsonValue& z : seite2[QStringLiteral("zeilen")].toArray())
        zellen.append(z);
    ASSERT_EQ(zellen.size(), werte.size());
    for (qsizetype i = 0; i < werte.size(); ++i)
        EXPECT_EQ(zellen[i].toArray().toVariantList(),
                  (QVariantList{werte[i], QString(QChar(0xA0)), QStringLiteral("2,5")}));
    EXPECT_EQ(seite1[QStringLiteral("links")].toArray().toVariantList(),
              QVariantList{QString(QStringLiteral("file://") + folder.path() + QStringLiteral("/Mein %231 Ordner%3F2.HTML"))});
    EXPECT_EQ(seite2[QStringLiteral("links")].toArray().toVariantList(),
              QVariantList{QString(QStringLiteral("file://") + folder.path() + QStringLiteral("/Mein %231 Ordner%3F.HTML"))});
    EXPECT_EQ(seite2[QStringLiteral("fett")].toArray().toVariantList(),
              (QVariantList{QStringLiteral("Seite 2 von 2"), QStringLiteral("Anzahl Datensätze: 6")}));
}

TEST(HTMLBericht, AbfragequelleMitDatumNullUndSpaeteremBeginn)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file(QStringLiteral("filme.mdb")));
    frame::schema::anlegen(*d, frame::schema::AktuelleVersion);
    const QString insert = QStringLiteral("INSERT INTO Filme (Titel, Anzahl, Datum, Format) VALUES (?, ?, ?, ?)");
    d->execute(insert, {"Ärger", 2.5, "2024-03-05", "DVD"});
    d->execute(insert, {"Büro", 1, QVariant(), "dvd"});
    d->execute(insert, {"Zorro", 3, "2023-01-31", "VCD"});
    reports::Abfragequelle quelle(*d,
                                  QStringLiteral("SELECT Titel, Anzahl, Datum AS EinDt FROM Filme WHERE Format = ?1 "
                                                 "ORDER BY Titel COLLATE DEUTSCH;"),
                                  {QStringLiteral("DVD")});
    EXPECT_EQ(quelle.anzahl(), 2);
    EXPECT_EQ(quelle.felder(), (QStringList{"Titel", "Anzahl", "EinDt"}));
    EXPECT_TRUE(quelle.name().startsWith(QStringLiteral("SELECT Titel")));
    ASSERT_TRUE(dbTableToHTML(quelle, folder.file(QStringLiteral("CDs.HTML")), QStringLiteral("T"), {}, 1).geschrieben);
    EXPECT_TRUE(folder.read(QStringLiteral("CDs.HTML")).contains("<TR>  <TD>&Auml;rger</TD>\r\n  <TD>2,5</TD>\r\n  "
                                                                  "<TD>05.03.2024</TD>\r\n</TR>"));
    EXPECT_TRUE(folder.read(QStringLiteral("CDs2.HTML")).contains("<TR>  <TD>B&uuml;ro</TD>\r\n  <TD>1</TD>\r\n  "
                                                                   "<TD>&nbsp;</TD>\r\n</TR>"));

    reports::Abfragequelle später(*d, QStringLiteral("SELECT Titel FROM Filme ORDER BY Titel COLLATE DEUTSCH"));
    später.weiter();
    ASSERT_TRUE(dbTableToHTML(später, folder.file(QStringLiteral("Rest.HTML")), QStringLiteral("T"), {}, 100)
                    .geschrieben);
    const QByteArray rest = folder.read(QStringLiteral("Rest.HTML"));
    EXPECT_FALSE(rest.contains("&Auml;rger"));
    EXPECT_TRUE(rest.contains("<P><B>Anzahl Datens\xE4tze: 2</B></P>"));
}

TEST(HTMLBericht, AbfragetexteGehenAlsBytesDurchDenKodierer)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file(QStringLiteral("filme.mdb")));
    d->execute(QStringLiteral("CREATE TABLE t (n INTEGER, x TEXT)"));
    // What another program may have stored: an emoji, a Cyrillic word, a
    // broken sequence and a lone continuation byte.
    d->execute(QStringLiteral("INSERT INTO t VALUES (1, ?), (2, CAST(X'41C3FF42' AS TEXT)), (3, CAST(X'80' AS TEXT))"),
               {QString::fromUtf8("Ä&<\xF0\x9F\x8E\xAC Мир €")});
    reports::Abfragequelle quelle(*d, QStringLiteral("SELECT x FROM t ORDER BY n"));
    ASSERT_TRUE(dbTableToHTML(quelle, folder.file(QStringLiteral("t.HTML")), QStringLiteral("T"), {}, 0).geschrieben);
    const QByteArray seite = folder.read(QStringLiteral("t.HTML"));
    EXPECT_TRUE(seite.contains("<TD>&Auml;&amp;&lt;&#127916; &#1052;&#1080;&#1088; \x80</TD>"));
    EXPECT_TRUE(seite.contains("<TD>A&#65533;&#65533;B</TD>"));
    EXPECT_TRUE(seite.contains("<TD>&#65533;</TD>"));
}

struct Bytefall {
    const char* name;
    QByteArray gespeichert;  // the bytes of a text as the file holds them
    QByteArray zelle;
};

void PrintTo(const Bytefall& fall, std::ostream* os)
{
    *os << fall.name;
}

class AbfragebytesUTF8 : public ::testing::TestWithParam<Bytefall> {};

// Only the shortest encoding of a character is that character: an overlong
// form ("<" in two, three or four bytes), an encoded surrogate half or a code
// beyond Unicode is one replacement character per byte, so that no markup
// slips past the encoder. The shortest forms at each edge stay characters.
TEST_P(AbfragebytesUTF8, JedesFalscheByteWirdEinErsatzzeichen)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file(QStringLiteral("filme.mdb")));
    d->execute(QStringLiteral("CREATE TABLE t (x TEXT)"));
    d->execute(QStringLiteral("INSERT INTO t VALUES (CAST(? AS TEXT))"), {QByteArray("A" + GetParam().gespeichert + "B")});
    reports::Abfragequelle quelle(*d, QStringLiteral("SELECT x FROM t"));
    ASSERT_TRUE(dbTableToHTML(quelle, folder.file(QStringLiteral("t.HTML")), QStringLiteral("T"), {}, 0).geschrieben);
    const QByteArray seite = folder.read(QStringLiteral("t.HTML"));
    EXPECT_TRUE(seite.contains("<TD>A" + GetParam().zelle + "B</TD>")) << seite.toStdString();
}

const QByteArray Ersatz = "&#65533;";

INSTANTIATE_TEST_SUITE_P(
    Kodierung, AbfragebytesUTF8,
    ::testing::Values(
        Bytefall{"UeberlangZweiByte", "\xC0\xBC", Ersatz.repeated(2)},
        Bytefall{"UeberlangZweiByteC1", "\xC1\xBF", Ersatz.repeated(2)},
        Bytefall{"UeberlangDreiByte", "\xE0\x80\xBC", Ersatz.repeated(3)},
        Bytefall{"UeberlangDreiByteOben", "\xE0\x9F\xBF", Ersatz.repeated(3)},
        Bytefall{"UeberlangVierByte", "\xF0\x80\x80\xBC", Ersatz.repeated(4)},
        Bytefall{"UeberlangVierByteOben", "\xF0\x8F\xBF\xBF", Ersatz.repeated(4)},
        Bytefall{"SurrogatHoch", "\xED\xA0\x80", Ersatz.repeated(3)},
        Bytefall{"SurrogatTief", "\xED\xBF\xBF", Ersatz.repeated(3)},
        Bytefall{"SurrogatpaarEinzelnKodiert", "\xED\xA0\xBC\xED\xBE\xAC", Ersatz.repeated(6)},
        Bytefall{"JenseitsVonUnicode", "\xF4\x90\x80\x80", Ersatz.repeated(4)},
        // U+0080 is a control character: one character, shown as a blank.
        Bytefall{"KleinsteZweiByteform", "\xC2\x80", " "},
        Bytefall{"KleinsteDreiByteform", "\xE0\xA0\x80", "&#2048;"},
        Bytefall{"VorDenSurrogaten", "\xED\x9F\xBF", "&#55295;"},
        Bytefall{"NachDenSurrogaten", "\xEE\x80\x80", "&#57344;"},
        Bytefall{"KleinsteVierByteform", "\xF0\x90\x80\x80", "&#65536;"},
        Bytefall{"LetztesZeichen", "\xF4\x8F\xBF\xBF", "&#1114111;"}),
    [](const ::testing::TestParamInfo<Bytefall>& p) { return std::string(p.param.name); });

struct Zählfall {
    const char* name;
    const char* sql;
    long long anzahl;
};

class Abfrageanzahl : public ::testing::TestWithParam<Zählfall> {};

TEST_P(Abfrageanzahl, ZaehltWasDieAbfrageLiefert)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file(QStringLiteral("filme.mdb")));
    frame::schema::anlegen(*d, frame::schema::AktuelleVersion);
    for (const char* t : {"Ärger", "ORDER BY x", "Zorro", "abc"})
        d->execute(QStringLiteral("INSERT INTO Filme (Titel, Mappe) VALUES (?, 'M1')"), {QString::fromUtf8(t)});
    reports::Abfragequelle quelle(*d, QString::fromUtf8(GetParam().sql));
    EXPECT_EQ(quelle.anzahl(), GetParam().anzahl);
    long long gelesen = 0;
    for (; !quelle.amEnde(); quelle.weiter())
        ++gelesen;
    EXPECT_EQ(gelesen, GetParam().anzahl);
}

INSTANTIATE_TEST_SUITE_P(
    Sortierung, Abfrageanzahl,
    ::testing::Values(
        Zählfall{"SchlussordnungMitSemikolon", "SELECT Titel FROM Filme ORDER BY Titel COLLATE DEUTSCH;", 4},
        Zählfall{"OrderImText", "SELECT Titel FROM Filme WHERE Titel <> 'ORDER BY x' order by Titel", 3},
        Zählfall{"MitLimit", "SELECT Titel FROM Filme ORDER BY Titel LIMIT 2", 2},
        Zählfall{"OrderInUnterabfrage", "SELECT * FROM (SELECT Titel FROM Filme ORDER BY Titel LIMIT 1)", 1},
        Zählfall{"Gruppiert", "SELECT Mappe, count(*) AS Anzahl FROM Filme GROUP BY Mappe ORDER BY Anzahl DESC", 1},
        Zählfall{"SpalteInKlammern", "SELECT Titel AS [Order] FROM Filme WHERE Titel LIKE 'Z*'", 1}),
    [](const ::testing::TestParamInfo<Zählfall>& p) { return std::string(p.param.name); });

}  // namespace
