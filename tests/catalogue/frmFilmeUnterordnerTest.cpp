// Sub-entries through the main window: the listing, a new one, an edit, a
// delete, and that the buttons act only on the sub-entry on display.
#include "tests/catalogue/Bearbeitung.h"

#include <QTextEdit>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QStringList namen2(const frmFilme& f)
{
    QStringList n;
    for (int i = 0; i < f.c.lfListe2->count(); ++i)
        n << f.c.lfListe2->item(i)->text().section(QLatin1Char('\t'), 0, 0);
    return n;
}

// Shows the title and lists its sub-entries.
frmFilme& auflisten(Filmkatalog& k, const QString& titel)
{
    frmFilme& f = k.fenster();
    f.przAlleListe();
    titelKlicken(k, titel);
    f.c.cmdUnterordner->click();
    return f;
}

void unterKlicken(frmFilme& f, const QString& name)
{
    const int zeile = namen2(f).indexOf(name);
    ASSERT_GE(zeile, 0) << name.toStdString();
    f.c.lfListe2->setCurrentRow(zeile);
}

}  // namespace

TEST(Unterordnerliste, ListsTheTitlesSubEntriesAndCountsWhatItLists)
{
    Filmkatalog k;
    k.ausführen("INSERT INTO Filme (Titel, Unterordner) VALUES ('Sommer', '1'), ('Sommerfest', '1')");
    k.ausführen("INSERT INTO Unterordner (Titel, Titel2, Format) VALUES ('Sommer', 's3', 'A'), ('Sommer', 's1', 'C'), "
                "('Sommer', 's2', 'B'), ('Sommerfest', 'f1', 'A'), ('Sommerfest', 'f2', 'A')");
    frmFilme& f = zeigen(k, "Sommer");
    f.SortFeld.clear();
    f.c.cmdUnterordner->click();
    EXPECT_EQ(namen2(f), QStringList({"s1", "s2", "s3"}));
    EXPECT_EQ(f.c.lbAnzahlSel->text(), "3") << "the list's own condition, not every title that contains it";
    EXPECT_EQ(f.UnterordnerListeFlag, "1");
    EXPECT_EQ(f.UnterordnerTitel, "Sommer");
    EXPECT_TRUE(f.c.cmdUnterordner->isHidden());
    EXPECT_FALSE(f.c.cmdUnterordnerzurück->isHidden());
    EXPECT_TRUE(f.SortFeld.isEmpty()) << "the sub-entry order stays local";

    f.SortFeld = "Format";
    f.c.cmdUnterordnerzurück->click();
    f.c.cmdUnterordner->click();
    EXPECT_EQ(namen2(f), QStringList({"s3", "s2", "s1"}));
    f.SortFeld = "Datum DESC";
    f.c.cmdUnterordnerzurück->click();
    f.c.cmdUnterordner->click();
    EXPECT_EQ(namen2(f), QStringList({"s1", "s2", "s3"})) << "a sort column the sub-entries lack is left out";
    EXPECT_TRUE(k.fake.messages.shown.empty());
}

TEST(Unterordnerliste, BackShowsTheParentAndCountsZero)
{
    Filmkatalog k;
    frmFilme& f = auflisten(k, "Matrix");
    unterKlicken(f, "Matrix Teil 2");
    EXPECT_EQ(f.c.tfTitel->text(), "Matrix Teil 2");
    f.c.cmdUnterordnerzurück->click();
    EXPECT_EQ(f.c.tfTitel->text(), "Matrix");
    EXPECT_EQ(f.c.lbAnzahlSel->text(), "0");
    EXPECT_TRUE(f.UnterordnerTitel.isEmpty());
    EXPECT_TRUE(f.c.lfListe2->isHidden());
}

TEST(NeuerUnterordner, TakesTheParentsFolderAndFlagsTheParent)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien");
    f.c.cmdNeu2->click();
    EXPECT_EQ(f.c.tfTitel->text(), "Alien") << "the title field keeps the parent";
    EXPECT_TRUE(f.c.cmdSpeichern2->isEnabled());
    f.c.tfTitel->setText("Alien Extras");
    f.c.tfFormat->setText("VCD");
    f.c.cmdSpeichern2->click();
    ASSERT_FALSE(k.fake.messages.shown.empty());
    EXPECT_EQ(k.fake.messages.shown.back().prompt, "'Alien Extras' wurde gespeichert!");
    EXPECT_EQ(k.fake.messages.shown.back().title, "Speichern");
    const auto zeile = roh(k.folder.file("filme.mdb"),
                           "SELECT Titel, Format, Qualität, Mappe, Wer, Cat, Dten, Info, Size, Cover, Anzahl "
                           "FROM Unterordner WHERE Titel2 = 'Alien Extras'");
    ASSERT_EQ(zeile.size(), 1u);
    EXPECT_EQ(zeile[0], QStringList({"Alien", "VCD", "-", "A", "-", "-", "-", "-", "0", "-", "<null>"}));
    EXPECT_EQ(spalte(k, "Filme", "Unterordner", "Alien"), "1");
    EXPECT_EQ(f.c.tfTitel->text(), "Alien") << "back to the parent";
    EXPECT_TRUE(f.UnterordnerTitel.isEmpty());
    EXPECT_EQ(integrität(k), "ok");
}

TEST(NeuerUnterordner, ATakenNameOrNoParentStoresNothing)
{
    Filmkatalog k;
    const auto vorher = katalogInhalt(k);
    frmFilme& f = zeigen(k, "Aliens");
    f.c.cmdNeu2->click();
    f.c.tfTitel->setText("matrix teil 1");
    f.c.cmdSpeichern2->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    erwarteVerweigert(k, "matrix teil 1", "Speichern", vorher);
    EXPECT_EQ(f.c.tfTitel->text(), "matrix teil 1");

    f.UnterordnerTitel.clear();
    f.c.tfTitel->setText("Waise");
    f.c.cmdSpeichern2->click();
    EXPECT_EQ(k.fake.messages.shown.back().prompt, "Kein Titel eingegeben!");
    EXPECT_EQ(katalogInhalt(k), vorher) << "no row without a parent, no flag on another title";
}

TEST(Unterordnereditieren, RenamesTheSubEntryOnDisplayAndListsAgain)
{
    Filmkatalog k;
    frmFilme& f = auflisten(k, "Matrix");
    unterKlicken(f, "Matrix Teil 2");
    f.c.tfTitel->setText("Teil Zwei");
    f.c.tfFormat->setText("VCD");
    f.c.tfInfo->clear();
    f.c.cmdEditieren2->click();
    ASSERT_FALSE(k.fake.messages.shown.empty());
    EXPECT_EQ(k.fake.messages.shown.back().prompt, "Matrix wurde editiert!");
    EXPECT_EQ(k.fake.messages.shown.back().title, "Editieren");
    const auto zeile = roh(k.folder.file("filme.mdb"),
                           "SELECT Titel, Format, Info, Cover, Mappe FROM Unterordner WHERE Titel2 = 'Teil Zwei'");
    ASSERT_EQ(zeile.size(), 1u);
    EXPECT_EQ(zeile[0], QStringList({"Matrix", "VCD", "-", "teil2.jpg", "<null>"}));
    EXPECT_EQ(namen2(f), QStringList({"Matrix Teil 1", "Teil Zwei"})) << "the list is shown again";
    EXPECT_TRUE(f.UnterordnerTitel.isEmpty());
    EXPECT_EQ(integrität(k), "ok");

    // A name another sub-entry has is refused, and the row keeps its own.
    unterKlicken(f, "Teil Zwei");
    const auto vorher = katalogInhalt(k);
    f.c.tfTitel->setText("MATRIX TEIL 1");
    f.c.cmdEditieren2->click();
    erwarteVerweigert(k, "Matrix", "Fehler", vorher);
}

TEST(Unterordnereditieren, AfterARelistingNeitherEditNorDeleteTouchesARow)
{
    Filmkatalog k;
    frmFilme& f = auflisten(k, "Matrix");
    unterKlicken(f, "Matrix Teil 2");
    f.c.tfTitel->setText("Teil Zwei");
    f.c.cmdEditieren2->click();
    const auto vorher = katalogInhalt(k);
    const size_t meldungen = k.fake.messages.shown.size();
    // The panel shows the parent now; the recordset stands on the table's first row.
    f.c.tfTitel->setText("Matrix Teil 1");
    f.c.cmdEditieren2->click();
    f.c.cmdLöschen2->click();
    EXPECT_EQ(katalogInhalt(k), vorher);
    EXPECT_EQ(k.fake.messages.shown.size(), meldungen);
}

TEST(Unterordnerlöschen, DeletesTheSubEntryOnDisplayAndKeepsTheParentsFlag)
{
    Filmkatalog k;
    frmFilme& f = auflisten(k, "Matrix");
    unterKlicken(f, "Matrix Teil 1");
    k.fake.messages.answer(sys::mb::Ok);
    f.c.cmdLöschen2->click();
    EXPECT_EQ(k.fake.messages.shown.back().prompt, "Matrix Teil 1 wirklich löschen?");
    EXPECT_EQ(k.fake.messages.shown.back().title, "Matrix Teil 1 löschen");
    EXPECT_EQ(rohWert(k.folder.file("filme.mdb"), "SELECT group_concat(Titel2) FROM Unterordner"), "Matrix Teil 2");
    EXPECT_EQ(spalte(k, "Filme", "Unterordner", "Matrix"), "1");
    EXPECT_EQ(namen2(f), QStringList({"Matrix Teil 2"})) << "the parent's list again";
    EXPECT_EQ(integrität(k), "ok");
}
