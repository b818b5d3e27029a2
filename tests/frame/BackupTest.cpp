#include "frame/Backup.h"
#include "frame/modQuickSort.h"
#include "platform/db/Database.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

void setTime(const QString& path, const QDateTime& when)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

QStringList backupFiles(const TempFolder& folder)
{
    return QDir(folder.file("Backup")).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void catalogue(const TempFolder& folder, const QString& title)
{
    const QString path = folder.file("filme.mdb");
    if (!QFile::exists(path)) {
        auto d = db::Database::create(path);
        d->execute("CREATE TABLE Filme (Titel TEXT)");
    }
    db::Database::open(path)->execute("INSERT INTO Filme VALUES (?)", {title});
}

QStringList titles(const QString& path)
{
    const db::Result r = db::Database::open(path)->query("SELECT Titel FROM Filme ORDER BY rowid");
    QStringList out;
    for (int i = 0; i < r.size(); ++i)
        out << r.value(i, 0).toString();
    return out;
}

}  // namespace

TEST(Backup, CopiesTheCatalogueUnderTodaysGermanDate)
{
    TempFolder folder;
    catalogue(folder, "Matrix");
    FakeServices fake(folder.path());
    fake.clock.set(QDateTime(QDate(2026, 12, 9), QTime(8, 30)));
    frame::przBackup(fake.services, "filme");
    EXPECT_EQ(backupFiles(folder), QStringList({"09.12.2026 filme.bak"}));
    EXPECT_EQ(titles(folder.file("Backup/09.12.2026 filme.bak")), QStringList({"Matrix"}));
}

TEST(Backup, ASecondStartOnTheSameDayReplacesThatDaysCopy)
{
    TempFolder folder;
    FakeServices fake(folder.path());
    catalogue(folder, "Matrix");
    frame::przBackup(fake.services, "filme");
    catalogue(folder, "Alien");
    frame::przBackup(fake.services, "filme");
    EXPECT_EQ(backupFiles(folder), QStringList({"09.12.2026 filme.bak"}));
    EXPECT_EQ(titles(folder.file("Backup/09.12.2026 filme.bak")), QStringList({"Matrix", "Alien"}));
}

TEST(Backup, ACopyThatFailsKeepsTheDaysEarlierCopy)
{
    TempFolder folder;
    FakeServices fake(folder.path());
    catalogue(folder, "Matrix");
    frame::przBackup(fake.services, "filme");
    QFile::remove(folder.file("filme.mdb"));
    frame::przBackup(fake.services, "filme");
    EXPECT_EQ(backupFiles(folder), QStringList({"09.12.2026 filme.bak"}));
    EXPECT_EQ(titles(folder.file("Backup/09.12.2026 filme.bak")), QStringList({"Matrix"}));
}

TEST(Backup, NoFolderToWriteIntoChangesNothingAndDoesNotFail)
{
    TempFolder folder;
    catalogue(folder, "Matrix");
    folder.write("Backup", "a file where the folder should be");
    FakeServices fake(folder.path());
    frame::przBackup(fake.services, "filme");
    EXPECT_EQ(folder.read("Backup"), "a file where the folder should be");
}

TEST(BackupListe, KeepsTheFiveNewestFilesOfTheFolder)
{
    struct Fall {
        const char* name;
        QStringList dateien;  // name@minute; equal minutes mean equal change times
        QStringList bleiben;
    };
    const Fall faelle[] = {
        {"seven files: the two oldest go",
         {"a@1", "b@2", "c@3", "d@4", "e@5", "f@6", "g@7"},
         {"c", "d", "e", "f", "g"}},
        {"five stay", {"a@1", "b@2", "c@3", "d@4", "e@5"}, {"a", "b", "c", "d", "e"}},
        {"fewer stay", {"x@9", "y@1"}, {"x", "y"}},
        {"equal times: the lower name is older",
         {"m@5", "n@5", "a@6", "b@6", "c@6", "d@6"},
         {"n", "a", "b", "c", "d"}},
        {"a user's file counts like a backup",
         {"notiz.txt@10", "01.12.2026 filme.bak@1", "02.12.2026 filme.bak@2", "03.12.2026 filme.bak@3",
          "04.12.2026 filme.bak@4", "05.12.2026 filme.bak@5"},
         {"notiz.txt", "02.12.2026 filme.bak", "03.12.2026 filme.bak", "04.12.2026 filme.bak", "05.12.2026 filme.bak"}},
        {"time beats name", {"z@1", "y@2", "x@3", "w@4", "v@5", "u@6"}, {"y", "x", "w", "v", "u"}},
    };
    for (const auto& f : faelle) {
        TempFolder folder;
        for (const QString& d : f.dateien) {
            const QString name = d.section('@', 0, 0);
            const QString pfad = folder.write("Backup/" + name, "x");
            setTime(pfad, QDateTime(QDate(2026, 12, 1), QTime(10, 0)).addSecs(60 * d.section('@', 1).toInt()));
        }
        QDir().mkpath(folder.file("Backup/Unterordner"));
        FakeServices fake(folder.path());
        frame::przBackupListe(fake.services);
        QStringList bleiben = f.bleiben;
        bleiben.sort();
        EXPECT_EQ(backupFiles(folder), bleiben) << f.name;
        EXPECT_TRUE(QDir(folder.file("Backup/Unterordner")).exists()) << "folders are not files";
    }
}

TEST(BackupListe, PrunesAfterTheCopySoTheNewCopyStays)
{
    TempFolder folder;
    catalogue(folder, "Matrix");
    for (int i = 1; i <= 6; ++i) {
        const QString p = folder.write(QStringLiteral("Backup/0%1.11.2026 filme.bak").arg(i), "alt");
        setTime(p, QDateTime(QDate(2026, 11, i), QTime(9, 0)));
    }
    FakeServices fake(folder.path());
    frame::przBackup(fake.services, "filme");
    EXPECT_EQ(backupFiles(folder), QStringList({"03.11.2026 filme.bak", "04.11.2026 filme.bak", "05.11.2026 filme.bak",
                                                "06.11.2026 filme.bak", "09.12.2026 filme.bak"}));
}

TEST(QuickSort, SortsByCodeUnitsAndHonoursItsBounds)
{
    QStringList texte = {"b", "B", "ä", "a", "A", "20261201 100000x", "20261130 235959y", ""};
    QStringList erwartet = texte;
    std::sort(erwartet.begin(), erwartet.end(), [](const QString& a, const QString& b) { return a < b; });
    frame::QuickSort(texte);
    EXPECT_EQ(texte, erwartet);

    QStringList teil = {"z", "d", "c", "b", "a"};
    frame::QuickSort(teil, 1, 3);
    EXPECT_EQ(teil, QStringList({"z", "b", "c", "d", "a"}));

    auto* zufall = QRandomGenerator::global();
    for (int runde = 0; runde < 50; ++runde) {
        QStringList liste;
        const int n = int(zufall->bounded(0, 40));
        for (int i = 0; i < n; ++i)
            liste << QString::number(zufall->bounded(0, 10));
        QStringList sortiert = liste;
        std::sort(sortiert.begin(), sortiert.end());
        frame::QuickSort(liste);
        EXPECT_EQ(liste, sortiert);
    }
}
