// What both programs do at their start and end besides the window: the
// command line, the end signals, a window brought to the front for a later start.
#include "platform/system/Aktivierung.h"
#include "platform/system/Endesignale.h"
#include "platform/system/Startoptionen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

const sys::Programmaufruf Probe{"probe", "Probe", "Probe prüft.\n", "9.8.7"};

struct Aufruf {
    const char* name;
    std::vector<const char*> argumente;
    std::optional<int> status;
    std::string out;
    std::string err;
};

// What startoptionen writes to its two streams.
struct Ausgabe {
    std::optional<int> status;
    std::string out;
    std::string err;
};

Ausgabe aufrufen(std::vector<const char*> argumente)
{
    argumente.insert(argumente.begin(), "/usr/lib/probe/Probe");
    char* outText = nullptr;
    char* errText = nullptr;
    size_t outSize = 0;
    size_t errSize = 0;
    std::FILE* out = ::open_memstream(&outText, &outSize);
    std::FILE* err = ::open_memstream(&errText, &errSize);
    Ausgabe a;
    a.status = sys::startoptionen(int(argumente.size()), argumente.data(), Probe, out, err);
    std::fclose(out);
    std::fclose(err);
    a.out.assign(outText, outSize);
    a.err.assign(errText, errSize);
    std::free(outText);
    std::free(errText);
    return a;
}

const std::string Hilfe = "Aufruf: probe [--help | --version]\n"
                          "\n"
                          "Probe prüft.\n"
                          "\n"
                          "Optionen:\n"
                          "  --help     zeigt diese Hilfe und endet\n"
                          "  --version  zeigt die Version und endet\n";

class Startoptionen : public ::testing::TestWithParam<Aufruf> {};

const Aufruf aufrufe[] = {
    {"NoArguments", {}, std::nullopt, "", ""},
    {"Help", {"--help"}, 0, Hilfe, ""},
    {"Version", {"--version"}, 0, "Probe 9.8.7\n", ""},
    {"TheFirstDecides", {"--version", "--bogus"}, 0, "Probe 9.8.7\n", ""},
    {"UnknownOption", {"--bogus", "--help"}, 2, "",
     "probe: unbekannte Option \"--bogus\"\nAufruf: probe [--help | --version]\n"},
    {"QtsOwnOptionsAreNoneOfOurs", {"-platform", "xcb"}, 2, "",
     "probe: unbekannte Option \"-platform\"\nAufruf: probe [--help | --version]\n"},
    {"AFileNameSelectsNothing", {"/home/anna/filme.mdb"}, 2, "",
     "probe: unerwartetes Argument \"/home/anna/filme.mdb\"\nAufruf: probe [--help | --version]\n"},
};

}  // namespace

TEST_P(Startoptionen, InformOnStdoutOrRefuseOnStderrBeforeAnyWindow)
{
    const Ausgabe a = aufrufen(GetParam().argumente);
    EXPECT_EQ(a.status, GetParam().status);
    EXPECT_EQ(a.out, GetParam().out);
    EXPECT_EQ(a.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(Faelle, Startoptionen, ::testing::ValuesIn(aufrufe),
                         [](const ::testing::TestParamInfo<Aufruf>& i) { return std::string(i.param.name); });

TEST(Startoptionen, AnOutputThatCannotBeWrittenEndsWithAFailure)
{
    std::FILE* voll = std::fopen("/dev/full", "w");
    if (!voll)
        GTEST_SKIP() << "no /dev/full";
    const char* argumente[] = {"probe", "--help"};
    EXPECT_EQ(sys::startoptionen(2, argumente, Probe, voll, stderr), 1);
    std::fclose(voll);
}

namespace {

bool wartenAuf(const std::function<bool()>& done, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

bool aufVorgabe(int signal)
{
    struct sigaction jetzt {};
    return ::sigaction(signal, nullptr, &jetzt) == 0 && jetzt.sa_handler == SIG_DFL;
}

// Ends the event loop with 7 after `ms`, should nothing else end it before.
struct Notbremse {
    explicit Notbremse(int ms)
    {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        timer.start(ms);
    }
    QTimer timer;
};

class Endesignal : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(Endesignal, EndsTheEventLoopAsItsLastWindowWouldAndGivesTheSignalBack)
{
    {
        sys::Endesignale signale;
        const int signal = GetParam();
        QTimer::singleShot(20, [signal] { ::kill(::getpid(), signal); });
        // A timer that would end the loop only much later, should the signal not.
        const Notbremse notbremse(10000);
        EXPECT_EQ(signale.exec(), 0);
        EXPECT_EQ(signale.empfangen(), GetParam());
    }
    EXPECT_TRUE(aufVorgabe(GetParam())) << "the program's own handling goes with the object";
}

TEST_P(Endesignal, OneThatCameDuringTheStartEndsTheProgramBeforeItsLoop)
{
    sys::Endesignale signale;
    ASSERT_EQ(::raise(GetParam()), 0);
    EXPECT_EQ(signale.empfangen(), 0) << "nothing happens inside the signal handler";
    const Notbremse notbremse(3000);
    EXPECT_EQ(signale.exec(), 0);
    EXPECT_EQ(signale.empfangen(), GetParam());
}

TEST_P(Endesignal, OneThatCameWhileAMessageBoxOfTheStartWaitedEndsTheProgramBeforeItsLoop)
{
    sys::Endesignale signale;
    ASSERT_EQ(::raise(GetParam()), 0);
    // The events run as the box's own loop runs them: it takes the signal, and the box stays.
    ASSERT_TRUE(wartenAuf([&] { return signale.empfangen() != 0; }));
    EXPECT_EQ(signale.empfangen(), GetParam());
    const Notbremse notbremse(3000);
    EXPECT_EQ(signale.exec(), 0);
}

TEST_P(Endesignal, OneThatTheProgramWasStartedWithIgnoredStaysIgnoredAsUnderNohup)
{
    struct sigaction ignorieren {};
    ignorieren.sa_handler = SIG_IGN;
    sigemptyset(&ignorieren.sa_mask);
    struct sigaction vorher {};
    ASSERT_EQ(::sigaction(GetParam(), &ignorieren, &vorher), 0);
    {
        sys::Endesignale signale;
        ASSERT_EQ(::raise(GetParam()), 0);
        EXPECT_FALSE(wartenAuf([&] { return signale.empfangen() != 0; }, 200));
    }
    struct sigaction jetzt {};
    ASSERT_EQ(::sigaction(GetParam(), nullptr, &jetzt), 0);
    EXPECT_EQ(jetzt.sa_handler, SIG_IGN) << "given back as it was";
    ASSERT_EQ(::sigaction(GetParam(), &vorher, nullptr), 0);
}

INSTANTIATE_TEST_SUITE_P(Signale, Endesignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& i) { return std::string(sigabbrev_np(i.param)); });

TEST(NachVorn, AMinimizedWindowComesBackInItsFormerStateAndTakesTheFocusFromAnother)
{
    for (const bool maximiert : {false, true}) {
        QWidget haupt;
        haupt.resize(300, 200);
        if (maximiert)
            haupt.showMaximized();
        else
            haupt.show();
        QWidget andere;
        andere.show();
        andere.activateWindow();
        ASSERT_TRUE(wartenAuf([&] { return andere.isActiveWindow(); }));
        haupt.setWindowState(haupt.windowState() | Qt::WindowMinimized);
        ASSERT_TRUE(haupt.isMinimized());

        sys::nachVorn(haupt, {"probe-1_TIME42", "token"});
        EXPECT_TRUE(wartenAuf([&] { return haupt.isActiveWindow(); })) << maximiert;
        EXPECT_TRUE(haupt.isVisible());
        EXPECT_FALSE(haupt.isMinimized());
        EXPECT_EQ(haupt.isMaximized(), maximiert);
        EXPECT_EQ(QApplication::activeWindow(), &haupt);
    }
}

TEST(NachVorn, AHiddenWindowIsShown)
{
    QWidget haupt;
    sys::nachVorn(haupt, {});
    EXPECT_TRUE(haupt.isVisible());
    EXPECT_TRUE(wartenAuf([&] { return haupt.isActiveWindow(); }));
}

TEST(Startkennung, GivesTheLaunchersTimeAndTheMessageThatEndsItsFeedback)
{
    EXPECT_EQ(sys::startupTime("rondavex-4711-rechner-_TIME81234567"), 81234567u);
    EXPECT_EQ(sys::startupTime("gnome-shell/rondavex/2-4-rechner_TIME5"), 5u);
    EXPECT_EQ(sys::startupTime("ohne-zeit"), 0u);
    EXPECT_EQ(sys::startupTime("kaputt_TIMEzwölf"), 0u);
    EXPECT_EQ(sys::startupTime(""), 0u);

    EXPECT_EQ(sys::startupRemoveMessage("rondavex-1_TIME2"), "remove: ID=\"rondavex-1_TIME2\"");
    EXPECT_EQ(sys::startupRemoveMessage("mit \"quote\" und \\"), "remove: ID=\"mit \\\"quote\\\" und \\\\\"");
    EXPECT_EQ(sys::startupRemoveMessage(""), "");
}
