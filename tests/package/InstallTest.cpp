// The Debian package unpacked into a temporary root and its commands started
// headless by a user with a fresh home, as after `apt install`.
#include "platform/ini/IniFile.h"
#include "tests/support/Programmstart.h"
#include "tests/support/RohSqlite.h"
#include "tests/support/TempFolder.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

using testing_support::entriesBelow;
using testing_support::fileBytes;
using testing_support::TempFolder;
using testing_support::waitFor;

namespace {

// A program started by a user whose home is `home`; nothing else points it anywhere.
struct Start : testing_support::Programmstart {
    Start(const QString& program, const QString& home) : Programmstart(program, environment(home)) {}
    static QProcessEnvironment environment(const QString& home)
    {
        QProcessEnvironment env = testing_support::headless();
        env.insert("HOME", home);
        env.remove("XDG_DATA_HOME");
        env.remove("XDG_CONFIG_HOME");
        return env;
    }
};

// Started and past its splash, with the catalogue of `folder` open (its lock file stands beside it).
::testing::AssertionResult opensTheCatalogueIn(Start& start, const QString& folder)
{
    if (!waitFor([&] { return QFileInfo::exists(folder + "/filme.ldb"); }, 20000))
        return ::testing::AssertionFailure() << "no catalogue opened in " << folder.toStdString() << ": " << start.output();
    if (!start.runsPastTheSplash())
        return ::testing::AssertionFailure() << "ended: " << start.output();
    return ::testing::AssertionSuccess();
}

QString userFolder(const TempFolder& home)
{
    return home.file(".local/share/Rondavex");
}

QString todaysBackup(const QString& folder)
{
    return folder + "/Backup/" + QDate::currentDate().toString("dd.MM.yyyy") + " filme.bak";
}

// Every shipped file is in the user's folder with its bytes, but those named in `changed`.
::testing::AssertionResult holdsTheShippedFiles(const QString& shipped, const QString& folder,
                                                const QStringList& changed = {})
{
    for (const QString& name : entriesBelow(shipped)) {
        const QString copy = folder + '/' + name;
        if (!QFileInfo::exists(copy))
            return ::testing::AssertionFailure() << name.toStdString() << " is missing";
        if (QFileInfo(shipped + '/' + name).isFile() && !changed.contains(name) && fileBytes(copy) != fileBytes(shipped + '/' + name))
            return ::testing::AssertionFailure() << name.toStdString() << " differs";
    }
    return ::testing::AssertionSuccess();
}

// A title as the main window saves it.
bool saveTitle(const QString& catalogue, const QString& titel)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(QFile::encodeName(catalogue).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    sqlite3_stmt* st = nullptr;
    ok = ok
         && sqlite3_prepare_v2(db,
                               "INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Cat, "
                               "AusDatum, Cover, Size, Unterordner) VALUES (?, 1, 'DVD', '1', 'A1', '-', '-', '-', "
                               "'Drama', '-', '-', '4300', '-')",
                               -1, &st, nullptr)
                == SQLITE_OK;
    const QByteArray text = titel.toUtf8();
    ok = ok && sqlite3_bind_text(st, 1, text.constData(), -1, SQLITE_TRANSIENT) == SQLITE_OK && sqlite3_step(st) == SQLITE_DONE;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ok;
}

class InstalledPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root = std::make_unique<TempFolder>();
        QProcess dpkg;
        dpkg.start("dpkg-deb", {"-x", QStringLiteral(RDX_DEB), root->path()});
        unpacked = dpkg.waitForFinished(60000) && dpkg.exitStatus() == QProcess::NormalExit && dpkg.exitCode() == 0;
        installed = entriesBelow(root->path());
    }
    static void TearDownTestSuite() { root.reset(); }
    void SetUp() override { ASSERT_TRUE(unpacked) << "dpkg-deb -x " RDX_DEB; }
    void TearDown() override
    {
        EXPECT_EQ(entriesBelow(root->path()), installed) << "a program wrote into the installation";
    }

    static QString command(const char* name) { return root->file(QStringLiteral("usr/bin/") + name); }
    static QString shipped() { return root->file("usr/share/rondavex"); }

    static inline std::unique_ptr<TempFolder> root;
    static inline bool unpacked = false;
    static inline QStringList installed;
};

}  // namespace

TEST_F(InstalledPackage, TheFirstStartFillsTheUsersOwnFolderAndOpensTheEmptyCatalogue)
{
    TempFolder home;
    const QString folder = userFolder(home);
    Start first(command("rondavex"), home.path());
    ASSERT_TRUE(opensTheCatalogueIn(first, folder));
    EXPECT_TRUE(holdsTheShippedFiles(shipped(), folder, {"Cd.ini", "filme.mdb"}));
    EXPECT_EQ(testing_support::rohWert(folder + "/filme.mdb", "SELECT count(*) FROM Filme"), "0");
    EXPECT_EQ(testing_support::rohWert(folder + "/filme.mdb", "pragma integrity_check"), "ok");
    EXPECT_TRUE(QFileInfo::exists(todaysBackup(folder)));

    // A second start by the same user hands over to the main window that runs.
    Start second(command("rondavex"), home.path());
    ASSERT_TRUE(second.process.waitForFinished(15000));
    EXPECT_EQ(second.process.exitCode(), 0) << second.output();
    EXPECT_EQ(first.process.state(), QProcess::Running);
}

TEST_F(InstalledPackage, ToolsStartedFirstFillsTheUsersFolderAsWell)
{
    TempFolder home;
    const QString folder = userFolder(home);
    Start tools(command("rondavex-tools"), home.path());
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(folder + "/Cd.ini"); }, 20000)) << tools.output();
    EXPECT_TRUE(tools.runsPastTheSplash()) << tools.output();
    EXPECT_TRUE(holdsTheShippedFiles(shipped(), folder));
    EXPECT_EQ(entriesBelow(folder), entriesBelow(shipped()));
}

TEST_F(InstalledPackage, ASecondStartKeepsTheTitlesAndSettingsOfTheFirst)
{
    TempFolder home;
    const QString folder = userFolder(home);
    {
        Start first(command("rondavex"), home.path());
        ASSERT_TRUE(opensTheCatalogueIn(first, folder));
    }
    ASSERT_TRUE(saveTitle(folder + "/filme.mdb", "Der Himmel über Berlin"));
    const ini::IniFile cdIni(folder + "/Cd.ini");
    ASSERT_TRUE(cdIni.write("Funktionen", "Erinnerungsintervall", "30"));
    ASSERT_TRUE(QFile::remove(todaysBackup(folder)));

    Start second(command("rondavex"), home.path());
    // Its backup is a copy of the catalogue that it opened.
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(todaysBackup(folder)); }, 20000)) << second.output();
    EXPECT_TRUE(second.runsPastTheSplash()) << second.output();
    EXPECT_EQ(testing_support::rohWert(todaysBackup(folder), "SELECT Titel FROM Filme"), "Der Himmel über Berlin");
    EXPECT_EQ(testing_support::rohWert(folder + "/filme.mdb", "SELECT Titel FROM Filme"), "Der Himmel über Berlin");
    EXPECT_EQ(cdIni.read("Funktionen", "Erinnerungsintervall"), "30");
}

TEST_F(InstalledPackage, AStartFromTheBuildsFolderStillUsesTheBuildsFolder)
{
    TempFolder home;
    Start tools(QStringLiteral(RDX_PROGRAM_DIR) + "/tools", home.path());
    EXPECT_TRUE(tools.runsPastTheSplash()) << tools.output();
    EXPECT_FALSE(QFileInfo::exists(userFolder(home)));
    EXPECT_FALSE(QFileInfo::exists(home.file(".local")));
}
