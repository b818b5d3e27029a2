// The programs started for real around their window: the command line
// answered without a display, an end by signal that leaves nothing behind,
// and starts that no other user can block.
#include "platform/system/LocalSingleInstance.h"
#include "tests/app/Programmordner.h"
#include "tests/support/FremderHoerer.h"
#include "tests/support/Laufzeitreste.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <unistd.h>

using testing_support::eintraege;
using testing_support::FremderHoerer;
using testing_support::FremderOrdner;
using testing_support::programmordnerAnlegen;
using testing_support::Programmstart;
using testing_support::Start;
using testing_support::staleSocket;
using testing_support::TempFolder;
using testing_support::waitFor;

namespace {

// The single instance's socket for `programFolder` as a start with this
// runtime folder and temporary folder computes it.
QString socketFuer(const QString& programFolder, const QString& laufzeit, const QString& temp = QDir::tempPath())
{
    const QByteArray alteLaufzeit = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray alteTemp = qgetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", laufzeit.toUtf8());
    qputenv("TMPDIR", temp.toUtf8());
    const QString socket = sys::LocalSingleInstance::socketPath(programFolder);
    qputenv("XDG_RUNTIME_DIR", alteLaufzeit);
    qputenv("TMPDIR", alteTemp);
    return socket;
}

QProcessEnvironment mitLaufzeit(const QString& laufzeit, const QString& temp = QDir::tempPath())
{
    QProcessEnvironment env = testing_support::headless();
    env.insert("XDG_RUNTIME_DIR", laufzeit);
    env.insert("TMPDIR", temp);
    return env;
}

// A copied program folder with its own settings store and runtime folder.
struct Aufbau {
    TempFolder folder;
    TempFolder config;
    TempFolder laufzeit;
    ::testing::AssertionResult bereit = programmordnerAnlegen(folder);
};

class EndeDurchSignal : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(EndeDurchSignal, EndsCleanlyAndLeavesNeitherLockNorSocketNorCatalogueLock)
{
    Aufbau a;
    ASSERT_TRUE(a.bereit);
    Start start(a.folder.path(), a.config.path(), mitLaufzeit(a.laufzeit.path()));
    ASSERT_TRUE(waitFor([&] { return eintraege(a.laufzeit.path()).size() == 2; }, 15000)) << start.output();
    ASSERT_TRUE(start.runsPastTheSplash()) << start.output();
    ASSERT_TRUE(QFileInfo::exists(a.folder.file("filme.ldb")));

    ASSERT_EQ(::kill(pid_t(start.process.processId()), GetParam()), 0);
    ASSERT_TRUE(start.process.waitForFinished(10000));
    EXPECT_EQ(start.process.exitStatus(), QProcess::NormalExit) << start.output();
    EXPECT_EQ(start.process.exitCode(), 0);
    EXPECT_EQ(eintraege(a.laufzeit.path()), QStringList());
    EXPECT_FALSE(QFileInfo::exists(a.folder.file("filme.ldb")));
}

INSTANTIATE_TEST_SUITE_P(Signale, EndeDurchSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& i) { return std::string(sigabbrev_np(i.param)); });

TEST(Einzelinstanz, WhatAKilledStartLeftIsReusedAndGoesAtTheNextEnd)
{
    Aufbau a;
    ASSERT_TRUE(a.bereit);
    const QString socket = socketFuer(a.folder.path(), a.laufzeit.path());
    ASSERT_TRUE(staleSocket(socket));
    a.laufzeit.write(QFileInfo(socket).fileName() + ".lock", "");
    const QStringList left = eintraege(a.laufzeit.path());
    ASSERT_EQ(left.size(), 2);
    {
        Start first(a.folder.path(), a.config.path(), mitLaufzeit(a.laufzeit.path()));
        ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(a.folder.file("filme.ldb")); }, 15000)) << first.output();
        ASSERT_TRUE(first.runsPastTheSplash()) << first.output();
        EXPECT_EQ(eintraege(a.laufzeit.path()), left);
        Start second(a.folder.path(), a.config.path(), mitLaufzeit(a.laufzeit.path()));
        ASSERT_TRUE(second.process.waitForFinished(15000));
        EXPECT_EQ(second.process.exitCode(), 0) << "handed over to the first";
        EXPECT_EQ(first.process.state(), QProcess::Running);
        EXPECT_EQ(eintraege(a.laufzeit.path()), left);
    }
    EXPECT_EQ(eintraege(a.laufzeit.path()), QStringList());
}

TEST(Einzelinstanz, AListenerOfAnotherUserOnOurSocketNeverEndsAStartWithoutAWindow)
{
    Aufbau a;
    ASSERT_TRUE(a.bereit);
    FremderHoerer fremd(socketFuer(a.folder.path(), a.laufzeit.path()));
    if (!fremd.ok())
        GTEST_SKIP() << "cannot run a listener as another user (needs root)";
    Start start(a.folder.path(), a.config.path(), mitLaufzeit(a.laufzeit.path()));
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(a.folder.file("filme.ldb")); }, 15000)) << start.output();
    EXPECT_TRUE(start.runsPastTheSplash()) << start.output();
}

TEST(Einzelinstanz, ARuntimeFolderOfAnotherUserWithAListenerAndItsLockNeverEndsAStartWithoutAWindow)
{
    Aufbau a;
    ASSERT_TRUE(a.bereit);
    TempFolder temp;
    const FremderOrdner ordner;
    if (!ordner.ok())
        GTEST_SKIP() << "cannot give a folder to another user (needs root)";
    const QString& fremderOrdner = ordner.pfad();
    // Where a start that trusted the folder would look.
    const QString socket = socketFuer(a.folder.path(), fremderOrdner, temp.path());
    ASSERT_TRUE(socket.startsWith(temp.path())) << socket.toStdString();
    const QString name = QFileInfo(socket).fileName();
    FremderHoerer fremd(fremderOrdner + '/' + name, fremderOrdner + '/' + name + ".lock");
    if (!fremd.ok())
        GTEST_SKIP() << "cannot run a listener as another user";

    Start start(a.folder.path(), a.config.path(), mitLaufzeit(fremderOrdner, temp.path()));
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(a.folder.file("filme.ldb")); }, 15000)) << start.output();
    EXPECT_TRUE(start.runsPastTheSplash()) << start.output();
    EXPECT_EQ(fremd.verbindungen(), 0);
    EXPECT_TRUE(QFileInfo::exists(socket)) << "its socket lies in a folder of its own under the temporary folder";
}

namespace {

struct Befehlszeile {
    const char* name;
    const char* program;
    QStringList arguments;
    int status;
    QString out;  // the whole of stdout, or its first line when it ends in "…"
    QString err;
};

const QString HilfeRondavex = "Aufruf: rondavex [--help | --version]\n…";
const QString HilfeTools = "Aufruf: rondavex-tools [--help | --version]\n…";

class Optionen : public ::testing::TestWithParam<Befehlszeile> {};

const Befehlszeile befehlszeilen[] = {
    {"RondavexHelp", "Rondavex", {"--help"}, 0, HilfeRondavex, ""},
    {"RondavexVersion", "Rondavex", {"--version"}, 0, "Rondavex " RDX_VERSION "\n", ""},
    {"RondavexUnknown", "Rondavex", {"--hilfe"}, 2, "",
     "rondavex: unbekannte Option \"--hilfe\"\nAufruf: rondavex [--help | --version]\n"},
    {"ToolsHelp", "tools", {"--help"}, 0, HilfeTools, ""},
    {"ToolsVersion", "tools", {"--version"}, 0, "Rondavex Tools " RDX_VERSION "\n", ""},
    {"ToolsUnknown", "tools", {"-v"}, 2, "",
     "rondavex-tools: unbekannte Option \"-v\"\nAufruf: rondavex-tools [--help | --version]\n"},
    {"ToolsArgument", "tools", {"filme.mdb"}, 2, "",
     "rondavex-tools: unerwartetes Argument \"filme.mdb\"\nAufruf: rondavex-tools [--help | --version]\n"},
};

}  // namespace

TEST_P(Optionen, AreAnsweredWithoutADisplayAndWithoutTouchingAnyFolder)
{
    const Befehlszeile& b = GetParam();
    TempFolder home;
    TempFolder laufzeit;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // X11, with no display to reach: a program that made its application here would abort.
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", laufzeit.path());
    env.remove("XDG_DATA_HOME");
    env.remove("XDG_CONFIG_HOME");
    const QString program = QStringLiteral(RDX_PROGRAM_DIR "/") + b.program;
    const QByteArray ini = testing_support::fileBytes(QStringLiteral(RDX_PROGRAM_DIR "/Cd.ini"));
    Programmstart start(program, env, b.arguments);
    ASSERT_TRUE(start.process.waitForFinished(10000));
    EXPECT_EQ(start.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(start.process.exitCode(), b.status);
    const QString out = QString::fromUtf8(start.process.readAllStandardOutput());
    if (b.out.endsWith(u'…')) {
        EXPECT_TRUE(out.startsWith(b.out.chopped(1))) << out.toStdString();
        EXPECT_TRUE(out.contains("  --help ") && out.contains("  --version ")) << out.toStdString();
    } else {
        EXPECT_EQ(out, b.out);
    }
    EXPECT_EQ(QString::fromUtf8(start.process.readAllStandardError()), b.err);
    EXPECT_EQ(eintraege(home.path()), QStringList());
    EXPECT_EQ(eintraege(laufzeit.path()), QStringList());
    EXPECT_EQ(testing_support::fileBytes(QStringLiteral(RDX_PROGRAM_DIR "/Cd.ini")), ini);
}

INSTANTIATE_TEST_SUITE_P(Befehle, Optionen, ::testing::ValuesIn(befehlszeilen),
                         [](const ::testing::TestParamInfo<Befehlszeile>& i) { return std::string(i.param.name); });
