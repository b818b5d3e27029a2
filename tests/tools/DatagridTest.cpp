// The grid view of table Filme and its model.
#include "platform/vb/Formular.h"
#include "tests/frame/Katalogfixture.h"
#include "tests/tools/ToolsFixture.h"
#include "tools/FilmeModell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QString text(const FilmeModell& m, int zeile, int spalte)
{
    return m.data(m.index(zeile, spalte)).toString();
}

TEST(FilmeModell, ShowsTitlesInGermanOrderWithTheirCellTexts)
{
    TempFolder t;
    const QString pfad = t.file("filme.mdb");
    {
        auto db = katalogAnlegen(pfad, QStringLiteral("1.4.1"));
        db->execute("INSERT INTO Filme (Titel, Anzahl, Datum) VALUES ('Apfel', 2.5, '2026-12-09')");
        db->execute("INSERT INTO Filme (Titel) VALUES ('Birne')");
    }
    FilmeModell m(std::shared_ptr<db::Database>(db::Database::open(pfad)));
    ASSERT_EQ(m.rowCount(), 5);
    EXPECT_EQ(m.columnCount(), 14);
    QStringList titel;
    for (int z = 0; z < m.rowCount(); ++z)
        titel << text(m, z, 0);
    EXPECT_EQ(titel, (QStringList{"Apfel", "Ärger im Paradies", "Birne", "Matrix", "Ocean's Eleven"}));
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Titel"));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Anzahl"));
    EXPECT_EQ(m.headerData(8, Qt::Horizontal).toString(), QStringLiteral("Datum"));
    EXPECT_EQ(text(m, 0, 1), QStringLiteral("2,5"));
    EXPECT_EQ(text(m, 3, 1), QStringLiteral("3"));
    EXPECT_EQ(text(m, 0, 8), QStringLiteral("09.12.2026"));
    EXPECT_EQ(text(m, 2, 1), QString()) << "Null shows nothing";
    EXPECT_EQ(text(m, 2, 2), QString());
    const Qt::ItemFlags flags = m.flags(m.index(0, 0));
    EXPECT_FALSE(flags & Qt::ItemIsEditable);
    EXPECT_TRUE(flags & Qt::ItemIsSelectable);
    EXPECT_FALSE(m.setData(m.index(0, 0), QStringLiteral("x")));
}

TEST(FilmeModell, ReadsPagesOnDemandAndKeepsOnlyAFew)
{
    TempFolder t;
    const QString pfad = t.file("filme.mdb");
    const int n = FilmeModell::SeitenGroesse * (FilmeModell::BehalteneSeiten + 4) + 7;
    {
        auto db = katalogAnlegen(pfad, QStringLiteral("1.4.1"));
        db->execute("DELETE FROM Filme");
        db::Database::Transaction tr(*db);
        for (int i = 0; i < n; ++i)
            db->execute("INSERT INTO Filme (Titel) VALUES (?)", {QStringLiteral("T%1").arg(i, 6, 10, QLatin1Char('0'))});
        tr.commit();
    }
    FilmeModell m(std::shared_ptr<db::Database>(db::Database::open(pfad)));
    ASSERT_EQ(m.rowCount(), n);
    EXPECT_EQ(m.gelesenSeiten(), 0) << "nothing is read before it is shown";
    EXPECT_EQ(text(m, n - 1, 0), QStringLiteral("T%1").arg(n - 1, 6, 10, QLatin1Char('0')));
    for (int z = 0; z < n; ++z)
        ASSERT_EQ(text(m, z, 0), QStringLiteral("T%1").arg(z, 6, 10, QLatin1Char('0'))) << z;
    EXPECT_LE(m.gehalteneSeiten(), FilmeModell::BehalteneSeiten);
    EXPECT_EQ(m.gelesenSeiten(), (n + FilmeModell::SeitenGroesse - 1) / FilmeModell::SeitenGroesse + 1);
}

struct Breiten {
    const char* name;
    QString version;
    frame::schema::Herkunft herkunft;
    int spalten;
};

void PrintTo(const Breiten& b, std::ostream* os)
{
    *os << b.name;
}

class GridBreiten : public testing::TestWithParam<Breiten> {};

TEST_P(GridBreiten, SetsTheWidthOfEachPositionThatExists)
{
    const Breiten& b = GetParam();
    Programmordner o;
    katalogAnlegen(o.folder.file("filme.mdb"), b.version, b.herkunft);
    auto f = o.starten();
    wählen(f->cmbDBU, QStringLiteral("filme"));
    f->cmdDBAnsicht->click();
    ASSERT_NE(f->datagrid(), nullptr);
    Datagrid* grid = f->datagrid();
    EXPECT_TRUE(grid->isVisible());
    EXPECT_EQ(grid->windowTitle(), QStringLiteral("Tabellen-Ansicht"));
    ASSERT_EQ(grid->DataGrid1->model()->columnCount(), b.spalten);
    const int twips[] = {2500, 800, 800, 800, 800, 1000, 1000, 1000, 1000, 1000, 1000, 2400, 800};
    for (int s = 0; s < b.spalten; ++s) {
        if (s == 8)  // the date column is at least as wide as a whole date
            EXPECT_GE(grid->DataGrid1->columnWidth(s),
                      std::max(vb::pixel(twips[s]),
                               grid->DataGrid1->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000"))))
                << s;
        else if (s < 13)
            EXPECT_EQ(grid->DataGrid1->columnWidth(s), vb::pixel(twips[s])) << s;
        else
            EXPECT_EQ(grid->DataGrid1->columnWidth(s), grid->DataGrid1->horizontalHeader()->defaultSectionSize());
    }
    EXPECT_TRUE(o.fake.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Tabellen, GridBreiten,
                         testing::Values(Breiten{"VonToolsErstellt", "1.1.6", frame::schema::Herkunft::Tools, 12},
                                         Breiten{"Aktuell", "1.4.1", frame::schema::Herkunft::Hauptprogramm, 14}),
                         [](const testing::TestParamInfo<Breiten>& fall) { return std::string(fall.param.name); });

TEST(Datagrid, WithoutAUsableCatalogueSaysSoAndToolsGoesOn)
{
    Programmordner o;
    auto f = o.starten();
    f->cmdDBAnsicht->click();
    ASSERT_EQ(o.fake.messages.prompts(), QStringList{"Bitte erst eine Datenbank wählen!"});
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Datenbank wählen"));
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Critical);
    EXPECT_EQ(f->datagrid(), nullptr);
    EXPECT_EQ(o.dateien(), QStringList{"Cd.ini"}) << "no file is created";

    o.fake.messages.shown.clear();
    o.folder.write("filme.mdb", "Standard Jet DB\n");
    wählen(f->cmbDBU, QStringLiteral("filme"));
    f->cmdDBAnsicht->click();
    ASSERT_EQ(o.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(o.fake.messages.shown[0].prompt.contains(o.folder.file("filme.mdb")));
    EXPECT_EQ(f->datagrid(), nullptr);
    EXPECT_FALSE(f->hatGridverbindung());
}

TEST(Datagrid, ASecondClickShowsTheNewChoiceInTheOpenWindow)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n");
    o.katalog("filme");
    {
        auto db = katalogAnlegen(o.folder.file("musik.mdb"), QStringLiteral("1.1.6"), frame::schema::Herkunft::Tools);
        db->execute("DELETE FROM Filme");
    }
    auto f = o.starten();
    wählen(f->cmbDBU, QStringLiteral("filme"));
    f->cmdDBAnsicht->click();
    Datagrid* grid = f->datagrid();
    ASSERT_EQ(grid->DataGrid1->model()->rowCount(), 3);
    wählen(f->cmbDBU, QStringLiteral("musik"));
    f->cmdDBAnsicht->click();
    EXPECT_EQ(f->datagrid(), grid);
    EXPECT_EQ(grid->DataGrid1->model()->rowCount(), 0);
    EXPECT_EQ(grid->DataGrid1->model()->columnCount(), 12);
    EXPECT_FALSE(QFile::exists(o.folder.file("filme.ldb"))) << "the previous connection is gone";
    EXPECT_TRUE(QFile::exists(o.folder.file("musik.ldb")));

    // The connection goes with the window, at once.
    grid->close();
    EXPECT_FALSE(f->hatGridverbindung());
    EXPECT_FALSE(QFile::exists(o.folder.file("musik.ldb")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f->datagrid(), nullptr);
}

// Screenshots of the windows for a look by eye: RDX_SCREENSHOTS names a folder.
TEST(Datagrid, Screenshots)
{
    const QString ziel = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ziel.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ziel);
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n[Design]\r\nDefault=1\r\nBackcolor=16777215\r\n"
                     "TextFarbe=8388608\r\n");
    o.katalog("filme");
    auto f = o.starten();
    f->show();
    f->grab().save(ziel + "/frmTools.png");
    wählen(f->cmbDBU, QStringLiteral("filme"));
    f->cmdDBAnsicht->click();
    f->datagrid()->grab().save(ziel + "/Datagrid.png");
    f->cmdCreateDB->click();
    f->neuDB()->grab().save(ziel + "/frmNeuDB.png");

    Programmordner standard("[DB]\r\nDB Name0=filme\r\n[Design]\r\nDefault=0\r\n");
    auto g = standard.starten();
    g->show();
    g->grab().save(ziel + "/frmTools_Standard.png");
}

}  // namespace
