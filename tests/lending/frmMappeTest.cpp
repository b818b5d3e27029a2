// The folder lending window driven as a user does: its refusals, lending and
// return of a folder (tables read by a stock connection), Enter, the cap, the
// type-ahead and its texts.
#include "lending/frmMappe.h"

#include "tests/lending/Ausleihkatalog.h"
#include "tests/support/Kombis.h"

#include "platform/vb/VbControls.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QByteArray Wörter = "[Design]\r\nLabel1=Mappe\r\nLabel6=Ausleiher\r\n";

frmMappe* öffnen(Ausleihkatalog& k)
{
    return frmMappe::zeigen(k.fake.services, k.haupt);
}

const ShownMessage& letzte(const Ausleihkatalog& k)
{
    return k.fake.messages.shown.back();
}

}  // namespace

TEST(frmMappe, LoadsItsControlsAndListsInGermanOrder)
{
    Ausleihkatalog k;
    frmMappe* f = öffnen(k);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), "Mappe ausleihen");
    EXPECT_EQ(f->Label(0)->text(), "Mappe");
    EXPECT_EQ(f->Label(0)->objectName(), "Label_0");
    EXPECT_EQ(f->Label(1)->text(), "An wen?");
    EXPECT_EQ(f->cmdAusleihen->text(), "Mappe &ausleihen");
    EXPECT_EQ(f->cmdZurück->toolTip(), "Mappe wieder zurück");
    EXPECT_EQ(f->cmbMappe->toolTip(), "Hier bitte die Mappe wählen die verliehen wird.");
    QStringList reihe;  // the tab order of the window's controls
    for (QWidget* w = f->cmbMappe; reihe.size() < 4; w = w->nextInFocusChain())
        if (w->parentWidget() == f && !reihe.contains(w->objectName()))
            reihe << w->objectName();
    EXPECT_EQ(reihe, (QStringList{"cmbMappe", "cmbWer1", "cmdAusleihen", "cmdZurück"}));
    EXPECT_EQ(einträge(f->cmbMappe).size(), 3) << "\"A\" and \"a\" are one folder, Null adds nothing";
    EXPECT_EQ(einträge(f->cmbMappe).mid(1), (QStringList{"B", "Kino's"}));
    EXPECT_EQ(einträge(f->cmbWer1), (QStringList{"-", "Bernd", "Carla", "Maximilian Mustermann"}));
    EXPECT_TRUE(k.fake.messages.shown.empty());
    f->close();
}

struct Verweigerung {
    const char* name;
    const char* mappe;
    const char* wer;
    bool zurück;
    const char* text;
    const char* titel;
};

class MappeVerweigert : public ::testing::TestWithParam<std::tuple<Verweigerung, bool>> {};

TEST_P(MappeVerweigert, MitDenWörternAusCdIni)
{
    const auto& [v, mitWörtern] = GetParam();
    Ausleihkatalog k(mitWörtern ? Wörter : QByteArray());
    frmMappe* f = öffnen(k);
    ASSERT_TRUE(f);
    const auto vorher = k.filme();
    f->cmbMappe->setText(QString::fromUtf8(v.mappe));
    f->cmbWer1->setText(QString::fromUtf8(v.wer));
    (v.zurück ? f->cmdZurück : f->cmdAusleihen)->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    QString text = QString::fromUtf8(v.text), titel = QString::fromUtf8(v.titel);
    if (!mitWörtern) {
        text.replace("Mappe", "").replace("Ausleiher", "");
        titel.replace("Mappe", "");
    }
    EXPECT_EQ(letzte(k).prompt, text);
    EXPECT_EQ(letzte(k).title, titel);
    EXPECT_EQ(letzte(k).flags, sys::mb::Information);
    EXPECT_TRUE(f->isVisible()) << "a refusal leaves the window open";
    EXPECT_EQ(k.filme(), vorher);
    EXPECT_TRUE(k.haupt.aufrufe.isEmpty());
    f->close();
}

const Verweigerung Verweigerungen[] = {
    {"LeihenOhneMappe", "", "Bernd", false, "Sie sollten eine Mappe zum verleihen auswählen!", "Mappe ausleihen"},
    {"LeihenOhneLeiher", "A", "", false, "Sie müssen eingeben welcher Ausleiher die Mappe bekommt!",
     "Mappe ausleihen"},
    {"LeihenAnStrich", "A", "-", false, "Sie müssen eingeben welcher Ausleiher die Mappe bekommt!",
     "Mappe ausleihen"},
    {"ZurückOhneMappe", "", "Bernd", true, "Sie sollten schon eingeben welche Mappe zurück ist!", "Mappe zurück"},
    {"ZurückOhneLeiher", "A", "", true, "Sie müssen eingeben welcher Ausleiher die Mappe hatte!", "Mappe zurück"},
};

INSTANTIATE_TEST_SUITE_P(Fälle, MappeVerweigert,
                         ::testing::Combine(::testing::ValuesIn(Verweigerungen), ::testing::Bool()),
                         [](const auto& fall) {
                             QString n = QString::fromUtf8(std::get<0>(fall.param).name);
                             n.replace(QStringLiteral("ü"), QStringLiteral("ue"));
                             return n.toStdString() + (std::get<1>(fall.param) ? "MitWoertern" : "OhneWoerter");
                         });

TEST(frmMappe, LendsTheFreeTitlesAndTakesThemBack)
{
    Ausleihkatalog k(Wörter);
    QPointer<frmMappe> f = öffnen(k);
    ASSERT_TRUE(f);
    f->cmbMappe->setText("a");
    f->cmbWer1->setText("O'Neil");
    f->cmdAusleihen->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, "Verleihstatus gesetzt.");
    EXPECT_EQ(letzte(k).title, "Ausleihen");
    EXPECT_EQ(letzte(k).flags, sys::mb::OkOnly);
    EXPECT_EQ(k.haupt.aufrufe, (QStringList{"przlesen", "przAktualisieren"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(f) << "the window closed";
    const auto nachher = k.filme();
    EXPECT_EQ(nachher[0], (QStringList{"Alien", "A", "O'Neil"}));
    EXPECT_EQ(nachher[1], (QStringList{"Ärger im Paradies", "a", "O'Neil"}));
    EXPECT_EQ(nachher[2], (QStringList{"Aliens", "A", "Bernd"}));
    EXPECT_EQ(nachher[3], (QStringList{"Der Pate", "A", "Carla"}));
    const auto zeilen = k.log();
    ASSERT_EQ(zeilen.size(), 5u) << "rows only for the titles it lent";
    EXPECT_EQ(zeilen[3], (QStringList{"Alien", "O'Neil", "09.12.2026", "<null>"}));
    EXPECT_EQ(zeilen[4], (QStringList{"Ärger im Paradies", "O'Neil", "09.12.2026", "<null>"}));

    k.haupt.aufrufe.clear();
    k.fake.clock.set(QDateTime(QDate(2026, 12, 20), QTime(9, 0)));
    f = öffnen(k);
    ASSERT_TRUE(f);
    f->cmbMappe->setText("A");
    f->cmbWer1->setText("o'neil");
    f->cmdZurück->click();
    EXPECT_EQ(letzte(k).prompt, "Verleihstatus rückgesetzt.");
    EXPECT_EQ(letzte(k).title, "Ausleihe zurück");
    EXPECT_EQ(k.haupt.aufrufe, (QStringList{"przlesen", "przAktualisieren"}));
    EXPECT_EQ(k.filme()[0][2], "-");
    EXPECT_EQ(k.filme()[1][2], "-");
    EXPECT_EQ(k.filme()[2][2], "Bernd");
    EXPECT_EQ(k.log()[3][3], "20.12.2026");
    EXPECT_EQ(k.log()[4][3], "20.12.2026");
    EXPECT_EQ(k.log()[0][3], "<null>") << "Bernd's row stays open";
    EXPECT_EQ(k.integrität(), "ok");
}

TEST(frmMappe, APastedLineBreakInTheBorrowerBecomesABlank)
{
    Ausleihkatalog k(Wörter);
    frmMappe* f = öffnen(k);
    ASSERT_TRUE(f);
    tippenImFokus(f->cmbMappe, "a");
    QApplication::clipboard()->setText(QStringLiteral("Karl\r\nMai"));
    fokussieren(f->cmbWer1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f->cmbWer1->text(), "Karl Mai");
    f->cmdAusleihen->click();
    EXPECT_EQ(letzte(k).prompt, "Verleihstatus gesetzt.");
    EXPECT_EQ(k.filme()[0], (QStringList{"Alien", "A", "Karl Mai"}));
    EXPECT_EQ(k.log().back(), (QStringList{"Ärger im Paradies", "Karl Mai", "09.12.2026", "<null>"}));
}

TEST(frmMappe, AFailedLendingSaysSoAndKeepsTheWindow)
{
    Ausleihkatalog k;
    k.ausführen("CREATE TRIGGER nein BEFORE UPDATE ON Filme WHEN NEW.Titel IN ('Ärger im Paradies', 'Der Pate') "
                "BEGIN SELECT RAISE(ABORT, 'nein'); END");
    frmMappe* f = öffnen(k);
    ASSERT_TRUE(f);
    const auto filme = k.filme();
    const auto log = k.log();
    f->cmbMappe->setText("A");
    f->cmbWer1->setText("Eva");
    f->cmdAusleihen->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, "Verleihstatus konnte nicht gesetzt werden.");
    EXPECT_EQ(letzte(k).title, "Ausleihen");
    EXPECT_EQ(letzte(k).flags, sys::mb::Critical);
    EXPECT_TRUE(f && f->isVisible());
    EXPECT_EQ(k.filme(), filme);
    EXPECT_EQ(k.log(), log);
    EXPECT_TRUE(k.haupt.aufrufe.isEmpty());

    f->cmbWer1->setText("Carla");
    f->cmdZurück->click();
    EXPECT_EQ(letzte(k).prompt, "Verleihstatus konnte nicht rückgesetzt werden.");
    EXPECT_EQ(letzte(k).title, "Ausleihe zurück");
    EXPECT_EQ(k.filme(), filme);
    EXPECT_EQ(k.log(), log);
    f->close();
}

TEST(frmMappe, AMissingCatalogueIsReportedAndTheWindowNeverShows)
{
    Ausleihkatalog k;
    k.haupt.dbName = "fehlt";
    EXPECT_EQ(öffnen(k), nullptr);
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(letzte(k).prompt.startsWith("Die Datenbank \"" + k.folder.file("fehlt.mdb")
                                            + "\" kann nicht geöffnet werden."));
    EXPECT_EQ(letzte(k).flags, sys::mb::Critical);
}

TEST(frmMappe, EnterMovesOnWithoutAddingAnEntry)
{
    Ausleihkatalog k;
    frmMappe* f = öffnen(k);
    ASSERT_TRUE(f);
    tippenImFokus(f->cmbMappe, "Neu\r");
    QWidget* fokus = f->focusWidget();
    EXPECT_TRUE(fokus == f->cmbWer1 || f->cmbWer1->isAncestorOf(fokus));
    EXPECT_EQ(f->cmbMappe->count(), 3);
    tippenImFokus(f->cmbWer1, "Eva\r");
    EXPECT_EQ(f->focusWidget(), f->cmdAusleihen);
    EXPECT_EQ(f->cmbWer1->count(), 4);
    EXPECT_TRUE(k.fake.messages.shown.empty()) << "Enter starts no command";
    f->close();
}

struct Kappfall {
    const char* name;
    const char* getippt;  // typed into the borrower box, or
    const char* gewählt;  // picked from its list
    const char* text;
};

class Kappe : public ::testing::TestWithParam<Kappfall> {};

TEST_P(Kappe, NurGetippterTextWirdGekappt)
{
    Ausleihkatalog k;
    frmMappe* f = öffnen(k);
    ASSERT_TRUE(f);
    f->cmbWer1->addItem("Zacharias Zweistein");
    if (*GetParam().gewählt)
        wählen(f->cmbWer1, QString::fromUtf8(GetParam().gewählt));
    else
        tippenImFokus(f->cmbWer1, QString::fromUtf8(GetParam().getippt));
    EXPECT_EQ(f->cmbWer1->text(), QString::fromUtf8(GetParam().text));
    f->close();
}

INSTANTIATE_TEST_SUITE_P(Fälle, Kappe,
                         ::testing::Values(Kappfall{"ZehnGetippt", "Ulrikeulla", "", "Ulrikeulla"},
                                           Kappfall{"ElfGetippt", "Ulrikeullax", "", "Ulrikeulla"},
                                           Kappfall{"LangGewaehlt", "", "Maximilian Mustermann",
                                                    "Maximilian Mustermann"},
                                           Kappfall{"LangVervollstaendigt", "Zach", "", "Zacharias Zweistein"}),
                         [](const auto& fall) { return std::string(fall.param.name); });

TEST(frmMappe, TypeAheadIsCaseSensitiveAndNotRepeatedAfterBackspace)
{
    Ausleihkatalog k;
    frmMappe* f = öffnen(k);
    ASSERT_TRUE(f);
    tippenImFokus(f->cmbWer1, "Ca");
    EXPECT_EQ(f->cmbWer1->text(), "Carla");
    EXPECT_EQ(f->cmbWer1->lineEdit()->selectedText(), "rla");
    tippenImFokus(f->cmbWer1, "\b");
    EXPECT_EQ(f->cmbWer1->text(), "Ca") << "Backspace takes the completion back and it is not offered again";
    tippenImFokus(f->cmbWer1, "\b\b\b");
    EXPECT_EQ(f->cmbWer1->text(), "") << "an emptied box is not completed";
    tippenImFokus(f->cmbWer1, "ca");
    EXPECT_EQ(f->cmbWer1->text(), "ca");
    tippenImFokus(f->cmbMappe, "K");
    EXPECT_EQ(f->cmbMappe->text(), "Kino's") << "the folder box completes too";
    EXPECT_EQ(f->cmbMappe->lineEdit()->selectedText(), "ino's");
    f->close();
}

TEST(frmMappe, TextsOfTheLanguageFile)
{
    Ausleihkatalog k("[Design]\r\nSprache=test.lng\r\n");
    k.folder.write("test.lng", "[Mappe]\r\nCaption=Ordner verleihen\r\nButton1=&Verleihen\r\n"
                               "ButtonText1=Alle verleihen\r\nLabel2=Wer?\r\ncmb2=Wer bekommt sie\r\n");
    frmMappe* f = öffnen(k);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), "Ordner verleihen");
    EXPECT_EQ(f->cmdAusleihen->text(), "&Verleihen");
    EXPECT_EQ(f->cmdAusleihen->toolTip(), "Alle verleihen");
    EXPECT_EQ(f->Label(1)->text(), "Wer?");
    EXPECT_EQ(f->cmbWer1->toolTip(), "Wer bekommt sie");
    EXPECT_EQ(f->cmdZurück->text(), "") << "a missing key empties its text";
    EXPECT_EQ(f->Label(0)->text(), "");
    f->close();
}

// For a look by eye: RDX_SCREENSHOTS names a folder.
TEST(frmMappe, Screenshot)
{
    const QString ordner = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ordner.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ordner);
    Ausleihkatalog k("[Design]\r\nLabel1=Mappe\r\nTextFarbe=8388608\r\nBackcolor=16777215\r\n");
    frmMappe* f = öffnen(k);
    ASSERT_TRUE(f);
    f->cmbMappe->setText("Kino's");
    f->cmbWer1->setText("Bernd");
    EXPECT_TRUE(f->grab().save(ordner + "/frmMappe.png"));
    f->close();
}
