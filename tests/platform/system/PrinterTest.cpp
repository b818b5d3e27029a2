#include "platform/system/QtPrinter.h"
#include "platform/system/Spaltenregel.h"

#include "tests/support/Doubles.h"
#include "tests/support/Programmausgabe.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFontMetricsF>
#include <QMap>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>

using testing_support::FakePrinter;
using testing_support::programmausgabe;
using testing_support::TempFolder;

namespace {

using Zeile = FakePrinter::Zeile;

struct Gedruckt {
    int spalte;  // 0: end of line
    QString text;
};

struct Spaltenfall {
    const char* name;
    double proZeichen;  // columns a character takes
    std::vector<Gedruckt> eingabe;
    std::vector<Zeile> zeilen;
};

class SpaltenregelTest : public ::testing::TestWithParam<Spaltenfall> {};

TEST_P(SpaltenregelTest, GedruckteZeilen)
{
    FakePrinter drucker;
    const double proZeichen = GetParam().proZeichen;
    drucker.breite = [proZeichen](const QString& text) { return proZeichen * double(text.size()); };
    for (const Gedruckt& g : GetParam().eingabe)
        ASSERT_TRUE(g.spalte ? drucker.print(g.spalte, g.text, QTextOption()) : drucker.newLine());
    EXPECT_TRUE(drucker.endDoc());
    ASSERT_EQ(drucker.dokumente.size(), 1u);
    EXPECT_EQ(drucker.dokumente[0], GetParam().zeilen);
}

QString zeichen(int n)
{
    return QString(n, QLatin1Char('x'));
}

INSTANTIATE_TEST_SUITE_P(
    Spalten, SpaltenregelTest,
    ::testing::Values(
        Spaltenfall{"ProportionalEineZeile", 0.5,
                    {{1, "Titel"}, {55, "Krimi             "}, {71, "DVD           "}, {85, "2   "}, {0, {}}},
                    {{{1, "Titel"}, {55, "Krimi             "}, {71, "DVD           "}, {85, "2   "}}}},
        Spaltenfall{"LangerTitelBrichtUm", 0.5,
                    {{1, zeichen(120)}, {55, "Krimi"}, {71, "DVD"}, {0, {}}, {1, "Nächster"}, {0, {}}},
                    {{{1, zeichen(120)}}, {{55, "Krimi"}, {71, "DVD"}}, {{1, "Nächster"}}}},
        Spaltenfall{"GenauAnDerSpalteNichtVorbei", 0.5, {{1, zeichen(108)}, {55, "Krimi"}},
                    {{{1, zeichen(108)}, {55, "Krimi"}}}},
        Spaltenfall{"EinHalbesZeichenVorbei", 0.5, {{1, zeichen(109)}, {55, "Krimi"}},
                    {{{1, zeichen(109)}}, {{55, "Krimi"}}}},
        Spaltenfall{"MonospacedBrichtJedesMal", 1.0, {{1, "ab"}, {2, "cd"}, {3, "e"}, {5, "f"}},
                    {{{1, "ab"}}, {{2, "cd"}}, {{3, "e"}, {5, "f"}}}},
        Spaltenfall{"LeereZeile", 0.5, {{1, "Kopf"}, {0, {}}, {0, {}}, {1, "Zeile"}, {0, {}}},
                    {{{1, "Kopf"}}, {}, {{1, "Zeile"}}}},
        Spaltenfall{"SpalteVorDerErsten", 1.0, {{0, {}}, {-3, "a"}, {1, "b"}}, {{}, {{-3, "a"}}, {{1, "b"}}}}),
    [](const ::testing::TestParamInfo<Spaltenfall>& p) { return std::string(p.param.name); });

TEST(Spaltenregel, Tabstopps)
{
    const QList<double> stopps = {80, 130};
    EXPECT_DOUBLE_EQ(sys::naechsterTabstopp(0, stopps, 32), 80);
    EXPECT_DOUBLE_EQ(sys::naechsterTabstopp(80, stopps, 32), 130);  // a stop at the position is no stop
    EXPECT_DOUBLE_EQ(sys::naechsterTabstopp(131, stopps, 32), 160);
    EXPECT_DOUBLE_EQ(sys::naechsterTabstopp(0, {}, 32), 32);
    EXPECT_DOUBLE_EQ(sys::naechsterTabstopp(64, {}, 32), 96);
}

TEST(Spaltenregel, PositionUndZeilenende)
{
    sys::Spaltenregel regel([](const QString& t) { return 0.5 * double(t.size()); });
    EXPECT_FALSE(regel.setzen(10, QStringLiteral("abcd")).neueZeile);
    EXPECT_DOUBLE_EQ(regel.position(), 11.0);
    const auto platz = regel.setzen(5, QStringLiteral("x"));
    EXPECT_TRUE(platz.neueZeile);
    EXPECT_DOUBLE_EQ(platz.x, 4.0);
    regel.zeilenende();
    EXPECT_DOUBLE_EQ(regel.position(), 0.0);
}


int pdfSeiten(const QString& pdf)
{
    const auto treffer =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(programmausgabe(QStringLiteral("pdfinfo"), {pdf}));
    return treffer.hasMatch() ? treffer.captured(1).toInt() : -1;
}

// The real printer pointed at a PDF file, read back with poppler's tools.
class PdfDruck : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(QStringLiteral("/usr/bin/pdftotext")))
            GTEST_SKIP() << "poppler-utils missing";
        drucker.pdfAusgabe(pdf);
    }
    TempFolder folder;
    const QString pdf = folder.file(QStringLiteral("liste.pdf"));
    sys::QtPrinter drucker;
};

TEST_F(PdfDruck, ListeInReihenfolgeUndSeitenzahl)
{
    const int titel = 300;
    ASSERT_TRUE(drucker.print(1, QStringLiteral("Titel")));
    ASSERT_TRUE(drucker.print(55, QStringLiteral("Kategorie")));
    ASSERT_TRUE(drucker.print(71, QStringLiteral("Format")));
    ASSERT_TRUE(drucker.print(110, QStringLiteral("Wer")));
    ASSERT_TRUE(drucker.newLine());
    ASSERT_TRUE(drucker.newLine());
    for (int i = 1; i <= titel; ++i) {
        ASSERT_TRUE(drucker.print(1, QStringLiteral("Ärger im Büro %1").arg(i, 3, 10, QLatin1Char('0'))));
        ASSERT_TRUE(drucker.print(55, QStringLiteral("Komödie           ")));
        ASSERT_TRUE(drucker.print(71, QStringLiteral("DVD           ")));
        ASSERT_TRUE(drucker.print(110, QStringLiteral("O'Brien        ")));
        ASSERT_TRUE(drucker.newLine());
    }
    const int zeilenProSeite = drucker.zeilenProSeite();
    ASSERT_TRUE(drucker.endDoc());

    const int seiten = (titel + 2 + zeilenProSeite - 1) / zeilenProSeite;
    EXPECT_GT(seiten, 1);
    EXPECT_EQ(drucker.seiten(), seiten);
    EXPECT_EQ(pdfSeiten(pdf), seiten);

    const QString text =
        programmausgabe(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QStringList zeilen;
    for (const QString& z : text.split(QLatin1Char('\n')))
        if (!z.trimmed().isEmpty())
            zeilen << z.trimmed().simplified().remove(QLatin1Char('\f'));
    ASSERT_EQ(zeilen.size(), titel + 1);
    EXPECT_EQ(zeilen[0], QStringLiteral("Titel Kategorie Format Wer"));
    for (int i = 1; i <= titel; ++i)
        EXPECT_EQ(zeilen[i], QStringLiteral("Ärger im Büro %1 Komödie DVD O'Brien").arg(i, 3, 10, QLatin1Char('0')));
    EXPECT_EQ(text.count(QLatin1Char('\f')), seiten);
}

// The left edge of each word on the first page, in points, as pdftotext places it.
QMap<QString, double> wortAnfänge(const QString& pdf)
{
    const QString html =
        programmausgabe(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QMap<QString, double> anfänge;
    static const QRegularExpression wort(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>([^<]+)</word>"));
    for (auto it = wort.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        anfänge.insert(m.captured(2), m.captured(1).toDouble());
    }
    return anfänge;
}

TEST_F(PdfDruck, SpalteIstDieBreiteVonXUndTabsFolgenDemLayout)
{
    ASSERT_TRUE(drucker.print(1, QStringLiteral("Anfang")));
    ASSERT_TRUE(drucker.print(31, QStringLiteral("Dreissig")));
    ASSERT_TRUE(drucker.newLine());
    ASSERT_TRUE(drucker.print(1, QStringLiteral("ab") + QString(28, QLatin1Char('x'))));
    ASSERT_TRUE(drucker.print(31, QStringLiteral("Gleich")));
    ASSERT_TRUE(drucker.newLine());
    QTextOption layout;
    layout.setTabArray({QFontMetricsF(drucker.font()).horizontalAdvance(QLatin1Char('x')) * 30});
    ASSERT_TRUE(drucker.print(1, QStringLiteral("Tab\tGetabt"), layout));
    ASSERT_TRUE(drucker.endDoc());

    const QMap<QString, double> x = wortAnfänge(pdf);
    ASSERT_TRUE(x.contains(QStringLiteral("Dreissig")) && x.contains(QStringLiteral("Getabt"))) << x.size();
    const double rand = x.value(QStringLiteral("Anfang"));
    EXPECT_NEAR(rand, 10 * 72 / 25.4, 0.5);  // the 10 mm margin
    // "ab" and 28 "x" reach past column 31 ("a" and "b" are wider than "x"):
    // its item goes to the next line, where it stands at column 31 as well.
    EXPECT_NEAR(x.value(QStringLiteral("Gleich")), x.value(QStringLiteral("Dreissig")), 0.5);
    EXPECT_NEAR(x.value(QStringLiteral("Getabt")), x.value(QStringLiteral("Dreissig")), 0.5);
    const double spalte = (x.value(QStringLiteral("Dreissig")) - rand) / 30;
    EXPECT_NEAR(spalte, QFontMetricsF(QFont(drucker.font())).horizontalAdvance(QLatin1Char('x')) * 72 / 1200, 0.05);
}

TEST(QtPrinter, OhneDruckKeineSeite)
{
    TempFolder folder;
    const QString pdf = folder.file(QStringLiteral("leer.pdf"));
    sys::QtPrinter drucker;
    drucker.pdfAusgabe(pdf);
    EXPECT_TRUE(drucker.endDoc());
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST(QtPrinter, AuftragDerNichtBeginntScheitertUndDerNaechsteGelingt)
{
    TempFolder folder;
    sys::QtPrinter drucker;
    drucker.pdfAusgabe(folder.file(QStringLiteral("fehlt/liste.pdf")));
    EXPECT_FALSE(drucker.print(1, QStringLiteral("a")));
    EXPECT_FALSE(drucker.newLine());
    EXPECT_FALSE(drucker.endDoc());

    const QString pdf = folder.file(QStringLiteral("liste.pdf"));
    drucker.pdfAusgabe(pdf);
    EXPECT_TRUE(drucker.print(1, QStringLiteral("a")));
    EXPECT_TRUE(drucker.endDoc());
    EXPECT_TRUE(QFileInfo::exists(pdf));
}

TEST(QtPrinter, OhneDruckerBeginntKeinAuftrag)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    TempFolder folder;
    sys::QtPrinter drucker;
    EXPECT_FALSE(drucker.eingerichtet());
    EXPECT_FALSE(drucker.print(1, QStringLiteral("a")));
    EXPECT_FALSE(drucker.endDoc());
    EXPECT_FALSE(drucker.eingerichtet()) << "a failed job sets nothing up";

    drucker.pdfAusgabe(folder.file(QStringLiteral("liste.pdf")));
    EXPECT_TRUE(drucker.eingerichtet()) << "a PDF file is somewhere to go";
}

TEST(FakePrinter, OhneDruckerBisZurWahlImDialog)
{
    FakePrinter drucker;
    drucker.keinDrucker = true;
    EXPECT_FALSE(drucker.eingerichtet());
    EXPECT_FALSE(drucker.print(1, QStringLiteral("a"), QTextOption()));
    EXPECT_FALSE(drucker.endDoc());
    drucker.setups = {sys::Printer::Einrichtung::Abgebrochen, sys::Printer::Einrichtung::Gewaehlt};
    drucker.setup();
    EXPECT_FALSE(drucker.eingerichtet()) << "a cancel sets nothing up";
    drucker.setup();
    EXPECT_TRUE(drucker.eingerichtet());
    EXPECT_TRUE(drucker.print(1, QStringLiteral("a"), QTextOption()));
    EXPECT_TRUE(drucker.endDoc());
}

TEST(FakePrinter, ScheitertAmAnfangOderMittendrin)
{
    FakePrinter drucker;
    drucker.failAtStart = true;
    EXPECT_FALSE(drucker.print(1, QStringLiteral("a"), QTextOption()));
    EXPECT_FALSE(drucker.endDoc());
    drucker.failAtStart = false;
    drucker.failAtItem = 1;
    EXPECT_TRUE(drucker.print(1, QStringLiteral("a"), QTextOption()));
    EXPECT_FALSE(drucker.print(1, QStringLiteral("b"), QTextOption()));
    EXPECT_FALSE(drucker.newLine());
    EXPECT_FALSE(drucker.endDoc());
    EXPECT_EQ(drucker.dokumente.size(), 2u);
    EXPECT_TRUE(drucker.dokumente[0].empty());
    EXPECT_EQ(drucker.dokumente[1], (std::vector<Zeile>{{{1, QStringLiteral("a")}}}));
}

}  // namespace
