// Rondavex started for real: the executables copied into a prepared program
// folder, run headless.
#include "platform/ini/IniFile.h"
#include "tests/app/Programmordner.h"
#include "tests/support/Programmstart.h"
#include "tests/support/TempFolder.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using testing_support::TempFolder;
using testing_support::waitFor;

using testing_support::programmordnerAnlegen;
using testing_support::Start;

TEST(EndToEnd, AStartWritesItsDefaultsAndBackupAndASecondStartHandsOver)
{
    TempFolder folder;
    TempFolder config;
    ASSERT_TRUE(programmordnerAnlegen(folder));
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

TEST(EndToEnd, OfSeveralStartsAtTheSameMomentExactlyOneGoesOnAndTheOthersHandOver)
{
    TempFolder folder;
    TempFolder config;
    ASSERT_TRUE(programmordnerAnlegen(folder));

    constexpr int N = 6;
    std::vector<std::unique_ptr<Start>> starts;
    for (int i = 0; i < N; ++i)
        starts.push_back(std::make_unique<Start>(folder.path(), config.path()));
    for (const auto& s : starts)
        ASSERT_TRUE(s->process.waitForStarted(5000));

    // The losers end on their own; the one that goes on keeps its window open.
    const auto laufende = [&] {
        // A QProcess learns of its end only while it waits (there is no event loop here).
        return std::count_if(starts.begin(), starts.end(), [](const auto& s) {
            return s->process.state() != QProcess::NotRunning && !s->process.waitForFinished(10);
        });
    };
    ASSERT_TRUE(waitFor([&] { return laufende() <= 1; }, 30000)) << laufende() << " starts still run";
    // Past the splash: the winner shows its main window and keeps running.
    QThread::msleep(2500);
    EXPECT_EQ(laufende(), 1);
    for (const auto& s : starts) {
        if (s->process.state() != QProcess::NotRunning)
            continue;
        EXPECT_EQ(s->process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(s->process.exitCode(), 0) << s->process.readAllStandardError().toStdString();
    }
    EXPECT_TRUE(QFile::exists(folder.file("Backup/" + QDate::currentDate().toString("dd.MM.yyyy") + " filme.bak")));
}
