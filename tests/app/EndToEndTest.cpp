// Rondavex started for real: the executables copied into a prepared program
// folder, run headless.
#include "platform/ini/IniFile.h"
#include "tests/support/TempFolder.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

bool copyInto(const QString& source, const QString& folder)
{
    return QFile::copy(source, folder + '/' + QFileInfo(source).fileName());
}

// Waits until the condition holds or the time is up.
template <class F> bool waitFor(F condition, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}

struct Start {
    Start(const QString& folder, const QString& config)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", config);
        process.setProcessEnvironment(env);
        // Started from elsewhere: the program finds its folder by its own path.
        process.setWorkingDirectory(QDir::tempPath());
        process.start(folder + "/Rondavex", {});
    }
    ~Start()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    QProcess process;
};

}  // namespace

TEST(EndToEnd, AStartWritesItsDefaultsAndBackupAndASecondStartHandsOver)
{
    TempFolder folder;
    TempFolder config;
    const QString program = QStringLiteral(RDX_PROGRAM_DIR);
    for (const char* name : {"Rondavex", "tools", "filme.mdb"})
        ASSERT_TRUE(copyInto(program + '/' + name, folder.path())) << name;
    for (const char* name : {"Cd.ini", "deutsch.lng"})
        ASSERT_TRUE(copyInto(QStringLiteral(RDX_SOURCE_DATA) + '/' + name, folder.path())) << name;
    QDir().mkpath(folder.file("bilder"));
    ASSERT_TRUE(copyInto(program + "/bilder/lacs.jpg", folder.file("bilder")));
    // A settings file without the list defaults: the start writes them.
    const ini::IniFile cdIni(folder.file("Cd.ini"));
    ASSERT_TRUE(cdIni.write("Funktionen", "Sortierung", ""));
    ASSERT_TRUE(cdIni.write("Funktionen", "6tes Feld", ""));

    const QString backup = folder.file("Backup/" + QDate::currentDate().toString("dd.MM.yyyy") + " filme.bak");
    Start first(folder.path(), config.path());
    ASSERT_TRUE(first.process.waitForStarted(5000));
    ASSERT_TRUE(waitFor([&] { return cdIni.read("Funktionen", "6tes Feld") == "W"; }, 10000))
        << first.process.readAllStandardError().toStdString();
    EXPECT_EQ(cdIni.read("Funktionen", "Sortierung"), "KF");
    EXPECT_TRUE(QFile::exists(backup));
    // Past the splash: the program keeps running with its main window.
    QThread::msleep(2500);
    EXPECT_EQ(first.process.state(), QProcess::Running);

    QFile::remove(backup);
    Start second(folder.path(), config.path());
    ASSERT_TRUE(second.process.waitForFinished(10000));
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(backup)) << "the second start makes its backup before it hands over";
    EXPECT_EQ(first.process.state(), QProcess::Running);
}
