// Which folder the programs work in, and how an installation fills a user's
// own folder: on a temporary tree laid out like an installed package.
#include "platform/system/ProgramFolder.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <vector>

using testing_support::TempFolder;
using testing_support::entriesBelow;
using testing_support::fileBytes;

namespace {

constexpr uid_t Nobody = 65534;

const QFileDevice::Permissions Lesbar = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
const QFileDevice::Permissions Offen = Lesbar | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                       | QFileDevice::ExeGroup | QFileDevice::ExeOther;

// <root>/usr/lib/rondavex holds the executables, <root>/usr/share/rondavex
// what the package ships (read-only, as dpkg lays it out for root), and
// <root>/home/<user> the users' homes. Everything is open to other users.
struct Installation {
    Installation()
    {
        QFile::setPermissions(root.path(), Offen);
        QDir().mkpath(exe());
        root.write("usr/lib/rondavex/Rondavex", "ELF");
        ship("Cd.ini", "[DB]\r\nDB Name0=filme\r\n[Design]\r\nSprache=deutsch.lng\r\n");
        ship("filme.mdb", QByteArray("SQLite format 3") + QByteArray(300000, '\x5a'));
        ship("deutsch.lng", "[Hauptfenster]\r\nLabel1=Mappe\r\n");
        ship("help.html", "<html>Hilfe</html>");
        ship("css.css", "body { }");
        ship("bilder/lacs.jpg", QByteArray(5000, '\x11'));
        ship("bilder/Voyager.jpg", QByteArray(7000, '\x22'));
        QDir().mkpath(shipped() + "/covers");
        for (const QString& folder : {root.file("usr"), root.file("usr/lib"), exe(), root.file("usr/share"), shipped(),
                                      shipped() + "/bilder", shipped() + "/covers"})
            QFile::setPermissions(folder, Offen);
    }

    void ship(const QString& name, const QByteArray& bytes) const
    {
        QFile::setPermissions(root.write("usr/share/rondavex/" + name, bytes), Lesbar);
    }
    QString exe() const { return root.file("usr/lib/rondavex"); }
    QString shipped() const { return root.file("usr/share/rondavex"); }
    // A home of its own for `user`, owned by `uid`; gives the user's program folder.
    QString home(const QString& user, uid_t uid = 0) const
    {
        const QString home = root.file("home/" + user);
        QDir().mkpath(home);
        QFile::setPermissions(root.file("home"), Offen);
        QFile::setPermissions(home, Offen);
        if (::chown(QFile::encodeName(home).constData(), uid, uid) != 0)
            return {};
        return home + "/.local/share/Rondavex";
    }

    TempFolder root;
};

bool put(const QString& path, const QByteArray& content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

// The user's folder holds every shipped file with its bytes and nothing else.
::testing::AssertionResult holdsWhatIsShipped(const Installation& inst, const QString& folder)
{
    if (entriesBelow(folder) != entriesBelow(inst.shipped()))
        return ::testing::AssertionFailure() << entriesBelow(folder).join(' ').toStdString() << " instead of "
                                             << entriesBelow(inst.shipped()).join(' ').toStdString();
    for (const QString& name : entriesBelow(inst.shipped())) {
        if (QFileInfo(inst.shipped() + '/' + name).isFile() && fileBytes(folder + '/' + name) != fileBytes(inst.shipped() + '/' + name))
            return ::testing::AssertionFailure() << name.toStdString() << " differs";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(ExecutableFolder, IsTheFolderOfTheRunningExecutableWhateverTheWorkingDirectory)
{
    TempFolder elsewhere;
    const QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    const QString folder = sys::executableFolder();
    QDir::setCurrent(before);
    EXPECT_EQ(folder, QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath());
    EXPECT_NE(folder, elsewhere.path());
}

TEST(ProgramFolder, AnExecutableFolderHoldingCdIniIsTheProgramFolderAndNoUserFolderIsMade)
{
    // A portable copy inside an installation's tree: "Cd.ini" beside the executable decides.
    const Installation inst;
    inst.root.write("usr/lib/rondavex/Cd.ini", "[DB]\r\nDB Name0=musik\r\n");
    const QString user = inst.home("anna");

    const sys::ProgramFolderChoice choice = sys::chooseProgramFolder(inst.exe(), user);
    EXPECT_TRUE(choice.ready()) << choice.failure.toStdString();
    EXPECT_EQ(choice.folder, inst.exe());
    EXPECT_FALSE(QFileInfo::exists(user));
    EXPECT_FALSE(QFileInfo::exists(inst.exe() + "/filme.mdb"));
}

TEST(ProgramFolder, AnInstallationFillsAFreshUserFolderWithEveryShippedFile)
{
    const Installation inst;
    const QString user = inst.home("anna");

    const sys::ProgramFolderChoice choice = sys::chooseProgramFolder(inst.exe(), user);
    ASSERT_TRUE(choice.ready()) << choice.failure.toStdString();
    EXPECT_EQ(choice.folder, user);
    EXPECT_TRUE(holdsWhatIsShipped(inst, user));
    // The shipped files are read-only; the user's copies are the user's to change.
    EXPECT_TRUE(QFileInfo(user + "/Cd.ini").permissions() & QFileDevice::WriteOwner);
    EXPECT_TRUE(QFileInfo(user + "/filme.mdb").permissions() & QFileDevice::WriteOwner);
    EXPECT_FALSE(QFileInfo::exists(inst.exe() + "/Cd.ini"));
}

TEST(ProgramFolder, ASecondStartAndAnUpdateKeepEveryFileTheUserHasAndBringNothingBack)
{
    const Installation inst;
    const QString user = inst.home("anna");
    ASSERT_TRUE(sys::chooseProgramFolder(inst.exe(), user).ready());
    // The user's work since the first start: own settings, a catalogue made
    // read-only, the shipped catalogue renamed away in tools.
    const QByteArray eigeneIni = "[DB]\r\nDB Name0=musik\r\n";
    const QByteArray eigenerKatalog = "SQLite format 3 mit Titeln";
    ASSERT_TRUE(put(user + "/Cd.ini", eigeneIni));
    ASSERT_TRUE(QFile::rename(user + "/filme.mdb", user + "/musik.mdb"));
    ASSERT_TRUE(put(user + "/musik.mdb", eigenerKatalog));
    ASSERT_TRUE(QFile::setPermissions(user + "/musik.mdb", Lesbar));
    // The package's update changes the starting settings and ships a new picture.
    inst.ship("Cd.ini", "[DB]\r\nDB Name0=neu\r\n");
    inst.ship("bilder/desert.jpg", QByteArray(3000, '\x33'));

    const sys::ProgramFolderChoice second = sys::chooseProgramFolder(inst.exe(), user);
    ASSERT_TRUE(second.ready()) << second.failure.toStdString();
    EXPECT_EQ(second.folder, user);
    EXPECT_EQ(fileBytes(user + "/Cd.ini"), eigeneIni);
    EXPECT_EQ(fileBytes(user + "/musik.mdb"), eigenerKatalog);
    EXPECT_FALSE(QFileInfo::exists(user + "/filme.mdb"));
    EXPECT_FALSE(QFileInfo::exists(user + "/bilder/desert.jpg"));
}

TEST(ProgramFolder, AFillCutShortBeforeTheSettingsIsCompletedAtTheNextStart)
{
    const Installation inst;
    const QString user = inst.home("anna");
    // What a first start killed half-way leaves: some files, no "Cd.ini".
    QDir().mkpath(user + "/bilder");
    const QByteArray eigenesBild(100, '\x44');
    ASSERT_TRUE(put(user + "/bilder/lacs.jpg", eigenesBild));

    const sys::ProgramFolderChoice next = sys::chooseProgramFolder(inst.exe(), user);
    ASSERT_TRUE(next.ready()) << next.failure.toStdString();
    EXPECT_EQ(entriesBelow(user), entriesBelow(inst.shipped()));
    EXPECT_EQ(fileBytes(user + "/bilder/lacs.jpg"), eigenesBild);
    EXPECT_EQ(fileBytes(user + "/filme.mdb"), fileBytes(inst.shipped() + "/filme.mdb"));
}

TEST(ProgramFolder, ASecondUserGetsAFolderOfTheirOwnFromTheSameInstallation)
{
    const Installation inst;
    const QString anna = inst.home("anna");
    ASSERT_TRUE(sys::chooseProgramFolder(inst.exe(), anna).ready());
    ASSERT_TRUE(put(anna + "/Cd.ini", "[DB]\r\nDB Name0=annas\r\n"));
    const QString ben = inst.home("ben", Nobody);
    ASSERT_FALSE(ben.isEmpty());

    const int result = testing_support::runUnprivileged([&] {
        const sys::ProgramFolderChoice choice = sys::chooseProgramFolder(inst.exe(), ben);
        if (!choice.ready() || choice.folder != ben)
            return 1;
        // Ben's copies are his own: he can change them.
        QFile f(ben + "/Cd.ini");
        return f.open(QIODevice::ReadWrite) ? 0 : 2;
    });
    if (result < 0)
        GTEST_SKIP() << "cannot run as a user to whom file modes apply";
    EXPECT_EQ(result, 0) << "1: no folder, 2: his settings are not writable";
    EXPECT_TRUE(holdsWhatIsShipped(inst, ben));
    EXPECT_EQ(QFileInfo(ben + "/Cd.ini").ownerId(), Nobody);
    EXPECT_EQ(fileBytes(anna + "/Cd.ini"), "[DB]\r\nDB Name0=annas\r\n");
}

TEST(ProgramFolder, AFolderThatCannotBeCreatedIsReportedWithTheFolderAndTheCause)
{
    const Installation inst;
    // A home whose owner has no right to write in it.
    const QString user = inst.home("gesperrt");
    ASSERT_TRUE(QFile::setPermissions(QFileInfo(QFileInfo(QFileInfo(user).path()).path()).path(),
                                      Lesbar | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther));

    const int result = testing_support::runUnprivileged([&] {
        const sys::ProgramFolderChoice choice = sys::chooseProgramFolder(inst.exe(), user);
        if (choice.ready())
            return 1;
        const bool worded = choice.failure.contains("\"" + user + "\"") && choice.failure.contains("kann nicht angelegt werden")
                            && choice.failure.contains("Keine Berechtigung.");
        return worded ? 0 : 2;
    });
    if (result < 0)
        GTEST_SKIP() << "cannot run as a user to whom file modes apply";
    EXPECT_EQ(result, 0) << "1: reported as ready, 2: the message lacks the folder or the cause";
    EXPECT_FALSE(QFileInfo::exists(user));
}

TEST(ProgramFolder, AFileThatCannotBeCopiedIsReportedAndLeavesNoHalfFileBehind)
{
    const Installation inst;
    const QString user = inst.home("anna");
    QDir().mkpath(user);
    // Room for the small files, not for the catalogue.
    testing_support::MountedTmpfs klein(user, "size=64k");
    if (!klein.ok())
        GTEST_SKIP() << "cannot mount a tmpfs";

    const sys::ProgramFolderChoice choice = sys::chooseProgramFolder(inst.exe(), user);
    EXPECT_FALSE(choice.ready());
    EXPECT_TRUE(choice.failure.contains("\"" + user + "\"")) << choice.failure.toStdString();
    EXPECT_TRUE(choice.failure.contains("\"filme.mdb\"")) << choice.failure.toStdString();
    EXPECT_TRUE(choice.failure.contains("Der Datenträger ist voll.")) << choice.failure.toStdString();
    for (const QString& name : entriesBelow(user)) {
        EXPECT_FALSE(name.startsWith("filme.mdb")) << name.toStdString();
        if (QFileInfo(user + '/' + name).isFile()) {
            EXPECT_EQ(fileBytes(user + '/' + name), fileBytes(inst.shipped() + '/' + name)) << name.toStdString();
        }
    }
}

TEST(ProgramFolder, WithoutShippedFilesAFilledFolderStillServesAndAnEmptyOneIsReported)
{
    // The executable alone, outside any installation.
    TempFolder tree;
    const QString exe = tree.file("irgendwo/bin");
    QDir().mkpath(exe);
    const QString filled = tree.file("anna/Rondavex");
    tree.write("anna/Rondavex/Cd.ini", "[DB]\r\nDB Name0=filme\r\n");
    const QString empty = tree.file("ben/Rondavex");

    const sys::ProgramFolderChoice served = sys::chooseProgramFolder(exe, filled);
    EXPECT_TRUE(served.ready()) << served.failure.toStdString();
    EXPECT_EQ(served.folder, filled);

    const sys::ProgramFolderChoice reported = sys::chooseProgramFolder(exe, empty);
    EXPECT_FALSE(reported.ready());
    EXPECT_TRUE(reported.failure.contains("\"" + empty + "\"")) << reported.failure.toStdString();
    EXPECT_TRUE(reported.failure.contains(sys::shippedDataFolder(exe))) << reported.failure.toStdString();
}

TEST(ProgramFolder, BothProgramsStartingForTheFirstTimeAtOnceGetOneWholeFolder)
{
    const Installation inst;
    const QString user = inst.home("anna");
    std::vector<pid_t> children;
    for (int i = 0; i < 6; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(sys::chooseProgramFolder(inst.exe(), user).ready() ? 0 : 1);
        ASSERT_GT(pid, 0);
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_TRUE(holdsWhatIsShipped(inst, user));
}

TEST(ProgramFolder, TheUserFolderLiesUnderXdgDataHomeOrTheHomesLocalShare)
{
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    const struct {
        const char* xdg;
        QString folder;
    } cases[] = {
        {"/srv/daten", "/srv/daten/Rondavex"},
        {"/srv/daten/", "/srv/daten/Rondavex"},
        {"", QDir::homePath() + "/.local/share/Rondavex"},
        {"relativ/daten", QDir::homePath() + "/.local/share/Rondavex"},
    };
    for (const auto& c : cases) {
        qputenv("XDG_DATA_HOME", c.xdg);
        EXPECT_EQ(sys::userDataFolder(), c.folder) << c.xdg;
    }
    qputenv("XDG_DATA_HOME", oldXdg);
}

namespace {

// Runs `check` in a child as the user `uid` with `home` as its HOME (nullptr:
// none); its exit code, or -1 when it cannot become that user.
int alsNutzer(uid_t uid, const char* home, const std::function<int()>& check)
{
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (uid != ::geteuid() && (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0))
            ::_exit(100);
        if (home)
            ::setenv("HOME", home, 1);
        else
            ::unsetenv("HOME");
        ::unsetenv("XDG_DATA_HOME");
        ::unsetenv("XDG_CONFIG_HOME");
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 100)
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace

TEST(ProgramFolder, WithoutAHomeTheUsersFolderLiesInTheHomeThatThePasswordFileGives)
{
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_TRUE(user && user->pw_dir);
    const QString passwdHome = QFile::decodeName(user->pw_dir);
    const struct {
        const char* home;
        QString expected;
    } cases[] = {
        {"/srv/anna", "/srv/anna"},
        {nullptr, passwdHome},
        {"", passwdHome},
        {"relativ/heim", passwdHome},
    };
    for (const auto& c : cases) {
        const int result = alsNutzer(::geteuid(), c.home, [&] {
            if (sys::homeFolder() != c.expected)
                return 1;
            if (sys::userDataFolder() != c.expected + "/.local/share/Rondavex")
                return 2;
            return sys::userStorePath() == c.expected + "/.config/Rondavex/Rondavex.ini" ? 0 : 3;
        });
        EXPECT_EQ(result, 0) << (c.home ? c.home : "(none)") << ": 1 home, 2 program folder, 3 settings";
    }
}

TEST(ProgramFolder, AUserWhomThePasswordFileDoesNotKnowGetsTheFolderUnderTheRoot)
{
    constexpr uid_t Unbekannt = 54321;
    if (::getpwuid(Unbekannt))
        GTEST_SKIP() << "uid 54321 has an entry here";
    const int result = alsNutzer(Unbekannt, nullptr, [] {
        return sys::homeFolder() == "/" && sys::userDataFolder() == "/.local/share/Rondavex" ? 0 : 1;
    });
    if (result < 0)
        GTEST_SKIP() << "cannot become another user (needs root)";
    EXPECT_EQ(result, 0);
}
