// The main window's size and place stay the user's from one start to the
// next; an enlarged window is its picture to every edge. On two screens side
// by side: 1920 x 1200 and, right of it, 1280 x 1024.
#include "catalogue/frmFilme.h"
#include "platform/ini/IniFile.h"
#include "platform/system/QtServices.h"
#include "tests/catalogue/Filmkatalog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QWindow>

#include <string>

using namespace testing_support;

namespace {

// How the user ends the program.
enum class Ende { Schliessfeld, Beenden, Tools };

struct Fall {
    const char* name;
    QRect platz;      // where the user left the window
    bool maximiert;
    Ende ende;
    QRect erwartet;   // where the next start puts it; empty: the default
};

void PrintTo(const Fall& f, std::ostream* os)
{
    *os << f.name;
}

const Fall Fälle[] = {
    {"OnTheFirstScreenClosedByTheCloseBox", {100, 80, 1300, 900}, false, Ende::Schliessfeld, {100, 80, 1300, 900}},
    {"OnTheSecondScreenEndedByBeenden", {2000, 50, 1100, 900}, false, Ende::Beenden, {2000, 50, 1100, 900}},
    {"MaximisedEndedByTools", {300, 200, 1000, 800}, true, Ende::Tools, {300, 200, 1000, 800}},
    {"PartlyOffTheSecondScreen", {2800, 600, 1000, 800}, false, Ende::Schliessfeld, {2800, 600, 1000, 800}},
    {"LargerThanItsScreen", {1950, 10, 2500, 1600}, false, Ende::Beenden, {1950, 10, 1280, 1024}},
    {"OffEveryScreen", {5000, 1300, 1000, 800}, false, Ende::Schliessfeld, {}},
    {"BelowEveryScreen", {200, 1250, 1000, 800}, false, Ende::Beenden, {}},
};

// The program folder with the per-user store as a file of its own.
struct Start {
    Start() : store(k.folder.file("config/Rondavex/Rondavex.ini"))
    {
        QDir().mkpath(k.folder.file("config/Rondavex"));
        k.fake.services.userStore = &store;
    }
    frmFilme& neu()
    {
        k.f.reset();
        frmFilme& f = k.fenster();
        f.show();
        QApplication::processEvents();
        return f;
    }
    Filmkatalog k;
    sys::IniUserStore store;
};

void beenden(frmFilme& f, Ende ende)
{
    switch (ende) {
    case Ende::Schliessfeld: f.windowHandle()->close(); break;
    case Ende::Beenden: f.c.mnuBeenden->trigger(); break;
    case Ende::Tools: f.c.mnuTools->trigger(); break;
    }
    QApplication::processEvents();
}

class Fensterplatz : public ::testing::TestWithParam<Fall> {};

}  // namespace

TEST_P(Fensterplatz, TheNextStartShowsTheWindowWhereTheUserLeftIt)
{
    const Fall& fall = GetParam();
    ASSERT_EQ(QGuiApplication::screens().size(), 2) << "runs on the two screens of zwei_anzeigen.json";
    Start s;
    const QSize standard = s.neu().size();
    frmFilme& f = *s.k.f;
    f.setGeometry(fall.platz);
    if (fall.maximiert)
        f.showMaximized();
    QApplication::processEvents();
    beenden(f, fall.ende);
    const ini::IniFile datei(s.k.folder.file("config/Rondavex/Rondavex.ini"));
    EXPECT_EQ(datei.read("Hauptfenster", "Breite"), QString::number(fall.platz.width()));
    EXPECT_EQ(datei.read("Hauptfenster", "Maximiert"), fall.maximiert ? "1" : "0");

    frmFilme& wieder = s.neu();
    EXPECT_EQ(wieder.isMaximized(), fall.maximiert);
    if (fall.erwartet.isEmpty()) {
        EXPECT_EQ(wieder.size(), standard) << "a place no screen shows gives the default";
        bool gezeigt = false;
        for (const QScreen* a : QGuiApplication::screens())
            gezeigt = gezeigt || a->availableGeometry().intersects(wieder.frameGeometry());
        EXPECT_TRUE(gezeigt);
    } else {
        EXPECT_EQ(wieder.normalGeometry(), fall.erwartet);
    }
    wieder.close();
}

INSTANTIATE_TEST_SUITE_P(Wege, Fensterplatz, ::testing::ValuesIn(Fälle),
                         [](const auto& fall) { return std::string(fall.param.name); });

TEST(Fensterplatz, AWindowSmallerThanItsDesignComesBackAtItsDesign)
{
    Start s;
    const QSize standard = s.neu().size();
    s.k.f->close();
    s.store.saveSetting("Hauptfenster", "Links", "40");
    s.store.saveSetting("Hauptfenster", "Oben", "30");
    s.store.saveSetting("Hauptfenster", "Breite", "300");
    s.store.saveSetting("Hauptfenster", "Hoehe", "200");
    frmFilme& f = s.neu();
    EXPECT_EQ(f.size(), standard);
    EXPECT_EQ(f.normalGeometry().topLeft(), QPoint(40, 30));
    f.close();
}

TEST(Fensterplatz, AStoreWithoutWholeNumbersGivesTheDefault)
{
    Start s;
    const QSize standard = s.neu().size();
    s.k.f->close();
    for (const char* breite : {"", "breit", "-800", "1200.5"}) {
        s.store.saveSetting("Hauptfenster", "Links", "10");
        s.store.saveSetting("Hauptfenster", "Oben", "10");
        s.store.saveSetting("Hauptfenster", "Breite", breite);
        s.store.saveSetting("Hauptfenster", "Hoehe", "900");
        EXPECT_EQ(s.neu().size(), standard) << breite;
    }
}

namespace {

// A picture of one colour in picture mode: every pixel of the surface that no
// control covers shows that colour.
const QColor Bildfarbe(30, 140, 90);

struct MitBild : Start {
    MitBild()
    {
        QImage bild(400, 300, QImage::Format_RGB32);
        bild.fill(Bildfarbe);
        QDir().mkpath(k.folder.file("bilder"));
        EXPECT_TRUE(bild.save(k.folder.file("bilder/lacs.png")));
        ini::IniFile cd(k.folder.file("Cd.ini"));
        cd.write("Design", "Hintergrundfarbe", "0");
        cd.write("Design", "Bild", "bilder/lacs.png");
    }
};

// The surface's edge pixels that no control covers and that are not the picture's colour.
std::vector<std::string> kahleRänder(frmFilme& f)
{
    QWidget* fläche = f.centralWidget();
    const QImage bild = fläche->grab().toImage();
    const double dpr = bild.devicePixelRatio();
    std::vector<std::string> funde;
    const auto prüfen = [&](int x, int y) {
        if (fläche->childAt(x, y))
            return;
        const QColor c = bild.pixelColor(int(x * dpr), int(y * dpr));
        if (std::abs(c.red() - Bildfarbe.red()) + std::abs(c.green() - Bildfarbe.green())
                + std::abs(c.blue() - Bildfarbe.blue())
            > 6)
            funde.push_back(std::to_string(x) + "," + std::to_string(y) + " is " + c.name().toStdString());
    };
    const int b = fläche->width(), h = fläche->height();
    for (int y = 0; y < h; y += 3) {
        prüfen(0, y);
        prüfen(b - 1, y);
    }
    for (int x = 0; x < b; x += 3) {
        prüfen(x, 0);
        prüfen(x, h - 1);
    }
    return funde;
}

}  // namespace

// However the window is enlarged, and after a refresh lays the look on again,
// the picture reaches every edge: no band of the window's own colour beside it.
TEST(Hintergrund, AnEnlargedWindowIsItsPictureToEveryEdge)
{
    MitBild s;
    frmFilme& f = s.neu();
    ASSERT_FALSE(f.c.Image1->isHidden());
    const QSize größen[] = {f.size(), {1400, 1000}, {1900, 700}, {900, 1150}};
    for (const QSize& g : größen) {
        SCOPED_TRACE(std::to_string(g.width()) + "x" + std::to_string(g.height()));
        f.resize(g);
        QApplication::processEvents();
        EXPECT_EQ(kahleRänder(f), std::vector<std::string>{});
        f.c.mnuAktualisieren->trigger();
        QApplication::processEvents();
        EXPECT_EQ(kahleRänder(f), std::vector<std::string>{}) << "after a refresh";
    }
    // Screenshots of the enlarged window, for a look by eye: RDX_SCREENSHOTS names a folder.
    const QString ordner = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (!ordner.isEmpty()) {
        QDir().mkpath(ordner);
        f.resize(1400, 1000);
        QApplication::processEvents();
        f.grab().save(ordner + "/Hauptfenster_vergroessert.png");
    }
    f.close();
}
