// Sub-entries through the main window: the listing, a new one, an edit, a
// delete, and that the buttons act only on the sub-entry on display.
#include "catalogue/frmSucheTitel.h"
#include "tests/catalogue/Bearbeitung.h"
#include "tests/support/Kombis.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <functional>

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
    erwarteVerweigert(k, "matrix teil 1", "Speichern", vorher, "Einen Titel \"Matrix Teil 1\" gibt es schon.");
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
    erwarteVerweigert(k, "Matrix", "Fehler", vorher, "Einen Titel \"Matrix Teil 1\" gibt es schon.");
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

namespace {

// A new sub-entry through the menu "Datei > Unterverzeichnis" for the title
// on display, named and saved as the user does.
void überDasMenü(Filmkatalog& k, const QString& name)
{
    frmFilme& f = k.fenster();
    f.c.mnuUnterverzeichnis->trigger();
    ASSERT_TRUE(f.c.cmdSpeichern2->isVisible());
    f.c.tfTitel->setText(name);
    f.c.cmdSpeichern2->click();
}

// What a user sees of the title view: the title list, not the sub-entries,
// and the lending buttons of the panel.
void erwarteTitelansicht(const frmFilme& f)
{
    EXPECT_FALSE(f.c.lfListe2->isVisible()) << "the sub-entry list lies over the title list";
    EXPECT_TRUE(f.c.lfListe->isVisible());
    EXPECT_FALSE(f.c.lbUnterordner->isVisible());
    EXPECT_TRUE(f.c.cmdAusgeliehen->isVisible()) << "\"Ausleiher\"";
    EXPECT_TRUE(f.c.cmdAusgeliehen->isEnabled());
    EXPECT_TRUE(f.c.cmdAusleihen->isVisible()) << "\"CD ausleihen\"";
}

struct Verlassen {
    const char* name;
    std::function<void(Filmkatalog&, frmFilme&)> tun;  // leaves the sub-entry list of "Matrix"
    QStringList titel;                                  // the title list then
    QString danach;                                     // a title of that list
};

class UnterordnerVerlassen : public ::testing::TestWithParam<Verlassen> {};

}  // namespace

TEST_P(UnterordnerVerlassen, ShowsTheSelectionInForceAndForgetsTheParent)
{
    const Verlassen& fall = GetParam();
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    auflisten(k, "Matrix");
    ASSERT_TRUE(f.c.lfListe2->isVisible());
    ASSERT_FALSE(f.c.cmdAusgeliehen->isVisible());

    fall.tun(k, f);
    erwarteTitelansicht(f);
    EXPECT_EQ(k.titel(), fall.titel);

    // The next title chosen is the parent of the next sub-entry, and its save
    // comes back to the title list.
    titelKlicken(k, fall.danach);
    EXPECT_EQ(f.c.tfTitel->text(), fall.danach);
    überDasMenü(k, "Neuer Teil");
    EXPECT_EQ(k.fake.messages.shown.back().prompt, "'Neuer Teil' wurde gespeichert!");
    EXPECT_EQ(spalte(k, "Unterordner", "Titel", "Neuer Teil"), fall.danach);
    EXPECT_EQ(spalte(k, "Filme", "Unterordner", fall.danach), "1");
    erwarteTitelansicht(f);
    EXPECT_EQ(f.c.tfTitel->text(), fall.danach);
    EXPECT_EQ(integrität(k), "ok");
}

INSTANTIATE_TEST_SUITE_P(
    Unterordner, UnterordnerVerlassen,
    ::testing::Values(
        Verlassen{"Filter", [](Filmkatalog&, frmFilme& f) { wählen(f.c.cmbFormat, "DVD"); },
                  {"Alien", "Alien 3", "Ärger im Paradies", "Der Pate", "Matrix", "Matrix 2", "Ocean's Eleven"},
                  "Alien"},
        Verlassen{"DateView", [](Filmkatalog&, frmFilme& f) { f.c.chkdat->click(); },
                  {"Aliens", "Alien 3", "Alien", "Ärger im Paradies", "Matrix 2", "Matrix", "Der Pate", "Film 31",
                   "Film #1", "Mask", "Ocean's Eleven", "Öl", "[Rec]", "Zorro"},
                  "Der Pate"},
        Verlassen{"LentView", [](Filmkatalog&, frmFilme& f) { f.c.mnuDSAusgeliehen->trigger(); },
                  {"Matrix 2", "Ocean's Eleven"}, "Ocean's Eleven"},
        Verlassen{"TitleSearch",
                  [](Filmkatalog&, frmFilme& f) {
                      f.c.mnuVolltextsucheTitel->trigger();
                      frmSucheTitel* dialog = f.sucheTitel();
                      ASSERT_NE(dialog, nullptr);
                      tippen(dialog->tfSuche, "Ali");
                      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
                      QApplication::sendEvent(dialog->tfSuche, &enter);
                  },
                  {"Alien", "Alien 3", "Aliens"}, "Aliens"},
        Verlassen{"AllTitles", [](Filmkatalog&, frmFilme& f) { f.c.Alle->click(); }, alleTitel(), "Zorro"},
        Verlassen{"BackToTheTitle", [](Filmkatalog&, frmFilme& f) { f.c.cmdUnterordnerzurück->click(); },
                  alleTitel(), "Öl"},
        Verlassen{"Refresh", [](Filmkatalog&, frmFilme& f) { f.c.mnuAktualisieren->trigger(); }, alleTitel(),
                  "Mask"},
        Verlassen{"SubEntrySaved",
                  [](Filmkatalog& k, frmFilme& f) {
                      f.c.cmdNeu2->click();
                      f.c.tfTitel->setText("Matrix Bonus");
                      f.c.cmdSpeichern2->click();
                      EXPECT_EQ(spalte(k, "Unterordner", "Titel", "Matrix Bonus"), "Matrix");
                      EXPECT_EQ(f.c.tfTitel->text(), "Matrix");
                  },
                  alleTitel(), "Alien 3"}),
    [](const ::testing::TestParamInfo<Verlassen>& fall) { return std::string(fall.param.name); });

TEST(Unterordnerliste, TheLendingButtonsWorkAgainAfterASubEntryList)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    auflisten(k, "Matrix");
    f.c.cmdUnterordnerzurück->click();

    titelKlicken(k, "Alien");
    f.c.cmdAusleihen->click();
    EXPECT_FALSE(f.c.cmdAusleihen->isVisible()) << "a started lending hides its button";
    EXPECT_TRUE(f.c.cmdspeichern->isVisible());
    EXPECT_TRUE(f.c.cmbWer1->isVisible());

    titelKlicken(k, "Ocean's Eleven");
    EXPECT_TRUE(f.c.cmdAusleihen->isVisible());
    EXPECT_FALSE(f.c.cmdspeichern->isVisible());
    f.c.cmdAusgeliehen->click();
    ASSERT_EQ(k.zeilen().size(), 1);
    EXPECT_TRUE(k.zeilen()[0].contains("Anna"));
    EXPECT_FALSE(f.c.cmdAusgeliehen->isEnabled()) << "greyed while the history shows";
    EXPECT_TRUE(f.c.cmdAusgeliehen->isVisible());
}

TEST(Unterverzeichnismenü, WithoutATitleDoesNothing)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    ASSERT_TRUE(f.c.tfTitel->text().isEmpty());
    const auto vorher = katalogInhalt(k);
    f.c.mnuUnterverzeichnis->trigger();
    EXPECT_FALSE(f.c.lbUnterordner->isVisible());
    EXPECT_FALSE(f.c.cmdSpeichern2->isVisible());
    EXPECT_TRUE(f.c.cmdZurück->isVisible()) << "still the title view";
    EXPECT_TRUE(f.c.cmdAusgeliehen->isVisible());
    EXPECT_TRUE(k.fake.messages.shown.empty());
    EXPECT_EQ(katalogInhalt(k), vorher);
}

TEST(Unterverzeichnismenü, AddsAFirstSubEntryToATitleWithoutAny)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Ocean's Eleven");
    f.show();
    EXPECT_FALSE(f.c.cmdUnterordner->isVisible()) << "no sub-entries yet: no list to open";
    f.c.mnuUnterverzeichnis->trigger();
    EXPECT_TRUE(f.c.lbUnterordner->isVisible());
    EXPECT_TRUE(f.c.cmdSpeichern2->isEnabled());
    EXPECT_FALSE(f.c.tfMappe->isVisible()) << "the folder is the parent's";
    EXPECT_EQ(f.c.tfTitel->text(), "Ocean's Eleven");
    f.c.tfTitel->setText("Ocean's Eleven Bonus");
    f.c.tfFormat->setText("DVD");
    f.c.cmdSpeichern2->click();
    EXPECT_EQ(k.fake.messages.shown.back().prompt, "'Ocean's Eleven Bonus' wurde gespeichert!");
    const auto zeile = roh(k.folder.file("filme.mdb"),
                           "SELECT Titel, Format, Mappe, Wer, Info, Size FROM Unterordner "
                           "WHERE Titel2 = 'Ocean''s Eleven Bonus'");
    ASSERT_EQ(zeile.size(), 1u);
    EXPECT_EQ(zeile[0], QStringList({"Ocean's Eleven", "DVD", "Kino's", "Anna", "-", "0"}));
    EXPECT_EQ(spalte(k, "Filme", "Unterordner", "Ocean's Eleven"), "1");
    EXPECT_EQ(f.c.tfTitel->text(), "Ocean's Eleven") << "back to the parent";
    EXPECT_TRUE(f.c.cmdUnterordner->isVisible());

    // Its list now holds the new entry; the menu on a sub-entry adds to the same parent.
    f.c.cmdUnterordner->click();
    EXPECT_EQ(namen2(f), QStringList({"Ocean's Eleven Bonus"}));
    unterKlicken(f, "Ocean's Eleven Bonus");
    überDasMenü(k, "Ocean's Eleven Kommentar");
    EXPECT_EQ(spalte(k, "Unterordner", "Titel", "Ocean's Eleven Kommentar"), "Ocean's Eleven");
    EXPECT_EQ(integrität(k), "ok");
}
