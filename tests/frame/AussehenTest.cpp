#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/Hintergrund.h"
#include "platform/vb/Formular.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace testing_support;

namespace {

const QString ErsterStartText = QStringLiteral(
    "Neue Variable in die ini Datei geschrieben. Sie können nun auch eine Hintergrundfarbe anstatt eines Bildes "
    "für das Hauptfenster wählen. (Optionen, Hintergrundfarbe, mit oder ohne ' inkl. Main'");
const QString ErsterStartTitel =
    QStringLiteral("Achtung: Neue Funktion! Neuer Wert wurde in die ini Datei eingetragen.");
const QString ErsatzText = QStringLiteral("Bitte ein Hintergrundbild wählen. Standard wird gesetzt.");

// A stand-in for the main window: the controls the look touches, by name.
struct Fenster {
    QWidget w;
    QLabel* image = nullptr;
    QPushButton* knopf = nullptr;
    QLineEdit* feld = nullptr;

    Fenster()
    {
        for (const char* n : {"lbFormat", "lbQualität", "lbMappe", "lbCat"})
            for (int i = 0; i <= 2; ++i)
                neu(QString::fromUtf8(n) + "_" + QString::number(i), "Design");
        for (const char* n : {"lbTitel", "lbWer"})
            for (int i = 0; i <= 1; ++i)
                neu(QString::fromUtf8(n) + "_" + QString::number(i), "Design");
        for (const char* n : {"lbAnzahl", "Datum", "Ausgeliehen", "Label1", "Label3", "Label4", "Label5", "Label6",
                              "Titel", "lbAnzahlSel", "lbAnzahlF", "lbUnterordner"})
            neu(QString::fromUtf8(n), "Design");
        for (const char* n : {"mnuMappe", "mnuQualität", "mnuFormat", "mnuKategorie"}) {
            auto* a = new QAction(QStringLiteral("Menü"), &w);
            a->setObjectName(QString::fromUtf8(n));
        }
        label("lbQualität_1")->move(440, 240);
        image = new QLabel(&w);
        image->setObjectName("Image1");
        knopf = new QPushButton("OK", &w);
        knopf->setObjectName("cmdSpeichern");
        feld = new QLineEdit(&w);
        feld->setObjectName("tfTitel");
        w.resize(800, 600);
    }

    QLabel* neu(const QString& name, const char* text)
    {
        auto* l = new QLabel(QString::fromUtf8(text), &w);
        l->setObjectName(name);
        return l;
    }
    QLabel* label(const char* name) const { return w.findChild<QLabel*>(QString::fromUtf8(name)); }
    QAction* menue(const char* name) const { return w.findChild<QAction*>(QString::fromUtf8(name)); }
    QColor textfarbe(QWidget* c) const { return c->palette().color(QPalette::Active, c->foregroundRole()); }
};

const frame::Feldwoerter Woerter{"Mappe*", "Qualität*", "Format*", "Titel*", "Anzahl*", "Ausleiher*", "Kategorie*"};

}  // namespace

// ---------------------------------------------------------------- conversions

TEST(vbFarbe, ReadsDecimalWindowsColourNumbersRedInTheLowestByte)
{
    struct Fall {
        const char* wert;
        std::optional<QColor> farbe;
    };
    const Fall faelle[] = {
        {"8388608", QColor(0, 0, 128)},
        {"255", QColor(255, 0, 0)},
        {"65280", QColor(0, 255, 0)},
        {"0", QColor(0, 0, 0)},
        {"16777215", QColor(255, 255, 255)},
        {" 32768 ", QColor(0, 128, 0)},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"16777216", std::nullopt},
        {"-2147483643", std::nullopt},  // a system colour of the original
        {"1e300", std::nullopt},        // beyond every whole number
        {"4294967551", std::nullopt},   // 255 plus 2^32: no colour, not red
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.wert);
        EXPECT_EQ(frame::vbFarbe(f.wert), f.farbe);
    }
    EXPECT_EQ(frame::vbFarbnummer(QColor(0, 0, 128)), 8388608);
    EXPECT_EQ(frame::vbFarbnummer(QColor(1, 2, 3)), 1 + 2 * 256 + 3 * 65536);
}

TEST(vbWahrheitswert, TakesTheGermanAndEnglishWordsAndNumbers)
{
    struct Fall {
        const char* wert;
        std::optional<bool> ergebnis;
    };
    const Fall faelle[] = {
        {"0", false},    {"Falsch", false}, {"false", false}, {"Wahr", true}, {"TRUE", true},
        {"-1", true},    {"1", true},       {"0,0", false},   {"", std::nullopt},
        {"ja", std::nullopt},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.wert);
        EXPECT_EQ(frame::vbWahrheitswert(f.wert), f.ergebnis);
    }
}

TEST(vbSchriftgrad, ReadsPointsWithADecimalComma)
{
    EXPECT_EQ(frame::vbSchriftgrad("9,75"), 9.75f);
    EXPECT_EQ(frame::vbSchriftgrad("8"), 8.0f);
    EXPECT_EQ(frame::vbSchriftgrad("abc"), std::nullopt);
    EXPECT_EQ(frame::vbSchriftgrad(""), std::nullopt);
    EXPECT_EQ(frame::vbSchriftgrad("0"), std::nullopt);
    EXPECT_EQ(frame::vbSchriftgrad("1e300"), std::nullopt);
    EXPECT_EQ(frame::vbSchriftgrad("2160"), 2160.0f);
}

TEST(Linienregel, ComparesTheStoredBackgroundText)
{
    struct Fall {
        const char* backcolor;
        const char* linie;
        bool weissAufSchwarz;
        std::optional<QColor> farbe;
    };
    const Fall faelle[] = {
        {"16777215", "255", false, QColor(255, 0, 0)},
        {"16777215", "0", true, QColor(0, 0, 0)},
        {"0016777215", "255", false, std::nullopt},  // the same number, another text
        {" 16777215", "255", false, std::nullopt},
        {"0", "255", false, std::nullopt},
        {"0", "255", true, QColor(255, 255, 255)},
        {"00", "255", true, std::nullopt},
        {"8388608", "255", true, std::nullopt},
        {"16777215", "abc", false, std::nullopt},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.backcolor) + " / " + f.linie);
        EXPECT_EQ(frame::linienfarbe(f.backcolor, f.linie, f.weissAufSchwarz), f.farbe);
    }
}

TEST(Look, ReadsTheDesignKeysAndOnlyDefaultZeroIsTheDefaultLook)
{
    TempFolder folder;
    folder.write("Cd.ini", "[design]\r\ndefault=1\r\nTextFarbe=255\r\nBackcolor=0\r\nTextFont=Arial\r\n"
                           "TextBold=Wahr\r\nTextSize=9,75\r\n");
    const auto look = frame::Look::lesen(ini::IniFile(folder.file("Cd.ini")));
    EXPECT_EQ(look.standard, "1");
    EXPECT_EQ(look.textFarbe, "255");
    EXPECT_EQ(look.backcolor, "0");
    EXPECT_EQ(look.textFont, "Arial");
    EXPECT_EQ(look.textBold, "Wahr");
    EXPECT_EQ(look.textSize, "9,75");

    frame::Look l;
    for (const auto& [standard, benutzer] : {std::pair{"0", false}, {"", true}, {"1", true}, {" 0", true}}) {
        l.standard = standard;
        EXPECT_EQ(l.benutzerLook(), benutzer) << standard;
    }
}

// ---------------------------------------------------------------- przLabel

TEST(przLabel, TheLeftMiddleHeaderNamesTheFirstColumnOfTheSortOrder)
{
    struct Fall {
        const char* sortierung;
        const char* links;   // lbCat(1), at 3480
        const char* rechts;  // lbFormat(1), at 5160
    };
    const Fall faelle[] = {
        {"KF", "Kategorie*", "Format*"},
        {"FK", "Format*", "Kategorie*"},
        {"", "Format*", "Kategorie*"},
        {"kf", "Format*", "Kategorie*"},  // compared exactly
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.sortierung);
        Fenster fenster;
        frame::Einstellungen werte;
        werte.sortierung = f.sortierung;
        frame::przLabel(&fenster.w, Woerter, werte);
        EXPECT_EQ(fenster.label("lbCat_1")->text(), f.links);
        EXPECT_EQ(fenster.label("lbFormat_1")->text(), f.rechts);
        // The detail panel and the filter row keep their own words.
        for (const char* n : {"lbCat_0", "lbCat_2"})
            EXPECT_EQ(fenster.label(n)->text(), "Kategorie*");
        for (const char* n : {"lbFormat_0", "lbFormat_2"})
            EXPECT_EQ(fenster.label(n)->text(), "Format*");
    }
}

TEST(przLabel, GivesEveryHeaderAndSortEntryItsFieldWordAndRestoresTheListLayout)
{
    Fenster fenster;
    fenster.w.show();
    fenster.label("lbQualität_1")->move(440, 240);  // a list mode: 6600 twips, lbMappe(1) hidden
    fenster.label("lbMappe_1")->hide();
    fenster.label("lbWer_1")->hide();
    frame::Einstellungen werte;
    werte.sortierung = "KF";
    frame::przLabel(&fenster.w, Woerter, werte);

    EXPECT_EQ(fenster.label("lbQualität_1")->pos(), QPoint(vb::pixel(6240), 240));
    EXPECT_TRUE(fenster.label("lbMappe_1")->isVisible());
    EXPECT_TRUE(fenster.label("lbWer_1")->isVisible());
    for (int i = 0; i <= 2; ++i) {
        const QString n = QString::number(i);
        EXPECT_EQ(fenster.w.findChild<QLabel*>("lbMappe_" + n)->text(), "Mappe*");
        EXPECT_EQ(fenster.w.findChild<QLabel*>("lbQualität_" + n)->text(), "Qualität*");
    }
    for (int i = 0; i <= 1; ++i) {
        const QString n = QString::number(i);
        EXPECT_EQ(fenster.w.findChild<QLabel*>("lbTitel_" + n)->text(), "Titel*");
        EXPECT_EQ(fenster.w.findChild<QLabel*>("lbWer_" + n)->text(), "Ausleiher*");
    }
    EXPECT_EQ(fenster.label("lbAnzahl")->text(), "Anzahl*");
    EXPECT_EQ(fenster.menue("mnuMappe")->text(), "Mappe*");
    EXPECT_EQ(fenster.menue("mnuQualität")->text(), "Qualität*");
    EXPECT_EQ(fenster.menue("mnuFormat")->text(), "Format*");
    EXPECT_EQ(fenster.menue("mnuKategorie")->text(), "Kategorie*");
    EXPECT_EQ(fenster.label("Label5")->text(), "Design");
}

TEST(przLabel, EmptyFieldWordsLeaveTheHeadersEmpty)
{
    Fenster fenster;
    frame::przLabel(&fenster.w, frame::Feldwoerter{}, frame::Einstellungen{});
    for (const char* n : {"lbCat_1", "lbFormat_1", "lbTitel_1", "lbMappe_0", "lbAnzahl"})
        EXPECT_EQ(fenster.label(n)->text(), "") << n;
    EXPECT_EQ(fenster.menue("mnuKategorie")->text(), "");
}

// ---------------------------------------------------------------- przFarbe, przFont

TEST(przFarbe, ColoursTheListedLabelsButNotButtonsOrBoxes)
{
    Fenster fenster;
    const QColor knopfVorher = fenster.textfarbe(fenster.knopf);
    const QColor feldVorher = fenster.textfarbe(fenster.feld);
    frame::Einstellungen werte;
    werte.textFarbe = "255";
    EXPECT_TRUE(frame::przFarbe(&fenster.w, werte));
    for (const char* n : {"lbFormat_0", "lbQualität_2", "lbMappe_1", "lbCat_2", "lbTitel_1", "lbWer_0", "lbAnzahl",
                          "Datum", "Ausgeliehen", "Label1", "Label3", "Label6", "Titel", "lbAnzahlSel", "lbAnzahlF",
                          "lbUnterordner"})
        EXPECT_EQ(fenster.textfarbe(fenster.label(n)), QColor(255, 0, 0)) << n;
    EXPECT_EQ(fenster.textfarbe(fenster.knopf), knopfVorher);
    EXPECT_EQ(fenster.textfarbe(fenster.feld), feldVorher);

    Fenster anderes;
    const QColor vorher = anderes.textfarbe(anderes.label("Titel"));
    werte.textFarbe = "rot";
    EXPECT_FALSE(frame::przFarbe(&anderes.w, werte));
    EXPECT_EQ(anderes.textfarbe(anderes.label("Titel")), vorher);
}

TEST(przFont, NameForTheLabelsThenBoldAndSizeForTheHeadersStoppingAtTheFirstBadValue)
{
    const QFont design = Fenster().label("lbAnzahl")->font();
    struct Fall {
        const char* bold;
        const char* size;
        bool ok;
        bool fett;      // lbAnzahl afterwards
        double punkte;  // lbAnzahl afterwards; 0 = the design size
    };
    const Fall faelle[] = {
        {"Wahr", "12", true, true, 12},
        {"Falsch", "9,75", true, false, 9.75},
        {"ja", "12", false, false, 0},   // bold fails: only the names
        {"-1", "groß", false, true, 0},  // size fails: names and bold
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.bold) + " " + f.size);
        Fenster fenster;
        frame::Einstellungen werte;
        werte.textFont = "Testschrift";
        werte.textBold = f.bold;
        werte.textSize = f.size;
        EXPECT_EQ(frame::przFont(&fenster.w, werte), f.ok);

        const QFont anzahl = fenster.label("lbAnzahl")->font();
        EXPECT_EQ(anzahl.families().value(0), "Testschrift");
        EXPECT_EQ(anzahl.bold(), f.fett);
        EXPECT_DOUBLE_EQ(anzahl.pointSizeF(), f.punkte == 0 ? design.pointSizeF() : f.punkte);
        // Name only: these take neither bold nor size.
        const QFont label5 = fenster.label("Label5")->font();
        EXPECT_EQ(label5.families().value(0), "Testschrift");
        EXPECT_EQ(label5.bold(), design.bold());
        EXPECT_DOUBLE_EQ(label5.pointSizeF(), design.pointSizeF());
        // The large title and Label1 keep their design font.
        for (const char* n : {"Titel", "Label1"})
            EXPECT_EQ(fenster.label(n)->font(), design) << n;
    }
}

// ---------------------------------------------------------------- AdjustImageToRect

TEST(einpassen, FitsTheFixedAspectRoundingTheOffsetBeforeHalvingIt)
{
    struct Fall {
        float w, h, x, y;
        bool zentrieren;
        float links, oben, breite, hoehe;
    };
    const Fall faelle[] = {
        // Wider than the aspect: full height, moved right by 1845 \ 2.
        {12000, 7650, 0, 0, true, 922, 0, 10155, 7650},
        // Narrower: full width, moved down by 1350 \ 2.
        {10155, 9000, 0, 0, true, 0, 675, 10155, 7650},
        {10155, 7650, 0, 0, true, 0, 0, 10155, 7650},
        // 20000 - 9292.157 = 10707.84 rounds to 10708 before the halving: 5354, not 5353.
        {20000, 7000, 0, 0, true, 5354, 0, 10155.0f / (7650.0f / 7000.0f), 7000},
        {9000, 10000, 0, 0, true, 0, 1610, 9000, 7650.0f / (10155.0f / 9000.0f)},
        // Without centring only the offsets given count.
        {12000, 7650, 30, 45, false, 30, 45, 10155, 7650},
        {12000, 7650, 30, 45, true, 952, 45, 10155, 7650},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.w << " x " << f.h);
        const auto e = frame::einpassen(f.w, f.h, f.x, f.y, f.zentrieren);
        ASSERT_TRUE(e);
        EXPECT_FLOAT_EQ(e->links, f.links);
        EXPECT_FLOAT_EQ(e->oben, f.oben);
        EXPECT_FLOAT_EQ(e->breite, f.breite);
        EXPECT_FLOAT_EQ(e->hoehe, f.hoehe);
    }
    EXPECT_FALSE(frame::einpassen(12000, 0, 0, 0, true));
    EXPECT_FALSE(frame::einpassen(0, 7650, 0, 0, true));
    EXPECT_FALSE(frame::einpassen(0, 0, 0, 0, true));
    // A spare room beyond every whole number cannot be centred; uncentred it still fits.
    EXPECT_FALSE(frame::einpassen(3e38f, 7650, 0, 0, true));
    EXPECT_TRUE(frame::einpassen(3e38f, 7650, 0, 0, false));
}

TEST(einpassen, KeepsThePicturesOwnAspect)
{
    struct Fall {
        float bildBreite, bildHoehe, w, h;
        float links, oben, breite, hoehe;
    };
    // A cover window's inner area of 3000 x 3345 twips.
    const Fall faelle[] = {
        // Portrait: full height, 770 spare halved.
        {300, 450, 3000, 3345, 385, 0, 2230, 3345},
        // Landscape: full width, 1845 spare halved toward zero.
        {400, 200, 3000, 3345, 0, 922, 3000, 1500},
        // A spare room of 2.5 rounds to the even 2 before the halving.
        {100, 100, 3002.5f, 3000, 1, 0, 3000, 3000},
        // 3.5 rounds to 4: 2.
        {100, 100, 3003.5f, 3000, 2, 0, 3000, 3000},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.bildBreite << " x " << f.bildHoehe);
        const auto e = frame::einpassen(f.w, f.h, 0, 0, true, {f.bildBreite, f.bildHoehe});
        ASSERT_TRUE(e);
        EXPECT_FLOAT_EQ(e->links, f.links);
        EXPECT_FLOAT_EQ(e->oben, f.oben);
        EXPECT_FLOAT_EQ(e->breite, f.breite);
        EXPECT_FLOAT_EQ(e->hoehe, f.hoehe);
    }
    EXPECT_FALSE(frame::einpassen(3000, 3345, 0, 0, true, {0, 450}));
    EXPECT_FALSE(frame::einpassen(3000, 3345, 0, 0, true, {300, 0}));
}

TEST(AdjustImageToRect, StretchesAndShowsThePictureInItsPixelRectangle)
{
    Fenster fenster;
    fenster.image->hide();
    EXPECT_TRUE(frame::AdjustImageToRect(fenster.image, 12000, 7650, 0, 0, true));
    // 922 twips to the right (61 pixels at the design font), 10155 x 7650 twips large.
    EXPECT_EQ(fenster.image->geometry(), QRect(vb::pixel(922), 0, vb::pixel(10155), vb::pixel(7650)));
    EXPECT_TRUE(fenster.image->hasScaledContents());
    EXPECT_TRUE(fenster.image->isVisibleTo(&fenster.w));
}

TEST(AdjustImageToRect, AnAreaWithoutHeightLeavesThePictureUnchanged)
{
    Fenster fenster;
    fenster.image->setGeometry(5, 6, 70, 80);
    fenster.image->hide();
    EXPECT_FALSE(frame::AdjustImageToRect(fenster.image, 12000, 0, 0, 0, true));
    EXPECT_EQ(fenster.image->geometry(), QRect(5, 6, 70, 80));
    EXPECT_FALSE(fenster.image->isVisibleTo(&fenster.w));
    EXPECT_FALSE(fenster.image->hasScaledContents());
}

TEST(Form_Resize, CoversTheWholeWindowOnlyWhileThePictureIsShownAndTheWindowNotMinimised)
{
    Fenster fenster;
    struct Fall {
        QSize fenster;
        QRect bild;  // the designed aspect over all of it, in the middle
    };
    // The designed aspect 10155:7650 at 677 x 510 pixels fits exactly.
    const Fall fälle[] = {
        {{677, 510}, {0, 0, 677, 510}},
        {{836, 629}, {0, 0, 836, 629}},      // the same, rounded to whole pixels
        {{800, 510}, {0, -46, 800, 603}},    // wider: the top and bottom cut
        {{677, 700}, {-126, 0, 930, 700}},   // taller: the sides cut
        {{1400, 600}, {0, -227, 1400, 1055}},
    };
    fenster.w.show();
    for (const Fall& f : fälle) {
        fenster.w.resize(f.fenster);
        fenster.image->setGeometry(1, 2, 3, 4);
        frame::Form_Resize(&fenster.w);
        EXPECT_EQ(fenster.image->geometry(), f.bild) << f.fenster.width() << "x" << f.fenster.height();
        EXPECT_TRUE(fenster.image->geometry().contains(fenster.w.rect()));
        EXPECT_TRUE(fenster.image->hasScaledContents());
    }

    fenster.image->setGeometry(1, 2, 3, 4);
    fenster.image->hide();  // colour mode
    frame::Form_Resize(&fenster.w);
    EXPECT_EQ(fenster.image->geometry(), QRect(1, 2, 3, 4));
    EXPECT_TRUE(fenster.image->isHidden());

    fenster.image->show();
    fenster.w.setWindowState(Qt::WindowMinimized);
    frame::Form_Resize(&fenster.w);
    EXPECT_EQ(fenster.image->geometry(), QRect(1, 2, 3, 4));
}

// ---------------------------------------------------------------- przBild

namespace {

struct Bildfixture : ::testing::Test {
    TempFolder folder;
    FakeServices fake{folder.path()};
    Fenster fenster;
    frame::Einstellungen werte;

    QString bild(const QString& name, QSize groesse = {40, 30})
    {
        QDir().mkpath(QFileInfo(folder.file(name)).absolutePath());
        QImage img(groesse, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        EXPECT_TRUE(img.save(folder.file(name)));
        return folder.file(name);
    }
    void ini(const QByteArray& text) { folder.write("Cd.ini", text); }
    QString lies(const char* key) const { return frame::cdIni(fake.services).read("Design", key); }
    void przBild() { frame::przBild(&fenster.w, fake.services, werte); }
    bool zeigtBild() const { return !fenster.image->pixmap().isNull(); }
};

}  // namespace

TEST_F(Bildfixture, TheFirstRunWritesPictureModeWithOneMessageAndShowsThePicture)
{
    const QString pfad = bild("Bilder/Urlaub.png");
    ini("[Design]\r\nBild=" + pfad.toUtf8() + "\r\n");
    przBild();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].prompt, ErsterStartText);
    EXPECT_EQ(fake.messages.shown[0].title, ErsterStartTitel);
    EXPECT_EQ(fake.messages.shown[0].flags, sys::mb::OkOnly | sys::mb::Information);
    EXPECT_EQ(lies("Hintergrundfarbe"), "0");
    EXPECT_TRUE(zeigtBild());
    EXPECT_EQ(fenster.image->geometry(), QRect(0, 0, vb::pixel(10155), vb::pixel(7650)));
    EXPECT_TRUE(fenster.image->isVisibleTo(&fenster.w));

    przBild();
    EXPECT_EQ(fake.messages.shown.size(), 1u);
}

TEST_F(Bildfixture, ColourModeTakesBackcolorAndHidesThePictureUntilPictureModeReturns)
{
    const QString pfad = bild("space.png");
    ini("[Design]\r\nHintergrundfarbe=1\r\nBild=" + pfad.toUtf8() + "\r\n");
    werte.backcolor = "8388608";
    przBild();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fenster.w.palette().color(QPalette::Window), QColor(0, 0, 128));
    EXPECT_TRUE(fenster.image->isHidden());
    EXPECT_EQ(lies("Hintergrundfarbe"), "1");

    frame::cdIni(fake.services).write("Design", "Hintergrundfarbe", "0");
    przBild();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(zeigtBild());
    EXPECT_FALSE(fenster.image->isHidden());
    EXPECT_EQ(fenster.image->geometry(), QRect(0, 0, vb::pixel(10155), vb::pixel(7650)));
}

TEST_F(Bildfixture, AnyValueButZeroIsColourModeAndABadColourFallsToThePictureFallback)
{
    ini("[Design]\r\nHintergrundfarbe=ja\r\n");
    werte.backcolor = "abc";
    fake.desktop.wallpaperPath = bild("Wall.png");
    przBild();
    EXPECT_EQ(fake.messages.prompts(), QStringList{ErsatzText});
    EXPECT_EQ(lies("Bild"), fake.desktop.wallpaperPath);
}

TEST_F(Bildfixture, ARelativePictureLiesInTheProgramFolder)
{
    bild("bilder/space.png");
    ini("[Design]\r\nHintergrundfarbe=0\r\nBild=bilder/space.png\r\n");
    przBild();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(zeigtBild());
    EXPECT_EQ(lies("Bild"), "bilder/space.png");
}

TEST_F(Bildfixture, AMissingOrUnreadablePictureFallsBackToTheWallpaperKeptAsRead)
{
    struct Fall {
        const char* name;
        QByteArray bild;
    };
    folder.write("kaputt.jpg", "kein Bild");
    const Fall faelle[] = {
        {"missing", folder.file("weg.jpg").toUtf8()},
        {"not a picture", folder.file("kaputt.jpg").toUtf8()},
        {"empty", ""},
        {"stored by Windows", "C:\\Programme\\Rondavex\\bilder\\space.jpg"},
    };
    const QString wallpaper = bild("Hintergründe/Wall.PNG", {300, 200});
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        FakeServices dienste(folder.path());
        dienste.desktop.wallpaperPath = wallpaper;
        Fenster neues;
        ini("[Design]\r\nHintergrundfarbe=0\r\nBild=" + f.bild + "\r\n");
        frame::przBild(&neues.w, dienste.services, werte);

        ASSERT_EQ(dienste.messages.shown.size(), 1u);
        EXPECT_EQ(dienste.messages.shown[0].prompt, ErsatzText);
        EXPECT_EQ(dienste.messages.shown[0].title, "Rondavex");
        EXPECT_EQ(dienste.messages.shown[0].flags, sys::mb::OkOnly);
        EXPECT_EQ(lies("Bild"), wallpaper);  // no lower-casing
        EXPECT_FALSE(neues.image->pixmap().isNull());
        // Loaded, not fitted: a never fitted picture takes its own size.
        EXPECT_EQ(neues.image->size(), QSize(300, 200));
        EXPECT_FALSE(neues.image->hasScaledContents());
    }
}

TEST_F(Bildfixture, WithoutAWallpaperNothingIsWrittenAndThePictureStays)
{
    ini("[Design]\r\nHintergrundfarbe=0\r\nBild=" + bild("alt.png").toUtf8() + "\r\n");
    przBild();
    ASSERT_TRUE(zeigtBild());
    const qint64 vorher = fenster.image->pixmap().cacheKey();

    ini("[Design]\r\nHintergrundfarbe=0\r\nBild=\r\n");
    przBild();
    EXPECT_EQ(fake.messages.prompts(), QStringList{ErsatzText});
    EXPECT_EQ(lies("Bild"), "");
    EXPECT_EQ(fenster.image->pixmap().cacheKey(), vorher);
}

TEST_F(Bildfixture, AWallpaperThatCannotBeLoadedIsStoredWithoutAFurtherMessage)
{
    ini("[Design]\r\nHintergrundfarbe=0\r\n");
    fake.desktop.wallpaperPath = folder.file("verschwunden.jpg");
    przBild();
    EXPECT_EQ(fake.messages.prompts(), QStringList{ErsatzText});
    EXPECT_EQ(lies("Bild"), folder.file("verschwunden.jpg"));
    EXPECT_FALSE(zeigtBild());
}

// ---------------------------------------------------------------- picture entries, przBildAuswahl

TEST_F(Bildfixture, EachPictureEntryStoresItsShippedPictureAndAppliesIt)
{
    werte.backcolor = "16777215";
    ini("[Design]\r\nHintergrundfarbe=1\r\n");
    for (const auto& e : frame::bildeintraege()) {
        SCOPED_TRACE(e.datei);
        frame::bildeintragWaehlen(&fenster.w, fake.services, werte, QString::fromUtf8(e.datei));
        EXPECT_EQ(lies("Bild"), folder.path() + "/bilder/" + e.datei);
        // In colour mode the picture waits for picture mode.
        EXPECT_TRUE(fenster.image->isHidden());
    }
    EXPECT_TRUE(fake.messages.shown.empty());

    bild("bilder/Voyager.jpg");
    frame::cdIni(fake.services).write("Design", "Hintergrundfarbe", "0");
    frame::bildeintragWaehlen(&fenster.w, fake.services, werte, "Voyager.jpg");
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(zeigtBild());
    EXPECT_FALSE(fenster.image->isHidden());

    QStringList dateien;
    for (const auto& e : frame::bildeintraege())
        dateien << e.datei;
    EXPECT_EQ(dateien, (QStringList{"lacs.jpg", "foret.jpg", "bug.jpg", "Voyager.jpg", "desert.jpg", "space.jpg"}));
}

TEST_F(Bildfixture, TheDialogsChoiceBecomesThePictureAndItsFolderWithTheSeparator)
{
    ini("[Design]\r\nHintergrundfarbe=0\r\nBild=/alt/bild.jpg\r\n");
    fake.userStore.saveSetting("Datei", "Pfad", "/alt/");

    frame::przBildAuswahl(&fenster.w, fake.services, werte);  // cancelled
    EXPECT_EQ(fake.dialogs.calls, QStringList{"open /alt/"});
    EXPECT_EQ(lies("Bild"), "/alt/bild.jpg");
    EXPECT_EQ(fake.userStore.getSetting("Datei", "Pfad", {}), "/alt/");
    EXPECT_TRUE(fake.messages.shown.empty());

    const QString gewaehlt = bild("Bilder/urlaub.jpg");
    fake.dialogs.files.push_back(gewaehlt);
    frame::przBildAuswahl(&fenster.w, fake.services, werte);
    EXPECT_EQ(fake.userStore.getSetting("Datei", "Pfad", {}), folder.path() + "/Bilder/");
    EXPECT_EQ(lies("Bild"), gewaehlt);
    EXPECT_TRUE(zeigtBild());
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(Bildfixture, AChoiceThatCannotBeStoredIsNamedAndTheOldPictureStays)
{
    const QString alt = bild("Bilder/alt.png");
    ini("[Design]\r\nHintergrundfarbe=0\r\nBild=" + alt.toUtf8() + "\r\n");
    const QByteArray vorher = folder.read("Cd.ini");
    bild("bilder/Voyager.jpg");
    fake.dialogs.files.push_back(bild("Bilder/urlaub.jpg"));
    // A folder in the place of the lock file: no write to "Cd.ini" gets through.
    ASSERT_TRUE(QDir().mkpath(folder.file("Cd.ini.lock")));

    frame::bildeintragWaehlen(&fenster.w, fake.services, werte, "Voyager.jpg");
    frame::przBildAuswahl(&fenster.w, fake.services, werte);
    const QString meldung = "Sorry '" + folder.file("Cd.ini") + "' kann nicht gespeichert werden!";
    ASSERT_EQ(fake.messages.prompts(), QStringList({meldung, meldung}));
    EXPECT_EQ(fake.messages.shown.back().flags, sys::mb::OkOnly | sys::mb::Critical);
    EXPECT_EQ(folder.read("Cd.ini"), vorher);
}
