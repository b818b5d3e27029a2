// The single instance: one per user and program folder, a later start hands
// over with its activation, nothing of it stays behind, and no other user can
// answer in its place or make it use a folder of theirs.
#include "platform/system/LocalSingleInstance.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/FremderHoerer.h"
#include "tests/support/Laufzeitreste.h"
#include "tests/support/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

using sys::Activation;
using sys::LocalSingleInstance;
using testing_support::eintraege;
using testing_support::FremderHoerer;
using testing_support::FremderOrdner;
using testing_support::staleSocket;
using testing_support::TempFolder;

namespace {

// Events run until `done` holds or a second is over.
bool wartenAuf(const std::function<bool()>& done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return done();
}

bool setMode(const QString& path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

bool giveToNobody(const QString& path)
{
    return ::chown(QFile::encodeName(path).constData(), FremderHoerer::Nobody, FremderHoerer::Nobody) == 0;
}

QString uid()
{
    return QString::number(::getuid());
}

// Each test's own runtime and temporary folders in place of the machine's.
class Einzelinstanz : public ::testing::Test {
protected:
    void SetUp() override
    {
        merken("XDG_RUNTIME_DIR");
        merken("TMPDIR");
        laufzeit = std::make_unique<TempFolder>();
        temp = std::make_unique<TempFolder>();
        qputenv("XDG_RUNTIME_DIR", laufzeit->path().toUtf8());
        qputenv("TMPDIR", temp->path().toUtf8());
    }
    void TearDown() override
    {
        for (const auto& [name, wert] : alte) {
            if (wert.isNull())
                qunsetenv(name);
            else
                qputenv(name, wert);
        }
        laufzeit.reset();
        temp.reset();
    }
    void merken(const char* name)
    {
        alte.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
    }
    QString tempName(int n = 0) const
    {
        return temp->path() + "/Rondavex-" + uid() + (n == 0 ? QString() : "-" + QString::number(n));
    }

    std::vector<std::pair<const char*, QByteArray>> alte;
    std::unique_ptr<TempFolder> laufzeit;
    std::unique_ptr<TempFolder> temp;
    TempFolder programm;
};

}  // namespace

TEST_F(Einzelinstanz, ALaterStartHandsOverItsActivationToTheRunningOne)
{
    TempFolder other;
    LocalSingleInstance first(programm.path());
    EXPECT_FALSE(first.anotherIsRunning());
    std::vector<Activation> raised;
    first.serve([&](const Activation& a) { raised.push_back(a); });

    const Activation click{"rondavex-4711-rechner-_TIME81234567", "tok en\n%ä \"x\""};
    LocalSingleInstance second(programm.path(), click);
    EXPECT_TRUE(second.anotherIsRunning());
    ASSERT_TRUE(wartenAuf([&] { return raised.size() == 1; }));
    EXPECT_EQ(raised[0], click);

    // A start from a terminal has no proof to hand over.
    LocalSingleInstance third(programm.path());
    EXPECT_TRUE(third.anotherIsRunning());
    ASSERT_TRUE(wartenAuf([&] { return raised.size() == 2; }));
    EXPECT_EQ(raised[1], Activation());

    LocalSingleInstance elsewhere(other.path());
    EXPECT_FALSE(elsewhere.anotherIsRunning()) << "another program folder is another installation";
    EXPECT_NE(LocalSingleInstance::socketPath(programm.path()), LocalSingleInstance::socketPath(other.path()));
}

TEST_F(Einzelinstanz, AStartWhileTheFirstIsStillStartingHandsOverAndNothingStaysBehind)
{
    const QString lock = LocalSingleInstance::lockPath(programm.path());
    EXPECT_TRUE(lock.startsWith(laufzeit->path() + "/")) << lock.toStdString();
    {
        // Decided, but busy (an upgrade message, the backup): no serve() yet.
        LocalSingleInstance first(programm.path());
        EXPECT_FALSE(first.anotherIsRunning());
        EXPECT_FALSE(first.anotherIsRunning()) << "asking again changes nothing";
        LocalSingleInstance second(programm.path());
        QElapsedTimer t;
        t.start();
        EXPECT_TRUE(second.anotherIsRunning());
        EXPECT_LT(t.elapsed(), 2000) << "the first answers while it starts";

        // Someone removed the lock file: the socket still tells, and the start
        // that looked leaves no lock file of its own.
        ASSERT_TRUE(QFile::remove(lock));
        {
            LocalSingleInstance third(programm.path());
            EXPECT_TRUE(third.anotherIsRunning());
        }
        EXPECT_FALSE(QFileInfo::exists(lock));
    }
    EXPECT_EQ(eintraege(laufzeit->path()), QStringList()) << "the lock file and the socket go with the instance";
    // The first has ended (or crashed: the kernel drops its lock the same way).
    LocalSingleInstance later(programm.path());
    EXPECT_FALSE(later.anotherIsRunning());
}

TEST_F(Einzelinstanz, WhatAKilledInstanceLeftIsReusedNotAddedTo)
{
    const QString socket = LocalSingleInstance::socketPath(programm.path());
    ASSERT_TRUE(staleSocket(socket));
    ASSERT_TRUE(QFile::exists(socket));
    laufzeit->write(QFileInfo(LocalSingleInstance::lockPath(programm.path())).fileName(), "");
    const QStringList left = eintraege(laufzeit->path());
    ASSERT_EQ(left.size(), 2);
    {
        LocalSingleInstance first(programm.path());
        EXPECT_FALSE(first.anotherIsRunning());
        int raised = 0;
        first.serve([&](const Activation&) { ++raised; });
        EXPECT_EQ(eintraege(laufzeit->path()), left);
        LocalSingleInstance second(programm.path());
        EXPECT_TRUE(second.anotherIsRunning());
        EXPECT_TRUE(wartenAuf([&] { return raised == 1; }));
    }
    EXPECT_EQ(eintraege(laufzeit->path()), QStringList());
}

TEST_F(Einzelinstanz, AListenerOfAnotherUserOnOurSocketIsNotBelieved)
{
    const QString socket = LocalSingleInstance::socketPath(programm.path());
    FremderHoerer fremd(socket);
    if (!fremd.ok())
        GTEST_SKIP() << "cannot run a listener as another user (needs root)";

    LocalSingleInstance first(programm.path());
    EXPECT_FALSE(first.anotherIsRunning()) << "the start goes on: no instance of ours runs";
    int raised = 0;
    first.serve([&](const Activation&) { ++raised; });
    // It took the socket's place: the next start reaches it, not the stranger.
    const int before = fremd.verbindungen();
    LocalSingleInstance second(programm.path());
    EXPECT_TRUE(second.anotherIsRunning());
    EXPECT_TRUE(wartenAuf([&] { return raised == 1; }));
    EXPECT_EQ(fremd.verbindungen(), before);
}

TEST_F(Einzelinstanz, ARuntimeFolderOfAnotherUserWithItsOwnListenerAndLockIsNotUsed)
{
    const FremderOrdner ordner;
    if (!ordner.ok())
        GTEST_SKIP() << "cannot give a folder to another user (needs root)";
    const QString& fremderOrdner = ordner.pfad();
    const QString name = QFileInfo(LocalSingleInstance::socketPath(programm.path())).fileName();
    FremderHoerer fremd(fremderOrdner + "/" + name, fremderOrdner + "/" + name + ".lock");
    if (!fremd.ok())
        GTEST_SKIP() << "cannot run a listener as another user";
    qputenv("XDG_RUNTIME_DIR", fremderOrdner.toUtf8());

    EXPECT_EQ(LocalSingleInstance::runtimeFolder(), tempName());
    LocalSingleInstance first(programm.path());
    EXPECT_FALSE(first.anotherIsRunning());
    EXPECT_EQ(fremd.verbindungen(), 0);
}

TEST_F(Einzelinstanz, AClientOfAnotherUserCannotBringTheWindowToTheFront)
{
    LocalSingleInstance first(programm.path());
    ASSERT_FALSE(first.anotherIsRunning());
    int raised = 0;
    first.serve([&](const Activation&) { ++raised; });
    // Opened wide, as a careless desktop might leave it: the peer check still holds.
    const QByteArray socket = QFile::encodeName(LocalSingleInstance::socketPath(programm.path()));
    ASSERT_TRUE(setMode(laufzeit->path(), 0755));
    ASSERT_TRUE(::chmod(socket.constData(), 0777) == 0);

    const int result = testing_support::runUnprivileged([&] {
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket.constData(), sizeof address.sun_path - 1);
        if (s < 0 || ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return 1;
        const QByteArray request = LocalSingleInstance::request({});
        return ::write(s, request.constData(), size_t(request.size())) == request.size() ? 0 : 2;
    });
    if (result < 0)
        GTEST_SKIP() << "cannot run as another user";
    ASSERT_EQ(result, 0) << "1: could not connect, 2: could not write";
    EXPECT_FALSE(wartenAuf([&] { return raised > 0; }));
}

namespace {

struct Ortsfall {
    const char* name;
    bool needsRoot;
    // Prepares the folders; gives the expected runtime folder ("" for none).
    std::function<QString(const TempFolder& laufzeit, const QString& tempName0, const QString& tempName1)> prepare;
};

class Laufzeitordner : public Einzelinstanz, public ::testing::WithParamInterface<Ortsfall> {};

const Ortsfall ortsfaelle[] = {
    {"ItsOwnXdgRuntimeDir", false, [](const TempFolder& l, const QString&, const QString&) { return l.path(); }},
    {"NoXdgRuntimeDir", false,
     [](const TempFolder&, const QString& t0, const QString&) {
         qunsetenv("XDG_RUNTIME_DIR");
         return t0;
     }},
    {"AnXdgRuntimeDirOpenToOthers", false,
     [](const TempFolder& l, const QString& t0, const QString&) {
         setMode(l.path(), 0755);
         return t0;
     }},
    {"ARelativeXdgRuntimeDir", false,
     [](const TempFolder&, const QString& t0, const QString&) {
         qputenv("XDG_RUNTIME_DIR", "laufzeit");
         return t0;
     }},
    {"AnXdgRuntimeDirThatIsALink", false,
     [](const TempFolder& l, const QString& t0, const QString&) {
         QFile::link(l.path(), t0 + "-verweis");
         qputenv("XDG_RUNTIME_DIR", QFile::encodeName(t0 + "-verweis"));
         return t0;
     }},
    {"AnXdgRuntimeDirOfAnotherUser", true,
     [](const TempFolder& l, const QString& t0, const QString&) {
         giveToNobody(l.path());
         return t0;
     }},
    {"AFolderOfAnotherUserUnderOurName", true,
     [](const TempFolder&, const QString& t0, const QString& t1) {
         qunsetenv("XDG_RUNTIME_DIR");
         QDir().mkpath(t0);
         setMode(t0, 0700);
         giveToNobody(t0);
         return t1;
     }},
    {"AFileUnderOurName", false,
     [](const TempFolder&, const QString& t0, const QString& t1) {
         qunsetenv("XDG_RUNTIME_DIR");
         QFile f(t0);
         f.open(QIODevice::WriteOnly);
         return t1;
     }},
    {"ALinkUnderOurNameToAFolderOfOurs", false,
     [](const TempFolder& l, const QString& t0, const QString& t1) {
         qunsetenv("XDG_RUNTIME_DIR");
         QFile::link(l.path(), t0);
         return t1;
     }},
    {"AnOpenFolderUnderOurName", false,
     [](const TempFolder&, const QString& t0, const QString& t1) {
         qunsetenv("XDG_RUNTIME_DIR");
         QDir().mkpath(t0);
         setMode(t0, 0777);
         return t1;
     }},
    {"EveryNameTaken", false,
     [](const TempFolder&, const QString& t0, const QString&) {
         qunsetenv("XDG_RUNTIME_DIR");
         for (int n = 0; n < 16; ++n) {
             QFile f(n == 0 ? t0 : t0 + "-" + QString::number(n));
             f.open(QIODevice::WriteOnly);
         }
         return QString();
     }},
};

}  // namespace

TEST_P(Laufzeitordner, IsAFolderOfThisUserAloneAndNeverOneThatSomeoneElsePut)
{
    if (GetParam().needsRoot && ::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a folder to another user";
    const QString expected = GetParam().prepare(*laufzeit, tempName(0), tempName(1));
    const QString folder = LocalSingleInstance::runtimeFolder();
    EXPECT_EQ(folder, expected);
    if (!folder.isEmpty()) {
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_uid, ::geteuid());
        EXPECT_EQ(st.st_mode & 077, 0u);
    }
    // Wherever it lies, or without one, a start goes on (and a second one with it).
    LocalSingleInstance first(programm.path());
    EXPECT_FALSE(first.anotherIsRunning());
    if (folder.isEmpty()) {
        EXPECT_EQ(LocalSingleInstance::socketPath(programm.path()), QString());
        EXPECT_FALSE(LocalSingleInstance(programm.path()).anotherIsRunning());
    } else {
        EXPECT_TRUE(QFileInfo(LocalSingleInstance::socketPath(programm.path())).path() == folder);
    }
    // What was there before stays as it was: a link is not followed into its target.
    EXPECT_EQ(eintraege(laufzeit->path()).filter(".lock").size(), folder == laufzeit->path() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Faelle, Laufzeitordner, ::testing::ValuesIn(ortsfaelle),
                         [](const ::testing::TestParamInfo<Ortsfall>& i) { return std::string(i.param.name); });

TEST(EinzelinstanzAnfrage, CarriesTheActivationWhateverItHoldsAndRefusesAnythingElse)
{
    for (const Activation& a : {Activation{}, Activation{"id-1_TIME5", ""}, Activation{"", "wl:tok"},
                                Activation{"mit blank\nund zeile", "%20 ü \\ \""}}) {
        const auto back = LocalSingleInstance::parseRequest(LocalSingleInstance::request(a));
        ASSERT_TRUE(back.has_value()) << a.startupId.toStdString();
        EXPECT_EQ(*back, a) << a.startupId.toStdString();
    }
    // A start of an older kind sent the word alone.
    EXPECT_EQ(LocalSingleInstance::parseRequest("raise\n"), Activation());
    for (const char* fremd : {"", "hallo\n\n", "raisex\n", "Raise\n"})
        EXPECT_FALSE(LocalSingleInstance::parseRequest(fremd).has_value()) << fremd;
}
