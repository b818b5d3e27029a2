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
    const struct {
        QByteArray xdg;
        QString path;
    } cases[] = {
        {home.path().toUtf8(), home.path() + "/Rondavex/Rondavex.ini"},
        {home.path().toUtf8() + "/", home.path() + "/Rondavex/Rondavex.ini"},
        {"", QDir::homePath() + "/.config/Rondavex/Rondavex.ini"},
        // Not a place of its own: it would move with the working directory.
        {"relativ/einstellungen", QDir::homePath() + "/.config/Rondavex/Rondavex.ini"},
    };
    for (const auto& c : cases) {
        qputenv("XDG_CONFIG_HOME", c.xdg);
        EXPECT_EQ(sys::userStorePath(), c.path) << c.xdg.constData();
    }
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
