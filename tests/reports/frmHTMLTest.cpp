// The HTML report window driven as a user does: the pages it writes, what the
// browser was asked to open, the refills, the type-ahead and cap, the
// language file and the window hidden by code.
#include "reports/frmHTML.h"

#include "frame/Einmalfenster.h"
#include "platform/vb/VbControls.h"
#include "tests/reports/Berichtkatalog.h"
#include "tests/reports/Hauptfensterattrappe.h"
#include "tests/reports/Seitenleser.h"
#include "tests/support/Kombis.h"

#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {

struct HTMLKatalog : Berichtkatalog {
    explicit HTMLKatalog(const QByteArray& cdIni = "[Design]\r\nDefault=0\r\n")
    {
        folder.write("Cd.ini", "[DB]\r\nDB Name0=filme\r\n" + cdIni);
        // Titel, Format, Cat, Qualität, Mappe, Wer
        const std::vector<QVariantList> zeilen = {
            {"Alien", "DVD", "Krimi", "1", "M1", "Carla"},
            {"Ärger", "dvd", "Komödie", "2", "M2", "Anna"},
            {"O'Brien's", "MP3", "[Neu]", "2,5", "M'1", "O'Brien"},
            {"Zorro", "DVD", "Krimi", "-", "m1", "-"},
            {"Beta", "VCD", "Krimi", "3", "M1", "-"},
            {"Nix", QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
        };
        for (const QVariantList& z : zeilen)
            titel("Titel, Format, Cat, Qualität, Mappe, Wer", z);
        d->execute("INSERT INTO Ausleihe (Titel, Wer, AusDT, EinDT) VALUES ('Alien', 'Carla', '01.01.2025', "
                   "'02.02.2025'), ('Ärger', 'Anna', '05.03.2026', Null), ('Zorro', 'Bernd', '03.03.2024', "
                   "'04.04.2024')");
        d->execute("INSERT INTO Unterordner (Titel, Titel2, Mappe) VALUES ('Alien', 'Alien Teil 1', 'Z'), "
                   "('Alien', 'Alien Teil 2', 'A')");
    }
    frmHTML& öffnen()
    {
        fenster = std::make_unique<frmHTML>(fake.services, haupt);
        fenster->Form_Load();
        return *fenster;
    }
    Hauptfensterattrappe haupt;
    std::unique_ptr<frmHTML> fenster;
};

QStringList spalte(const QJsonObject& seite, int n)
{
    QStringList werte;
    for (const QJsonValue& zeile : seite["zeilen"].toArray())
        werte << zeile.toArray().at(n).toString();
    return werte;
}

QStringList texte(const QJsonArray& a)
{
    QStringList t;
    for (const QJsonValue& v : a)
        t << v.toString();
    return t;
}

struct Berichtsfall {
    const char* name;
    std::function<void(frmHTML&)> tun;
    const char* datei;
    QString titel;
    QString überschrift;
    QStringList kopf;
    int spalte;
    QStringList werte;
};

void PrintTo(const Berichtsfall& f, std::ostream* os)
{
    *os << f.name;
}

class HTMLBerichte : public testing::TestWithParam<Berichtsfall> {};

const QStringList FilmeKopf = {"Titel", "Cat", "Format", "Qualität"};

}  // namespace

// Values stored with line breaks, a tab and a bell stay in their cell, and a
// chosen one in the page's title and heading, written as blanks.
TEST(frmHTML, AStoredLineBreakStaysInItsCellAndRow)
{
    HTMLKatalog k;
    k.titel("Titel, Format, Cat, Qualität, Mappe, Wer",
            {QStringLiteral("Zeile1\nZeile2\t\aEnde"), "DVD", QStringLiteral("Sci\r\nFi"), "1", "M1", "-"});
    frmHTML& h = k.öffnen();
    h.cmdAlle->click();
    const QString pfad = k.folder.file("CDs.HTML");
    const QJsonObject alle = seiteLesen(pfad);
    EXPECT_EQ(alle["zeilen"].toArray().size(), 7);
    EXPECT_TRUE(spalte(alle, 0).contains("Zeile1 Zeile2  Ende")) << spalte(alle, 0).join("|").toStdString();
    EXPECT_TRUE(spalte(alle, 1).contains("Sci Fi"));
    for (const QByteArray& zeile : k.folder.read("CDs.HTML").split('\n'))
        EXPECT_FALSE(zeile.contains("Zeile1") && !zeile.contains("Ende")) << "the cell is on one line of the page";

    wählen(h.cmbCat, QStringLiteral("Sci\r\nFi"));
    const QJsonObject kategorie = seiteLesen(pfad);
    EXPECT_EQ(kategorie["titel"].toString(), "CD Liste Kategorie Sci Fi");
    EXPECT_EQ(kategorie["ueberschrift"].toString(), "CD Liste Kategorie Sci Fi");
    EXPECT_EQ(spalte(kategorie, 0), QStringList({"Zeile1 Zeile2  Ende"}));
}

TEST(frmHTML, LoadFillsTheBoxesInGermanOrderWithoutTextAndSortsByTitle)
{
    HTMLKatalog k;
    frmHTML& h = k.öffnen();
    EXPECT_EQ(h.windowTitle(), "HTML Datei erstellen");
    EXPECT_EQ(h.SortFeld, "Titel");
    EXPECT_TRUE(h.Auswahlwert.isEmpty());
    EXPECT_TRUE(h.optTitelAus->isChecked());
    EXPECT_EQ(einträge(h.cmbCat), QStringList({"[Neu]", "Komödie", "Krimi"}));
    EXPECT_EQ(einträge(h.cmbMappe).size(), 3);
    EXPECT_EQ(einträge(h.cmbWer), QStringList({"-", "Anna", "Carla", "O'Brien"}));
    for (int b = 0; b < 5; ++b)
        EXPECT_TRUE(h.box(frmHTML::Box(b))->currentText().isEmpty());
    EXPECT_EQ(h.palette().color(QPalette::Window), QColor(0, 0, 128));
    EXPECT_EQ(h.lbMappe->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(k.fake.messages.shown.empty());
    EXPECT_TRUE(k.fake.shell.opened.isEmpty());
}

TEST_P(HTMLBerichte, WritesThePageAndOpensIt)
{
    const auto& fall = GetParam();
    HTMLKatalog k;
    frmHTML& h = k.öffnen();
    fall.tun(h);
    EXPECT_TRUE(k.fake.messages.shown.empty()) << k.fake.messages.prompts().join("|").toStdString();
    const QString pfad = k.folder.file(QString::fromUtf8(fall.datei));
    EXPECT_EQ(k.fake.shell.opened, QStringList{pfad});
    const QJsonObject seite = seiteLesen(pfad);
    EXPECT_EQ(seite["titel"].toString(), fall.titel);
    EXPECT_EQ(seite["ueberschrift"].toString(), fall.überschrift);
    EXPECT_EQ(texte(seite["kopf"].toArray()), fall.kopf);
    EXPECT_EQ(spalte(seite, fall.spalte), fall.werte);
}

INSTANTIATE_TEST_SUITE_P(
    Berichte, HTMLBerichte,
    testing::Values(
        Berichtsfall{"FolderWithoutRegardToCase", [](frmHTML& h) { wählen(h.cmbMappe, "M1"); }, "CDs.HTML",
                     "CD Liste Mappe M1", "Mappe Nr. M1", FilmeKopf, 0, {"Alien", "Beta", "Zorro"}},
        Berichtsfall{"FolderWithApostrophe", [](frmHTML& h) { wählen(h.cmbMappe, "M'1"); }, "CDs.HTML",
                     "CD Liste Mappe M'1", "Mappe Nr. M'1", FilmeKopf, 0, {"O'Brien's"}},
        Berichtsfall{"CategoryWithBracketsIsItself", [](frmHTML& h) { wählen(h.cmbCat, "[Neu]"); }, "CDs.HTML",
                     "CD Liste Kategorie [Neu]", "CD Liste Kategorie [Neu]", FilmeKopf, 0, {"O'Brien's"}},
        Berichtsfall{"Format", [](frmHTML& h) { wählen(h.cmbFormat, "MP3"); }, "CDs.HTML", "CD Liste Format MP3",
                     "MP3-Liste", FilmeKopf, 0, {"O'Brien's"}},
        Berichtsfall{"QualityInNumberForm", [](frmHTML& h) { wählen(h.cmbQualität, "2"); }, "CDs.HTML",
                     "CD Liste Qualität 2.00", "Qualität 2.00 Liste", FilmeKopf, 0, {"Ärger"}},
        Berichtsfall{"QualityWithDecimalComma", [](frmHTML& h) { wählen(h.cmbQualität, "2,5"); }, "CDs.HTML",
                     "CD Liste Qualität 2.50", "Qualität 2.50 Liste", FilmeKopf, 0, {"O'Brien's"}},
        Berichtsfall{"QualityThatIsNoNumber", [](frmHTML& h) { wählen(h.cmbQualität, "-"); }, "CDs.HTML",
                     "CD Liste Qualität -", "Qualität - Liste", FilmeKopf, 0, {"Zorro"}},
        Berichtsfall{"BorrowerDashListsTitlesNotLent", [](frmHTML& h) { wählen(h.cmbWer, "-"); }, "CDs.HTML",
                     "CD Liste Wer -", "CDs ausgeliehen an -", FilmeKopf, 0, {"Beta", "Zorro"}},
        Berichtsfall{"AllSortedByBorrower",
                     [](frmHTML& h) {
                         h.optWerAus->click();
                         h.cmdAlle->click();
                     },
                     "CDs.HTML", "CD Liste", "CD Liste", {"Titel", "Cat", "Format", "Qualität", "Mappe"}, 0,
                     {"Nix", "Beta", "Zorro", "Ärger", "Alien", "O'Brien's"}},
        Berichtsfall{"LendingLogByBorrower",
                     [](frmHTML& h) {
                         h.optWerAus->click();
                         h.cmdAusleihen->click();
                     },
                     "Ausleihen.HTML", "CD Liste bisherige Ausleihen ", "CD Liste bisherige Ausleihen ",
                     {"Titel", "Wer", "AusDt", "EinDt"}, 0, {"Ärger", "Zorro", "Alien"}},
        Berichtsfall{"LendingLogSortedByAColumnItLacksGoesByTitle",
                     [](frmHTML& h) {
                         h.optCat->click();
                         h.cmdAusleihen->click();
                     },
                     "Ausleihen.HTML", "CD Liste bisherige Ausleihen ", "CD Liste bisherige Ausleihen ",
                     {"Titel", "Wer", "AusDt", "EinDt"}, 0, {"Alien", "Ärger", "Zorro"}},
        Berichtsfall{"OpenLendings", [](frmHTML& h) { h.cmdAktAusleihen->click(); }, "aktive Ausleihen.HTML",
                     "CD Liste aktive Ausleihen ", "CD Liste aktiver Ausleihen ", {"Titel", "Wer", "AusDt"}, 2,
                     {"05.03.2026"}},
        Berichtsfall{"SubEntriesByFolder",
                     [](frmHTML& h) {
                         h.optMappe->click();
                         h.cmdUnterordner->click();
                     },
                     "Unterordner.HTML", "CD Liste Unterordner ", "CD Liste Unterordner ",
                     {"Titel", "Titel2", "Format", "Qualität", "Mappe", "Dten", "Cat"}, 1,
                     {"Alien Teil 2", "Alien Teil 1"}}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(frmHTML, AfterABoxReportTheOtherFourAreRefilledAndTheChosenKeepsItsText)
{
    HTMLKatalog k;
    frmHTML& h = k.öffnen();
    for (auto* b : {h.cmbMappe, h.cmbFormat, h.cmbWer, h.cmbCat})
        b->setEditText("xy");
    k.d->execute("INSERT INTO Filme (Titel, Format, Qualität) VALUES ('Neu', 'XVID', '9')");
    wählen(h.cmbQualität, "3");
    EXPECT_EQ(h.cmbQualität->currentText(), "3");
    EXPECT_FALSE(einträge(h.cmbQualität).contains("9")) << "the chosen box keeps its list";
    EXPECT_TRUE(einträge(h.cmbFormat).contains("XVID"));
    for (auto* b : {h.cmbMappe, h.cmbFormat, h.cmbWer, h.cmbCat})
        EXPECT_EQ(b->currentText(), "");
    EXPECT_EQ(h.Auswahlwert, "3");
}

TEST(frmHTML, AnUnwritablePageSaysSoAndOpensNoBrowser)
{
    HTMLKatalog k;
    frmHTML& h = k.öffnen();
    QDir(k.folder.path()).mkdir("CDs.HTML");
    h.cmdAlle->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(k.fake.messages.shown[0].prompt,
              "Die Datei 'CDs.HTML' konnte im Programmverzeichnis nicht geschrieben werden.");
    EXPECT_EQ(k.fake.messages.shown[0].title, "HTML Datei erstellen");
    EXPECT_TRUE(k.fake.shell.opened.isEmpty());
}

namespace {

struct Tippfall {
    const char* name;
    frmHTML::Box box;
    QString tasten;
    QString text;
    QString markiert;
};

void PrintTo(const Tippfall& f, std::ostream* os)
{
    *os << f.name;
}

class Typeahead : public testing::TestWithParam<Tippfall> {};

}  // namespace

TEST_P(Typeahead, CompletesFromTheListAndCapsAtTen)
{
    const auto& fall = GetParam();
    HTMLKatalog k;
    frmHTML& h = k.öffnen();
    QComboBox* box = h.box(fall.box);
    tippenImFokus(box, fall.tasten);
    EXPECT_EQ(box->currentText(), fall.text);
    EXPECT_EQ(box->lineEdit()->selectedText(), fall.markiert);
    EXPECT_TRUE(k.fake.shell.opened.isEmpty()) << "typing starts no report";
}

INSTANTIATE_TEST_SUITE_P(
    Tasten, Typeahead,
    testing::Values(Tippfall{"FirstMatch", frmHTML::Cat, "K", "Komödie", "omödie"},
                    Tippfall{"NextLetterNextMatch", frmHTML::Cat, "Kr", "Krimi", "imi"},
                    Tippfall{"BackspaceKeepsTheRememberedText", frmHTML::Cat, "Kr\b", "Kr", ""},
                    Tippfall{"EmptiedBoxStaysEmpty", frmHTML::Cat, "K\b\b", "", ""},
                    Tippfall{"TypedAgainAfterEmptying", frmHTML::Cat, "K\b\bK", "Komödie", "omödie"},
                    Tippfall{"CaseSensitive", frmHTML::Cat, "k", "k", ""},
                    Tippfall{"QuestionMarkIsAnyCharacter", frmHTML::Cat, "?", "[Neu]", "Neu]"},
                    Tippfall{"HashIsADigit", frmHTML::Qualitaet, "#", "1", ""},
                    Tippfall{"CompletesPastTheFirstEqualEntry", frmHTML::Qualitaet, "2,", "2,5", "5"},
                    Tippfall{"BracketedBracket", frmHTML::Cat, "[[]", "[Neu]", "u]"},
                    Tippfall{"UnclosedBracketCompletesNothing", frmHTML::Cat, "[", "[", ""},
                    Tippfall{"CapAtTen", frmHTML::Mappe, "Abcdefghijkl", "Abcdefghij", ""},
                    Tippfall{"BorrowerCompletion", frmHTML::Wer, "O", "O'Brien", "'Brien"}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(frmHTML, ChosenLongEntryIsTheSelectionValueWhole)
{
    HTMLKatalog k;
    k.d->execute("INSERT INTO Filme (Titel, Wer) VALUES ('Lang', 'Maximilian Mustermann')");
    frmHTML& h = k.öffnen();
    wählen(h.cmbWer, "Maximilian Mustermann");
    EXPECT_EQ(h.Auswahlwert, "Maximilian Mustermann");
    EXPECT_EQ(seiteLesen(k.folder.file("CDs.HTML"))["ueberschrift"].toString(),
              "CDs ausgeliehen an Maximilian Mustermann");
}

TEST(frmHTML, LanguageFileSetsCaptionsAndBuildsTooltips)
{
    HTMLKatalog k("[Design]\r\nDefault=0\r\nSprache=test.lng\r\n");
    k.folder.write("test.lng", "[HTML]\r\nButton1=Alles\r\nButtonText1=Alles ausgeben\r\nCaption=Berichte\r\n"
                               "Label1=Auswahl\r\nOpt1=geordnet nach\r\n"
                               "[Hauptfenster]\r\nLabel1=Ordner\r\nLabel2=Güte\r\nLabel4=Name\r\nLabel6=Leiher\r\n"
                               "cmb4=wählen\r\ncmb5=stufe\r\n");
    frmHTML& h = k.öffnen();
    EXPECT_EQ(h.windowTitle(), "Berichte");
    EXPECT_EQ(h.cmdAlle->text(), "Alles");
    EXPECT_EQ(h.cmdAlle->toolTip(), "Alles ausgeben");
    EXPECT_EQ(h.cmdAusleihen->text(), "") << "a missing key empties its text";
    EXPECT_EQ(h.Label1->text(), "Auswahl");
    EXPECT_EQ(h.lbMappe->text(), "Ordner");
    EXPECT_EQ(h.optMappe->text(), "Ordner");
    EXPECT_EQ(h.optTitelAus->text(), "Name");
    EXPECT_EQ(h.optWerAus->toolTip(), "geordnet nach Leiher");
    EXPECT_EQ(h.optCat->toolTip(), "geordnet nach ");
    EXPECT_EQ(h.cmbMappe->toolTip(), "Ordner wählen ");
    EXPECT_EQ(h.cmbQualität->toolTip(), "Gütestufe ");
    EXPECT_EQ(h.cmdUnterordner->text(), "Unterordner");
}

TEST(frmHTML, HiddenByCodeItStaysLoadedWithItsStateClosedItLoadsAfresh)
{
    HTMLKatalog k;
    frmHTML* h = frmHTML::zeigen(k.fake.services, k.haupt);
    h->optMappe->click();
    wählen(h->cmbFormat, "MP3");
    h->przUnterordner();
    frame::verstecken(h);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frmHTML* wieder = frmHTML::zeigen(k.fake.services, k.haupt);
    EXPECT_EQ(wieder, h);
    EXPECT_EQ(wieder->SortFeld, "Mappe");
    EXPECT_EQ(wieder->cmbFormat->currentText(), "MP3");
    EXPECT_EQ(wieder->Auswahlwert, "MP3");
    wieder->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frmHTML* neu = frmHTML::zeigen(k.fake.services, k.haupt);
    EXPECT_EQ(neu->SortFeld, "Titel");
    EXPECT_TRUE(neu->Auswahlwert.isEmpty());
    neu->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(frmHTML, UserLookColoursLabelsOptionsAndLinesOnWhite)
{
    HTMLKatalog k("[Design]\r\nTextFarbe=255\r\nBackcolor=16777215\r\n");
    frmHTML& h = k.öffnen();
    EXPECT_EQ(h.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(h.optWerAus->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(h.lbCat->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(h.Line1[2]->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    HTMLKatalog ohneFarben("[Design]\r\nTextFarbe=keine\r\n");
    EXPECT_EQ(ohneFarben.öffnen().palette().color(QPalette::Window), QColor(0, 0, 128))
        << "a look key that is no colour keeps the design colour";
}

TEST(frmHTML, Screenshot)
{
    const QString ziel = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ziel.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ziel);
    HTMLKatalog k;
    frmHTML& h = k.öffnen();
    h.show();
    QApplication::processEvents();
    EXPECT_TRUE(h.grab().save(ziel + "/frmHTML.png"));
}
