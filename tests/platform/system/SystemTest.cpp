#include "platform/system/LocalSingleInstance.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/QtServices.h"
#include "platform/system/Services.h"
#include "tests/support/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

using testing_support::TempFolder;

TEST(UserStore, LivesUnderXdgConfigHomeAndFallsBackToDotConfig)
{
    TempFolder home;
    const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    EXPECT_EQ(sys::userStorePath(), home.path() + "/Rondavex/Rondavex.ini");
    qputenv("XDG_CONFIG_HOME", "");
    EXPECT_EQ(sys::userStorePath(), QDir::homePath() + "/.config/Rondavex/Rondavex.ini");
    qputenv("XDG_CONFIG_HOME", oldXdg);
}

TEST(UserStore, KeepsValuesPerSectionAcrossInstancesAndCreatesItsFolder)
{
    TempFolder home;
    const QString path = home.path() + "/Rondavex/Rondavex.ini";
    sys::IniUserStore(path).saveSetting("Datei", "Pfad", "/home/anna/Bilder/");
    sys::IniUserStore(path).saveSetting("Settings", "Cover Update", "1");
    sys::IniUserStore ini(path);
    const sys::UserStore& store = ini;
    EXPECT_EQ(store.getSetting("Datei", "Pfad"), "/home/anna/Bilder/");
    EXPECT_EQ(store.getSetting("Settings", "Cover Update"), "1");
    EXPECT_EQ(store.getSetting("Settings", "Fehlt", "vorgabe"), "vorgabe");
}

TEST(Services, FileNamesLieInTheProgramFolder)
{
    sys::Services s;
    s.programFolder = "/opt/rdx";
    EXPECT_EQ(s.file("Cd.ini"), "/opt/rdx/Cd.ini");
    s.programFolder = "/opt/rdx/";
    EXPECT_EQ(s.file("Backup"), "/opt/rdx/Backup");
}

namespace {

// The lock file stays when an instance ends; a test's folder is gone afterwards, so is its lock file.
struct LockDateiWeg {
    ~LockDateiWeg() { QFile::remove(pfad); }
    QString pfad;
};

}  // namespace

TEST(SingleInstance, ALaterStartOnTheSameFolderHandsOverToTheRunningOne)
{
    TempFolder folder;
    TempFolder other;
    const LockDateiWeg weg{sys::LocalSingleInstance::lockPath(folder.path())};
    const LockDateiWeg wegAnderswo{sys::LocalSingleInstance::lockPath(other.path())};
    sys::LocalSingleInstance first(folder.path());
    EXPECT_FALSE(first.anotherIsRunning());
    int raised = 0;
    first.serve([&] { ++raised; });

    sys::LocalSingleInstance second(folder.path());
    EXPECT_TRUE(second.anotherIsRunning());
    for (int i = 0; i < 200 && raised == 0; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    EXPECT_EQ(raised, 1);

    sys::LocalSingleInstance elsewhere(other.path());
    EXPECT_FALSE(elsewhere.anotherIsRunning()) << "another program folder is another installation";
    EXPECT_NE(sys::LocalSingleInstance::socketName(folder.path()), sys::LocalSingleInstance::socketName(other.path()));
}

TEST(SingleInstance, AStartWhileTheFirstIsStillStartingHandsOverAndTheDecisionGoesWithTheInstance)
{
    TempFolder folder;
    const LockDateiWeg weg{sys::LocalSingleInstance::lockPath(folder.path())};
    {
        // Decided, but busy (an upgrade message, the backup): no serve() yet.
        sys::LocalSingleInstance first(folder.path());
        EXPECT_FALSE(first.anotherIsRunning());
        EXPECT_FALSE(first.anotherIsRunning()) << "asking again changes nothing";
        sys::LocalSingleInstance second(folder.path());
        QElapsedTimer t;
        t.start();
        EXPECT_TRUE(second.anotherIsRunning());
        EXPECT_LT(t.elapsed(), 2000) << "the first answers while it starts";

        // A cleaner of the temporary folder removed the lock file: the socket still tells.
        ASSERT_TRUE(QFile::remove(sys::LocalSingleInstance::lockPath(folder.path())));
        sys::LocalSingleInstance third(folder.path());
        EXPECT_TRUE(third.anotherIsRunning());
    }
    // The first has ended (or crashed: the kernel drops its lock the same way).
    sys::LocalSingleInstance later(folder.path());
    EXPECT_FALSE(later.anotherIsRunning());
    EXPECT_TRUE(QFileInfo::exists(sys::LocalSingleInstance::lockPath(folder.path())));
}
