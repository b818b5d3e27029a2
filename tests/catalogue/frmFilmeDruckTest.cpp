// Printing the list: the four column layouts through the recording printer,
// its failures and the wait cursor, and one list through the real printer into
// a PDF read back with poppler's tools.
#include "platform/system/QtPrinter.h"
#include "tests/catalogue/Filmkatalog.h"
#include "tests/support/Kombis.h"
#include "tests/support/Programmausgabe.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testing_support;
using Zeile = FakePrinter::Zeile;

namespace {

QString b(const QString& text, int breite)
{
    return text.leftJustified(breite, u' ');
}

// Half a column a character, as a proportional font gives on average.
double proportional(const QString& text)
{
    return 0.5 * double(text.size());
}

struct Layoutfall {
    const char* name;
    QByteArray ini;
    std::vector<Zeile> zeilen;  // of the list of format "PC"
};

// The printed lines of a PDF, blanks between items made single.
QStringList pdfZeilen(const QString& pdf)
{
    QStringList zeilen;
    for (const QString& z : programmausgabe("pdftotext", {"-layout", pdf, "-"}).split(u'\n'))
        if (!z.trimmed().remove(u'\f').isEmpty())
            zeilen << z.simplified().remove(u'\f');
    return zeilen;
}

// The list's rows as "Liste drucken" prints them.
QStringList gezeigteZeilen(Filmkatalog& k)
{
    QStringList zeilen;
    for (const QString& z : k.zeilen())
        zeilen << QString(z).replace(u'\t', u' ').simplified();
    return zeilen;
}

void PrintTo(const Layoutfall& f, std::ostream* os)
{
    *os << f.name;
}

class Drucklayout : public testing::TestWithParam<Layoutfall> {};

}  // namespace

TEST_P(Drucklayout, PrintsTheListQueryInTheColumnsOfItsLayout)
{
    const auto& fall = GetParam();
    Filmkatalog k(fall.ini);
    frmFilme& f = k.fenster();
    wählen(f.c.cmbFormat, "PC");
    k.fake.printer.breite = proportional;
    f.c.mnuDrucken->trigger();
    ASSERT_EQ(k.fake.printer.dokumente.size(), 1u);
    EXPECT_EQ(k.fake.printer.dokumente[0], fall.zeilen);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(k.fake.messages.shown.empty() || k.fake.messages.prompts().last() != "unbekannter Fehler!");
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, Drucklayout,
    testing::Values(
        Layoutfall{"BorrowerCategoryFirst",
                   "[Funktionen]\r\n6tes Feld=W\r\nSortierung=KF\r\n",
                   {{{1, "Titel"}, {55, "Kategorie"}, {71, "Format"}, {85, "Qualität"}, {96, "Mappe"}, {110, "Wer"}},
                    {},
                    {{1, "Film #1"}, {55, b("Doku", 18)}, {71, b("PC", 14)}, {85, "-   "}, {96, b("C", 18)},
                     {110, b("-", 15)}},
                    {{1, "Film 31"}, {55, b("Öl", 18)}, {71, b("PC", 14)}, {85, "-   "}, {96, b("C", 18)},
                     {110, b("-", 15)}}}},
        Layoutfall{"DiscsCategoryFirst",
                   "[Funktionen]\r\n6tes Feld=A\r\nSortierung=KF\r\n",
                   {{{1, "Titel"}, {55, "Kategorie"}, {75, "Format"}, {90, "Qualität"}, {100, "Mappe"},
                     {115, "Anzahl"}},
                    {},
                    {{1, "Film #1"}, {55, b("Doku", 18)}, {75, b("PC", 14)}, {90, "-   "}, {100, b("C", 18)},
                     {115, b("1", 15)}},
                    {{1, "Film 31"}, {55, b("Öl", 18)}, {75, b("PC", 14)}, {90, "-   "}, {100, b("C", 18)},
                     {115, b("1", 15)}}}},
        Layoutfall{"BorrowerFormatFirst",
                   "[Funktionen]\r\n6tes Feld=W\r\nSortierung=FK\r\n",
                   {{{1, "Titel"}, {55, "Format"}, {70, "Kategorie"}, {88, "Qualität"}, {98, "Mappe"}, {115, "Wer"}},
                    {},
                    {{1, "Film #1"}, {55, b("PC", 14)}, {70, b("Doku", 18)}, {88, "-   "}, {98, b("C", 18)},
                     {115, b("-", 15)}},
                    {{1, "Film 31"}, {55, b("PC", 14)}, {70, b("Öl", 18)}, {88, "-   "}, {98, b("C", 18)},
                     {115, b("-", 15)}}}},
        Layoutfall{"DiscsFormatFirstCutToTen",
                   "[Funktionen]\r\n6tes Feld=A\r\nSortierung=FK\r\n",
                   {{{1, "Titel"}, {55, "Format"}, {70, "Kategorie"}, {88, "Qualität"}, {98, "Mappe"},
                     {115, "Anzahl"}},
                    {},
                    {{1, "Film #1"}, {55, b("PC", 14)}, {70, b("Doku", 18)}, {88, "-   "}, {98, b("C", 18)},
                     {115, b("1", 10)}},
                    {{1, "Film 31"}, {55, b("PC", 14)}, {70, b("Öl", 18)}, {88, "-   "}, {98, b("C", 18)},
                     {115, b("1", 10)}}}},
        Layoutfall{"UnknownLayoutPrintsNothing", "[Funktionen]\r\n6tes Feld=X\r\nSortierung=KF\r\n", {}}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(ListeDrucken, LongTitleWrapsCutCategoryDiscsInGermanTextAndNulls)
{
    Filmkatalog k("[Funktionen]\r\n6tes Feld=A\r\nSortierung=KF\r\n");
    // Fifty wide letters reach past column 55.
    const QString lang = QString(50, u'W');
    k.ausführen("INSERT INTO Filme (Titel, Anzahl, Format, Cat, Qualität) VALUES (?, 2.5, 'Zip', ?, '1')",
                {lang, "Abenteuer-Komödie XL"});
    k.ausführen("INSERT INTO Filme (Titel, Format) VALUES ('Nur Format', 'Zip')");
    frmFilme& f = k.fenster();
    wählen(f.c.cmbFormat, "Zip");
    k.fake.printer.breite = [](const QString& text) {
        double b = 0;
        for (const QChar z : text)
            b += z == u'W' ? 1.1 : 0.5;
        return b;
    };
    f.c.mnuDrucken->trigger();
    ASSERT_EQ(k.fake.printer.dokumente.size(), 1u);
    const std::vector<Zeile>& d = k.fake.printer.dokumente[0];
    ASSERT_EQ(d.size(), 5u);
    EXPECT_EQ(d[2], (Zeile{{1, "Nur Format"}, {55, b("", 18)}, {75, b("Zip", 14)}, {90, "    "}, {100, b("", 18)},
                           {115, b("", 15)}}));
    EXPECT_EQ(d[3], (Zeile{{1, lang}}));
    EXPECT_EQ(d[4], (Zeile{{55, "Abenteuer-Komödie "}, {75, b("Zip", 14)}, {90, "1   "}, {100, b("", 18)},
                           {115, b("2,5", 15)}}));
}

TEST(ListeDrucken, LendingHistoryPrintsItsRowsWithTheMissingFieldsBlank)
{
    Filmkatalog k("[Funktionen]\r\n6tes Feld=W\r\nSortierung=KF\r\n");
    frmFilme& f = k.fenster();
    f.przListeSetzen("Select * from Ausleihe where Titel = ?", {"Der Pate"});
    k.fake.printer.breite = proportional;
    f.c.mnuDrucken->trigger();
    ASSERT_EQ(k.fake.printer.dokumente.size(), 1u);
    ASSERT_EQ(k.fake.printer.dokumente[0].size(), 3u);
    EXPECT_EQ(k.fake.printer.dokumente[0][2], (Zeile{{1, "Der Pate"}, {55, b("", 18)}, {71, b("", 14)}, {85, "    "},
                                                     {96, b("", 18)}, {110, b("Bernd", 15)}}));
}

TEST(ListeDrucken, EmptyOrBrokenQueryPrintsNoPageAndSaysNothing)
{
    Filmkatalog k("[Funktionen]\r\n6tes Feld=W\r\nSortierung=KF\r\n");
    frmFilme& f = k.fenster();
    k.fake.messages.shown.clear();
    for (const QString& sql :
         {QStringLiteral("Select * from Filme where Titel = ?"), QStringLiteral("Select * from Fehlt")}) {
        f.przListeSetzen(sql, {"gibt es nicht"});
        f.c.mnuDrucken->trigger();
    }
    EXPECT_EQ(k.fake.printer.endDocs, 2);
    for (const auto& dokument : k.fake.printer.dokumente)
        EXPECT_TRUE(dokument.empty());
    EXPECT_TRUE(k.fake.messages.shown.empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

const QString KeinDrucker = QStringLiteral(
    "Es ist kein Drucker eingerichtet.\nUnter \"Drucker einstellen\" im Menü \"Datei\" können Sie einen Drucker wählen "
    "oder in eine PDF-Datei drucken.");

struct Fehlerfall {
    const char* name;
    bool keinDrucker;
    bool amStart;
    int beiItem;
    QString meldung;
};

void PrintTo(const Fehlerfall& f, std::ostream* os)
{
    *os << f.name;
}

class Druckfehler : public testing::TestWithParam<Fehlerfall> {};

TEST_P(Druckfehler, BothPrintCommandsNameTheCauseEndTheDocumentAndRestoreTheCursor)
{
    Filmkatalog k("[Funktionen]\r\n6tes Feld=W\r\nSortierung=KF\r\n");
    frmFilme& f = k.fenster();
    wählen(f.c.cmbFormat, "DVD");
    for (auto befehl : {&frmFilme::mnuDrucken_Click, &frmFilme::cmdPrint_Click}) {
        k.fake.messages.shown.clear();
        k.fake.printer.keinDrucker = GetParam().keinDrucker;
        k.fake.printer.failAtStart = GetParam().amStart;
        k.fake.printer.failAtItem = GetParam().beiItem;
        const int endDocs = k.fake.printer.endDocs;
        (f.*befehl)();
        EXPECT_EQ(k.fake.printer.endDocs, endDocs + 1);
        ASSERT_EQ(k.fake.messages.shown.size(), 1u);
        EXPECT_EQ(k.fake.messages.shown[0].prompt, GetParam().meldung);
        EXPECT_EQ(k.fake.messages.shown[0].title, "Drucken");
        EXPECT_EQ(k.fake.messages.shown[0].flags, sys::mb::Exclamation);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Fälle, Druckfehler,
                         testing::Values(Fehlerfall{"NoPrinter", true, false, -1, KeinDrucker},
                                         Fehlerfall{"JobCannotStart", false, true, -1, "unbekannter Fehler!"},
                                         Fehlerfall{"FailsWhilePrinting", false, false, 3, "unbekannter Fehler!"}),
                         [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

// The way the message points: "Liste drucken" without a printer, then a
// choice under "Drucker einstellen", then the list prints. The message names
// the captions the language file gave the menu.
TEST(ListeDrucken, WithoutAPrinterTheMessagePointsToThePrinterSetup)
{
    Filmkatalog k("[Funktionen]\r\n6tes Feld=W\r\nSortierung=KF\r\n");
    frmFilme& f = k.fenster();
    wählen(f.c.cmbFormat, "PC");
    k.fake.messages.shown.clear();
    k.fake.printer.keinDrucker = true;
    f.c.cmdPrint->click();
    ASSERT_EQ(k.fake.messages.prompts(), QStringList{KeinDrucker});
    EXPECT_TRUE(k.fake.printer.dokumente.back().empty()) << "no page came out";

    k.fake.printer.setups = {sys::Printer::Einrichtung::Gewaehlt};
    f.c.mnuDruckSetup->trigger();
    f.c.cmdPrint->click();
    EXPECT_EQ(k.fake.messages.prompts(), QStringList{KeinDrucker}) << "nothing more to say";
    EXPECT_EQ(k.fake.printer.dokumente.back().size(), size_t(k.zeilen().size()));

    f.c.mnuDruckSetup->setText("Drucker &wählen");
    f.c.mnuDatei->setTitle("&Datei && Druck");
    k.fake.printer.keinDrucker = true;
    k.fake.messages.shown.clear();
    f.c.cmdPrint->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(k.fake.messages.shown[0].prompt.contains("Unter \"Drucker wählen\" im Menü \"Datei & Druck\""))
        << k.fake.messages.shown[0].prompt.toStdString();
}

// The program's own printer on a machine without one says the same.
TEST(ListeDrucken, TheRealPrinterWithoutAPrinterNamesTheCause)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    Filmkatalog k;
    frmFilme& f = k.fenster();
    sys::QtPrinter drucker;
    k.fake.services.printer = &drucker;
    wählen(f.c.cmbFormat, "DVD");
    k.fake.messages.shown.clear();
    f.c.cmdPrint->click();
    EXPECT_EQ(k.fake.messages.prompts(), QStringList{KeinDrucker});
}

TEST(ListeDrucken, ListRowsAsShownWithTabs)
{
    Filmkatalog k("[Funktionen]\r\n6tes Feld=W\r\nSortierung=KF\r\n");
    frmFilme& f = k.fenster();
    wählen(f.c.cmbFormat, "PC");
    f.c.cmdPrint->click();
    ASSERT_EQ(k.fake.printer.dokumente.size(), 1u);
    std::vector<Zeile> erwartet;
    for (const QString& zeile : k.zeilen())
        erwartet.push_back({{1, zeile}});
    ASSERT_EQ(erwartet.size(), 2u);
    EXPECT_TRUE(erwartet[0][0].second.contains(u'\t'));
    EXPECT_EQ(k.fake.printer.dokumente[0], erwartet);

    f.c.lfListe->clear();
    f.c.cmdPrint->click();
    EXPECT_EQ(k.fake.printer.endDocs, 2);
    EXPECT_TRUE(k.fake.printer.dokumente[1].empty());
}

TEST(DruckerEinstellen, DialogFailureSaysSoCancelSaysNothingAndNoPageComesOut)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    k.fake.messages.shown.clear();
    k.fake.printer.setups = {sys::Printer::Einrichtung::Gewaehlt, sys::Printer::Einrichtung::Abgebrochen,
                             sys::Printer::Einrichtung::Fehler};
    for (int i = 0; i < 3; ++i)
        f.c.mnuDruckSetup->trigger();
    EXPECT_EQ(k.fake.printer.setupCalls, 3);
    EXPECT_EQ(k.fake.printer.endDocs, 3);
    for (const auto& dokument : k.fake.printer.dokumente)
        EXPECT_TRUE(dokument.empty());
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(k.fake.messages.shown[0].prompt, "Sorry - ein Fehler ist aufgetreten.");
    EXPECT_EQ(k.fake.messages.shown[0].title, "Drucksetup");
}

TEST(ListeDrucken, ThroughTheRealPrinterIntoAPdf)
{
    if (!QFileInfo::exists(QStringLiteral("/usr/bin/pdftotext")))
        GTEST_SKIP() << "poppler-utils missing";
    Filmkatalog k("[Funktionen]\r\n6tes Feld=W\r\nSortierung=KF\r\n");
    frmFilme& f = k.fenster();
    sys::QtPrinter drucker;
    const QString pdf = k.folder.file("liste.pdf");
    drucker.pdfAusgabe(pdf);
    k.fake.services.printer = &drucker;
    wählen(f.c.cmbFormat, "DVD");
    f.c.mnuDrucken->trigger();
    EXPECT_TRUE(k.fake.messages.shown.empty() || k.fake.messages.prompts().last() != "unbekannter Fehler!");

    const QString info = programmausgabe("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_EQ(pdfZeilen(pdf), QStringList({"Titel Kategorie Format Qualität Mappe Wer",
                                   "Alien Science Fiction Ak DVD 1 A -", "Alien 3 Science Fiction DVD 2 A -",
                                   "Ärger im Paradies Komödie dvd 2,5 B -", "Der Pate Krimi DVD 1.00 C -",
                                   "Matrix Science Fiction Ak DVD 1.00 A -",
                                   "Matrix 2 Science Fiction DVD 1.00 A Maximilian Must",
                                   "Ocean's Eleven Krimi DVD 1 Kino's Anna"}));

    // The rows as shown: each row's tabs go to the list's stops, the cells
    // stay apart and in order.
    const QString zeilenPdf = k.folder.file("zeilen.pdf");
    drucker.pdfAusgabe(zeilenPdf);
    f.c.cmdPrint->click();
    EXPECT_EQ(pdfZeilen(zeilenPdf), gezeigteZeilen(k));
}

// A title and a category stored with line breaks, a tab and a bell: each
// record is one printed line in both print commands.
TEST(ListeDrucken, AStoredLineBreakPrintsOnItsRecordsLine)
{
    if (!QFileInfo::exists(QStringLiteral("/usr/bin/pdftotext")))
        GTEST_SKIP() << "poppler-utils missing";
    Filmkatalog k("[Funktionen]\r\n6tes Feld=W\r\nSortierung=KF\r\n");
    k.ausführen("INSERT INTO Filme (Titel, Format, Cat, Qualität, Mappe, Wer) VALUES (?, 'Zip', ?, '1', 'A', '-')",
                {QStringLiteral("Zeile1\nZeile2\t\aEnde"), QStringLiteral("Sci\r\nFi")});
    k.ausführen("INSERT INTO Filme (Titel, Format, Cat, Qualität, Mappe, Wer) VALUES ('Zweiter', 'Zip', 'Krimi', "
                "'2', 'B', '-')");
    frmFilme& f = k.fenster();
    sys::QtPrinter drucker;
    k.fake.services.printer = &drucker;
    wählen(f.c.cmbFormat, "Zip");

    const QString pdf = k.folder.file("liste.pdf");
    drucker.pdfAusgabe(pdf);
    f.c.mnuDrucken->trigger();
    EXPECT_EQ(pdfZeilen(pdf), QStringList({"Titel Kategorie Format Qualität Mappe Wer",
                                           "Zeile1 Zeile2 Ende Sci Fi Zip 1 A -", "Zweiter Krimi Zip 2 B -"}));

    const QString zeilenPdf = k.folder.file("zeilen.pdf");
    drucker.pdfAusgabe(zeilenPdf);
    f.c.cmdPrint->click();
    const QStringList zeilen = pdfZeilen(zeilenPdf);
    ASSERT_EQ(zeilen.size(), 2) << zeilen.join(" | ").toStdString();
    EXPECT_TRUE(zeilen[0].startsWith("Zeile1 Zeile2 Ende Sci Fi Zip 1 A")) << zeilen[0].toStdString();
    EXPECT_TRUE(zeilen[1].startsWith("Zweiter Krimi Zip 2 B")) << zeilen[1].toStdString();
}

namespace {

// "Drucker einstellen" as a user fills the dialog: "Print to File (PDF)" and a
// file name, then "Drucken". Gives the file name the dialog showed on opening.
QString inDateiDrucken(frmFilme& f, const QString& pdf)
{
    QString gezeigt = QStringLiteral("(kein Druckdialog)");
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        auto* drucker = dialog ? dialog->findChild<QComboBox*>(QStringLiteral("printers")) : nullptr;
        auto* datei = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("filename")) : nullptr;
        auto* knöpfe = dialog ? dialog->findChild<QDialogButtonBox*>() : nullptr;
        if (!drucker || !datei || !knöpfe) {
            if (dialog)
                dialog->close();
            return;
        }
        drucker->setCurrentIndex(
            drucker->findText(QCoreApplication::translate("QPrintDialog", "Print to File (PDF)")));
        gezeigt = datei->text();
        datei->setText(pdf);
        knöpfe->button(QDialogButtonBox::Ok)->click();
    });
    f.c.mnuDruckSetup->trigger();
    return gezeigt;
}

}  // namespace

// Without a printer Qt prints into a PDF without a file name: the job fails
// with the cause named, and the printer must still take the file chosen next
// in the dialog that the message points to.
TEST(ListeDrucken, AFailedJobLeavesThePrinterUsableAndKeepsTheChoices)
{
    if (!QFileInfo::exists(QStringLiteral("/usr/bin/pdftotext")))
        GTEST_SKIP() << "poppler-utils missing";
    Filmkatalog k("[Funktionen]\r\n6tes Feld=W\r\nSortierung=KF\r\n");
    frmFilme& f = k.fenster();
    sys::QtPrinter drucker;
    drucker.pdfAusgabe(QString());
    k.fake.services.printer = &drucker;
    wählen(f.c.cmbFormat, "DVD");
    ASSERT_FALSE(gezeigteZeilen(k).isEmpty());
    k.fake.messages.shown.clear();
    f.c.cmdPrint->click();
    ASSERT_EQ(k.fake.messages.prompts(), QStringList({KeinDrucker}));

    ASSERT_TRUE(QDir(k.folder.path()).mkdir(QStringLiteral("ausdruck")));
    const QString pdf = k.folder.file("ausdruck/liste.pdf");
    inDateiDrucken(f, pdf);
    f.c.cmdPrint->click();
    EXPECT_EQ(k.fake.messages.prompts(), QStringList({KeinDrucker}));
    EXPECT_EQ(pdfZeilen(pdf), gezeigteZeilen(k));

    // The chosen file's folder gone: that job fails for a cause we cannot
    // name; the next one, once the folder is back, prints into the same file
    // without a new set-up.
    ASSERT_TRUE(QDir(k.folder.file("ausdruck")).removeRecursively());
    f.c.cmdPrint->click();
    EXPECT_EQ(k.fake.messages.prompts(), QStringList({KeinDrucker, "unbekannter Fehler!"}));
    ASSERT_TRUE(QDir(k.folder.path()).mkdir(QStringLiteral("ausdruck")));
    f.c.cmdPrint->click();
    EXPECT_EQ(k.fake.messages.shown.size(), 2u);
    EXPECT_EQ(pdfZeilen(pdf), gezeigteZeilen(k));

    // The dialog opens on the choice in force.
    const QString zweite = k.folder.file("zweite.pdf");
    EXPECT_EQ(inDateiDrucken(f, zweite), pdf);
    f.c.cmdPrint->click();
    EXPECT_EQ(k.fake.messages.shown.size(), 2u);
    EXPECT_EQ(pdfZeilen(zweite), gezeigteZeilen(k));
}
