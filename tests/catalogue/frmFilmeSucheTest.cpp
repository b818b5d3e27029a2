// The full-text searches, their dialogs, the special views of the menu
// "Suchen" and their re-run by przlesen.
#include "catalogue/frmSucheInfo.h"
#include "catalogue/frmSucheTitel.h"
#include "tests/catalogue/Filmkatalog.h"
#include "tests/support/Kombis.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include "tests/Quellordner.h"

using namespace testing_support;

namespace {

// Types the text into the box key by key, as a user does.
void tippen(QLineEdit* box, const QString& text)
{
    for (const QChar zeichen : text) {
        QKeyEvent druck(QEvent::KeyPress, 0, Qt::NoModifier, QString(zeichen));
        QApplication::sendEvent(box, &druck);
    }
}

void enter(QWidget* w)
{
    QKeyEvent druck(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(w, &druck);
}

// The closed dialogs go away as they do between two user actions.
void ereignisse()
{
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

QString b(int n)
{
    return QString(n, QLatin1Char(' '));
}

const QStringList matrixDreimal = {"Matrix", "Matrix", "Matrix"};

QStringList plus(QStringList a, const QStringList& b)
{
    a += b;
    return a;
}

}  // namespace

// ---------------------------------------------------------------- title search

struct Wortfall {
    const char* name;
    QString wort;
    QStringList titel;
};

class TitelSuche : public ::testing::TestWithParam<Wortfall> {};

TEST_P(TitelSuche, ListsTitlesAndParentsOfMatchingSubEntriesThroughTheDialog)
{
    const auto& fall = GetParam();
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheTitel->trigger();
    frmSucheTitel* dialog = f.sucheTitel();
    ASSERT_NE(dialog, nullptr);
    tippen(dialog->tfSuche, fall.wort);
    enter(dialog->tfSuche);
    EXPECT_EQ(k.titel(), fall.titel);
    EXPECT_EQ(f.c.lbAnzahlSel->text(), QString::number(fall.titel.size()));
    EXPECT_EQ(f.c.tfVolltextsucheTitel->text(), fall.wort);
    EXPECT_EQ(f.FilterWert, fall.wort);
    EXPECT_EQ(f.VolltextsucheTitelFlag, "1");
    EXPECT_EQ(f.VolltextsucheInfoFlag, "0");
    EXPECT_EQ(f.ListenWerte, QVariantList({"*" + fall.wort + "*", "*" + fall.wort + "*"}));
    if (!fall.wort.isEmpty()) {
        EXPECT_FALSE(f.ListenSQL.contains(fall.wort)) << "the word is bound, never joined";
    }
    ereignisse();
    EXPECT_EQ(f.sucheTitel(), nullptr) << "OK unloads the dialog";
}

INSTANTIATE_TEST_SUITE_P(
    Worte, TitelSuche,
    ::testing::Values(
        Wortfall{"PartOfTitles", "Alien", {"Alien", "Alien 3", "Aliens"}},
        Wortfall{"WithoutRegardToCaseAndUmlauts", "ärGER", {"Ärger im Paradies"}},
        Wortfall{"SubEntryNamesLeadToTheirParentOncePerDistinctRow", "teil", {"Matrix", "Matrix"}},
        Wortfall{"TitleAndSubEntries", "matrix", plus(matrixDreimal, {"Matrix 2"})},
        Wortfall{"Apostrophe", "n's", {"Ocean's Eleven"}},
        Wortfall{"QuestionMarkIsOneCharacter", "Alien?", {"Alien 3", "Aliens"}},
        Wortfall{"HashIsADigit", "#", {"Alien 3", "Film #1", "Film 31", "Matrix", "Matrix", "Matrix 2"}},
        Wortfall{"BracketedHashIsItself", "[#]", {"Film #1"}},
        Wortfall{"BracketList", "Film [!#]", {"Film 31"}},
        Wortfall{"BracketedBracket", "[[]", {"[Rec]"}},
        Wortfall{"UnclosedBracketListsNothing", "[Rec", {}},
        Wortfall{"StarMatchesEveryTitle",
                 "*", plus(QStringList({"[Rec]", "Alien", "Alien 3", "Aliens", "Ärger im Paradies", "Der Pate",
                                         "Film #1", "Film 31", "Mask"}),
                           plus(matrixDreimal, {"Matrix 2", "Ocean's Eleven", "Öl", "Zorro"}))},
        Wortfall{"EmptyWordMatchesEveryTitle",
                 "", plus(QStringList({"[Rec]", "Alien", "Alien 3", "Aliens", "Ärger im Paradies", "Der Pate",
                                        "Film #1", "Film 31", "Mask"}),
                          plus(matrixDreimal, {"Matrix 2", "Ocean's Eleven", "Öl", "Zorro"}))},
        Wortfall{"NoMatch", "Zzz", {}}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(TitelSucheZeilen, KeepTheSubEntrysOwnCellsAndDropOnlyRowsEqualInAllSix)
{
    Filmkatalog k("[Funktionen]\r\nSortierung=KF\r\n6tes Feld=W\r\n");
    // Equal to the parent's row but for case and umlauts: dropped. A different folder: kept.
    k.ausführen("INSERT INTO Unterordner (Titel, Titel2, Cat, Format, Qualität, Mappe, Wer) VALUES "
                "('Öl', 'Öl Extra', 'ÖL', 'audio', '1', 'd', '-'), ('Öl', 'Öl Bonus', 'öl', 'Audio', '1', 'E', '-'), "
                "('Öl', 'Öl Bonus 2', 'öl', 'Audio', '1', 'e', '-')");
    frmFilme& f = k.fenster();
    f.FilterWert = "öl";
    f.przVolltextsucheTitel();
    QStringList klein;
    for (const QString& z : k.zeilen())
        klein << z.toLower();
    EXPECT_EQ(klein, QStringList({"öl\töl" + b(16) + "\taudio" + b(9) + "\t1   \td" + b(17) + "\t-" + b(14),
                                  "öl\töl" + b(16) + "\taudio" + b(9) + "\t1   \te" + b(17) + "\t-" + b(14)}));

    Filmkatalog a("[Funktionen]\r\nSortierung=KF\r\n6tes Feld=A\r\n");
    frmFilme& g = a.fenster();
    g.FilterWert = "Teil";
    g.przVolltextsucheTitel();
    EXPECT_EQ(a.zeilen(),
              QStringList({"Matrix\tExtras" + b(12) + "\tDVD" + b(11) + "\t1   \t" + b(18) + "\t" + b(15),
                           "Matrix\tExtras" + b(12) + "\tDVD" + b(11) + "\t1   \tA" + b(17) + "\t" + b(15)}))
        << "the sixth cell is blank when it should hold the number of discs";
}

TEST(TitelSucheKnopf, SearchesForTheValueOfTheLastFilter)
{
    Filmkatalog k;
    k.ausführen("INSERT INTO Filme (Titel, Format, Info, Cover, Size, Dten, Cat, Wer) VALUES "
                "('Best of DVD', 'VCD', '-', '-', '0', '-', '-', '-')");
    frmFilme& f = k.fenster();
    wählen(f.c.cmbFormat, "DVD");
    ASSERT_EQ(k.titel().size(), 7);
    f.c.cmdVolltextsucheTitel->click();
    EXPECT_EQ(k.titel(), QStringList({"Best of DVD"}));
    EXPECT_EQ(f.c.tfcmbFormat->text(), "") << "the search empties the hidden filter boxes";
    EXPECT_EQ(f.c.tfVolltextsucheTitel->text(), "") << "the button stores no word";
}

TEST(TitelSucheKnopf, FromAnEmptyPanelSelectsAndShowsTheFirstResult)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    ASSERT_EQ(f.c.tfTitel->text(), "");
    f.c.cmdVolltextsucheTitel->click();
    ASSERT_EQ(k.titel().size(), 16);
    EXPECT_EQ(f.c.lfListe->currentRow(), 0);
    EXPECT_EQ(f.c.tfTitel->text(), "[Rec]");
    EXPECT_EQ(f.c.tfMappe->text(), "[x");
}

TEST(TitelSucheKnopf, SelectsTheRowOfTheTitleOnDisplay)
{
    Filmkatalog k;
    // A sub-entry that leads to a parent sorted before the title on display.
    k.ausführen("INSERT INTO Unterordner (Titel, Titel2, Anzahl, Format, Qualität, Info, Dten, Cat, Cover, Size) "
                "VALUES ('Ärger im Paradies', 'Der Pate Extras', 1, 'DVD', '1', '-', '-', '-', '-', '0')");
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.c.lfListe->setCurrentRow(5);
    ASSERT_EQ(f.c.tfTitel->text(), "Der Pate");
    f.FilterWert = "Alien";
    f.c.cmdVolltextsucheTitel->click();
    EXPECT_EQ(k.titel(), QStringList({"Ärger im Paradies", "Der Pate"})) << "the word is the title on display";
    EXPECT_EQ(f.c.lfListe->currentRow(), 1);
    EXPECT_EQ(f.c.tfTitel->text(), "Der Pate");
}

// What ran before the button: the word typed into the title field is searched all the same.
struct Vorlauf {
    const char* name;
    void (*machen)(frmFilme& f);
};

class TitelfeldSuche : public ::testing::TestWithParam<Vorlauf> {};

TEST_P(TitelfeldSuche, SearchesTheWordTypedIntoTheTitleField)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    GetParam().machen(f);
    ASSERT_EQ(f.c.tfTitel->text(), "");
    tippenImFokus(f.c.tfTitel, "alien");
    f.c.cmdVolltextsucheTitel->click();
    EXPECT_EQ(k.titel(), QStringList({"Alien", "Alien 3", "Aliens"}));
    EXPECT_EQ(f.FilterWert, "alien");
    EXPECT_EQ(f.VolltextsucheTitelFlag, "1");
    EXPECT_EQ(f.c.tfVolltextsucheTitel->text(), "") << "the button stores no word";
    EXPECT_EQ(f.c.tfcmbQualität->text(), "") << "the search empties the hidden filter boxes";
}

INSTANTIATE_TEST_SUITE_P(
    Vorher, TitelfeldSuche,
    ::testing::Values(Vorlauf{"RightAfterStart", [](frmFilme&) {}},
                      Vorlauf{"AfterAQualityFilter", [](frmFilme& f) { wählen(f.c.cmbQualität, "1"); }},
                      Vorlauf{"AfterAFormatFilter", [](frmFilme& f) { wählen(f.c.cmbFormat, "DVD"); }},
                      Vorlauf{"BesideTheOpenDialogsWord",
                              [](frmFilme& f) {
                                  f.c.mnuVolltextsucheTitel->trigger();
                                  tippen(f.sucheTitel()->tfSuche, "Matrix");
                              }}),
    [](const auto& fall) { return std::string(fall.param.name); });

// ---------------------------------------------------------------- info search

class InfoSuche : public ::testing::TestWithParam<Wortfall> {};

TEST_P(InfoSuche, ListsTheTitlesWhoseInfoHoldsTheWordThroughTheDialog)
{
    const auto& fall = GetParam();
    Filmkatalog k;
    k.ausführen("UPDATE Filme SET Info = ? WHERE Titel = 'Der Pate'", {"Ein mächtiges Angebot: 'Don' [1972] #3"});
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheInfo->trigger();
    frmSucheInfo* dialog = f.sucheInfo();
    ASSERT_NE(dialog, nullptr);
    tippen(dialog->tfSuche, fall.wort);
    dialog->cmdOK->click();
    EXPECT_EQ(k.titel(), fall.titel);
    EXPECT_EQ(f.c.lbAnzahlSel->text(), QString::number(fall.titel.size()));
    EXPECT_EQ(f.c.tfVolltextsucheInfo->text(), fall.wort);
    EXPECT_EQ(f.VolltextsucheInfoFlag, "1");
    EXPECT_EQ(f.VolltextsucheTitelFlag, "0");
    EXPECT_EQ(f.c.lfListe->currentRow(), -1) << "the info search looks no title up";
    ereignisse();
    EXPECT_EQ(f.sucheInfo(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Worte, InfoSuche,
    ::testing::Values(Wortfall{"Word", "NEO", {"Matrix"}}, Wortfall{"Umlaut", "MÄCHTIG", {"Der Pate"}},
                      Wortfall{"Quote", "'Don'", {"Der Pate"}}, Wortfall{"BracketedBracket", "[[]19", {"Der Pate"}},
                      Wortfall{"HashAndStar", "#*[#]#", {"Der Pate"}}, Wortfall{"UnclosedBracket", "[19", {}},
                      Wortfall{"EmptyWordMatchesEveryInfo",
                               "",
                               {"[Rec]", "Alien", "Alien 3", "Aliens", "Ärger im Paradies", "Der Pate", "Film #1",
                                "Film 31", "Mask", "Matrix", "Matrix 2", "Ocean's Eleven", "Öl"}}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(InfoSucheKnopf, SearchesTheInfoForTheTitleField)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.tfTitel->setText("wacht");
    f.c.cmdVolltextsucheInfo->click();
    EXPECT_EQ(k.titel(), QStringList({"Matrix"}));
    EXPECT_EQ(f.FilterWert, "wacht");
    EXPECT_EQ(f.c.tfVolltextsucheInfo->text(), "");
}

// ---------------------------------------------------------------- the scan take-over

struct Scanfall {
    const char* name;
    QString titel;
    QStringList gefunden;
};

class ScanSuche : public ::testing::TestWithParam<Scanfall> {};

TEST_P(ScanSuche, ListsTheTitlesThatContainTheScannedTitleLiterallyAndKeepsTheFields)
{
    const auto& fall = GetParam();
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.tfTitel->setText(fall.titel);
    f.c.tfFormat->setText("CD-R");
    f.c.tfMappe->setText("Neu");
    f.przCDVolltextsuche();
    EXPECT_EQ(k.titel(), fall.gefunden);
    EXPECT_EQ(f.FilterWert, fall.titel);
    EXPECT_EQ(f.c.tfTitel->text(), fall.titel);
    EXPECT_EQ(f.c.tfFormat->text(), "CD-R");
    EXPECT_EQ(f.c.tfMappe->text(), "Neu");
}

INSTANTIATE_TEST_SUITE_P(Titel, ScanSuche,
                         ::testing::Values(Scanfall{"Part", "Alie", {"Alien", "Alien 3", "Aliens"}},
                                           Scanfall{"HashIsNoDigit", "Film #", {"Film #1"}},
                                           Scanfall{"BracketIsNoList", "[Rec", {"[Rec]"}},
                                           Scanfall{"StarAndQuestionMark", "Alien*?", {}},
                                           Scanfall{"Apostrophe", "ean's", {"Ocean's Eleven"}}),
                         [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

// ---------------------------------------------------------------- the dialogs

TEST(Suchdialog, ClosedByItsCloseBoxStoresAndSearchesNothing)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.c.mnuVolltextsucheTitel->trigger();
    tippen(f.sucheTitel()->tfSuche, "Alien");
    f.sucheTitel()->close();
    ereignisse();
    EXPECT_EQ(f.sucheTitel(), nullptr);
    EXPECT_EQ(k.titel(), alleTitel());
    EXPECT_EQ(f.c.tfVolltextsucheTitel->text(), "");
    f.c.mnuVolltextsucheTitel->trigger();
    EXPECT_EQ(f.sucheTitel()->tfSuche->text(), "") << "the next menu click loads the dialog anew";
    f.c.cmdVolltextsucheTitel->click();
    EXPECT_EQ(k.titel().size(), 16) << "the open dialog's empty word";
}

TEST(Suchdialog, TheButtonTakesTheOpenDialogsWordAndLeavesTheDialogOpen)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheTitel->trigger();
    tippen(f.sucheTitel()->tfSuche, "Aliens");
    f.c.cmdVolltextsucheTitel->click();
    EXPECT_EQ(k.titel(), QStringList({"Aliens"}));
    ereignisse();
    ASSERT_NE(f.sucheTitel(), nullptr);
    EXPECT_EQ(f.c.tfVolltextsucheTitel->text(), "") << "only OK stores the word";
    f.c.cmdVolltextsucheTitel->click();
    EXPECT_EQ(k.titel(), QStringList({"Aliens"})) << "the word of the last search comes first";
}

TEST(Suchdialog, TheMenuShowsTheOpenDialogAgain)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheInfo->trigger();
    frmSucheInfo* erster = f.sucheInfo();
    tippen(erster->tfSuche, "Neo");
    f.c.mnuVolltextsucheInfo->trigger();
    EXPECT_EQ(f.sucheInfo(), erster);
    EXPECT_EQ(erster->tfSuche->text(), "Neo");
    EXPECT_FALSE(erster->isModal());
}

TEST(Suchdialog, OKSearchesItsOwnWordAfterAFilterInTheMainWindow)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheTitel->trigger();
    tippen(f.sucheTitel()->tfSuche, "Alien");
    wählen(f.c.cmbFormat, "VCD");
    ASSERT_EQ(f.FilterWert, "VCD");
    f.sucheTitel()->cmdOK->click();
    EXPECT_EQ(k.titel(), QStringList({"Alien", "Alien 3", "Aliens"}));
    EXPECT_EQ(f.FilterWert, "Alien");

    f.c.mnuVolltextsucheInfo->trigger();
    tippen(f.sucheInfo()->tfSuche, "Neo");
    wählen(f.c.cmbFormat, "DVD");
    enter(f.sucheInfo()->tfSuche);
    EXPECT_EQ(k.titel(), QStringList({"Matrix"}));
}

TEST(Suchdialog, TheTitleMenuEntryEmptiesTheSecondTitleKeyAndTheInfoEntryDoesNot)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.FilterWert = "alt";
    f.c.tfTitel2->setText("Alien");
    f.c.mnuVolltextsucheInfo->trigger();
    EXPECT_EQ(f.FilterWert, "");
    EXPECT_EQ(f.c.tfTitel2->text(), "Alien");
    f.c.mnuVolltextsucheTitel->trigger();
    EXPECT_EQ(f.c.tfTitel2->text(), "");
}

struct Dialogtextfall {
    const char* name;
    QByteArray cdIni;
    bool info;
    QString caption;
    QString label;
};

class Dialogtexte : public ::testing::TestWithParam<Dialogtextfall> {};

TEST_P(Dialogtexte, ComeFromTheLanguageFileInEachDialogsOwnOrder)
{
    const auto& fall = GetParam();
    Filmkatalog k(fall.cdIni);
    k.folder.write("test.lng", "[Volltextsuche Titel]\r\nCaption=Titel suchen\r\nLabel1=Wort:\r\n"
                               "[Volltextsuche Info]\r\nCaption=Info suchen\r\n");
    frmFilme& f = k.fenster();
    Suchdialog* d = nullptr;
    if (fall.info) {
        f.c.mnuVolltextsucheInfo->trigger();
        d = f.sucheInfo();
    } else {
        f.c.mnuVolltextsucheTitel->trigger();
        d = f.sucheTitel();
    }
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), fall.caption);
    EXPECT_EQ(d->Label1->text(), fall.label);
    EXPECT_EQ(d->cmdOK->text(), "OK");
}

INSTANTIATE_TEST_SUITE_P(
    Dialoge, Dialogtexte,
    ::testing::Values(
        Dialogtextfall{"TitleWithoutLanguageFile", "", false, "Volltextsuche Titel",
                       "Hier bitte den Suchbegriff eingeben:"},
        Dialogtextfall{"TitleFromTheFile", "[Design]\r\nSprache=test.lng\r\n", false, "Titel suchen", "Wort:"},
        Dialogtextfall{"TitleFromTheFileWithThePlainLook", "[Design]\r\nSprache=test.lng\r\nDefault=0\r\n", false,
                       "Titel suchen", "Wort:"},
        Dialogtextfall{"InfoMissingKeyEmptiesItsText", "[Design]\r\nSprache=test.lng\r\n", true, "Info suchen", ""},
        Dialogtextfall{"InfoKeepsItsOwnTextsWithThePlainLook", "[Design]\r\nSprache=test.lng\r\nDefault=0\r\n", true,
                       "Volltextsuche Info", "Hier bitte den Suchbegriff eingeben:"}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(Suchdialog, TheShippedLanguageFileNamesBothDialogs)
{
    Filmkatalog k("[Design]\r\nSprache=deutsch.lng\r\n");
    QFile shipped(QStringLiteral(RDX_SOURCE_DIR "/data/deutsch.lng"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    k.folder.write("deutsch.lng", shipped.readAll());
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheTitel->trigger();
    f.c.mnuVolltextsucheInfo->trigger();
    for (Suchdialog* d : {static_cast<Suchdialog*>(f.sucheTitel()), static_cast<Suchdialog*>(f.sucheInfo())}) {
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), d == f.sucheTitel() ? "Volltextsuche Titel" : "Volltextsuche Info");
        EXPECT_EQ(d->Label1->text(), "Hier bitte den Suchbegriff eingeben:");
    }
}

TEST(Suchdialog, TakesTheLookUnlessItIsThePlainOne)
{
    // Backcolor 255 is red, TextFarbe 65280 green.
    Filmkatalog k("[Design]\r\nBackcolor=255\r\nTextFarbe=65280\r\nTextFont=Courier\r\n");
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheTitel->trigger();
    Suchdialog* d = f.sucheTitel();
    EXPECT_EQ(d->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(d->Label1->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(d->Label1->font().family(), "Courier");

    Filmkatalog schlicht("[Design]\r\nBackcolor=255\r\nTextFarbe=65280\r\nDefault=0\r\n");
    frmFilme& g = schlicht.fenster();
    g.c.mnuVolltextsucheInfo->trigger();
    EXPECT_NE(g.sucheInfo()->palette().color(QPalette::Window), QColor(255, 0, 0));
}

TEST(Suchdialog, Screenshots)
{
    const QString ziel = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ziel.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ziel);
    Filmkatalog k("[Design]\r\nBackcolor=14737632\r\nTextFarbe=8388608\r\nTextFont=DejaVu Serif\r\n");
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheTitel->trigger();
    tippen(f.sucheTitel()->tfSuche, "Matrix");
    f.sucheTitel()->grab().save(ziel + "/frmSucheTitel.png");
    f.c.mnuVolltextsucheInfo->trigger();
    f.sucheInfo()->grab().save(ziel + "/frmSucheInfo.png");
    f.sucheTitel()->cmdOK->click();
    f.show();
    f.grab().save(ziel + "/frmFilme_Titelsuche.png");
}

// ---------------------------------------------------------------- special views

struct Ansichtfall {
    const char* name;
    QByteArray cdIni;
    QAction* FilmeControls::*eintrag;
    QString tag;
    QStringList titel;
};

class Spezialansicht : public ::testing::TestWithParam<Ansichtfall> {};

TEST_P(Spezialansicht, ListsItsTitlesAndLeavesItsTag)
{
    const auto& fall = GetParam();
    Filmkatalog k(fall.cdIni);
    k.ausführen("INSERT INTO Filme (Titel, Format, Info, Cover, Size, Dten, Cat, Wer, Datum) VALUES "
                "('Ohne Kategorie', 'CD', 'x', 'c.jpg', '1', 'd''t', '-', '-', '2017-01-01')");
    frmFilme& f = k.fenster();
    (f.c.*fall.eintrag)->trigger();
    EXPECT_EQ(k.titel(), fall.titel);
    EXPECT_EQ(f.c.lbAnzahlSel->text(), QString::number(fall.titel.size()));
    EXPECT_EQ(f.DSAnsicht, fall.tag);
    EXPECT_EQ(f.SortFeld, "Titel");
    EXPECT_FALSE(f.GanzeListeFlag);
}

namespace {
const QByteArray sprachen = "[Design]\r\nDeutsch=dt\r\nEnglisch=EN\r\nDeuEngl=d?\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Menue, Spezialansicht,
    ::testing::Values(
        Ansichtfall{"OhneCover", "", &FilmeControls::mnuOhneCover, "DSOhneCover",
                    {"[Rec]", "Alien", "Alien 3", "Aliens", "Ärger im Paradies", "Film #1", "Film 31", "Mask",
                     "Matrix", "Matrix 2", "Ocean's Eleven", "Öl"}},
        Ansichtfall{"OhneInfo", "", &FilmeControls::mnuOhneInfo, "DSOhneInfo",
                    {"[Rec]", "Alien", "Alien 3", "Aliens", "Der Pate", "Film #1", "Film 31", "Mask", "Matrix 2",
                     "Ocean's Eleven", "Öl"}},
        Ansichtfall{"Ausgeliehen", "", &FilmeControls::mnuDSAusgeliehen, "DSAusgeliehen",
                    {"Matrix 2", "Ocean's Eleven"}},
        Ansichtfall{"NachDatum", "", &FilmeControls::mnuDSnachDatum, "DSnachDatum",
                    {"Aliens", "Alien 3", "Alien", "Ärger im Paradies", "Matrix 2", "Matrix", "Der Pate", "Film 31",
                     "Film #1", "Mask", "Ocean's Eleven", "Öl", "[Rec]", "Ohne Kategorie", "Zorro"}},
        Ansichtfall{"DeutschWithoutRegardToCase", "[Design]\r\nDeutsch=DT\r\n", &FilmeControls::mnuDSDt, "DSDt",
                    {"Ärger im Paradies", "Matrix"}},
        Ansichtfall{"DeutschEmptyListsNothing", "", &FilmeControls::mnuDSDt, "DSDt", {}},
        Ansichtfall{"DeutschWithAQuote", "[Design]\r\nDeutsch=d't\r\n", &FilmeControls::mnuDSDt, "DSDt",
                    {"Ohne Kategorie"}},
        Ansichtfall{"DeutschUnclosedBracketListsNothing", "[Design]\r\nDeutsch=[d\r\n", &FilmeControls::mnuDSDt,
                    "DSDt", {}},
        Ansichtfall{"Englisch", sprachen, &FilmeControls::mnuDSEn, "DSEn", {"Der Pate"}},
        Ansichtfall{"DeuEnglWildcardActsAsOne", sprachen, &FilmeControls::mnuDSDtEn, "DSDtEn",
                    {"Ärger im Paradies", "Matrix"}},
        Ansichtfall{"OhneSprache", "", &FilmeControls::mnuDSOhneSprache, "DSOhneSprache",
                    {"[Rec]", "Alien", "Alien 3", "Aliens", "Film #1", "Film 31", "Mask", "Matrix 2", "Ocean's Eleven",
                     "Öl"}},
        Ansichtfall{"OhneSize", "", &FilmeControls::mnuDSohneSize, "DSOhneSize",
                    {"[Rec]", "Alien", "Alien 3", "Aliens", "Film #1", "Film 31", "Mask", "Matrix", "Matrix 2",
                     "Ocean's Eleven", "Öl"}},
        Ansichtfall{"OhneCat", "", &FilmeControls::mnuDSOhneCat, "DSOhneCat", {"Ohne Kategorie"}}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(SpezialansichtSortierung, FollowsTheSortOrderThenTheTitle)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przSortDatumAb();
    ASSERT_EQ(f.SortFeld, "Datum DESC");
    f.c.mnuOhneInfo->trigger();
    EXPECT_EQ(k.titel(), QStringList({"Aliens", "Alien 3", "Alien", "Matrix 2", "Der Pate", "Film 31", "Film #1",
                                      "Mask", "Ocean's Eleven", "Öl", "[Rec]"}));
    f.SortFeld = "Format";
    f.c.mnuDSAusgeliehen->trigger();
    EXPECT_EQ(k.titel(), QStringList({"Matrix 2", "Ocean's Eleven"}));
}

TEST(SpezialansichtZustand, LeavesTheFilterStateAlone)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    wählen(f.c.cmbMappe, "A");
    f.c.mnuOhneCover->trigger();
    EXPECT_EQ(f.FilterWert, "A");
    EXPECT_EQ(f.c.tfcmbMappe->text(), "A");
    EXPECT_EQ(f.c.cmbMappe->text(), "A");
    EXPECT_EQ(f.DSAnsicht, "DSOhneCover");
    wählen(f.c.cmbFormat, "DVD");
    EXPECT_EQ(f.DSAnsicht, "") << "a filter click ends the view";
}

TEST(SpezialansichtZustand, TheOverdueListSetsNoTag)
{
    Filmkatalog k("[Funktionen]\r\nErinnerungsintervall=30\r\n");
    frmFilme& f = k.fenster();
    f.c.mnuOhneCover->trigger();
    f.c.mnuÜberfälligeAusleihen->trigger();
    EXPECT_EQ(f.DSAnsicht, "DSOhneCover");
}

// ---------------------------------------------------------------- przlesen

TEST(PrzlesenSuche, ReturnsToTheViewAfterAlleAnzeigen)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.mnuDSAusgeliehen->trigger();
    f.c.Alle->click();
    ASSERT_EQ(k.titel(), alleTitel());
    f.przlesen();
    EXPECT_EQ(k.titel(), QStringList({"Matrix 2", "Ocean's Eleven"}));
    EXPECT_EQ(f.DSAnsicht, "DSAusgeliehen");
}

TEST(PrzlesenSuche, RepeatsTheStoredTitleSearchAfterTheViewAndTheInfoSearchLast)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheTitel->trigger();
    tippen(f.sucheTitel()->tfSuche, "Alien");
    enter(f.sucheTitel()->tfSuche);
    f.c.mnuOhneInfo->trigger();
    ASSERT_EQ(k.titel().size(), 11);
    f.przlesen();
    EXPECT_EQ(k.titel(), QStringList({"Alien", "Alien 3", "Aliens"})) << "the search word wins over the view";
    EXPECT_EQ(f.DSAnsicht, "DSOhneInfo");
    EXPECT_EQ(f.VolltextsucheTitelFlag, "1");

    f.c.mnuVolltextsucheInfo->trigger();
    tippen(f.sucheInfo()->tfSuche, "Neo");
    f.sucheInfo()->cmdOK->click();
    f.c.Alle->click();
    f.przlesen();
    EXPECT_EQ(k.titel(), QStringList({"Matrix"})) << "the info search runs after the title search";
    EXPECT_EQ(f.FilterWert, "Neo");
    EXPECT_EQ(f.VolltextsucheInfoFlag, "1");
    EXPECT_EQ(f.VolltextsucheTitelFlag, "0");
}

TEST(PrzlesenSuche, ShowsTheSavedChangeInTheRepeatedSearch)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.mnuVolltextsucheTitel->trigger();
    tippen(f.sucheTitel()->tfSuche, "'");
    enter(f.sucheTitel()->tfSuche);
    ASSERT_EQ(k.titel(), QStringList({"Ocean's Eleven"}));
    k.ausführen("INSERT INTO Unterordner (Titel, Titel2, Cat) VALUES ('Der Pate', 'Don''s Extras', 'Krimi')");
    f.przlesen();
    EXPECT_EQ(k.titel(), QStringList({"Der Pate", "Ocean's Eleven"}));
    EXPECT_EQ(f.c.lfListe->currentRow(), 1) << "the title on display keeps its row";
    EXPECT_EQ(f.c.tfTitel->text(), "Ocean's Eleven");
}
