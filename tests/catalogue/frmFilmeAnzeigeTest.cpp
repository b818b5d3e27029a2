// The detail panel and navigation: list clicks, the title lookup, previous and
// next, the clear procedures and the sub-entry mode.
#include "tests/catalogue/Filmkatalog.h"
#include "tests/support/Kombis.h"

#include "platform/vb/Formular.h"
#include "platform/vb/VbRuntime.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <gtest/gtest.h>
#include "tests/Quellordner.h"

using namespace testing_support;

namespace {

// Clicks the row of the title in the whole list.
void klicken(Filmkatalog& k, const QString& titel)
{
    const int zeile = k.titel().indexOf(titel);
    ASSERT_GE(zeile, 0) << titel.toStdString();
    k.f->c.lfListe->setCurrentRow(zeile);
}

QString gewählt(const Filmkatalog& k)
{
    const vb::ListItem z = k.f->c.lfListe->currentItem();
    return z ? z->text().section(QLatin1Char('\t'), 0, 0) : QString();
}

}  // namespace

TEST(Listenklick, ShowsTheTitleOfTheRowAndKeepsItsRowSelected)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    for (const QString titel : {"Alien", "Film #1", "[Rec]", "Matrix", "Ocean's Eleven"}) {
        klicken(k, titel);
        EXPECT_EQ(f.c.tfTitel->text(), titel);
        EXPECT_EQ(gewählt(k), titel) << "a title contained in an earlier row selects its own row";
    }
}

TEST(Listenklick, AnOrdinaryTitleShowsItsFieldsInDisplayMode)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    klicken(k, "Alien");
    EXPECT_EQ(f.c.tfFormat->text(), "DVD");
    EXPECT_EQ(f.c.tfQualität->text(), "1");
    EXPECT_EQ(f.c.tfMappe->text(), "A");
    EXPECT_EQ(f.c.tfAnzahl->text(), "1") << "not 1.0";
    EXPECT_EQ(f.c.tfDatum->text(), "10.01.2025");
    EXPECT_EQ(f.c.tfCat->text(), "Science Fiction Akt");
    EXPECT_EQ(f.c.tfCat->cursorPosition(), 0) << "a long text shows from its start";
    EXPECT_EQ(f.c.tfCover->text(), "-");
    for (QWidget* w : {static_cast<QWidget*>(f.c.tfWer), static_cast<QWidget*>(f.c.tfDatumAusleihe),
                       static_cast<QWidget*>(f.c.tfInfo), static_cast<QWidget*>(f.c.tfSize),
                       static_cast<QWidget*>(f.c.chkCover), static_cast<QWidget*>(f.c.cmdUnterordner),
                       static_cast<QWidget*>(f.c.back)})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(f.c.cmdAusleihen->isHidden());
    EXPECT_FALSE(f.c.cmdMappe->isHidden());
    EXPECT_FALSE(f.c.Speichern->isEnabled());
    EXPECT_EQ(f.SuchTitel, vb::fixedString("Alien", 100));
}

TEST(Listenklick, OptionalFieldsAppearWithTheirValues)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    klicken(k, "Matrix");
    EXPECT_FALSE(f.c.tfInfo->isHidden());
    EXPECT_EQ(f.c.tfInfo->toPlainText(), "Neo wacht auf");
    EXPECT_FALSE(f.c.tfdten->isHidden());
    EXPECT_FALSE(f.c.cmdUnterordner->isHidden());
    klicken(k, "Alien");
    EXPECT_EQ(f.c.tfdten->text(), "");
    EXPECT_FALSE(f.c.tfdten->isHidden()) << "display mode hides it only when it was empty already";
    klicken(k, "Der Pate");
    EXPECT_TRUE(f.c.chkCover->isChecked());
    EXPECT_FALSE(f.c.chkCover->isHidden());
    EXPECT_FALSE(f.c.chkCover->isEnabled());
    EXPECT_EQ(f.c.tfCover->text(), "pate.jpg");
    EXPECT_EQ(f.c.tfSize->text(), "4700");
    EXPECT_FALSE(f.c.tfSize->isHidden());
    klicken(k, "Ocean's Eleven");
    EXPECT_EQ(f.c.tfWer->text(), "Anna");
    EXPECT_FALSE(f.c.tfWer->isHidden());
    EXPECT_FALSE(f.c.back->isHidden());
    EXPECT_FALSE(f.c.cmdAusleihen->isHidden());
    EXPECT_EQ(f.c.tfDatumAusleihe->text(), "05.03.2026");
}

TEST(Listenklick, ARowOfNullCellsShowsEmptyFieldsAndTheStepsAfterThem)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    klicken(k, "Der Pate");
    klicken(k, "Zorro");
    EXPECT_EQ(f.c.tfTitel->text(), "Zorro");
    for (QLineEdit* t : {f.c.tfFormat, f.c.tfQualität, f.c.tfMappe, f.c.tfAnzahl, f.c.tfDatum, f.c.tfCat})
        EXPECT_EQ(t->text(), "") << t->objectName().toStdString();
    EXPECT_EQ(f.c.tfCover->text(), "-");
    EXPECT_FALSE(f.c.chkCover->isChecked());
    EXPECT_EQ(gewählt(k), "Zorro");
}

TEST(Listenklick, EditModeKeepsAScannedSizeAndStillSetsTheSubEntryButton)
{
    Filmkatalog k("[Funktionen]\r\nEdit Mode=1\r\n");
    frmFilme& f = k.fenster();
    f.przAlleListe();
    klicken(k, "Matrix");
    ASSERT_FALSE(f.c.cmdUnterordner->isHidden());
    f.c.tfSize->setText("734");
    klicken(k, "Alien");
    EXPECT_EQ(f.c.tfSize->text(), "734");
    EXPECT_FALSE(f.c.tfSize->isHidden());
    EXPECT_TRUE(f.c.cmdUnterordner->isHidden()) << "the button belongs to the title shown";
    f.przvor();
    EXPECT_EQ(f.c.tfTitel->text(), "Alien 3");
    EXPECT_EQ(f.c.tfSize->text(), "0") << "previous/next clears the field first";
}

struct Suchfall {
    const char* name;
    QString getippt;
    QString gezeigt;   // the title on display afterwards ("" = none)
    QString meldung;   // the message shown, "" = none
    QString titel;     // its title
};

class Datensatzsuche : public ::testing::TestWithParam<Suchfall> {};

TEST_P(Datensatzsuche, ShowsTheFirstTitleNotLessThanTheTypedText)
{
    const auto& fall = GetParam();
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.c.tfTitel2->setText("Der Pate");  // a stale second key from a save
    f.c.tfTitel->setText(fall.getippt);
    f.c.Anzeige->click();
    if (fall.meldung.isEmpty()) {
        EXPECT_TRUE(k.fake.messages.shown.empty());
        EXPECT_EQ(f.c.tfTitel->text(), fall.gezeigt);
        EXPECT_EQ(gewählt(k), fall.gezeigt);
        EXPECT_FALSE(f.c.tfFormat->text().isEmpty() && fall.gezeigt != "Zorro");
    } else {
        ASSERT_EQ(k.fake.messages.shown.size(), 1u);
        EXPECT_EQ(k.fake.messages.shown[0].prompt, fall.meldung);
        EXPECT_EQ(k.fake.messages.shown[0].title, fall.titel);
        EXPECT_EQ(f.c.tfFormat->text(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Anzeige, Datensatzsuche,
    ::testing::Values(
        Suchfall{"BeginningFindsTheFirstTitleStartingWithIt", "Mat", "Matrix", "", ""},
        Suchfall{"ExactTitleFindsItself", "Matrix", "Matrix", "", ""},
        Suchfall{"WithoutRegardToCase", "mATRIX 2", "Matrix 2", "", ""},
        Suchfall{"SingleLetterBeforeTheFirstTitle", "A", "Alien", "", ""},
        Suchfall{"UmlautWithItsBaseLetter", "ärg", "Ärger im Paradies", "", ""},
        Suchfall{"PatternCharactersAreLiteral", "[Re", "[Rec]", "", ""},
        Suchfall{"Apostrophe", "Ocean's", "Ocean's Eleven", "", ""},
        Suchfall{"AfterTheLastTitle", "zz", "", "Datensatz wurde nicht gefunden!", "Kein Datensatz"},
        Suchfall{"EmptyText", "", "", "Sie sollten schon einen Suchbegriff eingeben!", "Datensatz suchen"}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(Datensatzsuche, AnEmptyCatalogueSaysNotFound)
{
    Filmkatalog k({}, true);
    frmFilme& f = k.fenster();
    f.c.tfTitel->setText("Matrix");
    f.c.Anzeige->click();
    EXPECT_EQ(k.fake.messages.prompts(), QStringList({"Datensatz wurde nicht gefunden!"}));
}

TEST(Blaettern, MovesInTitleOrderFromTheFirstTitleAfterARefresh)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.cmdVor->click();
    EXPECT_EQ(f.c.tfTitel->text(), "Alien");
    f.c.cmdVor->click();
    EXPECT_EQ(f.c.tfTitel->text(), "Alien 3");
    f.c.cmdZurück->click();
    f.c.cmdZurück->click();
    EXPECT_EQ(f.c.tfTitel->text(), "[Rec]");
    EXPECT_TRUE(k.fake.messages.shown.empty());
    f.c.cmdZurück->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(k.fake.messages.shown[0].prompt, "Keine weiteren CDs!");
    EXPECT_EQ(k.fake.messages.shown[0].flags, sys::mb::Information);
    EXPECT_EQ(k.fake.messages.shown[0].title, sys::programTitle());
    EXPECT_EQ(f.c.tfTitel->text(), "[Rec]");

    f.przAktualisieren();
    f.c.cmdZurück->click();
    EXPECT_EQ(k.fake.messages.shown.size(), 2u) << "a refresh puts the cursor on the first title";
    EXPECT_EQ(f.c.tfTitel->text(), "[Rec]");
}

TEST(Blaettern, NextOnTheLastTitleKeepsIt)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.tfTitel->setText("Zorro");
    f.c.Anzeige->click();
    f.c.cmdVor->click();
    EXPECT_EQ(k.fake.messages.prompts(), QStringList({"Keine weiteren CDs!"}));
    EXPECT_EQ(f.c.tfTitel->text(), "Zorro");
}

TEST(Blaettern, AnEmptyCatalogueSaysSoWithTheDirectionsCaption)
{
    Filmkatalog k({}, true);
    frmFilme& f = k.fenster();
    f.c.cmdVor->click();
    f.c.cmdZurück->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 2u);
    EXPECT_EQ(k.fake.messages.shown[0].prompt, "Noch kein Datensatz erfasst!");
    EXPECT_EQ(k.fake.messages.shown[0].title, "Datensatz vor");
    EXPECT_EQ(k.fake.messages.shown[0].flags, sys::mb::Exclamation);
    EXPECT_EQ(k.fake.messages.shown[1].title, "Datensatz zurück");
}

TEST(Blaettern, NextCanShowATitleTheFilteredListLacks)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    wählen(f.c.cmbFormat, "PC");
    ASSERT_EQ(k.titel(), QStringList({"Film #1", "Film 31"}));
    klicken(k, "Film 31");
    f.c.cmdVor->click();
    EXPECT_EQ(f.c.tfTitel->text(), "Mask");
    EXPECT_EQ(gewählt(k), "Film 31");
    EXPECT_EQ(f.c.tfUnterordner->text(), "0");
    EXPECT_EQ(f.c.tfCDInfo->text(), "0");
}

TEST(Leeren, EachClearProcedureClearsItsOwnFieldSet)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    klicken(k, "Ocean's Eleven");
    f.c.tfcmbFormat->setText("DVD");
    f.c.tfcmbCat->setText("Krimi");
    f.c.tfSize->setText("12");
    f.przLöschen2();
    EXPECT_EQ(f.c.tfTitel->text(), "Ocean's Eleven");
    EXPECT_EQ(f.c.tfFormat->text(), "DVD");
    EXPECT_EQ(f.c.tfMappe->text(), "Kino's");
    EXPECT_EQ(f.c.tfWer->text(), "Anna");
    EXPECT_EQ(f.c.tfSize->text(), "12");
    EXPECT_EQ(f.c.tfAnzahl->text(), "");
    EXPECT_EQ(f.c.tfcmbFormat->text(), "");
    EXPECT_EQ(f.c.tfcmbCat->text(), "Krimi");
    EXPECT_EQ(f.VolltextsucheTitelFlag, "0");

    klicken(k, "Matrix");
    f.przLöschenUnterordner();
    EXPECT_EQ(f.c.tfTitel->text(), "Matrix") << "the parent's title stays until the user types over it";
    EXPECT_EQ(f.c.tfMappe->text(), "A");
    EXPECT_EQ(f.c.tfFormat->text(), "");
    EXPECT_EQ(f.c.tfCover->text(), "-");

    klicken(k, "Der Pate");
    f.przLöschen1();
    EXPECT_EQ(f.c.tfTitel->text(), "Der Pate");
    EXPECT_EQ(f.c.tfFormat->text(), "");
    EXPECT_EQ(f.c.tfSize->text(), "0");
    EXPECT_TRUE(f.c.tfSize->isHidden());
    EXPECT_TRUE(f.c.chkCover->isHidden());

    f.przLöschen();
    EXPECT_EQ(f.c.tfTitel->text(), "");
    EXPECT_EQ(f.c.tfSize->text(), "");
    EXPECT_TRUE(f.c.tfSize->isHidden()) << "przLöschen changes no field's visibility";
}

TEST(Unterordner, TheSubEntryListShowsNullCellsEmptyAndAClickSwitchesToSubEntryMode)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przListeSetzen("Select * from Unterordner where Titel = ? order by Titel2 COLLATE DEUTSCH;", {"Matrix"});
    f.przListe2Füllen();
    ASSERT_EQ(f.c.lfListe2->count(), 2);
    EXPECT_EQ(f.c.lfListe2->item(1)->text(),
              "Matrix Teil 2\tExtras" + QString(12, ' ') + "\tDVD" + QString(11, ' ') + "\t1   \t" + QString(18, ' ')
                  + "\t" + QString(15, ' '));
    EXPECT_FALSE(f.c.lfListe2->isHidden());

    f.c.lfListe2->setCurrentRow(1);
    EXPECT_EQ(f.c.tfTitel->text(), "Matrix Teil 2");
    EXPECT_EQ(f.UnterordnerTitel, "Matrix");
    EXPECT_EQ(f.c.tfdten->text(), "en");
    EXPECT_EQ(f.c.tfSize->text(), "350");
    EXPECT_TRUE(f.c.chkCover->isChecked());
    EXPECT_FALSE(f.c.cmdSpeichern2->isEnabled());
    EXPECT_FALSE(f.c.lbUnterordner->isHidden());
    EXPECT_FALSE(f.c.cmdUnterordnerzurück->isHidden());
    EXPECT_TRUE(f.c.tfMappe->isHidden());
    EXPECT_EQ(f.c.tfCat->y(), vb::pixel(2520));

    f.przUnsichtbar();
    EXPECT_TRUE(f.c.lbUnterordner->isHidden());
    EXPECT_FALSE(f.c.tfMappe->isHidden());
    EXPECT_EQ(f.c.tfCat->y(), vb::pixel(3240));
}

TEST(Unterordner, AnEmptySubEntryListOffersANewOneOnlyWithALanguageFile)
{
    Filmkatalog ohne;
    frmFilme& f = ohne.fenster();
    f.przListeSetzen("Select * from Unterordner where Titel = ?;", {"Alien"});
    f.przListe2Füllen();
    EXPECT_TRUE(ohne.fake.messages.shown.empty());

    Filmkatalog mit("[Design]\r\nSprache=deutsch.lng\r\n");
    mit.folder.write("deutsch.lng", "[Hauptfenster]\r\nFehler1=Hinweis\r\nFehler4=Keine Einträge.\r\n");
    frmFilme& g = mit.fenster();
    mit.fake.messages.answer(sys::mb::Cancel);
    g.przListeSetzen("Select * from Unterordner where Titel = ?;", {"Alien"});
    g.przListe2Füllen();
    ASSERT_EQ(mit.fake.messages.shown.size(), 1u);
    EXPECT_EQ(mit.fake.messages.shown[0].prompt, "Keine Einträge. Unterordner anlegen?");
    EXPECT_EQ(mit.fake.messages.shown[0].title, "Hinweis");
    EXPECT_EQ(mit.fake.messages.shown[0].flags, sys::mb::OkCancel);
}

TEST(Modus, LeavingSubEntryModeRestoresTheTitleListAfterTheLendingList)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.przUnterordnerModusAus();
    EXPECT_EQ(f.c.lfListe->count(), 14) << "an enabled list is left alone";
    f.c.lfListe->setEnabled(false);
    f.c.cmdAusgeliehen->setEnabled(false);
    f.przUnterordnerModusAus();
    EXPECT_TRUE(f.c.lfListe->isEnabled());
    EXPECT_EQ(f.c.lfListe->count(), 0);
    EXPECT_TRUE(f.c.cmdAusgeliehen->isEnabled());
}

// A screenshot of the main window with the whole list and a title shown, for a
// look by eye: RDX_SCREENSHOTS names a folder.
TEST(Listenklick, Screenshot)
{
    const QString ziel = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ziel.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ziel);
    // As installed: the shipped language file gives the labels their field words.
    Filmkatalog k("[Design]\r\nSprache=deutsch.lng\r\n");
    QFile::copy(QStringLiteral(RDX_SOURCE_DIR "/data/deutsch.lng"), k.folder.file("deutsch.lng"));
    frmFilme& f = k.fenster();
    f.show();
    f.przAlleListe();
    klicken(k, "Matrix");
    f.grab().save(ziel + "/frmFilme.png");
}
