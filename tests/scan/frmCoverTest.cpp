// The cover windows driven through the main window's buttons, with pictures
// written by the test and the picture dialog answered by the double.
#include "scan/Coverpfad.h"
#include "scan/frmCover.h"
#include "tests/catalogue/Bearbeitung.h"
#include "tests/catalogue/Filmkatalog.h"
#include "tests/Quellordner.h"
#include "tests/support/Anwendungsschrift.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

// A picture of w x h in the format of the name's ending (or `format`).
QString bild(const Filmkatalog& k, const QString& name, int w, int h, const char* format = nullptr)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    const QString pfad = k.folder.file(name);
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    EXPECT_TRUE(img.save(pfad, format)) << pfad.toStdString();
    return pfad;
}

const ShownMessage* letzte(const Filmkatalog& k)
{
    return k.fake.messages.shown.empty() ? nullptr : &k.fake.messages.shown.back();
}

// The title shown, its cover button clicked and the picture chosen in the dialog.
scan::frmCover* anhaengen(Filmkatalog& k, const QString& titel, const QString& pfad)
{
    frmFilme& f = zeigen(k, titel);
    k.fake.dialogs.files.push_back(pfad);
    f.c.cmdCover->click();
    return f.coverfenster();
}

}  // namespace

TEST(Cover, ACancelledDialogLeavesNoWindowAndStoresNothing)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien");
    k.fake.userStore.saveSetting("Datei", "Pfad", "/bilder/");
    f.c.cmdCover->click();
    EXPECT_EQ(f.coverfenster(), nullptr);
    EXPECT_TRUE(k.fake.messages.shown.empty());
    ASSERT_EQ(k.fake.dialogs.openRequests.size(), 1u);
    const auto& frage = k.fake.dialogs.openRequests.front();
    EXPECT_EQ(frage.title, "Cover auswählen");
    EXPECT_EQ(frage.folder, "/bilder/");
    EXPECT_EQ(frage.startName, "Alien");
    EXPECT_EQ(frage.filter, "Bilddateien (*.bmp *.jpg *.jpeg *.gif *.png)");
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Alien"), "-");
    EXPECT_EQ(k.fake.userStore.getSetting("Datei", "Pfad", {}), "/bilder/");
}

TEST(Cover, AChosenPictureIsStoredByNameShownFittedAndMarked)
{
    Filmkatalog k;
    scan::frmCover* w = anhaengen(k, "Alien", bild(k, "covers/alien.bmp", 400, 300));
    ASSERT_NE(w, nullptr);
    frmFilme& f = *k.f;
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Coveranzeige");
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Alien"), "alien.bmp");
    EXPECT_EQ(k.fake.userStore.getSetting("Datei", "Pfad", {}), k.folder.path() + "/covers/");
    EXPECT_TRUE(f.c.chkCover->isChecked());
    EXPECT_TRUE(f.c.chkCover->isEnabled());
    EXPECT_FALSE(f.c.chkCover->isHidden());
    EXPECT_EQ(w->tfCover->text(), "-");
    EXPECT_EQ(f.c.tfCover->text(), "-");
    EXPECT_FALSE(w->cmdOK->isHidden()) << "a second picture may follow at once";
    EXPECT_EQ(w->bildgroesse(), QSize(400, 300));
    // A wider picture fills the width and sits in the middle.
    EXPECT_EQ(w->Image1->width(), w->width());
    EXPECT_EQ(w->Image1->x(), 0);
    EXPECT_GT(w->Image1->y(), 0);
    EXPECT_NEAR(double(w->Image1->width()) / w->Image1->height(), 4.0 / 3.0, 0.02);
    EXPECT_EQ(integrität(k), "ok");
}

// A picture chosen outside "covers" is copied there, under a free name when
// its own is taken; the record stores that name and the window shows it.
TEST(Cover, APictureFromElsewhereIsCopiedIntoCoversNeverOverAnother)
{
    Filmkatalog k;
    const QString erstes = bild(k, "bilder/alien.png", 40, 30);
    scan::frmCover* w = anhaengen(k, "Alien", erstes);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(k.fake.messages.shown.empty()) << "no \"Leider kein Cover mehr!\"";
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Alien"), "alien.png");
    EXPECT_EQ(k.folder.read("covers/alien.png"), k.folder.read("bilder/alien.png"));
    EXPECT_EQ(w->bildgroesse(), QSize(40, 30));
    EXPECT_EQ(k.fake.userStore.getSetting("Datei", "Pfad", {}), k.folder.path() + "/bilder/");
    w->close();

    // Another picture of the same name goes beside the first, which stays as it was.
    const QByteArray alt = k.folder.read("covers/alien.png");
    w = anhaengen(k, "Aliens", bild(k, "anderswo/alien.png", 20, 50));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Aliens"), "alien (2).png");
    EXPECT_EQ(k.folder.read("covers/alien.png"), alt);
    EXPECT_EQ(k.folder.read("covers/alien (2).png"), k.folder.read("anderswo/alien.png"));
    EXPECT_EQ(w->bildgroesse(), QSize(20, 50));
    w->close();

    // One that lies in "covers" is taken as it is.
    w = anhaengen(k, "Alien 3", k.folder.file("covers/alien (2).png"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Alien 3"), "alien (2).png");
    EXPECT_EQ(QDir(k.folder.file("covers")).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(integrität(k), "ok");
}

// A picture that cannot be copied stores nothing and says why; a copy whose
// name the column cannot hold goes again with the refusal.
TEST(Cover, APictureThatCannotBeCopiedStoresNothing)
{
    Filmkatalog k;
    const QString fort = k.folder.file("bilder/fort.png");
    anhaengen(k, "Alien", fort);
    ASSERT_NE(letzte(k), nullptr);
    EXPECT_TRUE(letzte(k)->prompt.startsWith("Das Bild kann nicht in den Ordner \"covers\" kopiert werden: "))
        << letzte(k)->prompt.toStdString();
    EXPECT_EQ(letzte(k)->flags, sys::mb::Critical);
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Alien"), "-");
    const auto schliessen = [&k] {
        if (scan::frmCover* w = k.f->coverfenster())
            w->close();
    };
    schliessen();

    const QString lang = bild(k, "bilder/" + QString(160, 'x') + ".bmp", 10, 10);
    anhaengen(k, "Aliens", lang);
    EXPECT_EQ(letzte(k)->prompt, "Das Cover konnte nicht gespeichert werden!");
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Aliens"), "-");
    EXPECT_EQ(QDir(k.folder.file("covers")).entryList(QDir::Files), QStringList());
    schliessen();

    // "covers" that is no folder.
    QDir(k.folder.file("covers")).removeRecursively();
    k.folder.write("covers", "keine Ablage");
    anhaengen(k, "Alien 3", bild(k, "bilder/drei.png", 10, 10));
    EXPECT_TRUE(letzte(k)->prompt.startsWith("Das Bild kann nicht in den Ordner \"covers\" kopiert werden: "));
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Alien 3"), "-");
    EXPECT_EQ(k.folder.read("covers"), "keine Ablage");
}

TEST(Cover, AStoredCoverOpensWithoutTheLoadButtonAndASecondClickRaisesIt)
{
    Filmkatalog k;
    // A downloaded ".jpg" that holds a PNG.
    bild(k, "covers/teil.jpg", 100, 300, "PNG");
    k.ausführen("UPDATE Filme SET Cover = 'teil.jpg' WHERE Titel = 'Mask'");
    frmFilme& f = zeigen(k, "Mask");
    f.c.cmdCover->click();
    scan::frmCover* w = f.coverfenster();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->cmdOK->isHidden());
    EXPECT_EQ(w->bildgroesse(), QSize(100, 300));
    EXPECT_TRUE(k.fake.dialogs.openRequests.empty());
    w->cmdPfad->click();
    EXPECT_FALSE(w->tfCover->isHidden());
    EXPECT_EQ(w->tfCover->text(), "teil.jpg");
    // A taller picture fills the height and is centred across.
    EXPECT_EQ(w->Image1->height(), w->height());
    EXPECT_GT(w->Image1->x(), 0);

    f.c.cmdCover->click();
    EXPECT_EQ(f.coverfenster(), w) << "an open window is only raised";
}

TEST(Cover, MissingPictureTooLongPathAndRemoval)
{
    Filmkatalog k("[Funktionen]\r\nCover Normal=1\r\n");
    k.ausführen("UPDATE Filme SET Cover = 'C:\\Bilder\\alt.jpg' WHERE Titel = 'Mask'");
    frmFilme& f = zeigen(k, "Mask");
    f.c.cmdCover->click();
    ASSERT_NE(letzte(k), nullptr);
    EXPECT_EQ(letzte(k)->prompt, "Leider kein Cover mehr!");
    EXPECT_EQ(letzte(k)->title, "Kein Cover");
    scan::frmCover* w = f.coverfenster();
    ASSERT_NE(w, nullptr) << "the window stays open";

    // A second picture with a path longer than the column takes.
    const QString lang = bild(k, QString(160, 'x') + ".bmp", 10, 10);
    w->cmdOK->show();
    const bool vorher = f.c.chkCover->isChecked();
    k.fake.dialogs.files.push_back(lang);
    w->cmdOK->click();
    EXPECT_EQ(letzte(k)->prompt, "Das Cover konnte nicht gespeichert werden!");
    EXPECT_EQ(letzte(k)->title, "Cover laden");
    EXPECT_EQ(letzte(k)->flags, sys::mb::Critical);
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Mask"), "C:\\Bilder\\alt.jpg");
    EXPECT_EQ(f.c.chkCover->isChecked(), vorher);

    // With "Cover Normal" the full path is stored.
    const QString kurz = bild(k, "bilder/mask.gif.jpg", 20, 10);
    k.fake.dialogs.files.push_back(kurz);
    w->cmdOK->click();
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Mask"), kurz);

    w->cmdEntladen->click();
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Mask"), "-");
    EXPECT_TRUE(f.c.chkCover->isHidden());
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(QFileInfo::exists(kurz)) << "the picture stays on disk";
}

TEST(Cover, WithoutASavedRecordNothingOpens)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien");
    f.c.tfTitel->clear();
    f.c.cmdCover->click();
    EXPECT_EQ(letzte(k)->prompt, "Kein Datensatz!");
    EXPECT_EQ(letzte(k)->title, "Coverfunktion");
    EXPECT_EQ(letzte(k)->flags, sys::mb::Exclamation);
    f.c.cmdCover2->click();
    EXPECT_EQ(k.fake.messages.shown.size(), 2u);

    f.c.tfTitel->setText("Nie gespeichert");
    f.c.cmdCover->click();
    EXPECT_EQ(letzte(k)->prompt, "Bitte Datensatz erst speichern!");
    f.c.cmdCover2->click();
    EXPECT_EQ(letzte(k)->prompt, "Erst speichern!");
    EXPECT_EQ(f.coverfenster(), nullptr);
    EXPECT_EQ(f.coverfenster2(), nullptr);
    EXPECT_TRUE(k.fake.dialogs.openRequests.empty());
}

TEST(Cover, TheWindowActsOnTheTitleShownAtTheClick)
{
    Filmkatalog k;
    const QString pfad = bild(k, "covers/a.bmp", 30, 30);
    scan::frmCover* w = anhaengen(k, "Alien", pfad);
    ASSERT_NE(w, nullptr);
    frmFilme& f = *k.f;
    titelKlicken(k, "Aliens");
    k.fake.dialogs.files.push_back(pfad);
    w->cmdOK->click();
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Aliens"), "a.bmp");
    f.c.tfTitel->setText("Neu und ungespeichert");
    w->cmdEntladen->click();
    EXPECT_EQ(letzte(k)->prompt, "Bitte Datensatz erst speichern!");
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Aliens"), "a.bmp") << "no other row is touched";
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Alien"), "a.bmp");
}

TEST(Cover, TheSubEntryWindowWritesTheSubEntry)
{
    Filmkatalog k;
    bild(k, "covers/teil2.jpg", 60, 40);
    frmFilme& f = zeigen(k, "Matrix");
    f.c.cmdUnterordner->click();
    for (int i = 0; i < f.c.lfListe2->count(); ++i)
        if (f.c.lfListe2->item(i)->text().startsWith("Matrix Teil 2"))
            f.c.lfListe2->setCurrentRow(i);
    ASSERT_EQ(f.c.tfTitel->text(), "Matrix Teil 2");
    f.c.cmdCover2->click();
    scan::frmCover* w = f.coverfenster2();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Coveranzeige2");
    EXPECT_EQ(w->bildgroesse(), QSize(60, 40));
    w->cmdEntladen->click();
    EXPECT_EQ(roh(k.folder.file("filme.mdb"), "SELECT Cover FROM Unterordner WHERE Titel2 = 'Matrix Teil 2'"),
              std::vector<QStringList>{{"-"}});
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Matrix"), "-");
}

namespace {

struct Schriftfall {
    const char* name;
    std::optional<double> punkte;  // the desktop's face; none: the platform's
};

void PrintTo(const Schriftfall& s, std::ostream* os)
{
    *os << s.name;
}

class CoverKnoepfe : public ::testing::TestWithParam<Schriftfall> {};

}  // namespace

// Every button shows its whole caption inside the window and beside the others,
// with the shipped texts of the language file as with the built-in ones.
TEST_P(CoverKnoepfe, EveryCaptionShowsWholeInsideTheWindow)
{
    Anwendungsschrift schrift(GetParam().punkte);
    for (const bool sprache : {false, true}) {
        SCOPED_TRACE(sprache ? "shipped language file" : "built-in texts");
        Filmkatalog k(sprache ? QByteArray("[Design]\r\nSprache=deutsch.lng\r\n") : QByteArray());
        if (sprache) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(RDX_SOURCE_DIR "/data/deutsch.lng"), k.folder.file("deutsch.lng")));
        }
        // A title without a cover: the window shows its load button.
        scan::frmCover* w = anhaengen(k, "Alien", bild(k, "covers/alien.bmp", 400, 300));
        ASSERT_NE(w, nullptr);
        w->cmdPfad->click();
        QApplication::processEvents();
        std::vector<QPushButton*> knöpfe;
        for (QPushButton* b : {w->cmdPfad, w->cmdOK, w->cmdCancel, w->cmdEntladen}) {
            ASSERT_TRUE(b->isVisible()) << b->objectName().toStdString();
            SCOPED_TRACE(b->text().toStdString());
            EXPECT_FALSE(b->text().isEmpty());
            EXPECT_GE(b->width(), b->sizeHint().width()) << "the caption is cut at the side";
            EXPECT_GE(b->height(), b->sizeHint().height()) << "the caption is cut at the bottom";
            EXPECT_TRUE(w->rect().contains(b->geometry())) << "the button lies inside the window";
            EXPECT_FALSE(b->geometry().intersects(w->tfCover->geometry()));
            for (const QPushButton* davor : knöpfe)
                EXPECT_FALSE(b->geometry().intersects(davor->geometry())) << "covers " << davor->objectName().toStdString();
            knöpfe.push_back(b);
        }
        EXPECT_GE(w->tfCover->height(), w->tfCover->sizeHint().height());
        w->close();
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, CoverKnoepfe,
                         ::testing::Values(Schriftfall{"Shipped", std::nullopt},
                                           Schriftfall{"TwelvePointDesktop", 12.0}),
                         [](const auto& fall) { return std::string(fall.param.name); });

TEST(Cover, Screenshot)
{
    const QByteArray ordner = qgetenv("RDX_SCREENSHOTS");
    if (ordner.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS names no folder";
    for (const auto& [name, punkte] : {std::pair<const char*, std::optional<double>>{"", std::nullopt},
                                       std::pair<const char*, std::optional<double>>{"_12pt", 12.0}}) {
        Anwendungsschrift schrift(punkte);
        Filmkatalog k;
        bild(k, "covers/mask.jpg", 600, 400);
        k.ausführen("UPDATE Filme SET Cover = 'mask.jpg' WHERE Titel = 'Mask'");
        frmFilme& f = zeigen(k, "Mask");
        f.c.cmdCover->click();
        ASSERT_NE(f.coverfenster(), nullptr);
        f.coverfenster()->cmdPfad->click();
        f.coverfenster()->grab().save(QString::fromUtf8(ordner) + "/frmCover" + name + ".png");
        f.coverfenster()->close();
        scan::frmCover* w = anhaengen(k, "Alien", bild(k, "covers/alien.bmp", 300, 400));
        ASSERT_NE(w, nullptr);
        w->grab().save(QString::fromUtf8(ordner) + "/frmCover_laden" + name + ".png");
        w->close();
    }
}
