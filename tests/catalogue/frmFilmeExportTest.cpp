// The exports of the main window: the workbooks of the whole catalogue, the
// selection in force and the sub-entries, read back by a spreadsheet reader,
// and "cds.txt".
#include "tests/catalogue/Filmkatalog.h"
#include "tests/platform/xls/XlsLeser.h"
#include "tests/support/Kombis.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {

const QString Bestätigung =
    QStringLiteral("Die Excel Datei wurde im Programmverzeichnis unter dem Namen '%1' abgelegt.");
const QString KeineSelektion = QStringLiteral("Sie haben keine Selektion getroffen. Bitte nutzen Sie für eine "
                                              "unselektierte Excelausgabe die Funktion über das Menü 'Datei'");

// The first column of the sheet "cds" below its header, and the header.
struct Blatt {
    QStringList kopf;
    QStringList ersteSpalte;
};

Blatt lesen(const QString& pfad)
{
    const XlsMappe m = xlsLesen(pfad);
    EXPECT_TRUE(m.gelesen) << m.fehler.toStdString();
    Blatt b;
    if (m.blaetter.size() != 1 || m.blaetter[0].name != QLatin1String("cds") || m.blaetter[0].zeilen.empty()) {
        ADD_FAILURE() << "one sheet \"cds\" with a header expected";
        return b;
    }
    b.kopf = m.blaetter[0].zeilen[0];
    for (size_t i = 1; i < m.blaetter[0].zeilen.size(); ++i)
        b.ersteSpalte << m.blaetter[0].zeilen[i].value(0).mid(2);
    return b;
}

struct Selektionsfall {
    const char* name;
    std::function<void(frmFilme&)> zustand;  // reached through the window's own procedures
    const char* mappe;                        // "" for none
    QStringList titel;
    QString titelDerBestätigung;
    QString filterWertDanach;
};

void PrintTo(const Selektionsfall& f, std::ostream* os)
{
    *os << f.name;
}

class ExcelSelektion : public testing::TestWithParam<Selektionsfall> {};

}  // namespace

TEST_P(ExcelSelektion, WritesTheWorkbookOfTheSelectionInForce)
{
    const auto& fall = GetParam();
    Filmkatalog k;
    frmFilme& f = k.fenster();
    fall.zustand(f);
    k.fake.messages.shown.clear();
    k.folder.write("Alt.xls", "bleibt");
    f.c.ExcelSel->click();

    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    const ShownMessage& m = k.fake.messages.shown[0];
    if (QString::fromUtf8(fall.mappe).isEmpty()) {
        EXPECT_EQ(m.prompt, KeineSelektion);
        EXPECT_EQ(m.title, QStringLiteral("Excel Ausgabe"));
    } else {
        EXPECT_EQ(m.prompt, Bestätigung.arg(QString::fromUtf8(fall.mappe)));
        EXPECT_EQ(m.title, fall.titelDerBestätigung);
        const Blatt b = lesen(k.folder.file(QString::fromUtf8(fall.mappe)));
        EXPECT_EQ(b.kopf.value(0), QStringLiteral("s:Titel"));
        EXPECT_EQ(b.ersteSpalte, fall.titel);
    }
    EXPECT_EQ(f.FilterWert, fall.filterWertDanach);
    EXPECT_EQ(k.folder.read("Alt.xls"), QByteArray("bleibt"));
}

INSTANTIATE_TEST_SUITE_P(
    Zustände, ExcelSelektion,
    testing::Values(
        Selektionsfall{"FormatAnyCase",
                       [](frmFilme& f) { wählen(f.c.cmbFormat, "DVD"); },
                       "Format.xls",
                       {"Alien", "Alien 3", "Ärger im Paradies", "Der Pate", "Matrix", "Matrix 2", "Ocean's Eleven"},
                       "Excel Ausgabe",
                       "DVD"},
        Selektionsfall{"QualityAsItsText",
                       [](frmFilme& f) { wählen(f.c.cmbQualität, "1.00"); },
                       "Qualität.xls",
                       {"Der Pate", "Matrix", "Matrix 2"},
                       "Excel Ausgabe",
                       "1.00"},
        Selektionsfall{"FolderWithApostropheBound",
                       [](frmFilme& f) { wählen(f.c.cmbMappe, "Kino's"); },
                       "Mappe.xls",
                       {"Ocean's Eleven"},
                       "Excel Ausgabe",
                       "Kino's"},
        Selektionsfall{"CategoryWithUmlautsAnyCase",
                       [](frmFilme& f) { wählen(f.c.cmbCat, "Öl"); },
                       "Cat.xls",
                       {"Film 31", "Öl"},
                       "Excel Ausgabe",
                       "Öl"},
        Selektionsfall{"BorrowerConfirmedUnderTheProgramsTitle",
                       [](frmFilme& f) { wählen(f.c.cmbWer, "Anna"); },
                       "Wer.xls",
                       {"Ocean's Eleven"},
                       "",
                       "Anna"},
        Selektionsfall{"BoxTextPicksTheCaseFilterWertTheValue",
                       [](frmFilme& f) {
                           wählen(f.c.cmbFormat, "PC");
                           f.FilterWert = "MP3";
                       },
                       "Format.xls",
                       {"Mask"},
                       "Excel Ausgabe",
                       "MP3"},
        Selektionsfall{"TitleSearchKeepsWildcards",
                       [](frmFilme& f) {
                           f.FilterWert = "Alien?";
                           f.przVolltextsucheTitel();
                       },
                       "VolltextsucheTitel.xls",
                       {"Alien 3", "Aliens"},
                       "Excel Ausgabe",
                       "Alien?"},
        Selektionsfall{"InfoSearch",
                       [](frmFilme& f) {
                           f.FilterWert = "neo";
                           f.przVolltextsucheInfo();
                       },
                       "VolltextsucheInfo.xls",
                       {"Matrix"},
                       "Excel Ausgabe",
                       "neo"},
        Selektionsfall{"SubEntryListingLeavesItsTitleAsFilterWert",
                       [](frmFilme& f) {
                           f.c.tfTitel->setText("Matrix");
                           f.przUnterordnerListe();
                       },
                       "Unterverzeichnis.xls",
                       {"Matrix", "Matrix"},
                       "Excel Ausgabe",
                       "Matrix"},
        Selektionsfall{"SubEntryTitleMatchedLiterally",
                       [](frmFilme& f) {
                           f.c.tfTitel->setText("[Rec]");
                           f.przUnterordnerListe();
                       },
                       "Unterverzeichnis.xls",
                       {},
                       "Excel Ausgabe",
                       "[Rec]"},
        Selektionsfall{"NoSelectionRightAfterStart", [](frmFilme&) {}, "", {}, "", ""}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(ExcelExport, WholeCatalogueInTitleOrderAndAgainOverTheOldWorkbook)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    for (int lauf = 0; lauf < 2; ++lauf) {
        k.fake.messages.shown.clear();
        f.c.mnuExcell->trigger();
        ASSERT_EQ(k.fake.messages.prompts(), QStringList{Bestätigung.arg("CDs.xls")});
        EXPECT_EQ(k.fake.messages.shown[0].title, "Excel Ausgabe");
        const Blatt b = lesen(k.folder.file("CDs.xls"));
        EXPECT_EQ(b.kopf.size(), 14);
        EXPECT_EQ(b.ersteSpalte, alleTitel());
    }
}

TEST(ExcelExport, SubEntriesByTitle)
{
    Filmkatalog k;
    k.ausführen("INSERT INTO Unterordner (Titel, Titel2) VALUES ('Alien', 'Alien Bonus')");
    frmFilme& f = k.fenster();
    k.fake.messages.shown.clear();
    f.c.mnuUnterverzeichnisExcelListe->trigger();
    ASSERT_EQ(k.fake.messages.prompts(), QStringList{Bestätigung.arg("Unterordner.xls")});
    const Blatt b = lesen(k.folder.file("Unterordner.xls"));
    EXPECT_EQ(b.ersteSpalte, QStringList({"Alien", "Matrix", "Matrix"}));
}

TEST(Textexport, MenuWritesCdsTxtInTitleOrder)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    k.fake.messages.shown.clear();
    f.c.mnuText->trigger();
    ASSERT_EQ(k.fake.messages.prompts(),
              QStringList{"Die Textdatei wurde im Programmverzeichnis unter dem Namen cds.txt abgelegt."});
    const QList<QByteArray> zeilen = k.folder.read("cds.txt").split('\n');
    ASSERT_EQ(zeilen.size(), 15);
    EXPECT_TRUE(zeilen[0].startsWith("[Rec];1;XVID;4;[x;-;"));
    EXPECT_EQ(zeilen[13], QByteArray("Zorro;;;;;;;;;;;;;;\r"));
    EXPECT_EQ(zeilen[14], QByteArray());
}

// A title stored with a line break, a tab and a bell (before the fields kept
// them out, or from a disc): every export keeps the record on one line and
// each value in one cell, the breaks written as blanks.
void zeilenbruchSpeichern(const Filmkatalog& k)
{
    k.ausführen("INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Cat, AusDatum, Cover, "
                "Size, Unterordner) VALUES (?, 1, 'DVD', '1', 'A', '-', ?, '-', ?, '-', '-', '0', '-')",
                {QStringLiteral("Zeile1\nZeile2\t\a\u2026"), QStringLiteral("Erste Zeile\r\nZweite Zeile"),
                 QStringLiteral("Sci\r\nFi")});
}

const QString TitelEinzeilig = QStringLiteral("Zeile1 Zeile2  \u2026");

TEST(Textexport, AStoredLineBreakStaysInItsRecordsLine)
{
    Filmkatalog k;
    zeilenbruchSpeichern(k);
    frmFilme& f = k.fenster();
    f.c.mnuText->trigger();
    const QString inhalt = QString::fromUtf8(k.folder.read("cds.txt"));
    QStringList zeilen = inhalt.split(QStringLiteral("\r\n"));
    ASSERT_EQ(zeilen.takeLast(), "");
    EXPECT_EQ(zeilen.size(), alleTitel().size() + 1) << "one line a record";
    for (const QString& zeile : zeilen)
        EXPECT_FALSE(zeile.contains(u'\n') || zeile.contains(u'\r') || zeile.contains(u'\t')) << zeile.toStdString();
    EXPECT_EQ(zeilen.value(int(alleTitel().indexOf("Öl")) + 1),
              TitelEinzeilig + ";1;DVD;1;A;-;Erste Zeile Zweite Zeile;-;;Sci Fi;-;-;0;-;");
}

TEST(ExcelExport, AStoredLineBreakStaysInItsCell)
{
    Filmkatalog k;
    zeilenbruchSpeichern(k);
    frmFilme& f = k.fenster();
    f.c.mnuExcell->trigger();
    const XlsMappe m = xlsLesen(k.folder.file("CDs.xls"));
    ASSERT_TRUE(m.gelesen) << m.fehler.toStdString();
    ASSERT_EQ(m.blaetter.size(), 1u);
    const auto& zeilen = m.blaetter[0].zeilen;
    ASSERT_EQ(zeilen.size(), size_t(alleTitel().size() + 2));
    const QStringList& satz = zeilen[size_t(alleTitel().indexOf("Öl") + 2)];
    EXPECT_EQ(satz.value(0), "s:" + TitelEinzeilig);
    EXPECT_EQ(satz.value(6), "s:Erste Zeile Zweite Zeile");
    EXPECT_EQ(satz.value(9), "s:Sci Fi");
    EXPECT_EQ(satz.value(1), "n:1") << "the cells after it keep their columns";
}

TEST(Berichtfenster, SubEntryReportLeavesTheHtmlWindowLoadedAndHiddenAndHtmlShowsItAsItWas)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.mnuUnterverzeichnisHTML->trigger();
    EXPECT_EQ(k.fake.shell.opened, QStringList{k.folder.file("Unterordner.HTML")});
    QWidget* fenster = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmHTML")
            fenster = w;
    ASSERT_NE(fenster, nullptr);
    EXPECT_FALSE(fenster->isVisible());
    f.c.cmdHTML->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidget* wieder = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmHTML")
            wieder = w;
    EXPECT_EQ(wieder, fenster);
    EXPECT_TRUE(fenster->isVisible());
    fenster->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(Berichtfenster, NumberStatisticsShownAgainAreNotRecomputed)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.mnuZahlenStatistik->trigger();
    QLabel* gesamt = nullptr;
    QWidget* statistik = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmStatistik")
            statistik = w;
    ASSERT_NE(statistik, nullptr);
    gesamt = statistik->findChild<QLabel*>("lbGesamt");
    EXPECT_EQ(gesamt->text(), "14");
    k.ausführen("INSERT INTO Filme (Titel) VALUES ('Neu')");
    f.c.mnuZahlenStatistik->trigger();
    EXPECT_EQ(gesamt->text(), "14");
    statistik->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
