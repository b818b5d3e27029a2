#include "frame/Backup.h"
#include "frame/Katalogschema.h"
#include "frame/Schemaupgrade.h"
#include "frame/modQuickSort.h"
#include "platform/db/Database.h"
#include "tests/support/Doubles.h"
#include "tests/support/FileSystemFaults.h"
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

// A current catalogue of some pages, so that damage can hit its middle.
void katalogMitSeiten(const TempFolder& folder)
{
    auto d = db::Database::create(folder.file("filme.mdb"));
    frame::schema::anlegen(*d, frame::schema::AktuelleVersion);
    db::Database::Transaction t(*d);
    for (int i = 0; i < 300; ++i)
        d->execute("INSERT INTO Filme (Titel, Info) VALUES (?, ?)",
                   {QStringLiteral("Titel %1").arg(i), QString(150, QLatin1Char('a' + i % 26))});
    t.commit();
}

void beschaedigen(const TempFolder& folder, Damage wie)
{
    folder.write("filme.mdb", damaged(folder.read("filme.mdb"), wie));
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

TEST(BackupListe, ThePruningFollowsTheChangeTimeAcrossMonthsAndYears)
{
    // Neither the names (day first) nor a day- or month-first time key give
    // this order, nor minutes before hours.
    const std::pair<const char*, QDateTime> dateien[] = {
        {"29.11.2026 filme.bak", QDateTime(QDate(2026, 11, 29), QTime(9, 0))},
        {"30.12.2026 filme.bak", QDateTime(QDate(2026, 12, 30), QTime(9, 0))},
        {"notiz.txt", QDateTime(QDate(2026, 12, 31), QTime(22, 59))},
        {"31.12.2026 filme.bak", QDateTime(QDate(2026, 12, 31), QTime(23, 5))},
        {"01.01.2027 filme.bak", QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1))},
        {"02.01.2027 filme.bak", QDateTime(QDate(2027, 1, 2), QTime(8, 0))},
        {"31.01.2027 filme.bak", QDateTime(QDate(2027, 1, 31), QTime(8, 0))},
        {"01.02.2027 filme.bak", QDateTime(QDate(2027, 2, 1), QTime(8, 0))},
    };
    TempFolder folder;
    for (const auto& [name, zeit] : dateien)
        setTime(folder.write(QStringLiteral("Backup/") + name, "x"), zeit);
    FakeServices fake(folder.path());
    fake.clock.set(QDateTime(QDate(2027, 2, 1), QTime(8, 0)));
    frame::przBackupListe(fake.services);
    EXPECT_EQ(backupFiles(folder), QStringList({"01.01.2027 filme.bak", "01.02.2027 filme.bak", "02.01.2027 filme.bak",
                                                "31.01.2027 filme.bak", "31.12.2026 filme.bak"}));
    EXPECT_EQ(frame::neuestesBackup(fake.services, "filme"), folder.file("Backup/01.02.2027 filme.bak"));
}

class DamagedCatalogue : public testing::TestWithParam<Damage> {};

TEST_P(DamagedCatalogue, ItsCopyNeverPushesAGoodBackupOut)
{
    TempFolder folder;
    katalogMitSeiten(folder);
    FakeServices fake(folder.path());
    for (int tag = 1; tag <= 5; ++tag) {
        fake.clock.set(QDateTime(QDate(2026, 12, tag), QTime(9, 0)));
        ASSERT_EQ(frame::przBackup(fake.services, "filme").ergebnis, db::CopyResult::Copied);
        setTime(folder.file("Backup/" + frame::backupName(fake.clock.today(), "filme")),
                QDateTime(QDate(2026, 12, tag), QTime(9, 0)));
    }
    const QByteArray gut = folder.read("Backup/05.12.2026 filme.bak");
    beschaedigen(folder, GetParam());
    const QByteArray kaputt = folder.read("filme.mdb");

    // The same day again, then a week of starts on the damaged file.
    for (int tag = 5; tag <= 12; ++tag) {
        fake.clock.set(QDateTime(QDate(2026, 12, tag), QTime(9, 0)));
        const frame::Sicherung s = frame::przBackup(fake.services, "filme");
        EXPECT_EQ(s.ergebnis, db::CopyResult::Damaged) << tag;
        EXPECT_TRUE(s.grund.contains(folder.file("filme.mdb"))) << s.grund.toStdString();
        EXPECT_EQ(folder.read("Backup/" + frame::defektName(fake.clock.today(), "filme")), kaputt) << tag;
    }
    const QStringList dateien = backupFiles(folder);
    EXPECT_EQ(dateien.filter(".bak"), QStringList({"01.12.2026 filme.bak", "02.12.2026 filme.bak", "03.12.2026 filme.bak",
                                                   "04.12.2026 filme.bak", "05.12.2026 filme.bak"}));
    EXPECT_EQ(dateien.filter(".defekt").size(), frame::BackupsBehalten);
    EXPECT_EQ(folder.read("Backup/05.12.2026 filme.bak"), gut);
    EXPECT_EQ(folder.read("filme.mdb"), kaputt);
    EXPECT_EQ(frame::neuestesBackup(fake.services, "filme"), folder.file("Backup/05.12.2026 filme.bak"));
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedCatalogue,
                         testing::Values(Damage::CutToHalf, Damage::CutInTheHeader, Damage::Empty,
                                         Damage::BrokenPagesInTheMiddle),
                         [](const testing::TestParamInfo<Damage>& i) { return damageName(i.param); });

// The schema check names the damage and the newest backup, and leaves the file
// alone. (Broken pages that the check does not read are the backup's to find.)
class DamagedCatalogueFile : public testing::TestWithParam<Damage> {};

TEST_P(DamagedCatalogueFile, TheSchemaCheckNamesItAndTheNewestBackup)
{
    TempFolder folder;
    katalogMitSeiten(folder);
    FakeServices fake(folder.path());
    frame::przBackup(fake.services, "filme");
    beschaedigen(folder, GetParam());
    const QByteArray kaputt = folder.read("filme.mdb");

    frame::Schemaupgrade upgrade(fake.services, "filme");
    EXPECT_FALSE(upgrade.przDBVersion());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    const auto& m = fake.messages.shown[0];
    EXPECT_TRUE(m.prompt.contains("Die Datenbank \"" + folder.file("filme.mdb") + "\" ist beschädigt"))
        << m.prompt.toStdString();
    EXPECT_TRUE(m.prompt.contains("Die neueste Sicherung ist \"" + folder.file("Backup/09.12.2026 filme.bak") + "\"."));
    EXPECT_EQ(m.flags, sys::mb::Critical);
    EXPECT_EQ(folder.read("filme.mdb"), kaputt);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedCatalogueFile,
                         testing::Values(Damage::CutToHalf, Damage::CutInTheHeader, Damage::Empty),
                         [](const testing::TestParamInfo<Damage>& i) { return damageName(i.param); });

TEST(Backup, WithoutABackupTheDamageMessageSaysSo)
{
    TempFolder folder;
    folder.write("filme.mdb", "SQLite format 3");
    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "filme");
    EXPECT_FALSE(upgrade.przDBVersion());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].prompt.contains("Im Ordner \"Backup\" liegt keine Sicherung dieser Datenbank."));
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
