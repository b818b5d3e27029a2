// The title list: row layouts, the whole list, filters, views, the combo box
// fills and the re-run of the selection in force.
#include "tests/catalogue/Filmkatalog.h"
#include "tests/support/Kombis.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <sqlite3.h>

using namespace testing_support;

namespace {

QString zeile(std::initializer_list<QString> zellen)
{
    return QStringList(zellen).join(QLatin1Char('\t'));
}

QString b(int n)
{
    return QString(n, QLatin1Char(' '));
}

// The rows of pixels, from the top, that hold ink darker than mid-grey.
std::pair<int, int> tinte(const QImage& bild)
{
    int oben = -1;
    int unten = -1;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (qGray(bild.pixel(x, y)) < 128) {
                if (oben < 0)
                    oben = y;
                unten = y;
                break;
            }
    return {oben, unten};
}

}  // namespace

// Capitals with marks keep them: the row is as tall as the title drawn
// without any clipping, with a free pixel above the marks.
TEST(GanzeListe, ARowShowsTheMarksAboveCapitals)
{
    Filmkatalog k;
    k.ausführen("INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Datum, Cat, AusDatum, "
                "Cover, Size, Unterordner) VALUES ('Åland', 1, 'DVD', '1', 'A', '-', '-', '-', '2025-01-01', "
                "'Drama', '-', '-', '0', '-')");
    frmFilme& f = k.fenster();
    f.show();
    f.c.Alle->click();
    QCoreApplication::processEvents();
    vb::ListBox* liste = f.c.lfListe;
    for (const QString& titel : {QStringLiteral("Öl"), QStringLiteral("Åland")}) {
        const auto treffer = liste->findItems(titel + '\t', Qt::MatchStartsWith);
        ASSERT_EQ(treffer.size(), 1) << titel.toStdString();
        ASSERT_FALSE(treffer[0]->isSelected());
        liste->scrollToItem(treffer[0]);
        const QImage bild = liste->viewport()->grab().toImage();
        const QRect zeile = liste->visualItemRect(treffer[0]);
        ASSERT_TRUE(bild.rect().contains(zeile)) << titel.toStdString();
        const int breite = QFontMetrics(liste->font()).horizontalAdvance(titel) + 4;

        // The same title drawn on a free page.
        QImage frei(breite + 8, zeile.height() * 4, QImage::Format_RGB32);
        frei.fill(Qt::white);
        QPainter maler(&frei);
        maler.setFont(liste->font());
        maler.setPen(Qt::black);
        maler.drawText(QPointF(4, zeile.height() * 2), titel);
        maler.end();
        const auto [freiOben, freiUnten] = tinte(frei);

        const auto [oben, unten] = tinte(bild.copy(zeile.left(), zeile.top(), breite, zeile.height()));
        EXPECT_GE(oben, 1) << titel.toStdString() << ": the marks touch the row above";
        // A pixel's difference is the rounding of the baseline; cut marks lose more.
        EXPECT_GE(unten - oben, freiUnten - freiOben - 1) << titel.toStdString() << ": cut";
    }
}

// A stored title may hold a tab or a line break (a converted Windows catalogue,
// the tools grid): its row shows each cell on one line, as the exports write
// it, so that no column moves; the row still finds its own title.
TEST(GanzeListe, ATitleWithATabOrLineBreakMovesNoColumnAndFindsItsRecord)
{
    Filmkatalog k;
    for (const char* titel : {"Heat\tDirector's Cut", "Zwei\r\nZeilen"})
        k.ausführen("INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Datum, Cat, AusDatum, "
                    "Cover, Size, Unterordner) VALUES (?, 1, 'DVD', '1', 'A', '-', '-', '-', '2025-01-01', 'Dra\tma', "
                    "'-', '-', '0', '-')",
                    {QString::fromUtf8(titel)});
    frmFilme& f = k.fenster();
    f.show();
    f.c.Alle->click();
    vb::ListBox* liste = f.c.lfListe;
    const auto zeileVon = [&](const QString& titel) {
        for (int i = 0; i < liste->count(); ++i)
            if (liste->text(i).startsWith(titel + '\t'))
                return i;
        return -1;
    };
    struct Fall {
        QString titel, gezeigt;
    };
    for (const Fall& fall : {Fall{"Heat\tDirector's Cut", "Heat Director's Cut"}, Fall{"Zwei\r\nZeilen", "Zwei Zeilen"}}) {
        SCOPED_TRACE(fall.gezeigt.toStdString());
        const int zeile = zeileVon(fall.titel);
        ASSERT_GE(zeile, 0) << "the row's text keeps the title as stored";
        const QStringList zellen = liste->shownText(zeile).split('\t');
        ASSERT_EQ(zellen.size(), 6) << liste->shownText(zeile).toStdString();
        EXPECT_EQ(zellen[0], fall.gezeigt);
        EXPECT_EQ(zellen[1], "Dra ma" + b(12));

        liste->setCurrentRow(zeile);
        EXPECT_EQ(f.c.tfTitel->text(), fall.titel) << "the clicked row's own record";
        EXPECT_EQ(liste->currentRow(), zeile) << "and its row stays marked";
    }
    EXPECT_EQ(k.zeilen().size(), liste->count());
    if (const QByteArray ordner = qgetenv("RDX_SCREENSHOTS"); !ordner.isEmpty())
        liste->grab().save(QString::fromUtf8(ordner) + "/frmFilme_Tabtitel.png");
}

struct Zeilenfall {
    const char* name;
    QByteArray cdIni;
    QString titel;
    QString erwartet;  // "" = no rows at all
};

class Zeilenformat : public ::testing::TestWithParam<Zeilenfall> {};

TEST_P(Zeilenformat, CellsAreCutAndPaddedToTheirWidths)
{
    const auto& fall = GetParam();
    Filmkatalog k(fall.cdIni);
    frmFilme& f = k.fenster();
    f.c.Alle->click();
    if (fall.erwartet.isEmpty()) {
        EXPECT_EQ(f.c.lfListe->count(), 0);
        return;
    }
    const QStringList zeilen = k.zeilen().filter(QRegularExpression("^" + QRegularExpression::escape(fall.titel) + "\t"));
    ASSERT_EQ(zeilen.size(), 1);
    EXPECT_EQ(zeilen[0], fall.erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Liste, Zeilenformat,
    ::testing::Values(
        Zeilenfall{"KatFormatWer", "[Funktionen]\r\nSortierung=KF\r\n6tes Feld=W\r\n", "Matrix",
                   zeile({"Matrix", "Science Fi" + b(8), "DVD" + b(11), "1.00", "A" + b(17), "-" + b(14)})},
        Zeilenfall{"FormatKatWer", "[Funktionen]\r\nSortierung=FK\r\n6tes Feld=W\r\n", "Matrix",
                   zeile({"Matrix", "DVD" + b(11), "Science Fi" + b(8), "1.00", "A" + b(17), "-" + b(14)})},
        Zeilenfall{"KatFormatAnzahl", "[Funktionen]\r\nSortierung=KF\r\n6tes Feld=A\r\n", "Matrix",
                   zeile({"Matrix", "Science Fi" + b(8), "DVD" + b(11), "1.00", "A" + b(17), "2" + b(14)})},
        Zeilenfall{"FormatKatAnzahl", "[Funktionen]\r\nSortierung=FK\r\n6tes Feld=A\r\n", "Der Pate",
                   zeile({"Der Pate", "DVD" + b(11), "Krimi" + b(13), "1.00", "C" + b(17), "3" + b(14)})},
        Zeilenfall{"LongBorrowerCutTo15", "", "Matrix 2",
                   zeile({"Matrix 2", "Science Fi" + b(8), "DVD" + b(11), "1.00", "A" + b(17), "Maximilian Must"})},
        Zeilenfall{"ShortQualityPadded", "", "Mask",
                   zeile({"Mask", "Musik" + b(13), "MP3" + b(11), "3   ", "D" + b(17), "-" + b(14)})},
        Zeilenfall{"NullCellsAreEmpty", "[Funktionen]\r\n6tes Feld=A\r\n", "Zorro",
                   zeile({"Zorro", b(18), b(14), b(4), b(18), b(15)})},
        Zeilenfall{"SettingsAreComparedExactly", "[Funktionen]\r\nSortierung=kf\r\n", "", ""}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(GanzeListe, ListsEveryTitelInGermanOrderAndCountsThem)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    EXPECT_EQ(f.c.lbAnzahlF->text(), "14");
    f.przAlleListe();
    EXPECT_EQ(k.titel(), alleTitel()) << "a Null cell does not end the fill";
    EXPECT_EQ(f.c.lbAnzahlSel->text(), "14");
    EXPECT_EQ(f.SortFeld, "Titel");
    f.c.lbAnzahlSel->setText("99");
    f.c.Alle->click();
    EXPECT_EQ(k.titel(), alleTitel());
    EXPECT_EQ(f.c.lbAnzahlSel->text(), "") << "Alle anzeigen leaves the count empty";
}

TEST(GanzeListe, FollowsTheSortOrderAndNeverOrdersByAColumnFilmeLacks)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przSortDatumAb();
    f.c.Alle->click();
    EXPECT_EQ(k.titel(), QStringList({"Aliens", "Alien 3", "Alien", "Ärger im Paradies", "Matrix 2", "Matrix",
                                      "Der Pate", "Film 31", "Film #1", "Mask", "Ocean's Eleven", "Öl", "[Rec]",
                                      "Zorro"}))
        << "newest date first, no date last";

    f.przSortClear();
    f.SortFeld = "Titel2";  // as an older sub-entry list left it
    f.przAlleListe();
    EXPECT_EQ(k.titel(), alleTitel());
}

TEST(GanzeListe, AStatementThatFailsGivesAnEmptyListAndZero)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.przclose();
    f.c.Alle->click();  // the database is opened again
    EXPECT_EQ(f.c.lfListe->count(), 14);
    f.przclose();
    f.przAlleListe();
    EXPECT_EQ(f.c.lfListe->count(), 0);
    EXPECT_EQ(f.c.lbAnzahlSel->text(), "0");
}

TEST(GanzeListe, ACatalogueLockedByAnotherProgramGivesAnEmptyListAndZero)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    sqlite3* andere = nullptr;
    ASSERT_EQ(sqlite3_open(k.folder.file("filme.mdb").toUtf8().constData(), &andere), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(andere, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    f.przAlleListe();
    EXPECT_EQ(f.c.lfListe->count(), 0);
    EXPECT_EQ(f.c.lbAnzahlSel->text(), "0");
    sqlite3_exec(andere, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(andere);
    f.przAlleListe();
    EXPECT_EQ(f.c.lfListe->count(), 14);
}

struct Filterfall {
    const char* name;
    vb::ComboBox* FilmeControls::*box;
    QString wahl;
    QLineEdit* FilmeControls::*versteckt;
    QStringList titel;
};

class Filter : public ::testing::TestWithParam<Filterfall> {};

TEST_P(Filter, ListsTheMatchingTitlesAndRemembersTheChoice)
{
    const auto& fall = GetParam();
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.chkdat->setChecked(true);
    f.c.tfcmbCat->setText("alt");
    wählen(f.c.*fall.box, fall.wahl);
    EXPECT_EQ(k.titel(), fall.titel);
    EXPECT_EQ(f.c.lbAnzahlSel->text(), QString::number(fall.titel.size()));
    EXPECT_EQ(f.FilterWert, fall.wahl);
    EXPECT_EQ(f.ListenWerte, QVariantList({fall.wahl})) << "the value is bound, never joined";
    EXPECT_FALSE(f.ListenSQL.contains(fall.wahl));
    EXPECT_EQ((f.c.*fall.versteckt)->text(), fall.wahl);
    for (QLineEdit* t : {f.c.tfcmbFormat, f.c.tfcmbQualität, f.c.tfcmbMappe, f.c.tfcmbCat, f.c.tfcmbWer}) {
        if (t != f.c.*fall.versteckt) {
            EXPECT_EQ(t->text(), "") << t->objectName().toStdString();
        }
    }
    for (vb::ComboBox* box : {f.c.cmbFormat, f.c.cmbQualität, f.c.cmbMappe, f.c.cmbCat, f.c.cmbWer}) {
        if (box != f.c.*fall.box) {
            EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
        }
    }
    EXPECT_FALSE(f.c.chkdat->isChecked());
    EXPECT_FALSE(f.GanzeListeFlag);
}

INSTANTIATE_TEST_SUITE_P(
    Spalten, Filter,
    ::testing::Values(
        Filterfall{"FormatWithoutRegardToCase", &FilmeControls::cmbFormat, "DVD", &FilmeControls::tfcmbFormat,
                   {"Alien", "Alien 3", "Ärger im Paradies", "Der Pate", "Matrix", "Matrix 2", "Ocean's Eleven"}},
        Filterfall{"QualityAsText", &FilmeControls::cmbQualität, "1.00", &FilmeControls::tfcmbQualität,
                   {"Der Pate", "Matrix", "Matrix 2"}},
        Filterfall{"QualityWithComma", &FilmeControls::cmbQualität, "2,5", &FilmeControls::tfcmbQualität,
                   {"Ärger im Paradies"}},
        Filterfall{"QualityDash", &FilmeControls::cmbQualität, "-", &FilmeControls::tfcmbQualität,
                   {"Film #1", "Film 31"}},
        Filterfall{"FolderWithApostrophe", &FilmeControls::cmbMappe, "Kino's", &FilmeControls::tfcmbMappe,
                   {"Ocean's Eleven"}},
        Filterfall{"FolderUnclosedBracketListsNothing", &FilmeControls::cmbMappe, "[x", &FilmeControls::tfcmbMappe,
                   {}},
        Filterfall{"CategoryWithUmlautsWithoutRegardToCase", &FilmeControls::cmbCat, "Öl", &FilmeControls::tfcmbCat,
                   {"Film 31", "Öl"}},
        Filterfall{"Borrower", &FilmeControls::cmbWer, "Anna", &FilmeControls::tfcmbWer, {"Ocean's Eleven"}},
        Filterfall{"BorrowerFullName", &FilmeControls::cmbWer, "Maximilian Mustermann",
                   &FilmeControls::tfcmbWer, {"Matrix 2"}}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(Filter, ATitleWithAnApostropheGoesThroughEveryFilter)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    const std::pair<vb::ComboBox*, QString> wahlen[] = {
        {f.c.cmbFormat, "DVD"}, {f.c.cmbQualität, "1"}, {f.c.cmbMappe, "Kino's"}, {f.c.cmbCat, "Krimi"},
        {f.c.cmbWer, "Anna"}};
    for (const auto& [box, wahl] : wahlen) {
        wählen(box, wahl);
        EXPECT_TRUE(k.titel().contains("Ocean's Eleven")) << box->objectName().toStdString();
        f.c.lfListe->setCurrentRow(k.titel().indexOf("Ocean's Eleven"));
        EXPECT_EQ(f.c.tfTitel->text(), "Ocean's Eleven");
    }
}

TEST(Filter, AColumnFilterTurnsAnEmptyOrItsOwnSortColumnIntoTitle)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.SortFeld = "Format";
    wählen(f.c.cmbFormat, "PC");
    EXPECT_EQ(f.SortFeld, "Titel");
    f.SortFeld = "Mappe";
    wählen(f.c.cmbFormat, "DVD");
    EXPECT_EQ(f.SortFeld, "Mappe");
    EXPECT_EQ(k.titel().first(), "Alien") << "Mappe A first";
    EXPECT_EQ(k.titel().last(), "Ocean's Eleven") << "Mappe Kino's last";
    EXPECT_EQ(f.c.tfFormat->text(), f.c.cmbFormat1->text());
}

TEST(Kombis, HoldDistinctValuesWithoutRegardToCaseInGermanOrderWithoutNull)
{
    Filmkatalog k("[Funktionen]\r\nAusleiherListe=x\r\n");
    frmFilme& f = k.fenster();
    EXPECT_EQ(einträge(f.c.cmbFormat), QStringList({"Audio", "DVD", "MP3", "PC", "VCD", "XVID"}));
    EXPECT_EQ(einträge(f.c.cmbFormat1), einträge(f.c.cmbFormat));
    EXPECT_EQ(einträge(f.c.cmbCat).filter(QRegularExpression("^[öÖ]l$")).size(), 1);
    EXPECT_EQ(einträge(f.c.cmbQualität), QStringList({"-", "1", "1.00", "2", "2,5", "3", "4"}));
    EXPECT_EQ(einträge(f.c.cmbAnzahl1), QStringList({"1", "2", "3"})) << "numbers as CStr writes them";
    EXPECT_EQ(einträge(f.c.cmbWer), QStringList({"-", "Anna", "Maximilian Mustermann"}));
    EXPECT_EQ(einträge(f.c.cmbWer1), einträge(f.c.cmbWer));
    EXPECT_EQ(einträge(f.c.cmbDten1), QStringList({"-", "dt", "en"}));
    for (vb::ComboBox* box : {f.c.cmbFormat, f.c.cmbWer, f.c.cmbCat})
        EXPECT_EQ(box->currentIndex(), -1) << "a fill selects nothing";
}

TEST(Kombis, TheBorrowerChoiceFollowsAusleiherListe)
{
    {
        Filmkatalog k("[Funktionen]\r\nAusleiherListe=alle\r\n");
        EXPECT_EQ(einträge(k.fenster().c.cmbWer1), QStringList({"Anna", "Bernd", "Carla"}));
        wählen(k.f->c.cmbFormat, "DVD");
        EXPECT_EQ(einträge(k.f->c.cmbWer1), QStringList({"-", "Anna", "Maximilian Mustermann"}))
            << "a filter click refills without the choice";
    }
    {
        Filmkatalog k("[Funktionen]\r\nAusleiherListe=akt\r\n");
        EXPECT_EQ(einträge(k.fenster().c.cmbWer1), QStringList({"-", "Anna", "Maximilian Mustermann"}));
    }
}

TEST(Kombis, AnEmptyCatalogueLeavesEveryBoxEmpty)
{
    Filmkatalog k({}, true);
    frmFilme& f = k.fenster();
    for (vb::ComboBox* box : {f.c.cmbFormat, f.c.cmbQualität, f.c.cmbMappe, f.c.cmbCat, f.c.cmbWer, f.c.cmbAnzahl1})
        EXPECT_EQ(box->count(), 0);
    EXPECT_EQ(f.c.lbAnzahlF->text(), "0");
}

TEST(Ansichten, TheDateViewListsNewestFirstAndTheLentViewByBorrower)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.chkausleih->setChecked(true);
    EXPECT_EQ(k.titel(), QStringList({"Ocean's Eleven", "Matrix 2"})) << "Wer not '-', by borrower";
    f.c.tfcmbFormat->setText("DVD");
    f.c.chkdat->setChecked(true);
    EXPECT_FALSE(f.c.chkausleih->isChecked());
    EXPECT_EQ(k.titel().first(), "Aliens");
    EXPECT_EQ(k.titel().size(), 14);
    EXPECT_EQ(f.c.tfcmbFormat->text(), "") << "the view resets the filter state";
    const QStringList vorher = k.zeilen();
    f.c.chkdat->setChecked(false);
    EXPECT_EQ(k.zeilen(), vorher) << "clearing the box does nothing";
    f.c.optausleih->setChecked(true);
    EXPECT_EQ(k.titel(), QStringList({"Ocean's Eleven", "Matrix 2"}));
}

TEST(Przlesen, RepeatsTheFilterFromItsHiddenBoxAfterARefresh)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    wählen(f.c.cmbQualität, "2,5");
    k.ausführen("UPDATE Filme SET Qualität = '2,5' WHERE Titel = 'Mask'");
    f.przAktualisieren();
    EXPECT_EQ(f.c.cmbQualität->text(), "");
    f.przlesen();
    EXPECT_EQ(k.titel(), QStringList({"Ärger im Paradies", "Mask"}));
}

TEST(Przlesen, RebuildsTheWholeListWhenItWasShown)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.Alle->click();
    k.ausführen("INSERT INTO Filme (Titel, Format) VALUES ('Brazil', 'DVD')");
    k.ausführen("DELETE FROM Filme WHERE Titel = 'Mask'");
    f.przAktualisieren();
    f.przlesen();
    QStringList erwartet = alleTitel();
    erwartet.removeAll("Mask");
    erwartet.insert(erwartet.indexOf("Der Pate"), "Brazil");
    EXPECT_EQ(k.titel(), erwartet);
}

TEST(Przlesen, LeavesAListThatIsNoSelectionAloneAndRunsTheViewOfItsBox)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przÜberfälligeAusleihen();
    const QStringList vorher = k.zeilen();
    f.przlesen();
    EXPECT_EQ(k.zeilen(), vorher);

    f.c.chkdat->setChecked(true);
    k.ausführen("UPDATE Filme SET Datum = '2026-12-01' WHERE Titel = 'Zorro'");
    f.przlesen();
    EXPECT_EQ(k.titel().first(), "Zorro");
}

TEST(Przlesen, AFilledComboBoxWinsAndHiddenBoxesAllRun)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.tfcmbFormat->setText("DVD");
    f.c.tfcmbMappe->setText("A");
    f.przlesen();
    EXPECT_EQ(k.titel(), QStringList({"Alien", "Alien 3", "Matrix", "Matrix 2"})) << "the last filter's list stays";
    f.c.cmbCat->setText("Krimi");
    f.przlesen();
    EXPECT_EQ(k.titel(), QStringList({"Der Pate", "Ocean's Eleven"})) << "a chosen filter ends the column tests";
}

TEST(UeberfaelligeAusleihen, TheCutOffIsABoundDate)
{
    Filmkatalog k("[Funktionen]\r\nErinnerungsintervall=14\r\n");
    frmFilme& f = k.fenster();
    f.przÜberfälligeAusleihen();
    EXPECT_EQ(f.ListenWerte, QVariantList({"2026-11-25"}));
    EXPECT_FALSE(f.ListenSQL.contains("2026"));
    EXPECT_EQ(k.zeilen(), QStringList({"Ocean's Eleven\tAnna" + b(11) + "\t05.03.2026\t"}));
}
