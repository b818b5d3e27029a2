// The scan window driven over folders presented as discs, through to the saved title.
#include "platform/vb/DirListBox.h"
#include "platform/vb/HiddenListBox.h"
#include "scan/frmCDeinlesen.h"
#include "tests/catalogue/Bearbeitung.h"
#include "tests/catalogue/Filmkatalog.h"
#include "tests/scan/Scanfenster.h"
#include "tests/support/Kombis.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include "platform/vb/VbControls.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QThread>
#include <QKeyEvent>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// A disc labelled "MATRIX" (or as given) read and taken over; "Matrix" and "Matrix 2" are stored.
frmFilme& matrixUebernehmen(Scan& t, const QString& label = "MATRIX")
{
    t.discWechseln(label, {{"Film.avi", 3 * 1024 * 1024}});
    scan::frmCDeinlesen& s = t.oeffnen();
    zeileKlicken(s.List1, "D: \tCD-ROM-Laufwerk");
    s.cmdCDÜbernehmen->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return *t.k.f;
}

void erwarteScan(const frmFilme& f)
{
    EXPECT_EQ(f.c.tfTitel->text(), "Matrix");
    EXPECT_EQ(f.c.tfFormat->text(), "XVID");
    EXPECT_EQ(f.c.tfSize->text(), " 4483");
    EXPECT_EQ(f.c.tfAnzahl->text(), "1");
    EXPECT_EQ(f.c.tfMappe->text(), "");
}

}  // namespace

TEST(CDeinlesen, RowsFollowMitHddAndTheDriveTypes)
{
    Scan ohne;
    scan::frmCDeinlesen& s = ohne.oeffnen();
    EXPECT_EQ(zeilenVon(s.List1), QStringList{"D: \tCD-ROM-Laufwerk"});
    EXPECT_EQ(s.hoeheTwips(), scan::HoeheEingeklappt);
    EXPECT_TRUE(s.Dir1->isHidden());
    EXPECT_TRUE(s.cmdDel->isHidden());

    Scan mit("[Funktionen]\r\nmit HDD=1\r\n");
    scan::frmCDeinlesen& s2 = mit.oeffnen();
    EXPECT_EQ(zeilenVon(s2.List1), (QStringList{"C: \tLokaler Datenträger", "D: \tCD-ROM-Laufwerk"}));
    EXPECT_TRUE(s2.chkHDD->isChecked());
    s2.chkHDD->setChecked(false);
    EXPECT_EQ(zeilenVon(s2.List1), QStringList{"D: \tCD-ROM-Laufwerk"});
    EXPECT_EQ(ini::IniFile(mit.k.folder.file("Cd.ini")).read("Funktionen", "mit HDD"), "0");
}

TEST(CDeinlesen, AReadyDiscGivesTitleInfoAndTheDrivesSize)
{
    Scan t;
    t.datei("a.bin", 3145728);
    scan::frmCDeinlesen& s = t.oeffnen();
    Scan::waehlen(s, 0);
    EXPECT_EQ(s.tfCDName->text(), "My Movie 2");
    EXPECT_EQ(s.windowTitle(), "CD Einlesen - My Movie 2");
    EXPECT_EQ(s.tfCDROM->text(), "D:");
    EXPECT_EQ(s.txtDriveInfo->toPlainText(),
              "Laufwerk: D\nBezeichnung: MY_MOVIE_2\nDateisystem: udf\nSerial-Nummer: -5\n"
              "Speicherkapazität: 4.700.372.992 bytes\nFreier Speicher: 0 bytes");
    EXPECT_EQ(s.laufwerksinfo.count("\r\n"), 5);
    EXPECT_EQ(s.Label1[5]->text(), "4.700.372.992");
    EXPECT_EQ(s.Label1[7]->text(), " 4483");
    EXPECT_EQ(s.tfCDFormat->text(), "PC");
    EXPECT_EQ(s.hoeheTwips(), scan::HoeheErweitert);
    EXPECT_EQ(zeilenVon(s.lfListeCDeinlesen), QStringList{"a.bin"});
    EXPECT_EQ(zeilenVon(s.lfListeCDeinlesenAlles), QStringList{"a.bin: 3"});
    EXPECT_EQ(zeilenVon(t.k.f->c.lfListeCDeinlesen), QStringList{"a.bin: 3"});
    EXPECT_EQ(zeilenVon(t.k.f->c.lfListeCDEinlesenOhneGroesse), QStringList{"a.bin"});
}

TEST(CDeinlesen, ADriveThatIsNotReadySaysSo)
{
    Scan t;
    t.k.fake.drives.disc("D:")->ready = false;
    scan::frmCDeinlesen& s = t.oeffnen();
    Scan::waehlen(s, 0);
    EXPECT_EQ(s.windowTitle(), "CD Einlesen - Laufwerk nicht bereit!");
    EXPECT_EQ(s.txtDriveInfo->toPlainText(), "Laufwerk D nicht bereit!");
    EXPECT_EQ(s.tfCDName->text(), "");
    EXPECT_EQ(s.Label1[7]->text(), "");
}

TEST(CDeinlesen, EjectEmptiesEveryListAndTheTimerReadsTheRememberedDrive)
{
    Scan t;
    t.datei("a.bin", 10);
    scan::frmCDeinlesen& s = t.oeffnen();
    Scan::waehlen(s, 0);
    s.cmdCDAuswerfen->click();
    EXPECT_EQ(s.lfListeCDeinlesen->count(), 0);
    EXPECT_EQ(t.k.f->c.lfListeCDeinlesen->count(), 0) << "no entry of the ejected disc may be saved";
    EXPECT_EQ(t.k.f->c.lfListeCDEinlesenOhneGroesse->count(), 0);
    EXPECT_EQ(s.hoeheTwips(), scan::HoeheEingeklappt);
    EXPECT_EQ(s.tfCDROM->text(), "D:");

    t.k.fake.drives.disc("D:")->label = "ZWEITE";
    s.cmdCDeinziehen->click();
    EXPECT_EQ(t.k.fake.drives.trayLog, (QStringList{"open D:", "close D:"}));
    EXPECT_TRUE(s.Timer1->isActive());
    EXPECT_EQ(s.Timer1->interval(), 3000);
    EXPECT_TRUE(s.Timer1->isSingleShot());
    s.Timer1_Timer();
    EXPECT_FALSE(s.Timer1->isActive());
    EXPECT_EQ(s.tfCDName->text(), "Zweite");
}

TEST(CDeinlesen, DeletingARowRemovesExactlyThatEntry)
{
    Scan t;
    t.datei("CD1", 1);
    t.datei("CD10", 1);
    scan::frmCDeinlesen& s = t.oeffnen();
    Scan::waehlen(s, 0);
    ASSERT_EQ(zeilenVon(s.lfListeCDeinlesen), (QStringList{"CD1", "CD10"}));
    t.k.fake.messages.answer(sys::mb::Ok);
    s.lfListeCDeinlesen->setCurrentRow(0);
    QKeyEvent entf(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(s.lfListeCDeinlesen, &entf);
    EXPECT_EQ(t.k.fake.messages.shown.back().prompt, "*CD1*  löschen?");
    EXPECT_EQ(zeilenVon(s.lfListeCDeinlesen), QStringList{"CD10"});
    EXPECT_EQ(zeilenVon(t.k.f->c.lfListeCDeinlesen), QStringList{"CD10: 0"});
    EXPECT_EQ(zeilenVon(t.k.f->c.lfListeCDEinlesenOhneGroesse), QStringList{"CD10"});
}

TEST(CDeinlesen, PlusAddsTheNextDiscOfASet)
{
    Scan t;
    t.k.fake.drives.disc("D:")->totalBytes = 700LL * 1024 * 1024;
    scan::frmCDeinlesen& s = t.oeffnen();
    Scan::waehlen(s, 0);
    t.k.fake.drives.disc("D:")->totalBytes = 703LL * 1024 * 1024;
    t.k.fake.messages.answer(sys::mb::Ok);
    s.cmdPlus->click();
    EXPECT_EQ(t.k.fake.messages.shown.back().title, "CD wechseln bitte!");
    EXPECT_EQ(s.Label1[7]->text(), "1403");
    EXPECT_EQ(s.Label1[5]->text(), "1.471.152.128") << "the bytes of both discs, as the megabytes";
    EXPECT_EQ(s.tfAnzahl->text(), "2");
    t.k.fake.messages.answer(sys::mb::Cancel);
    s.cmdPlus->click();
    EXPECT_EQ(s.tfAnzahl->text(), "2");
    EXPECT_EQ(s.Label1[5]->text(), "1.471.152.128");

    // A third disc that is not ready adds nothing; the count still rises.
    t.k.fake.drives.disc("D:")->ready = false;
    t.k.fake.messages.answer(sys::mb::Ok);
    s.cmdPlus->click();
    EXPECT_EQ(s.Label1[7]->text(), "1403");
    EXPECT_EQ(s.Label1[5]->text(), "1.471.152.128");
    EXPECT_EQ(s.tfAnzahl->text(), "3");
}

// "+" on a folder of a local disk walks it again: its bytes add up in the
// form the walk shows them.
TEST(CDeinlesen, PlusOverAFolderAddsTheWalksBytes)
{
    Scan t("[Funktionen]\r\nmit HDD=1\r\n");
    t.k.folder.write("platteC/filme/a.avi", QByteArray(2 * 1024 * 1024 + 1, 'x'));
    scan::frmCDeinlesen& s = t.oeffnen();
    zeileKlicken(s.List1, "C: \tLokaler Datenträger");
    zeileKlicken(s.List1, "C:/filme");
    ASSERT_EQ(s.Label1[5]->text(), " 2097153");
    t.k.fake.messages.answer(sys::mb::Ok);
    s.cmdPlus->click();
    EXPECT_EQ(s.Label1[7]->text(), "4");
    EXPECT_EQ(s.Label1[5]->text(), " 4194306");
    EXPECT_EQ(s.tfAnzahl->text(), "2");
}

// The whole way: disc read, taken over, saved, read back by a stock connection.
TEST(CDeinlesen, TheTakeOverIsSavedWithItsSubEntries)
{
    Scan t;
    t.datei("Film.avi", 2 * 1024 * 1024);
    t.datei("Extras/Bonus.avi", 1024 * 1024);
    t.datei(" Leer vorn.txt", 600 * 1024);
    scan::frmCDeinlesen& s = t.oeffnen();
    Scan::waehlen(s, 0);
    EXPECT_EQ(s.tfCDFormat->text(), "XVID");
    s.tfCDName->setText("Mein Film");
    s.tfCDMappe->setText("Regal 3");
    s.optUnterordner->setChecked(true);
    s.optCDInfo->setChecked(true);
    s.cmdCDÜbernehmen->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(t.k.f->scanfenster(), nullptr);

    frmFilme& f = *t.k.f;
    EXPECT_EQ(f.c.tfTitel->text(), "Mein Film");
    EXPECT_EQ(f.c.tfSize->text(), " 4483");
    EXPECT_EQ(f.c.tfFormat->text(), "XVID");
    EXPECT_EQ(f.c.tfQualität->text(), "");
    EXPECT_EQ(f.c.tfAnzahl->text(), "1");
    EXPECT_EQ(f.c.tfMappe->text(), "Regal 3");
    EXPECT_EQ(f.c.tfUnterordner->text(), "1");
    EXPECT_EQ(f.c.tfCDInfo->text(), "1");
    EXPECT_FALSE(f.c.cmdEdit->isEnabled());
    EXPECT_EQ(ini::IniFile(t.k.folder.file("Cd.ini")).read("CDeinlesen", "Mappe"), "Regal 3");
    // The names stand in the info box before the save, and a note typed after them is kept.
    EXPECT_FALSE(f.c.tfInfo->isHidden());
    EXPECT_EQ(f.c.tfInfo->toPlainText(), " Leer vorn.txt, Extras, Bonus.avi, Film.avi, ");
    fokussieren(f.c.tfInfo);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    tippenImFokus(f.c.tfInfo, "Regiefassung");

    f.c.Speichern->click();
    const auto zeilen = roh(t.k.folder.file("filme.mdb"),
                            "SELECT Titel2, Size FROM Unterordner WHERE Titel = 'Mein Film' ORDER BY rowid");
    const std::vector<QStringList> erwartet = {
        {" Leer vorn", " 1"}, {"Extras: 1", " 1"}, {"Bonus", " 1"}, {"Film", " 2"}};
    EXPECT_EQ(zeilen, erwartet) << "each entry with its own size, a folder with the sum below it, blanks kept";
    EXPECT_EQ(spalte(t.k, "Filme", "Info", "Mein Film"), " Leer vorn.txt, Extras, Bonus.avi, Film.avi, Regiefassung");
    EXPECT_EQ(integrität(t.k), "ok");
}

// A disc taken over and not saved is a new record: closing the main window
// asks, and "Ja" saves it with its sub-entries.
TEST(CDeinlesen, ClosingAfterATakeOverAsksAndSaves)
{
    Scan t;
    t.datei("Film.avi", 2 * 1024 * 1024);
    scan::frmCDeinlesen& s = t.oeffnen();
    Scan::waehlen(s, 0);
    s.tfCDName->setText("Mein Film");
    s.optUnterordner->setChecked(true);
    s.cmdCDÜbernehmen->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frmFilme& f = *t.k.f;
    t.k.fake.messages.answer(sys::mb::Yes);
    f.close();
    ASSERT_GE(t.k.fake.messages.shown.size(), 2u);
    const auto& gezeigt = t.k.fake.messages.shown;
    EXPECT_EQ(gezeigt[gezeigt.size() - 2].prompt, "Änderungen an \"Mein Film\" speichern?");
    EXPECT_EQ(gezeigt.back().prompt, "'Mein Film' wurde gespeichert!");
    EXPECT_EQ(roh(t.k.folder.file("filme.mdb"), "SELECT Titel2, Size FROM Unterordner WHERE Titel = 'Mein Film'"),
              (std::vector<QStringList>{{"Film", " 2"}}));
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(integrität(t.k), "ok");
}

TEST(CDeinlesen, ALocalDiskListsItsFoldersAndAFolderRowWalksThatFolder)
{
    Scan t("[Funktionen]\r\nmit HDD=1\r\n");
    t.k.folder.write("platteC/meine_filme/teil eins.avi", QByteArray(2 * 1024 * 1024, 'x'));
    t.k.folder.write("platteC/meine_filme/tiefer/b.txt", "b");
    t.k.folder.write("platteC/Anderes/c.txt", "c");
    QFile::link(t.wurzelC + "/meine_filme", t.wurzelC + "/schleife");
    scan::frmCDeinlesen& s = t.oeffnen();
    Scan::waehlen(s, 1);  // D: first, to remember a disc
    ASSERT_EQ(s.tfCDROM->text(), "D:");
    Scan::waehlen(s, 0);
    EXPECT_EQ(zeilenVon(s.List1),
              (QStringList{"C: \tLokaler Datenträger", "D: \tCD-ROM-Laufwerk", "C:/Anderes", "C:/meine_filme",
                           "C:/meine_filme/tiefer"}))
        << "a local-disk row takes the local path also after a disc; no symbolic link is followed";
    EXPECT_EQ(s.lfListeCDeinlesen->count(), 0) << "moving through the folders starts no walk";

    Scan::waehlen(s, 3);
    EXPECT_EQ(s.tfCDName->text(), "Meine Filme");
    EXPECT_EQ(s.windowTitle(), "CD Einlesen - Meine Filme");
    EXPECT_EQ(s.txtDriveInfo->toPlainText(), "");
    EXPECT_EQ(s.tfCDROM->text(), "D:") << "a folder is not a disc";
    EXPECT_EQ(s.Label1[7]->text(), " 2") << "the folder's own sum, not the drive's size";
    EXPECT_EQ(zeilenVon(s.lfListeCDeinlesen), (QStringList{"teil eins.avi", "tiefer", "b.txt"}));
    EXPECT_EQ(s.tfCDFormat->text(), "XVID");

    s.cmdCDÜbernehmen->click();
    EXPECT_EQ(t.k.f->c.tfTitel->text(), "Meine Filme");
    EXPECT_EQ(t.k.f->c.tfSize->text(), " 2");
}

// A set of two discs read with "+": every disc's entries reach the saved title,
// as sub-entries and as info text, each with its own size.
struct Satzfall {
    const char* name;
    bool unterordner;
    bool info;
};

class DiscSatz : public ::testing::TestWithParam<Satzfall> {};

TEST_P(DiscSatz, EveryDiscOfTheSetIsSaved)
{
    const Satzfall& fall = GetParam();
    Scan t;
    t.discWechseln("SERIE", {{"Teil1.avi", 1024 * 1024}, {"Extras/Bonus.txt", 3 * 1024 * 1024}});
    scan::frmCDeinlesen& s = t.oeffnen();
    frmFilme& f = *t.k.f;
    zeileKlicken(s.List1, "D: \tCD-ROM-Laufwerk");
    EXPECT_EQ(zeilenVon(f.c.lfListeCDeinlesen), zeilenVon(s.lfListeCDeinlesenAlles));

    t.discWechseln("SERIE", {{"Teil2.avi", 2 * 1024 * 1024}});
    t.k.fake.messages.answer(sys::mb::Ok);
    s.cmdPlus->click();
    EXPECT_EQ(s.tfAnzahl->text(), "2");
    const QStringList alles{"Extras: 3", "Bonus.txt: 3", "Teil1.avi: 1", "Teil2.avi: 2"};
    EXPECT_EQ(zeilenVon(s.lfListeCDeinlesenAlles), alles);
    EXPECT_EQ(zeilenVon(f.c.lfListeCDeinlesen), alles) << "the hand-over holds every disc of the set";

    if (fall.unterordner)
        s.optUnterordner->click();
    if (fall.info)
        s.optCDInfo->click();
    s.cmdCDÜbernehmen->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.c.tfTitel->text(), "Serie");
    EXPECT_EQ(f.c.tfAnzahl->text(), "2");
    f.c.Speichern->click();
    EXPECT_EQ(t.k.fake.messages.shown.back().prompt, "'Serie' wurde gespeichert!");

    const auto unter = roh(t.k.folder.file("filme.mdb"),
                           "SELECT Titel2, Size FROM Unterordner WHERE Titel = 'Serie' ORDER BY rowid");
    std::vector<QStringList> erwartet;
    if (fall.unterordner)
        erwartet = {{"Extras: 3", " 3"}, {"Bonus", " 3"}, {"Teil1", " 1"}, {"Teil2", " 2"}};
    EXPECT_EQ(unter, erwartet);
    const QString info = spalte(t.k, "Filme", "Info", "Serie");
    if (fall.info)
        EXPECT_EQ(info, "Extras, Bonus.txt, Teil1.avi, Teil2.avi, ");
    else
        EXPECT_FALSE(info.contains("Teil")) << info.toStdString();
    EXPECT_EQ(integrität(t.k), "ok");
}

INSTANTIATE_TEST_SUITE_P(Uebernahme, DiscSatz,
                         ::testing::Values(Satzfall{"Unterordner", true, false}, Satzfall{"Info", false, true},
                                           Satzfall{"Beide", true, true}),
                         [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

// A folder whose name is no valid UTF-8 is found again by its row, as are the
// folders below and beside it.
TEST(CDeinlesen, AFolderRowKeepsTheBytesOfItsName)
{
    Scan t("[Funktionen]\r\nmit HDD=1\r\n");
    const QByteArray fremd = QFile::encodeName(t.wurzelC) + "/dir\xff";
    ASSERT_EQ(::mkdir(fremd.constData(), 0755), 0);
    ASSERT_EQ(::mkdir((fremd + "/sub").constData(), 0755), 0);
    for (const QByteArray& datei : {fremd + "/a.avi", fremd + "/sub/b.txt"}) {
        // QFile cannot name these bytes: written through the descriptor.
        const int fd = ::open(datei.constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 2 * 1024 * 1024), 0);
        ::close(fd);
    }
    t.k.folder.write("platteC/zz/c.txt", "c");
    scan::frmCDeinlesen& s = t.oeffnen();
    zeileKlicken(s.List1, "C: \tLokaler Datenträger");
    const QString gezeigt = "C:/dir" + QString(QChar(0xFFFD));
    EXPECT_EQ(zeilenVon(s.List1),
              (QStringList{"C: \tLokaler Datenträger", "D: \tCD-ROM-Laufwerk", gezeigt, gezeigt + "/sub", "C:/zz"}));

    zeileKlicken(s.List1, gezeigt);
    EXPECT_EQ(zeilenVon(s.lfListeCDeinlesen), (QStringList{"a.avi", "sub", "b.txt"}));
    EXPECT_EQ(s.Label1[7]->text(), " 4");
    EXPECT_EQ(s.tfCDFormat->text(), "XVID");
    zeileKlicken(s.List1, gezeigt + "/sub");
    zeileKlicken(s.List1, "C:/zz");
    EXPECT_EQ(zeilenVon(s.lfListeCDeinlesen), (QStringList{"a.avi", "sub", "b.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(zeilenVon(t.k.f->c.lfListeCDeinlesen), zeilenVon(s.lfListeCDeinlesenAlles));
}

// A disc whose title is stored: the scan stays on display and can be saved
// under a new title; the stored title is marked in the list, not shown.
TEST(CDeinlesen, TheTakeOverOfAStoredTitleKeepsTheScanAndSavesItUnderANewTitle)
{
    Scan t;
    frmFilme& f = matrixUebernehmen(t);
    EXPECT_EQ(t.k.titel(), (QStringList{"Matrix", "Matrix 2"}));
    const auto markiert = f.c.lfListe->selectedItems();
    ASSERT_EQ(markiert.size(), 1);
    EXPECT_TRUE(markiert.first()->text().startsWith("Matrix\t")) << markiert.first()->text().toStdString();
    erwarteScan(f);
    EXPECT_TRUE(f.c.Speichern->isEnabled());
    EXPECT_FALSE(f.c.cmdEdit->isEnabled());

    QApplication::setActiveWindow(&f);
    f.c.tfTitel->setFocus();
    QWidget* feld = QApplication::focusWidget();
    ASSERT_EQ(feld, f.c.tfTitel);
    taste(feld, Qt::Key_End, {});
    tippen(feld, " Reloaded");
    f.c.Speichern->click();
    EXPECT_EQ(t.k.fake.messages.shown.back().prompt, "'Matrix Reloaded' wurde gespeichert!");
    EXPECT_EQ(spalte(t.k, "Filme", "Format", "Matrix Reloaded"), "XVID");
    EXPECT_EQ(spalte(t.k, "Filme", "Size", "Matrix Reloaded"), " 4483");
    EXPECT_EQ(spalte(t.k, "Filme", "Format", "Matrix"), "DVD") << "the stored title is untouched";
    EXPECT_EQ(spalte(t.k, "Filme", "Mappe", "Matrix"), "A");
    f.hide();
}

TEST(CDeinlesen, TheMarkedStoredTitleIsShownWhenItsRowIsClicked)
{
    Scan t;
    frmFilme& f = matrixUebernehmen(t);
    QApplication::setActiveWindow(&f);
    f.c.lfListe->setFocus(Qt::TabFocusReason);
    erwarteScan(f);
    zeileKlicken(f.c.lfListe, int(t.k.titel().indexOf("Matrix")));
    EXPECT_EQ(f.c.tfTitel->text(), "Matrix");
    EXPECT_EQ(f.c.tfFormat->text(), "DVD");
    EXPECT_EQ(f.c.tfMappe->text(), "A");
    EXPECT_EQ(f.c.tfAnzahl->text(), "2");
    f.hide();
}

TEST(CDeinlesen, WithoutAnEqualStoredTitleTheListTakingTheFocusKeepsTheScan)
{
    Scan t;
    frmFilme& f = matrixUebernehmen(t, "MATRI");
    EXPECT_EQ(t.k.titel(), (QStringList{"Matrix", "Matrix 2"}));
    f.show();
    QApplication::setActiveWindow(&f);
    f.c.lfListe->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f.c.tfFormat->text(), "XVID") << "no stored title shown by a focus change";
    EXPECT_TRUE(f.c.lfListe->selectedItems().isEmpty());
    f.hide();
}

TEST(CDeinlesen, TheLanguageFileSetsEveryTextAndTheLookItsColours)
{
    Scan t("[Design]\r\nSprache=Englisch.lng\r\nDefault=1\r\nTextFarbe=255\r\nBackcolor=16711680\r\n");
    t.k.folder.write("Englisch.lng", "[CDeinlesen]\r\nButton1=Eject\r\nButton5=Sub-entries\r\nButton6=Info text\r\n"
                                     "ButtonText7=Untick\r\nCaption=Read a disc\r\nLabel4=with disks\r\n"
                                     "Feld8=All entries\r\n");
    scan::frmCDeinlesen& s = t.oeffnen();
    EXPECT_EQ(s.cmdCDAuswerfen->text(), "Eject");
    EXPECT_EQ(s.cmdCDeinziehen->text(), "") << "a missing key empties its text";
    EXPECT_EQ(s.windowTitle(), "Read a disc");
    EXPECT_EQ(s.chkHDD->text(), "with disks");
    EXPECT_EQ(s.cmdClear->toolTip(), "Untick Sub-entries und Info text");
    EXPECT_EQ(s.lfListeCDeinlesenAlles->toolTip(), "All entries");
    EXPECT_EQ(s.Label1[0]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(s.palette().color(QPalette::Window), QColor(0, 0, 255));
    s.chkHDD->setChecked(true);
    EXPECT_EQ(ini::IniFile(t.k.folder.file("Cd.ini")).read("Funktionen", "mit HDD"), "1");
    EXPECT_EQ(ini::IniFile(t.k.folder.file("Englisch.lng")).read("Funktionen", "mit HDD"), "");
}

TEST(CDeinlesen, ClosingDuringAWalkHandsNothingOver)
{
    Scan t;
    for (int i = 0; i < 300; ++i)
        t.datei(QString("d%1/f.txt").arg(i), 1);
    scan::frmCDeinlesen& s = t.oeffnen();
    QPointer<scan::frmCDeinlesen> fenster(&s);
    // The close arrives while the walk lets pending events run.
    QTimer::singleShot(0, &s, [&s] { s.cmdAbbrechen->click(); });
    s.List1->setCurrentRow(0);
    QThread::msleep(150);
    s.List1_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fenster.isNull() || !fenster->isVisible());
    EXPECT_EQ(t.k.f->c.lfListeCDeinlesen->count(), 0);
    EXPECT_EQ(vb::mousePointer(), 0);
}

TEST(CDeinlesen, Screenshots)
{
    const QByteArray ordner = qgetenv("RDX_SCREENSHOTS");
    if (ordner.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS names no folder";
    Scan t("[Funktionen]\r\nmit HDD=1\r\n");
    scan::frmCDeinlesen& s = t.oeffnen();
    Scan::waehlen(s, 1);
    s.grab().save(QString::fromUtf8(ordner) + "/frmCDeinlesen_eingeklappt.png");
    t.datei("VIDEO_TS.txt", 5000000);
    t.datei("Film.avi", 70000000);
    t.datei("Extras/Bonus.avi", 3000000);
    Scan::waehlen(s, 1);
    s.grab().save(QString::fromUtf8(ordner) + "/frmCDeinlesen_erweitert.png");
}

// What an accessibility client reads after a walk: the entries in the visible
// list, one interface a row; the hidden lists of both windows, however full,
// are empty controls, so that reading a window never walks a disc's entries.
TEST(CDeinlesen, AnAccessibilityClientReadsTheShownEntriesAndNoneOfTheHiddenLists)
{
    Scan t;
    std::vector<std::pair<QString, qint64>> dateien;
    for (int i = 0; i < 300; ++i)
        dateien.push_back({QStringLiteral("Ordner %1/Datei %1.txt").arg(i), 1});
    t.discWechseln("VIELE", dateien);
    scan::frmCDeinlesen& s = t.oeffnen();
    zeileKlicken(s.List1, "D: \tCD-ROM-Laufwerk");
    frmFilme& f = *t.k.f;
    ASSERT_EQ(s.lfListeCDeinlesen->count(), 600);
    ASSERT_EQ(f.c.lfListeCDeinlesen->count(), 600);

    QAccessibleInterface* sichtbar = QAccessible::queryAccessibleInterface(s.lfListeCDeinlesen);
    ASSERT_NE(sichtbar, nullptr);
    EXPECT_GE(sichtbar->childCount(), 600) << "every shown entry can be read";
    for (QWidget* versteckt : std::initializer_list<QWidget*>{s.lfListeCDeinlesenAlles, s.lfListeCDeinlesenGroesse,
                                                             f.c.lfListeCDeinlesen, f.c.lfListeCDEinlesenOhneGroesse}) {
        SCOPED_TRACE(versteckt->objectName().toStdString());
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(versteckt);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->childCount(), 0);
        EXPECT_TRUE(i->state().invisible);
    }
}
