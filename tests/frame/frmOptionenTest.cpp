#include "frame/frmOptionen.h"
#include "platform/ini/IniFile.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <memory>

using namespace testing_support;

namespace {

class FakeHauptfenster : public frame::Hauptfenster {
public:
    QWidget* fenster() override { return nullptr; }
    void przAktualisieren() override { ++aktualisiert; }
    void przlesen() override {}
    QString tfDBName() const override { return QStringLiteral("filme"); }
    int aktualisiert = 0;
};

// A complete look with the default look on ("Default" = "0"), no functions set.
const QByteArray Grundeinstellung =
    "[Design]\r\nDefault=0\r\nSprache=deutsch.lng\r\nTextFarbe=0\r\nTextFont=Arial\r\nTextBold=Falsch\r\n"
    "TextSize=8\r\nBackcolor=16777215\r\nDeutsch=dt\r\nEnglisch=en\r\nDeuEngl=dt / en\r\nHintergrundfarbe=0\r\n"
    "[Funktionen]\r\nErinnerungsintervall=14\r\n[URL]\r\n";
const QByteArray Feldwörter = "[Hauptfenster]\r\nLabel1=Mappe\r\nLabel2=Qualität\r\nLabel3=Format\r\nLabel4=Titel\r\n"
                              "Label5=Anzahl CDs\r\nLabel6=Ausleiher\r\nLabel7=Kategorie\r\n";

class Optionen : public ::testing::Test {
protected:
    TempFolder folder;
    FakeServices fake{folder.path()};
    FakeHauptfenster haupt;

    void SetUp() override
    {
        folder.write("Cd.ini", Grundeinstellung);
        folder.write("deutsch.lng", Feldwörter);
    }
    void setze(const char* section, const char* key, const char* wert)
    {
        ini::IniFile(folder.file("Cd.ini")).write(QString::fromUtf8(section), QString::fromUtf8(key), QString::fromUtf8(wert));
    }
    QString cd(const char* section, const char* key) const
    {
        return ini::IniFile(folder.file("Cd.ini")).read(QString::fromUtf8(section), QString::fromUtf8(key));
    }
    QString lng(const char* key, const char* datei = "deutsch.lng") const
    {
        return ini::IniFile(folder.file(QString::fromUtf8(datei))).read(QStringLiteral("Hauptfenster"), QString::fromUtf8(key));
    }
    std::unique_ptr<frmOptionen> öffnen()
    {
        auto f = std::make_unique<frmOptionen>(fake.services, &haupt);
        f->Form_Load();
        f->show();
        return f;
    }
};

template <typename T>
T* control(const QWidget& fenster, const char* name)
{
    T* c = fenster.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

QColor textfarbe(const QWidget* w)
{
    return w->palette().color(QPalette::Active, w->foregroundRole());
}

}  // namespace

TEST_F(Optionen, CheckBoxesAndOptionButtonsWriteTheirKeyAtOnce)
{
    struct Fall {
        const char* name;
        const char* section;
        const char* key;
        const char* an;     // after the first click
        const char* aus;    // after a second click; nullptr: the box cannot be clicked again
        const char* meldung;  // shown by the second click
    } const faelle[] = {
        {"chkDefault", "Design", "Default", "0", "1", nullptr},
        {"chkEditMode", "Funktionen", "Edit Mode", "1", "0", nullptr},
        {"chkSortierungsfunktion", "Funktionen", "Sortierungsfunktion", "1", "0",
         "Programm muss neu gestartet werden damit die Sortierfelder ausgeblendet werden!"},
        {"chkErinnerungsfunktion", "Funktionen", "Erinnerungsfunktion", "1", "0", nullptr},
        {"chkFormatfilter", "Funktionen", "Formatfilter", "1", "0", nullptr},
        {"chkHintergrundfarbe", "Design", "Hintergrundfarbe", "1", "0", nullptr},
        {"chkCovernormal", "Funktionen", "Cover Normal", "1", "0",
         "Bitte führen Sie Tools aus und betätigen Sie den Cover-Schalter für das Cover-Update!"},
        {"chkSortKF", "Funktionen", "Sortierung", "KF", nullptr, nullptr},
        {"chkSortFK", "Funktionen", "Sortierung", "FK", nullptr, nullptr},
        {"chkWer", "Funktionen", "6tes Feld", "W", nullptr, nullptr},
        {"chkAnz", "Funktionen", "6tes Feld", "A", nullptr, nullptr},
        {"optAusalle", "Funktionen", "AusleiherListe", "alle", nullptr, nullptr},
        {"optAusakt", "Funktionen", "AusleiherListe", "akt", nullptr, nullptr},
    };
    for (const auto& f : faelle) {
        folder.write("Cd.ini", Grundeinstellung);
        setze("Design", "Default", "1");
        fake.messages.shown.clear();
        auto fenster = öffnen();
        auto* knopf = control<QAbstractButton>(*fenster, f.name);
        ASSERT_TRUE(knopf);
        ASSERT_FALSE(knopf->isChecked()) << f.name;

        knopf->click();
        EXPECT_EQ(cd(f.section, f.key), QString::fromUtf8(f.an)) << f.name;
        if (f.aus) {
            knopf->click();
            EXPECT_EQ(cd(f.section, f.key), QString::fromUtf8(f.aus)) << f.name;
        } else if (qobject_cast<QCheckBox*>(knopf)) {
            EXPECT_FALSE(knopf->isEnabled()) << f.name << ": the chosen box of a pair is locked";
        }
        EXPECT_EQ(fake.messages.prompts(), f.meldung ? QStringList{QString::fromUtf8(f.meldung)} : QStringList{})
            << f.name;
        EXPECT_EQ(haupt.aktualisiert, 0) << f.name;
    }
    // The two restart and cover messages in their style.
    folder.write("Cd.ini", Grundeinstellung);
    fake.messages.shown.clear();
    auto fenster = öffnen();
    fenster->chkSortierungsfunktion->click();
    fenster->chkSortierungsfunktion->click();
    fenster->chkCovernormal->click();
    fenster->chkCovernormal->click();
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_EQ(fake.messages.shown[0].flags, sys::mb::OkOnly | sys::mb::Information);
    EXPECT_EQ(fake.messages.shown[0].title, QStringLiteral("Sortierungsfunktion"));
    EXPECT_EQ(fake.messages.shown[1].flags, sys::mb::OkOnly | sys::mb::Exclamation);
    EXPECT_EQ(fake.messages.shown[1].title, QStringLiteral("Cover-Update"));
}

TEST_F(Optionen, TextEntriesAreWrittenByApplyAndOkOnly)
{
    struct Fall {
        const char* name;
        const char* datei;
        const char* section;
        const char* key;
        const char* text;
    } const faelle[] = {
        {"tfTage", "Cd.ini", "Funktionen", "Erinnerungsintervall", ""},  // cleared: stored empty
        {"tfFilmURL", "Cd.ini", "URL", "Film", "www.filme.example"},
        {"tfDeutsch", "Cd.ini", "Design", "Deutsch", "deu"},
        {"tfEnglisch", "Cd.ini", "Design", "Englisch", "eng"},
        {"tfDeuEngl", "Cd.ini", "Design", "DeuEngl", "deu + eng"},
        {"tfLabel1", "deutsch.lng", "Hauptfenster", "Label1", "Ordner"},
        {"tfLabel2", "deutsch.lng", "Hauptfenster", "Label2", "Güte"},
        {"tfLabel3", "deutsch.lng", "Hauptfenster", "Label3", "Medium"},
        {"tfLabel4", "deutsch.lng", "Hauptfenster", "Label4", "Name"},
        {"tfLabel5", "deutsch.lng", "Hauptfenster", "Label5", "Scheiben"},
        {"tfLabel6", "deutsch.lng", "Hauptfenster", "Label6", "Bei"},
        {"tfLabel7", "deutsch.lng", "Hauptfenster", "Label7", "Genre"},
    };
    auto wert = [&](const Fall& f) {
        return ini::IniFile(folder.file(QString::fromUtf8(f.datei)))
            .read(QString::fromUtf8(f.section), QString::fromUtf8(f.key));
    };
    for (bool mitOk : {false, true}) {
        SetUp();
        haupt.aktualisiert = 0;
        auto fenster = öffnen();
        const QByteArray vorherIni = folder.read("Cd.ini");
        const QByteArray vorherLng = folder.read("deutsch.lng");
        for (const auto& f : faelle)
            control<QLineEdit>(*fenster, f.name)->setText(QString::fromUtf8(f.text));
        EXPECT_EQ(folder.read("Cd.ini"), vorherIni) << "typing writes nothing";
        EXPECT_EQ(folder.read("deutsch.lng"), vorherLng);

        (mitOk ? fenster->cmdOK : fenster->cmdÜbernehmen)->click();
        for (const auto& f : faelle)
            EXPECT_EQ(wert(f), QString::fromUtf8(f.text)) << f.name << (mitOk ? " OK" : " Apply");
        EXPECT_EQ(haupt.aktualisiert, 1);
        EXPECT_EQ(fenster->isVisible(), !mitOk) << "Apply stays open, OK closes";
        EXPECT_EQ(fenster->Label(3)->text(), QStringLiteral("Medium"));
    }
}

TEST_F(Optionen, LoadSetsTheControlsAndLocksTheChosenBoxOfEachPair)
{
    folder.write("deutsch.lng", "[Hauptfenster]\r\nLabel3=Medium\r\nLabel7=Genre\r\n");
    for (const auto& [key, wert] : std::initializer_list<std::pair<const char*, const char*>>{
             {"Sortierung", "FK"}, {"6tes Feld", "A"}, {"Sortierungsfunktion", "1"}, {"Edit Mode", "1"},
             {"Cover Normal", "1"}, {"AusleiherListe", "akt"}, {"Erinnerungsfunktion", "1"}, {"Formatfilter", "1"}})
        setze("Funktionen", key, wert);
    setze("Design", "Hintergrundfarbe", "1");
    setze("URL", "Film", "www.filme.example");
    auto fenster = öffnen();

    EXPECT_TRUE(fenster->chkSortFK->isChecked());
    EXPECT_FALSE(fenster->chkSortFK->isEnabled());
    EXPECT_FALSE(fenster->chkSortKF->isChecked());
    EXPECT_TRUE(fenster->chkSortKF->isEnabled());
    EXPECT_EQ(fenster->chkSortFK->text(), QStringLiteral("Medium, Genre"));
    EXPECT_EQ(fenster->chkSortKF->text(), QStringLiteral("Genre, Medium"));
    EXPECT_TRUE(fenster->chkAnz->isChecked());
    EXPECT_FALSE(fenster->chkAnz->isEnabled());
    EXPECT_FALSE(fenster->chkWer->isChecked());
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             fenster->chkSortierungsfunktion, fenster->chkEditMode, fenster->chkCovernormal, fenster->optAusakt,
             fenster->chkErinnerungsfunktion, fenster->chkFormatfilter, fenster->chkHintergrundfarbe, fenster->chkDefault})
        EXPECT_TRUE(b->isChecked()) << b->objectName().toStdString();
    EXPECT_FALSE(fenster->optAusalle->isChecked());
    EXPECT_EQ(fenster->tfTage->text(), QStringLiteral("14"));
    EXPECT_EQ(fenster->tfFilmURL->text(), QStringLiteral("www.filme.example"));
    EXPECT_EQ(fenster->tfLabel(3)->text(), QStringLiteral("Medium"));
    EXPECT_EQ(fenster->Label(7)->text(), QStringLiteral("Genre"));
    EXPECT_TRUE(fenster->tfLabel(1)->text().isEmpty()) << "a missing field word reads as empty";
    EXPECT_TRUE(fake.messages.shown.empty());

    // Clicking the other box of the pair writes its value and swaps the states.
    fenster->chkSortKF->click();
    EXPECT_EQ(cd("Funktionen", "Sortierung"), QStringLiteral("KF"));
    EXPECT_TRUE(fenster->chkSortKF->isChecked());
    EXPECT_FALSE(fenster->chkSortKF->isEnabled());
    EXPECT_FALSE(fenster->chkSortFK->isChecked());
    EXPECT_TRUE(fenster->chkSortFK->isEnabled());

    // Values other than the checked ones leave the boxes as designed.
    SetUp();
    setze("Funktionen", "Sortierung", "");
    setze("Funktionen", "Edit Mode", "ja");
    setze("Funktionen", "AusleiherListe", "Alle");
    auto zweites = öffnen();
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{zweites->chkSortFK, zweites->chkSortKF,
                                                                       zweites->chkEditMode, zweites->optAusalle,
                                                                       zweites->optAusakt}) {
        EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    }
    EXPECT_EQ(zweites->tfFilmURL->text(), frmOptionen::FilmSeite) << "an empty Film keeps the design text";
}

TEST_F(Optionen, CoverNormalIsLockedOnceTheCoversWereConverted)
{
    struct Fall {
        const char* coverUpdate;
        const char* coverNormal;
        bool geprüft;
        bool frei;
        bool meldungBeimAbwählen;
    } const faelle[] = {
        {"1", "0", false, false, false},
        {"1", "1", true, true, false},
        {"", "1", true, true, true},
        {"0", "1", true, true, true},
    };
    for (const auto& f : faelle) {
        SetUp();
        fake.messages.shown.clear();
        fake.userStore.values.insert(QStringLiteral("Settings/Cover Update"), QString::fromUtf8(f.coverUpdate));
        setze("Funktionen", "Cover Normal", f.coverNormal);
        auto fenster = öffnen();
        EXPECT_EQ(fenster->chkCovernormal->isChecked(), f.geprüft) << f.coverUpdate << f.coverNormal;
        EXPECT_EQ(fenster->chkCovernormal->isEnabled(), f.frei) << f.coverUpdate << f.coverNormal;
        if (!f.geprüft)
            continue;
        fenster->chkCovernormal->click();
        EXPECT_EQ(cd("Funktionen", "Cover Normal"), QStringLiteral("0"));
        EXPECT_EQ(fake.messages.shown.size(), f.meldungBeimAbwählen ? 1u : 0u) << f.coverUpdate << f.coverNormal;
    }
}

TEST_F(Optionen, FirstRunWritesTheDefaultsOnceAndOpensWithThem)
{
    folder.write("Cd.ini", "[Funktionen]\r\nEdit Mode=1\r\n");
    QFile::remove(folder.file("deutsch.lng"));
    auto fenster = öffnen();

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].prompt, QStringLiteral("unbekannter Fehler! Setze Standardwerte."));
    EXPECT_EQ(fake.messages.shown[0].flags, sys::mb::OkOnly);
    EXPECT_EQ(fake.messages.shown[0].title, QStringLiteral("Rondavex"));
    const std::pair<const char*, const char*> design[] = {
        {"TextFarbe", "0"},  {"TextFont", "Arial"}, {"TextBold", "Falsch"}, {"TextSize", "8"},
        {"Backcolor", "16777215"}, {"Deutsch", "dt"}, {"Englisch", "en"}, {"DeuEngl", "dt / en"},
        {"Hintergrundfarbe", "0"},
    };
    for (const auto& [key, wert] : design)
        EXPECT_EQ(cd("Design", key), QString::fromUtf8(wert)) << key;
    EXPECT_FALSE(folder.read("Cd.ini").contains("Default")) << "Default itself is not written";
    const char* const wörter[] = {"Mappe", "Qualität", "Format", "Titel", "Anzahl CDs", "Ausleiher", "Kategorie"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(lng(QStringLiteral("Label%1").arg(i + 1).toUtf8().constData()), QString::fromUtf8(wörter[i]));
        EXPECT_EQ(fenster->tfLabel(i + 1)->text(), QString::fromUtf8(wörter[i]));
    }
    EXPECT_EQ(fenster->tfDeutsch->text(), QStringLiteral("dt"));
    EXPECT_TRUE(fenster->chkEditMode->isChecked()) << "the second pass loads the whole window";
}

TEST_F(Optionen, TheErrorPathRewritesOnlyEmptyOrUnconvertibleValues)
{
    folder.write("Cd.ini", "[Design]\r\nDefault=1\r\nTextFarbe=blau\r\nTextFont=Verdana\r\nTextBold=vielleicht\r\n"
                           "TextSize=10,5\r\nBackcolor=255\r\nDeutsch=de\r\nEnglisch=\r\nDeuEngl=de/en\r\n"
                           "Hintergrundfarbe=1\r\n");
    folder.write("deutsch.lng", "[Hauptfenster]\r\nLabel1=Ordner\r\nLabel2=\r\nLabel3=Medium\r\nLabel4=Name\r\n"
                                "Label5=Scheiben\r\nLabel6=Bei\r\nLabel7=Genre\r\n");
    auto fenster = öffnen();

    EXPECT_EQ(fake.messages.prompts(), QStringList{QStringLiteral("unbekannter Fehler! Setze Standardwerte.")});
    const std::pair<const char*, const char*> design[] = {
        {"TextFarbe", "0"},   {"TextFont", "Verdana"}, {"TextBold", "Falsch"}, {"TextSize", "10,5"},
        {"Backcolor", "255"}, {"Deutsch", "de"},       {"Englisch", "en"},     {"DeuEngl", "de/en"},
        {"Hintergrundfarbe", "1"},
    };
    for (const auto& [key, wert] : design)
        EXPECT_EQ(cd("Design", key), QString::fromUtf8(wert)) << key;
    const char* const wörter[] = {"Ordner", "Qualität", "Medium", "Name", "Scheiben", "Bei", "Genre"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(fenster->tfLabel(i + 1)->text(), QString::fromUtf8(wörter[i])) << i + 1;
}

TEST_F(Optionen, AnEmptyFontNameIsNoLoadError)
{
    // Only a colour, bold word or size that cannot be converted sends the load to its defaults.
    setze("Design", "Default", "1");
    setze("Design", "TextFont", "");
    setze("Design", "Deutsch", "");
    frmOptionen design(fake.services, &haupt);
    auto fenster = öffnen();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(cd("Design", "TextFont"), QString());
    EXPECT_EQ(cd("Design", "Deutsch"), QString()) << "no defaults were written";
    EXPECT_EQ(fenster->Label(1)->font().family(), design.Label(1)->font().family());
    EXPECT_DOUBLE_EQ(fenster->Label(1)->font().pointSizeF(), 8);
}

TEST_F(Optionen, ASecondFailureOpensWithTheDefaultsWithoutAnotherMessage)
{
    // A "Cd.ini" that cannot be read or written: every key reads empty and the defaults never stick.
    QFile::remove(folder.file("Cd.ini"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Cd.ini")));
    QFile::remove(folder.file("deutsch.lng"));
    auto fenster = öffnen();

    EXPECT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fenster->tfDeutsch->text(), QStringLiteral("dt"));
    EXPECT_EQ(fenster->tfDeuEngl->text(), QStringLiteral("dt / en"));
    EXPECT_EQ(fenster->werte().textFont, QStringLiteral("Arial"));
    EXPECT_EQ(fenster->werte().textSize, QStringLiteral("8"));
    EXPECT_EQ(fenster->tfLabel(5)->text(), QStringLiteral("Anzahl CDs"));
}

TEST_F(Optionen, OkWithoutTouchingRewritesTheSavedKeysAndTurnsTextColourAgainstBlackOrWhite)
{
    struct Fall {
        const char* standard;
        const char* backcolor;
        const char* textFarbeDanach;
    } const faelle[] = {
        {"1", "0", "16777215"},
        {"1", "16777215", "0"},
        {"1", "16711680", "65280"},
        {"0", "0", "65280"},  // with the default look the load applies nothing, so nothing turns
    };
    for (const auto& f : faelle) {
        SetUp();
        haupt.aktualisiert = 0;
        setze("Design", "Default", f.standard);
        setze("Design", "Backcolor", f.backcolor);
        setze("Design", "TextFarbe", "65280");
        setze("URL", "Film", "www.filme.example");
        setze("Funktionen", "Formatfilter", "1");
        auto fenster = öffnen();
        fenster->cmdOK->click();

        const std::pair<const char*, const char*> erwartet[] = {
            {"TextFarbe", f.textFarbeDanach}, {"TextFont", "Arial"}, {"TextBold", "Falsch"}, {"TextSize", "8"},
            {"Backcolor", f.backcolor},       {"Deutsch", "dt"},     {"Englisch", "en"},     {"DeuEngl", "dt / en"},
            {"Hintergrundfarbe", "0"},
        };
        for (const auto& [key, wert] : erwartet)
            EXPECT_EQ(cd("Design", key), QString::fromUtf8(wert)) << key << " with " << f.standard << "/" << f.backcolor;
        EXPECT_EQ(cd("URL", "Film"), QStringLiteral("www.filme.example"));
        EXPECT_EQ(cd("Funktionen", "Erinnerungsintervall"), QStringLiteral("14"));
        EXPECT_EQ(cd("Funktionen", "Formatfilter"), QStringLiteral("1"));
        EXPECT_EQ(folder.read("deutsch.lng"), Feldwörter);
        EXPECT_EQ(haupt.aktualisiert, 1);
        EXPECT_FALSE(fenster->isVisible());
        EXPECT_TRUE(fake.messages.shown.empty());
    }
}

TEST_F(Optionen, WithTheDefaultLookOkSkipsWhatTheLookCannotConvert)
{
    // Only the load repairs the look keys; OK applies what it can and goes on.
    setze("Design", "TextFarbe", "blau");
    setze("Design", "TextSize", "");
    auto fenster = öffnen();
    fenster->cmdOK->click();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(cd("Design", "TextFarbe"), QStringLiteral("blau"));
    EXPECT_EQ(cd("Design", "TextSize"), QString());
    EXPECT_EQ(haupt.aktualisiert, 1);
    EXPECT_FALSE(fenster->isVisible());
}

TEST_F(Optionen, OnBlackApplyKeepsTheTextsWhiteAndTheNextOkStoresWhite)
{
    setze("Design", "Default", "1");
    setze("Design", "Backcolor", "0");
    setze("Design", "TextFarbe", "255");
    auto fenster = öffnen();
    fake.dialogs.colors.push_back(255);
    fenster->cmdFarbe->click();
    EXPECT_EQ(cd("Design", "TextFarbe"), QStringLiteral("255"));

    fenster->cmdÜbernehmen->click();
    EXPECT_EQ(cd("Design", "TextFarbe"), QStringLiteral("255"));
    EXPECT_EQ(textfarbe(fenster->Label(1)), QColor(Qt::white));
    EXPECT_EQ(textfarbe(fenster->chkEditMode), QColor(Qt::white));
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_EQ(haupt.aktualisiert, 1);

    fenster->cmdOK->click();
    EXPECT_EQ(cd("Design", "TextFarbe"), QStringLiteral("16777215"));
    EXPECT_EQ(haupt.aktualisiert, 2);
}

TEST_F(Optionen, ColourButtonsWriteAtOnceAndACancelChangesNothing)
{
    {
        auto fenster = öffnen();
        const QByteArray vorher = folder.read("Cd.ini");
        fenster->cmdFarbe->click();      // cancelled
        fenster->cmdFarbeBack->click();  // cancelled
        EXPECT_EQ(folder.read("Cd.ini"), vorher);
        EXPECT_TRUE(fenster->tfColor->text().isEmpty());
        EXPECT_TRUE(fenster->tfBackcolor->text().isEmpty());
        EXPECT_EQ(haupt.aktualisiert, 0) << "a cancelled background colour applies nothing";
        EXPECT_EQ(fake.dialogs.calls, (QStringList{QStringLiteral("color"), QStringLiteral("color")}));
    }
    {
        auto fenster = öffnen();
        fake.dialogs.colors.push_back(255);
        fenster->tfTage->setText(QStringLiteral("30"));
        fenster->cmdFarbe->click();
        EXPECT_EQ(cd("Design", "TextFarbe"), QStringLiteral("255"));
        EXPECT_EQ(fenster->tfColor->text(), QStringLiteral("255"));
        EXPECT_EQ(cd("Funktionen", "Erinnerungsintervall"), QStringLiteral("14")) << "a text colour applies nothing";
        EXPECT_EQ(haupt.aktualisiert, 0);

        // A new background colour runs the whole of Apply.
        fake.dialogs.colors.push_back(16711680);
        fenster->cmdFarbeBack->click();
        EXPECT_EQ(cd("Design", "Backcolor"), QStringLiteral("16711680"));
        EXPECT_EQ(cd("Funktionen", "Erinnerungsintervall"), QStringLiteral("30"));
        EXPECT_EQ(haupt.aktualisiert, 1);
        EXPECT_TRUE(fenster->isVisible());

        // The same colour again is written, but applies nothing.
        setze("Design", "Backcolor", "1");
        fake.dialogs.colors.push_back(16711680);
        fenster->cmdFarbeBack->click();
        EXPECT_EQ(cd("Design", "Backcolor"), QStringLiteral("16711680"));
        EXPECT_EQ(haupt.aktualisiert, 1);
    }
}

TEST_F(Optionen, TheFontIsStoredByOkAndACancelStoresArial)
{
    using Wahl = std::optional<sys::Dialogs::FontChoice>;
    struct Fall {
        Wahl wahl;
        const char* font;
        const char* bold;
        const char* size;
        bool meldung;
    } const faelle[] = {
        {std::nullopt, "Arial", "0", "9,75", false},
        {sys::Dialogs::FontChoice{QStringLiteral("DejaVu Sans"), true, 10.5}, "DejaVu Sans", "Wahr", "10,5", false},
        {sys::Dialogs::FontChoice{QStringLiteral("Serif"), false, 12}, "Serif", "Falsch", "12", false},
        // No name: Arial, and bold and size stay as they were read.
        {sys::Dialogs::FontChoice{QString(), true, 14}, "Arial", "Falsch", "8", true},
    };
    for (const auto& f : faelle) {
        SetUp();
        setze("Design", "TextFont", "Verdana");
        fake.messages.shown.clear();
        auto fenster = öffnen();
        fake.dialogs.fonts.push_back(f.wahl);
        fenster->cmdFont->click();
        EXPECT_EQ(fake.dialogs.calls.last(), QStringLiteral("font Schriftart ändern"));
        EXPECT_EQ(cd("Design", "TextFont"), QStringLiteral("Verdana")) << "the dialog itself writes nothing";
        fenster->cmdOK->click();
        EXPECT_EQ(cd("Design", "TextFont"), QString::fromUtf8(f.font));
        EXPECT_EQ(cd("Design", "TextBold"), QString::fromUtf8(f.bold)) << f.font;
        EXPECT_EQ(cd("Design", "TextSize"), QString::fromUtf8(f.size)) << f.font;
        EXPECT_EQ(fake.messages.prompts(),
                  f.meldung ? QStringList{QStringLiteral("Bitte Font auswählen! - Wähle automatisch Font 'Arial' aus...")}
                            : QStringList{});
    }
}

TEST_F(Optionen, FieldWordsAreAlwaysReadAndSavedInDeutschLng)
{
    setze("Design", "Sprache", "english.lng");
    const QByteArray englisch = "[Hauptfenster]\r\nLabel1=Folder\r\n";
    folder.write("english.lng", englisch);
    auto fenster = öffnen();
    EXPECT_EQ(fenster->tfLabel(1)->text(), QStringLiteral("Mappe"));
    fenster->tfLabel(1)->setText(QStringLiteral("Ordner"));
    fenster->cmdOK->click();
    EXPECT_EQ(lng("Label1"), QStringLiteral("Ordner"));
    EXPECT_EQ(folder.read("english.lng"), englisch);

    // A missing "deutsch.lng" reads as seven empty words and is created by the save.
    SetUp();
    QFile::remove(folder.file("deutsch.lng"));
    auto zweites = öffnen();
    EXPECT_TRUE(zweites->tfLabel(4)->text().isEmpty());
    zweites->tfLabel(4)->setText(QStringLiteral("Titel"));
    zweites->cmdOK->click();
    EXPECT_EQ(lng("Label4"), QStringLiteral("Titel"));
}

TEST_F(Optionen, CancelKeepsWhatTheBoxesWroteAndSavesNothingElse)
{
    auto fenster = öffnen();
    fenster->chkEditMode->click();
    fenster->tfDeutsch->setText(QStringLiteral("deu"));
    fenster->tfFilmURL->clear();
    fenster->cmdAbbrechen->click();
    EXPECT_EQ(cd("Funktionen", "Edit Mode"), QStringLiteral("1"));
    EXPECT_EQ(cd("Design", "Deutsch"), QStringLiteral("dt"));
    EXPECT_TRUE(cd("URL", "Film").isEmpty());
    EXPECT_EQ(haupt.aktualisiert, 0);
    EXPECT_FALSE(fenster->isVisible());

    // OK stores the design text of the film address when "Film" was empty.
    auto zweites = öffnen();
    zweites->cmdOK->click();
    EXPECT_EQ(cd("URL", "Film"), frmOptionen::FilmSeite);
}

TEST_F(Optionen, AFileThatTakesNoChangeIsNamedAndWhatWasEnteredStays)
{
    auto fenster = öffnen();
    const QByteArray vorher = folder.read("Cd.ini");
    // A folder in the place of the lock file: no write to "Cd.ini" gets through.
    ASSERT_TRUE(QDir().mkpath(folder.file("Cd.ini.lock")));
    const QString meldung = "Sorry '" + folder.file("Cd.ini") + "' kann nicht gespeichert werden!";

    fenster->chkEditMode->click();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].prompt, meldung);
    EXPECT_EQ(fake.messages.shown[0].flags, sys::mb::OkOnly | sys::mb::Critical);
    EXPECT_EQ(fake.messages.shown[0].title, QStringLiteral("Fehler"));

    for (QPushButton* knopf : {fenster->cmdÜbernehmen, fenster->cmdOK}) {
        fake.messages.shown.clear();
        fenster->tfFilmURL->setText(QStringLiteral("www.neu.example"));
        fenster->tfLabel(3)->setText(QStringLiteral("Medium"));
        knopf->click();
        EXPECT_EQ(fake.messages.prompts(), QStringList{meldung}) << "one message for all keys";
        EXPECT_TRUE(fenster->isVisible());
        EXPECT_EQ(fenster->tfFilmURL->text(), QStringLiteral("www.neu.example"));
        EXPECT_EQ(haupt.aktualisiert, 0);
    }
    EXPECT_EQ(folder.read("Cd.ini"), vorher);
    EXPECT_EQ(lng("Label3"), QStringLiteral("Medium")) << "the field words have a file of their own";

    ASSERT_TRUE(QDir(folder.file("Cd.ini.lock")).removeRecursively());
    fake.messages.shown.clear();
    fenster->cmdOK->click();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(cd("URL", "Film"), QStringLiteral("www.neu.example"));
    EXPECT_FALSE(fenster->isVisible());
}

TEST_F(Optionen, TheWindowsOwnLookFollowsItsRules)
{
    struct Fall {
        const char* backcolor;
        QColor linie;
    } const faelle[] = {
        {"16777215", QColor(255, 0, 0)},  // white background: lines in the text colour
        {"0", QColor(Qt::white)},
        {"16711680", QColor(Qt::white)},  // the design colour
    };
    for (const auto& f : faelle) {
        SetUp();
        setze("Design", "Default", "1");
        setze("Design", "TextFarbe", "255");
        setze("Design", "Backcolor", f.backcolor);
        setze("Design", "TextFont", "DejaVu Serif");
        setze("Design", "TextBold", "Wahr");
        setze("Design", "TextSize", "13,5");
        frmOptionen design(fake.services, &haupt);
        auto fenster = öffnen();
        const QColor rot(255, 0, 0);

        for (const char* name : {"lblListenansicht", "Label1", "lblTage", "lblSprachbezeichnung", "lblDt"})
            EXPECT_EQ(textfarbe(control<QLabel>(*fenster, name)), rot) << name;
        EXPECT_EQ(textfarbe(fenster->chkWer), rot);
        EXPECT_EQ(textfarbe(fenster->optAusakt), rot);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(fenster->Line1(i)->palette().color(QPalette::WindowText), f.linie) << f.backcolor << " line " << i;
        EXPECT_EQ(fenster->tfTage->palette().color(QPalette::Base), design.tfTage->palette().color(QPalette::Base))
            << "text boxes keep their colours";
        EXPECT_EQ(fenster->cmdOK->palette().color(QPalette::Button), design.cmdOK->palette().color(QPalette::Button));

        const QFont label = fenster->Label(2)->font();
        EXPECT_EQ(label.family(), QStringLiteral("DejaVu Serif"));
        EXPECT_DOUBLE_EQ(label.pointSizeF(), 13.5);
        EXPECT_TRUE(label.bold());
        const QFont box = fenster->chkEditMode->font();
        EXPECT_EQ(box.family(), QStringLiteral("DejaVu Serif"));
        EXPECT_DOUBLE_EQ(box.pointSizeF(), 13.5);
        EXPECT_FALSE(box.bold()) << "bold is for the labels only";
        const QFont dt = control<QLabel>(*fenster, "lblDt")->font();
        EXPECT_DOUBLE_EQ(dt.pointSizeF(), 13.5);
        EXPECT_FALSE(dt.bold()) << "the language labels are never bold";
        EXPECT_EQ(control<QLabel>(*fenster, "lblSprachbezeichnung")->font(),
                  control<QLabel>(design, "lblSprachbezeichnung")->font())
            << "the heading of the language labels keeps its font";
    }
}

TEST_F(Optionen, TheWindowExistsOnceAndLoadsAgainAfterItClosed)
{
    frmOptionen* fenster = frmOptionen::zeigen(fake.services, &haupt);
    EXPECT_EQ(frmOptionen::zeigen(fake.services, &haupt), fenster);
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_FALSE(fenster->isModal()) << "the main window stays usable";
    fake.dialogs.colors.push_back(255);
    fenster->cmdFarbe->click();
    ASSERT_EQ(fenster->tfColor->text(), QStringLiteral("255"));
    fenster->cmdAbbrechen->click();

    setze("Design", "Deutsch", "neu");
    frmOptionen* wieder = frmOptionen::zeigen(fake.services, &haupt);
    EXPECT_EQ(wieder->tfDeutsch->text(), QStringLiteral("neu"));
    EXPECT_TRUE(wieder->tfColor->text().isEmpty()) << "nothing carries over from the last showing";
    wieder->close();
    QApplication::processEvents();
}
