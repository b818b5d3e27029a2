// The lending statistics window: its lists and totals in both orders, the
// order key it writes back, the empty log, the delete and the workbook (read
// back by python3-xlrd).
#include "lending/frmStatistikAusleihe.h"

#include "platform/ini/IniFile.h"
#include "platform/vb/VbControls.h"
#include "reports/ExcelAusgabe.h"
#include "tests/lending/Ausleihkatalog.h"
#include "tests/platform/xls/XlsLeser.h"
#include "tests/support/RohSqlite.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;

namespace {

// Besides the fixture's three rows: another spelling of "Alien" and "BERND",
// and a title that looks like a number.
void mehrLog(const Ausleihkatalog& k)
{
    k.ausführen("INSERT INTO Ausleihe VALUES ('alien', 'BERND', '03.03.2025', '04.03.2025'), "
                "('1984', 'Carla', '05.05.2025', Null)");
}

frmStatistikAusleihe* öffnen(Ausleihkatalog& k)
{
    return frmStatistikAusleihe::zeigen(k.fake.services, k.haupt);
}

// The rows of a list, lower-cased: which spelling of a group shows is not fixed.
QStringList zeilen(const vb::ListBox* liste)
{
    QStringList z;
    for (int i = 0; i < liste->count(); ++i)
        z << liste->item(i)->text().toLower();
    return z;
}

QString sortierung(const Ausleihkatalog& k)
{
    return ini::IniFile(k.folder.file("Cd.ini")).read("Statistik", "Sortierung");
}

QStringList tabellen(const Ausleihkatalog& k)
{
    QStringList t;
    for (const auto& z : roh(k.pfad(), "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"))
        t << z[0];
    return t;
}

const ShownMessage& letzte(const Ausleihkatalog& k)
{
    return k.fake.messages.shown.back();
}

void schliessen(frmStatistikAusleihe* f)
{
    if (f)
        f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

TEST(frmStatistikAusleihe, ListsAndTotalsByValueAndByCount)
{
    Ausleihkatalog k;
    mehrLog(k);
    frmStatistikAusleihe* f = öffnen(k);
    ASSERT_TRUE(f);
    EXPECT_TRUE(k.fake.messages.shown.empty());
    EXPECT_TRUE(f->optWert->isChecked());
    EXPECT_EQ(sortierung(k), "Wert") << "an empty key is written back";
    EXPECT_EQ(zeilen(f->lfAusleihe), (QStringList{"1984\t1", "alien\t2", "aliens\t1", "der pate\t1"}));
    EXPECT_EQ(zeilen(f->lfWer), (QStringList{"bernd\t3", "carla\t2"}));
    EXPECT_EQ(zeilen(f->lfAusleiheMappe), (QStringList{"a\t2", "b\t1"})) << "titles out now, Null borrower left out";
    EXPECT_EQ(f->lbAusleiheZahlen->text(), "5");
    EXPECT_EQ(f->lbAusleiheMappe->text(), "3");
    EXPECT_EQ(f->lfAusleihe->tabStops(), std::vector<int>{165});
    EXPECT_EQ(f->lfWer->tabStops(), std::vector<int>{70});
    EXPECT_EQ(f->lfAusleiheMappe->tabStops(), std::vector<int>{80});

    f->optAnzahl->click();
    EXPECT_EQ(sortierung(k), "Anzahl");
    EXPECT_EQ(zeilen(f->lfAusleihe).first(), "alien\t2");
    EXPECT_EQ(zeilen(f->lfAusleihe).size(), 4);
    EXPECT_EQ(zeilen(f->lfWer), (QStringList{"bernd\t3", "carla\t2"}));
    EXPECT_EQ(zeilen(f->lfAusleiheMappe), (QStringList{"a\t2", "b\t1"}));
    EXPECT_EQ(roh(k.pfad(), "SELECT count(*) FROM AusleiheZahlen WHERE Titel = 'Alien' OR Titel = 'alien'"),
              (std::vector<QStringList>{{"1"}}));
    schliessen(f);

    f = öffnen(k);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->optAnzahl->isChecked()) << "the stored order is chosen at load";
    EXPECT_EQ(zeilen(f->lfWer), (QStringList{"bernd\t3", "carla\t2"}));
    schliessen(f);
}

TEST(frmStatistikAusleihe, AnUnknownOrderIsNeverJoinedIntoTheStatement)
{
    Ausleihkatalog k("[Statistik]\r\nSortierung=Titel; DROP TABLE Filme\r\n");
    mehrLog(k);
    frmStatistikAusleihe* f = öffnen(k);
    ASSERT_TRUE(f);
    EXPECT_FALSE(f->optWert->isChecked());
    EXPECT_FALSE(f->optAnzahl->isChecked());
    EXPECT_EQ(zeilen(f->lfAusleihe).size(), 4) << "filled in table order";
    EXPECT_EQ(zeilen(f->lfWer).size(), 2);
    EXPECT_TRUE(tabellen(k).contains("Filme"));
    EXPECT_EQ(sortierung(k), "Titel; DROP TABLE Filme");
    schliessen(f);
}

TEST(frmStatistikAusleihe, ATotalAbove32767ShowsInFull)
{
    Ausleihkatalog k;
    k.ausführen("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
                "INSERT INTO Ausleihe (Titel, Wer, AusDT, EinDT) SELECT 'Massen', 'X', '01.01.2020', '02.01.2020' "
                "FROM n");
    frmStatistikAusleihe* f = öffnen(k);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->lbAusleiheZahlen->text(), "40003");
    schliessen(f);
}

struct Leerfall {
    const char* name;
    const char* sql;
};

class LeeresLog : public ::testing::TestWithParam<Leerfall> {};

TEST_P(LeeresLog, SchliesstDasFensterBevorEsErscheint)
{
    Ausleihkatalog k;
    k.ausführen(QString::fromUtf8(GetParam().sql));
    EXPECT_EQ(öffnen(k), nullptr);
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, "Noch keine Daten hinterlegt oder Daten gelöscht - Fenster wird geschlossen");
    EXPECT_EQ(letzte(k).title, "Keine Daten!");
    EXPECT_EQ(letzte(k).flags, sys::mb::Critical);
    EXPECT_EQ(sortierung(k), "Wert");
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == "frmStatistikAusleihe" && w->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Fälle, LeeresLog,
                         ::testing::Values(Leerfall{"KeineZeile", "DELETE FROM Ausleihe"},
                                           Leerfall{"ErsteZeileOhneTitel", "UPDATE Ausleihe SET Titel = '' "
                                                                           "WHERE rowid = 1"},
                                           Leerfall{"KeineTabelle", "DROP TABLE Ausleihe"}),
                         [](const auto& fall) { return std::string(fall.param.name); });

TEST(frmStatistikAusleihe, AMissingCatalogueIsReported)
{
    Ausleihkatalog k;
    k.folder.write("Cd.ini", "[DB]\r\nDB Name0=fehlt\r\n");
    EXPECT_EQ(öffnen(k), nullptr);
    ASSERT_FALSE(k.fake.messages.shown.empty());
    EXPECT_TRUE(letzte(k).prompt.startsWith("Die Datenbank \"" + k.folder.file("fehlt.mdb")));
    EXPECT_EQ(letzte(k).flags, sys::mb::Critical);
}

struct Löschfall {
    const char* name;
    int erste, zweite;  // the answers
    bool scheitert;     // a trigger refuses the delete
    bool gelöscht;
};

class Löschen : public ::testing::TestWithParam<Löschfall> {};

TEST_P(Löschen, NurMitZweimalJaUndGanzOderGarNicht)
{
    const Löschfall& fall = GetParam();
    Ausleihkatalog k;
    if (fall.scheitert)
        k.ausführen("CREATE TRIGGER nein BEFORE DELETE ON Ausleihe BEGIN SELECT RAISE(ABORT, 'nein'); END");
    const auto log = k.log();
    const auto filme = k.filme();
    QPointer<frmStatistikAusleihe> f = öffnen(k);
    ASSERT_TRUE(f);
    k.fake.messages.answer(fall.erste);
    if (fall.erste == sys::mb::Yes)
        k.fake.messages.answer(fall.zweite);
    f->cmdDatenlöschen->click();
    EXPECT_EQ(k.fake.messages.shown[0].prompt, "Wollen Sie die Daten löschen?");
    EXPECT_EQ(k.fake.messages.shown[0].title, "Daten löschen");
    EXPECT_EQ(k.filme(), filme) << "the lent marks stay";
    if (fall.gelöscht) {
        EXPECT_EQ(letzte(k).prompt, "Daten wurden gelöscht");
        EXPECT_EQ(letzte(k).title, "Daten gelöscht");
        EXPECT_EQ(letzte(k).flags, sys::mb::OkOnly);
        EXPECT_TRUE(k.log().empty());
        EXPECT_EQ(tabellen(k), (QStringList{"Ausleihe", "AusleiheMappe", "Filme", "Unterordner", "Version"}));
        EXPECT_EQ(roh(k.pfad(), "SELECT count(*) FROM pragma_table_info('Ausleihe')"),
                  (std::vector<QStringList>{{"4"}}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(f) << "the window closed";
        k.fake.messages.shown.clear();
        EXPECT_EQ(öffnen(k), nullptr);
        EXPECT_EQ(letzte(k).title, "Keine Daten!");
    } else {
        EXPECT_EQ(k.log(), log);
        EXPECT_TRUE(tabellen(k).contains("AusleiheZahlen"));
        if (fall.scheitert) {
            EXPECT_EQ(letzte(k).prompt, "Die Daten konnten nicht gelöscht werden. Es wurde nichts gelöscht.");
            EXPECT_EQ(letzte(k).title, "Daten löschen");
            EXPECT_EQ(letzte(k).flags, sys::mb::Critical);
        } else {
            EXPECT_EQ(k.fake.messages.shown.size(), fall.erste == sys::mb::Yes ? 2u : 1u);
        }
        EXPECT_TRUE(f && f->isVisible());
        schliessen(f);
    }
    EXPECT_EQ(k.integrität(), "ok");
}

INSTANTIATE_TEST_SUITE_P(Fälle, Löschen,
                         ::testing::Values(Löschfall{"JaJa", sys::mb::Yes, sys::mb::Yes, false, true},
                                           Löschfall{"Nein", sys::mb::No, 0, false, false},
                                           Löschfall{"JaNein", sys::mb::Yes, sys::mb::No, false, false},
                                           Löschfall{"JaJaScheitert", sys::mb::Yes, sys::mb::Yes, true, false}),
                         [](const auto& fall) { return std::string(fall.param.name); });

TEST(frmStatistikAusleihe, TheWorkbookHoldsTheThreeGroupsBetweenTwoNewRows)
{
    Ausleihkatalog k;
    mehrLog(k);
    frmStatistikAusleihe* f = öffnen(k);
    ASSERT_TRUE(f);
    f->cmdStatistikExcell->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, reports::ExcelAusgabe::bestaetigung("StatistikAusleihe.xls"));
    EXPECT_EQ(letzte(k).title, "Excel Ausgabe");
    EXPECT_EQ(letzte(k).flags, sys::mb::Information);
    const XlsMappe mappe = xlsLesen(k.folder.file("StatistikAusleihe.xls"));
    ASSERT_TRUE(mappe.gelesen) << mappe.fehler.toStdString();
    ASSERT_EQ(mappe.blaetter.size(), 1u);
    EXPECT_EQ(mappe.blaetter[0].name, "cds");
    const auto& z = mappe.blaetter[0].zeilen;
    ASSERT_EQ(z.size(), 11u);
    EXPECT_EQ(z[0], (QStringList{"s:Titel", "s:Anzahl"}));
    EXPECT_EQ(z[1][1], "n:2") << "the titles by count, highest first";
    QStringList titel;
    for (int i = 1; i <= 4; ++i)
        titel << z[std::size_t(i)][0].toLower() + "|" + z[std::size_t(i)][1];
    titel.sort();
    EXPECT_EQ(titel, (QStringList{"s:1984|n:1", "s:aliens|n:1", "s:alien|n:2", "s:der pate|n:1"}));
    EXPECT_EQ(z[5], (QStringList{"s:NeueZeile", ""}));
    EXPECT_EQ(z[6][0].toLower(), "s:bernd");
    EXPECT_EQ(z[6][1], "n:3");
    EXPECT_EQ(z[7], (QStringList{"s:Carla", "n:2"}));
    EXPECT_EQ(z[8], (QStringList{"s:NeueZeile", ""}));
    EXPECT_EQ(z[9], (QStringList{"s:A", "n:2"}));
    EXPECT_EQ(z[10], (QStringList{"s:B", "n:1"}));
    schliessen(f);
}

TEST(frmStatistikAusleihe, AWorkbookThatCannotBeWrittenIsReportedAndTheOldOneStays)
{
    Ausleihkatalog k;
    // A folder of that name: no file can take its place.
    ASSERT_TRUE(QDir(k.folder.path()).mkpath("StatistikAusleihe.xls/alt"));
    frmStatistikAusleihe* f = öffnen(k);
    ASSERT_TRUE(f);
    f->cmdStatistikExcell->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(letzte(k).prompt.startsWith("Die Excel Datei 'StatistikAusleihe.xls' konnte nicht geschrieben werden.\n\n"))
        << letzte(k).prompt.toStdString();
    EXPECT_TRUE(letzte(k).prompt.endsWith("\n\nUnter diesem Namen steht ein Ordner.")) << "the reason, in German";
    EXPECT_EQ(letzte(k).title, "Excel Ausgabe");
    EXPECT_EQ(letzte(k).flags, sys::mb::Critical);
    EXPECT_TRUE(QDir(k.folder.file("StatistikAusleihe.xls/alt")).exists());
    schliessen(f);
}

TEST(frmStatistikAusleihe, TextsOfTheLanguageFileAndTheFieldWord)
{
    Ausleihkatalog k("[Design]\r\nSprache=test.lng\r\nLabel1=Ordner\r\n");
    k.folder.write("test.lng", "[Statistik Ausleihe]\r\nCaption=Verleih\r\nLabel2=Mal\r\nOpt2=Anzahl\r\n");
    frmStatistikAusleihe* f = öffnen(k);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), "Verleih");
    for (int i : {2, 4, 5})
        EXPECT_EQ(f->Label(i)->text(), "Mal");
    EXPECT_EQ(f->optAnzahl->text(), "Anzahl");
    EXPECT_EQ(f->Label(6)->text(), "") << "the file's missing Label4 replaces the field word";
    EXPECT_EQ(f->cmdOK->text(), "");
    schliessen(f);

    Ausleihkatalog ohne("[Design]\r\nLabel1=Ordner\r\n");
    f = öffnen(ohne);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Label(6)->text(), "Ordner");
    EXPECT_EQ(f->Label(8)->text(), "Gesamtanzahl ausgeliehener Titel bisher:");
    EXPECT_EQ(f->cmdOK->text(), "&OK");
    schliessen(f);
}

// Whether any pixel of the picture has exactly this colour.
bool hatPixel(const QImage& bild, const QColor& farbe)
{
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (bild.pixelColor(x, y).rgb() == farbe.rgb())
                return true;
    return false;
}

// The lists paint their inside with the user's colours, not white and black.
TEST(frmStatistikAusleihe, TheListsTakeTheUsersBackgroundAndTextColour)
{
    Ausleihkatalog k("[Design]\r\nTextFarbe=255\r\nBackcolor=8421376\r\n");
    frmStatistikAusleihe* f = öffnen(k);
    ASSERT_TRUE(f);
    f->show();
    QCoreApplication::processEvents();
    const QColor text(255, 0, 0);
    const QColor hinten(0, 128, 128);
    for (const vb::ListBox* liste : {f->lfAusleihe, f->lfWer, f->lfAusleiheMappe}) {
        ASSERT_GT(liste->count(), 0);
        const QImage bild = liste->viewport()->grab().toImage();
        EXPECT_EQ(bild.pixelColor(bild.width() - 2, bild.height() - 2), hinten)
            << liste->objectName().toStdString() << ": below the rows";
        const QRect zeile = liste->visualItemRect(liste->item(0));
        EXPECT_TRUE(hatPixel(bild.copy(zeile), text)) << liste->objectName().toStdString() << ": the row's text";
        EXPECT_FALSE(hatPixel(bild.copy(zeile), Qt::white)) << liste->objectName().toStdString();
    }
    schliessen(f);
}

// For a look by eye: RDX_SCREENSHOTS names a folder.
TEST(frmStatistikAusleihe, Screenshot)
{
    const QString ordner = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ordner.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ordner);
    Ausleihkatalog k("[Design]\r\nLabel1=Mappe\r\nTextFarbe=8388608\r\nBackcolor=16777215\r\n");
    mehrLog(k);
    frmStatistikAusleihe* f = öffnen(k);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->grab().save(ordner + "/frmStatistikAusleihe.png"));
    schliessen(f);
}
