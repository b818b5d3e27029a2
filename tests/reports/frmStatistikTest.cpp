// The number statistics window on a small catalogue: its lists, counters and
// estimate, the order options and their key, the export read back, a missing
// catalogue and counts past 16 bits.
#include "reports/frmStatistik.h"

#include "frame/CdIni.h"
#include "platform/vb/VbControls.h"
#include "tests/platform/xls/XlsLeser.h"
#include "tests/reports/Berichtkatalog.h"
#include "tests/reports/Hauptfensterattrappe.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <sqlite3.h>

using namespace testing_support;

namespace {

QStringList zeilen(const vb::ListBox* box)
{
    QStringList z;
    for (int i = 0; i < box->count(); ++i)
        z << box->item(i)->text();
    return z;
}

struct Statistikkatalog : Berichtkatalog {
    explicit Statistikkatalog(const QByteArray& cdIni = "[Design]\r\nDefault=0\r\nDeutsch=dt\r\nEnglisch=en\r\n")
    {
        folder.write("Cd.ini", "[DB]\r\nDB Name0=filme\r\n" + cdIni);
        // Titel, Anzahl, Format, Cat, Qualität, Mappe, Wer, Dten, Size
        const std::vector<QVariantList> titelzeilen = {
            {"A", 1, "DVD", "Krimi", "1", "M1", "-", "dt", "800"},
            {"B", 2, "MP3", "krimi", "2", "M1", "Anna", "en", "700"},
            {"C", 1, "dvd", "Komödie", "-", "M2", "-", "dt", "0"},
            {"D", 2.5, "VCD", "Öl", "1", QVariant(), "-", "-", "4,7"},
            {"E", 1, "DVD", "öl", "", "m2", "O'Brien", "dt", "10000"},
            {"F", 1, "DVD", "[Neu]", "1", "M1", "-", "en", "0"},
        };
        for (const QVariantList& z : titelzeilen)
            titel("Titel, Anzahl, Format, Cat, Qualität, Mappe, Wer, Dten, Size", z);
    }
    frmStatistik& öffnen()
    {
        fenster = std::make_unique<frmStatistik>(fake.services, haupt);
        fenster->Form_Load();
        return *fenster;
    }
    QString sortierung() const { return frame::cdIni(fake.services).read("Statistik", "Sortierung"); }
    Hauptfensterattrappe haupt;
    std::unique_ptr<frmStatistik> fenster;
};

}  // namespace

TEST(frmStatistik, OpeningFillsListsByValueCountersAndEstimateAndWritesTheOrderBack)
{
    Statistikkatalog k;
    frmStatistik& s = k.öffnen();
    EXPECT_TRUE(k.fake.messages.shown.empty());
    EXPECT_EQ(s.windowTitle(), "Zahlen - Statistik");
    EXPECT_TRUE(s.optWert->isChecked());
    EXPECT_EQ(k.sortierung(), "Wert");
    EXPECT_EQ(zeilen(s.lfFormat), QStringList({"DVD\t4", "MP3\t1", "VCD\t1"}));
    // Grouped without regard to case, umlauts too; "[Neu]" first in German order.
    ASSERT_EQ(s.lfCat->count(), 4);
    EXPECT_EQ(s.lfCat->item(0)->text(), "[Neu]\t1");
    EXPECT_EQ(s.lfCat->item(1)->text(), "Komödie\t1");
    EXPECT_EQ(s.lfCat->item(2)->text().toLower(), "krimi\t2");
    EXPECT_EQ(s.lfCat->item(3)->text().toLower(), "öl\t2");
    EXPECT_EQ(zeilen(s.lfQualität), QStringList({"-\t1", "1\t3", "2\t1"}));
    EXPECT_EQ(s.lfMappe->count(), 2);
    EXPECT_EQ(s.lfFormat->tabStops(), std::vector<int>({80, 50}));
    EXPECT_EQ(s.lfQualität->tabStops(), std::vector<int>());
    EXPECT_EQ(s.lfMappe->tabStops(), std::vector<int>({50}));

    const std::pair<QLabel*, const char*> erwartet[] = {
        {s.lbGesamt, "6"}, {s.lbAus, "2"},    {s.lbDVD, "4"},      {s.lbCDs, "4"},   {s.lbdeu, "3"},
        {s.lbengl, "2"},   {s.lbohneSP, "1"}, {s.lborgDVD, "1"},   {s.lbkopDVD, "3"},
    };
    for (const auto& [label, text] : erwartet)
        EXPECT_EQ(label->text(), QString::fromUtf8(text)) << label->objectName().toStdString();
    EXPECT_FALSE(s.lbByte->text().isEmpty());
    EXPECT_FALSE(s.lbByteges->text().isEmpty());
    EXPECT_FALSE(s.tfDVDSize->isVisible());
}

TEST(frmStatistik, OptionsRewriteTheKeyAndRefillWithoutRecounting)
{
    Statistikkatalog k("[Design]\r\nDefault=0\r\n[Statistik]\r\nSortierung=Anzahl\r\n");
    frmStatistik& s = k.öffnen();
    EXPECT_TRUE(s.optAnzahl->isChecked());
    EXPECT_EQ(s.lfFormat->item(0)->text(), "DVD\t4");
    EXPECT_EQ(s.lfQualität->item(0)->text(), "1\t3");
    k.d->execute("INSERT INTO Filme (Titel, Format) VALUES ('Z1', 'Zip'), ('Z2', 'Zip')");
    s.optWert->click();
    EXPECT_EQ(k.sortierung(), "Wert");
    EXPECT_EQ(zeilen(s.lfFormat), QStringList({"DVD\t4", "MP3\t1", "VCD\t1"})) << "tables rebuilt at opening only";
    EXPECT_EQ(s.lbGesamt->text(), "6");
    s.optAnzahl->click();
    EXPECT_EQ(k.sortierung(), "Anzahl");
}

TEST(frmStatistik, UnknownStoredOrderSelectsNoOptionAndListsStayEmptyUntilOneIsChosen)
{
    Statistikkatalog k("[Design]\r\nDefault=0\r\n[Statistik]\r\nSortierung=Titel; DROP TABLE Filme\r\n");
    frmStatistik& s = k.öffnen();
    EXPECT_FALSE(s.optWert->isChecked());
    EXPECT_FALSE(s.optAnzahl->isChecked());
    EXPECT_EQ(s.lfFormat->count(), 0);
    EXPECT_EQ(s.lbGesamt->text(), "6");
    EXPECT_EQ(k.d->scalar("SELECT count(*) FROM Filme").toInt(), 6);
    s.optAnzahl->click();
    EXPECT_EQ(s.lfFormat->count(), 3);
}

TEST(frmStatistik, ExportWritesTheFourGroupsWithNewLineRowsAndReplacesTheOldWorkbook)
{
    Statistikkatalog k;
    k.folder.write("Statistik.xls", "alt");
    frmStatistik& s = k.öffnen();
    s.cmdStatistikExcell->click();
    ASSERT_EQ(k.fake.messages.prompts(),
              QStringList{"Die Excel Datei wurde im Programmverzeichnis unter dem Namen 'Statistik.xls' abgelegt."});
    EXPECT_EQ(k.fake.messages.shown[0].title, "Excel Ausgabe");
    const XlsMappe m = xlsLesen(k.folder.file("Statistik.xls"));
    ASSERT_TRUE(m.gelesen) << m.fehler.toStdString();
    ASSERT_EQ(m.blaetter.size(), 1u);
    const auto& z = m.blaetter[0].zeilen;
    ASSERT_EQ(z.size(), 1u + 3 + 1 + 4 + 1 + 3 + 1 + 2);
    EXPECT_EQ(z[0], QStringList({"s:Format", "s:Anzahl"}));
    EXPECT_EQ(z[1].value(1), "n:4");
    EXPECT_EQ(z[4], QStringList({"s:NeueZeile", ""}));
    EXPECT_EQ(z[9], QStringList({"s:NeueZeile", ""}));
    EXPECT_EQ(z[13], QStringList({"s:NeueZeile", ""}));
}

TEST(frmStatistik, MissingCatalogueSaysSoAndCreatesNoFile)
{
    Statistikkatalog k;
    k.haupt.name = "fehlt";
    frmStatistik& s = k.öffnen();
    EXPECT_EQ(k.fake.messages.prompts(), QStringList{"Noch kein Datensatz erfasst!"});
    EXPECT_EQ(k.fake.messages.shown[0].title, "");
    EXPECT_EQ(s.lbGesamt->text(), "");
    EXPECT_FALSE(QFile::exists(k.folder.file("fehlt.mdb")));
}

TEST(frmStatistik, EmptyCatalogueShowsZerosAndNoMessage)
{
    Statistikkatalog k;
    k.d->execute("DELETE FROM Filme");
    frmStatistik& s = k.öffnen();
    EXPECT_TRUE(k.fake.messages.shown.empty());
    EXPECT_EQ(s.lfFormat->count(), 0);
    for (QLabel* l : {s.lbGesamt, s.lbCDs, s.lbDVD, s.lbAus, s.lbohneCover, s.lborgDVD})
        EXPECT_EQ(l->text(), "0") << l->objectName().toStdString();
}

TEST(frmStatistik, CountsPastSixteenBits)
{
    Statistikkatalog k;
    k.d->execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
                 "INSERT INTO Filme (Titel, Anzahl, Format) SELECT 'T' || i, 1, 'PC' FROM n");
    frmStatistik& s = k.öffnen();
    EXPECT_TRUE(k.fake.messages.shown.empty());
    EXPECT_EQ(s.lbGesamt->text(), "40006");
    EXPECT_EQ(s.lfFormat->item(2)->text(), "PC\t40000");
}

TEST(frmStatistik, UserLookTakesThreeHeadersFromCdIniAndKeepsMappe)
{
    Statistikkatalog k("[Design]\r\nTextFarbe=255\r\nBackcolor=16777215\r\nLabel2=Güte\r\nLabel3=Medium\r\n"
                       "Label7=Genre\r\n");
    frmStatistik& s = k.öffnen();
    EXPECT_EQ(s.kopf[0]->text(), "Medium");
    EXPECT_EQ(s.kopf[1]->text(), "Genre");
    EXPECT_EQ(s.kopf[2]->text(), "Güte");
    EXPECT_EQ(s.kopf[3]->text(), "Mappe");
    EXPECT_EQ(s.lbGesamt->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(s.Line1[0]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // The lists paint their rows with Base and Text.
    for (const vb::ListBox* liste : {s.lfFormat, s.lfCat, s.lfQualität, s.lfMappe}) {
        EXPECT_EQ(liste->palette().color(QPalette::Text), QColor(255, 0, 0)) << liste->objectName().toStdString();
        EXPECT_EQ(liste->palette().color(QPalette::Base), QColor(255, 255, 255)) << liste->objectName().toStdString();
    }

    Statistikkatalog standard;
    EXPECT_EQ(standard.öffnen().kopf[0]->text(), "Formate") << "the plain look keeps the built-in words";
}

TEST(frmStatistik, Screenshot)
{
    const QString ziel = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ziel.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ziel);
    Statistikkatalog k("[Design]\r\nTextFarbe=8388608\r\nBackcolor=16777215\r\nTextFont=DejaVu Sans\r\n"
                       "Label2=Güte\r\nLabel3=Medium\r\nLabel7=Genre\r\n");
    frmStatistik& s = k.öffnen();
    s.show();
    QApplication::processEvents();
    EXPECT_TRUE(s.grab().save(ziel + "/frmStatistik.png"));
}
