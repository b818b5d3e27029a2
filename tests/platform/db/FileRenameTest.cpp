#include "platform/db/Database.h"
#include "platform/db/FileRename.h"
#include "platform/db/LockFile.h"
#include "platform/system/Dateigrund.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

using namespace db;
using testing_support::TempFolder;

namespace {

TEST(FileRename, NeverReplacesAnExistingTarget)
{
    TempFolder t;
    t.write("a.mdb", "A");
    t.write("b.mdb", "B");
    int fehler = 0;
    EXPECT_FALSE(renameNoReplace(t.file("a.mdb"), t.file("b.mdb"), &fehler));
    EXPECT_EQ(fehler, EEXIST);
    EXPECT_EQ(t.read("a.mdb"), QByteArray("A"));
    EXPECT_EQ(t.read("b.mdb"), QByteArray("B"));

    EXPECT_FALSE(renameNoReplace(t.file("fehlt.mdb"), t.file("c.mdb"), &fehler));
    EXPECT_EQ(fehler, ENOENT);
    EXPECT_EQ(sys::dateigrund(fehler), QStringLiteral("Datei oder Ordner nicht gefunden."));

    EXPECT_TRUE(renameNoReplace(t.file("a.mdb"), t.file("c.mdb")));
    EXPECT_FALSE(QFileInfo::exists(t.file("a.mdb")));
    EXPECT_EQ(t.read("c.mdb"), QByteArray("A"));

    EXPECT_TRUE(renameReplacing(t.file("c.mdb"), t.file("b.mdb")));
    EXPECT_EQ(t.read("b.mdb"), QByteArray("A"));
    EXPECT_TRUE(syncToDisk(t.file("b.mdb")));
    EXPECT_TRUE(syncToDisk(t.path()));
    EXPECT_FALSE(syncToDisk(t.file("fehlt")));
}

TEST(LockFile, TellsAHolderApartFromAFolderWithoutLockFile)
{
    TempFolder t;
    const QString pfad = t.file("filme.mdb");
    Database::create(pfad).reset();
    bool belegt = true;
    {
        auto offen = Database::open(pfad);
        EXPECT_EQ(LockFile::tryAcquire(pfad, LockFile::Mode::Exclusive, &belegt), nullptr);
        EXPECT_TRUE(belegt) << "another connection of this very program counts as a holder";
    }
    auto frei = LockFile::tryAcquire(pfad, LockFile::Mode::Exclusive, &belegt);
    ASSERT_NE(frei, nullptr);
    EXPECT_FALSE(belegt);
    EXPECT_EQ(frei->mode(), LockFile::Mode::Exclusive);
    EXPECT_EQ(frei->path(), t.file("filme.ldb"));
    frei.reset();

    ASSERT_TRUE(QDir(t.path()).mkdir("filme.ldb"));
    EXPECT_EQ(LockFile::tryAcquire(pfad, LockFile::Mode::Exclusive, &belegt), nullptr);
    EXPECT_FALSE(belegt);
}

TEST(Database, OpenHoldingUsesTheCallersExclusiveLockOnly)
{
    TempFolder t;
    const QString pfad = t.file("filme.mdb");
    Database::create(pfad)->execute("CREATE TABLE Filme (Titel TEXT)");
    const auto code = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const DbError& e) {
            return e.code();
        }
        return 0;
    };
    {
        auto geteilt = LockFile::acquire(pfad, LockFile::Mode::Shared);
        EXPECT_EQ(code([&] { Database::openHolding(pfad, *geteilt); }), ErrLocked);
    }
    t.write("anders.mdb", "");
    auto sperre = LockFile::acquire(pfad, LockFile::Mode::Exclusive);
    ASSERT_NE(sperre, nullptr);
    EXPECT_EQ(code([&] { Database::openHolding(t.file("anders.mdb"), *sperre); }), ErrLocked);
    EXPECT_EQ(code([&] { Database::openHolding(t.file("fehlt.mdb"), *sperre); }), ErrFileMissing);
    // Its own open takes no second lock, which this process's exclusive one would refuse.
    auto datenbank = Database::openHolding(pfad, *sperre);
    datenbank->execute("INSERT INTO Filme VALUES ('x')");
    EXPECT_EQ(code([&] { Database::open(pfad); }), ErrLocked) << "nobody else gets in meanwhile";
}

}  // namespace
