// The Debian package unpacked into a temporary root and its commands started
// headless by a user with a fresh home, as after `apt install`.
#include "platform/ini/IniFile.h"
#include "platform/system/LocalSingleInstance.h"
#include "tests/support/RohSqlite.h"
#include "tests/support/TempFolder.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

using testing_support::TempFolder;

namespace {

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

// A program started by a user whose home is `home`; nothing else points it anywhere.
struct Start {
    Start(const QString& program, const QString& home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", home);
        env.remove("XDG_DATA_HOME");
        env.remove("XDG_CONFIG_HOME");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QDir::tempPath());
        process.start(program, {});
    }
    ~Start() { end(); }
    void end()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5000)) {
                process.kill();
                process.waitForFinished(5000);
            }
        }
    }
    // Still running once the splash has given way to the main window.
    bool runsPastTheSplash()
    {
        return !process.waitForFinished(2500) && process.state() == QProcess::Running;
    }
    std::string output() { return process.readAllStandardError().toStdString(); }
    QProcess process;
};

// The single-instance lock file of a program folder stays when the program
// ends; the test's folder goes, so does its lock file.
struct LockDateiWeg {
    ~LockDateiWeg() { QFile::remove(sys::LocalSingleInstance::lockPath(folder)); }
    QString folder;
};

QString userFolder(const TempFolder& home)
{
    return home.file(".local/share/Rondavex");
}

QString todaysBackup(const QString& folder)
{
    return folder + "/Backup/" + QDate::currentDate().toString("dd.MM.yyyy") + " filme.bak";
}

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

// Every shipped file is in the user's folder with its bytes, but those named in `changed`.
::testing::AssertionResult holdsTheShippedFiles(const QString& shipped, const QString& folder,
                                                const QStringList& changed = {})
{
    for (const QString& name : entries(shipped)) {
        const QString copy = folder + '/' + name;
        if (!QFileInfo::exists(copy))
            return ::testing::AssertionFailure() << name.toStdString() << " is missing";
        if (QFileInfo(shipped + '/' + name).isFile() && !changed.contains(name) && bytes(copy) != bytes(shipped + '/' + name))
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
        installed = entries(root->path());
    }
    static void TearDownTestSuite() { root.reset(); }
    void SetUp() override { ASSERT_TRUE(unpacked) << "dpkg-deb -x " RDX_DEB; }
    void TearDown() override
    {
        EXPECT_EQ(entries(root->path()), installed) << "a program wrote into the installation";
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
    const LockDateiWeg weg{folder};
    Start first(command("rondavex"), home.path());
    // The catalogue open in the user's folder: its lock file stands beside it.
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(folder + "/filme.ldb"); }, 20000)) << first.output();
    EXPECT_TRUE(first.runsPastTheSplash()) << first.output();
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
    EXPECT_EQ(entries(folder), entries(shipped()));
}

TEST_F(InstalledPackage, ASecondStartKeepsTheTitlesAndSettingsOfTheFirst)
{
    TempFolder home;
    const QString folder = userFolder(home);
    const LockDateiWeg weg{folder};
    {
        Start first(command("rondavex"), home.path());
        ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(folder + "/filme.ldb"); }, 20000)) << first.output();
        ASSERT_TRUE(first.runsPastTheSplash()) << first.output();
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
