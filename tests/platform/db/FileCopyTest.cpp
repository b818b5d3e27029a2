// Copies of a catalogue that another SQLite program trusts: killed writers,
// damaged sources, full disks and read-only files, checked with a plain
// sqlite3 connection that knows none of our functions.
#include "platform/db/Database.h"
#include "platform/db/FileCopy.h"
#include "platform/db/LockFile.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

#include <csignal>
#include <functional>
#include <tuple>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace db;
using namespace testing_support;

namespace {

const QString Ziel = QStringLiteral("Backup/09.12.2026 filme.bak");

// What a stock sqlite3 connection sees in a copy: its integrity check, the
// committed rows ("gesichert …") and the rows of the killed transaction ("offen …").
struct Befund {
    QString pruefung;
    int gesichert = -1;
    int offen = -1;
};

Befund ansehen(const QString& path)
{
    Befund b;
    sqlite3* h = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        auto erste = [h](const char* sql, QString* text) {
            sqlite3_stmt* st = nullptr;
            int rc = sqlite3_prepare_v2(h, sql, -1, &st, nullptr);
            if (rc == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
                *text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            else
                *text = QString::fromUtf8(sqlite3_errmsg(h));
            sqlite3_finalize(st);
        };
        QString zahl;
        erste("PRAGMA integrity_check", &b.pruefung);
        erste("SELECT count(*) FROM Filme WHERE Titel LIKE 'gesichert%'", &zahl);
        b.gesichert = zahl.toInt();
        erste("SELECT count(*) FROM Filme WHERE Titel LIKE 'offen%'", &zahl);
        b.offen = zahl.toInt();
    } else {
        b.pruefung = QString::fromUtf8(sqlite3_errmsg(h));
    }
    sqlite3_close(h);
    return b;
}

bool ausfuehren(sqlite3* h, const char* sql)
{
    return sqlite3_exec(h, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

enum class Journal { Rollback, Wal };

std::string journalName(Journal j)
{
    return j == Journal::Wal ? "Wal" : "RollbackJournal";
}

void PrintTo(Journal j, std::ostream* os)
{
    *os << journalName(j);
}

// A writer with 50 committed rows that is killed in the middle of a
// transaction large enough to reach the file (a cache of two pages).
void getoeteterSchreiber(const QString& path, Journal journal)
{
    int rohr[2];
    ASSERT_EQ(::pipe(rohr), 0);
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        ::close(rohr[0]);
        sqlite3* h = nullptr;
        const bool ok =
            sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) == SQLITE_OK
            && ausfuehren(h, journal == Journal::Wal ? "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0"
                                                     : "PRAGMA journal_mode=DELETE")
            && ausfuehren(h, "CREATE TABLE Filme (Titel TEXT COLLATE NOCASE PRIMARY KEY, Inhalt BLOB);"
                             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
                             "INSERT INTO Filme SELECT 'gesichert ' || i, randomblob(300) FROM n")
            && ausfuehren(h, "PRAGMA cache_size=2; BEGIN;"
                             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                             "INSERT INTO Filme SELECT 'offen ' || i, randomblob(1500) FROM n");
        const char zeichen = ok ? '+' : '-';
        if (::write(rohr[1], &zeichen, 1) != 1)
            ::_exit(1);
        ::pause();
        ::_exit(0);
    }
    ::close(rohr[1]);
    char zeichen = 0;
    const bool gelesen = ::read(rohr[0], &zeichen, 1) == 1;
    ::close(rohr[0]);
    ::kill(kind, SIGKILL);
    int status = 0;
    ::waitpid(kind, &status, 0);
    ASSERT_TRUE(gelesen && zeichen == '+') << "the writer did not get into its transaction";
    ASSERT_TRUE(WIFSIGNALED(status));
}

std::unique_ptr<Database> katalog(const QString& path, int titel)
{
    auto d = Database::create(path);
    d->execute(QStringLiteral("CREATE TABLE Filme (Titel TEXT COLLATE NOCASE PRIMARY KEY, Inhalt TEXT)"));
    Database::Transaction t(*d);
    for (int i = 0; i < titel; ++i)
        d->execute(QStringLiteral("INSERT INTO Filme VALUES (?, ?)"),
                   {QStringLiteral("gesichert %1").arg(i), QString(200, QLatin1Char('a' + i % 26))});
    t.commit();
    return d;
}

QStringList versteckte(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).filter(QRegularExpression("^\\."));
}

}  // namespace

// ---- A writer killed in the middle of a transaction -------------------------

class KilledWriter : public testing::TestWithParam<Journal> {};

TEST_P(KilledWriter, TheCopyHoldsOnlyCommittedRowsAndPassesTheIntegrityCheck)
{
    TempFolder folder;
    const QString quelle = folder.file(QStringLiteral("filme.mdb"));
    getoeteterSchreiber(quelle, GetParam());
    if (HasFatalFailure())
        return;
    const QString begleiter = quelle + (GetParam() == Journal::Wal ? "-wal" : "-journal");
    ASSERT_TRUE(QFile::exists(begleiter));

    // The fault to avoid: the file's bytes alone are not the committed database.
    ASSERT_TRUE(QFile::copy(quelle, folder.file(QStringLiteral("bytes.mdb"))));
    const Befund bytes = ansehen(folder.file(QStringLiteral("bytes.mdb")));
    ASSERT_FALSE(bytes.pruefung == "ok" && bytes.gesichert == 50 && bytes.offen == 0)
        << "the killed transaction did not reach the file";

    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Backup")));
    QString fehler;
    ASSERT_EQ(copyDatabase(quelle, folder.file(Ziel), &fehler), CopyResult::Copied) << fehler.toStdString();
    const Befund kopie = ansehen(folder.file(Ziel));
    EXPECT_EQ(kopie.pruefung, "ok");
    EXPECT_EQ(kopie.gesichert, 50);
    EXPECT_EQ(kopie.offen, 0);
    // The catalogue itself was rolled back as any later open would have done.
    EXPECT_FALSE(QFile::exists(quelle + "-journal"));
    EXPECT_EQ(ansehen(quelle).gesichert, 50);
    EXPECT_TRUE(versteckte(folder.file(QStringLiteral("Backup"))).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Journals, KilledWriter, testing::Values(Journal::Rollback, Journal::Wal),
                         [](const testing::TestParamInfo<Journal>& i) { return journalName(i.param); });

// ---- A source that is not a whole, healthy database ------------------------

namespace {

// A damaged file or one that is no SQLite file at all.
struct Schaden {
    std::string name;
    CopyResult ergebnis;
    std::function<QByteArray(const QByteArray&)> anrichten;
};

void PrintTo(const Schaden& s, std::ostream* os)
{
    *os << s.name;
}

Schaden schaden(Damage wie)
{
    return {damageName(wie), CopyResult::Damaged, [wie](const QByteArray& b) { return damaged(b, wie); }};
}

// At rest the file is copied by bytes; held by another program, through SQLite.
enum class Weg { AtRest, HeldByAnotherProgram };

std::string wegName(Weg w)
{
    return w == Weg::AtRest ? "AtRest" : "HeldOpen";
}

void PrintTo(Weg w, std::ostream* os)
{
    *os << wegName(w);
}

}  // namespace

class DamagedSource : public testing::TestWithParam<std::tuple<Schaden, Weg>> {};

TEST_P(DamagedSource, NeverReplacesTheEarlierCopy)
{
    const auto& [schaden, weg] = GetParam();
    TempFolder folder;
    const QString quelle = folder.file(QStringLiteral("filme.mdb"));
    katalog(quelle, 400);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Backup")));
    ASSERT_EQ(copyDatabase(quelle, folder.file(Ziel)), CopyResult::Copied);
    const QByteArray gut = folder.read(Ziel);

    folder.write(QStringLiteral("filme.mdb"), schaden.anrichten(gut));
    const QByteArray beschaedigt = folder.read(QStringLiteral("filme.mdb"));
    std::unique_ptr<LockFile> anderes;
    if (weg == Weg::HeldByAnotherProgram)
        anderes = LockFile::acquire(quelle, LockFile::Mode::Shared);

    QString fehler;
    EXPECT_EQ(copyDatabase(quelle, folder.file(Ziel), &fehler), schaden.ergebnis);
    EXPECT_TRUE(fehler.contains(quelle)) << fehler.toStdString();
    EXPECT_EQ(folder.read(Ziel), gut);
    EXPECT_EQ(ansehen(folder.file(Ziel)).pruefung, "ok");
    EXPECT_EQ(folder.read(QStringLiteral("filme.mdb")), beschaedigt) << "the source stays as it was";
    EXPECT_TRUE(versteckte(folder.file(QStringLiteral("Backup"))).isEmpty());
}

namespace {

const Schaden Schaeden[] = {
    schaden(Damage::CutToHalf),
    schaden(Damage::CutInTheHeader),
    schaden(Damage::Empty),
    schaden(Damage::BrokenPagesInTheMiddle),
    {"TextFile", CopyResult::NotADatabase, [](const QByteArray&) { return QByteArray("Titel;Format\r\nMatrix;DVD\r\n"); }},
    {"JetFile", CopyResult::NotADatabase,
     [](const QByteArray&) { return QByteArray("\0\x01\0\0Standard Jet DB\0", 20) + QByteArray(4000, '\0'); }},
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Damages, DamagedSource,
                         testing::Combine(testing::ValuesIn(Schaeden),
                                          testing::Values(Weg::AtRest, Weg::HeldByAnotherProgram)),
                         [](const testing::TestParamInfo<std::tuple<Schaden, Weg>>& i) {
                             return std::get<0>(i.param).name + wegName(std::get<1>(i.param));
                         });

// ---- Failures are reported -------------------------------------------------

class FullDisk : public testing::TestWithParam<Weg> {};

TEST_P(FullDisk, TheCopyFailsLeavingTheEarlierCopyAndNoTemporary)
{
    TempFolder folder;
    const QString quelle = folder.file(QStringLiteral("filme.mdb"));
    auto offen = katalog(quelle, 3000);  // about a megabyte
    if (GetParam() == Weg::AtRest)
        offen.reset();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Backup")));
    MountedTmpfs voll(folder.file(QStringLiteral("Backup")), "size=256k");
    if (!voll.ok())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    folder.write(Ziel, "earlier copy");

    QString fehler;
    EXPECT_EQ(copyDatabase(quelle, folder.file(Ziel), &fehler), CopyResult::Failed);
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_EQ(folder.read(Ziel), "earlier copy");
    EXPECT_TRUE(versteckte(folder.file(QStringLiteral("Backup"))).isEmpty());
    EXPECT_FALSE(copyFileReplacing(quelle, folder.file(Ziel), &fehler));
    EXPECT_EQ(folder.read(Ziel), "earlier copy");
    EXPECT_TRUE(versteckte(folder.file(QStringLiteral("Backup"))).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ways, FullDisk, testing::Values(Weg::AtRest, Weg::HeldByAnotherProgram),
                         [](const testing::TestParamInfo<Weg>& i) { return wegName(i.param); });

TEST(FileCopy, TheNextCopyRemovesTheTemporariesOfAKilledOne)
{
    TempFolder folder;
    const QString quelle = folder.file(QStringLiteral("filme.mdb"));
    katalog(quelle, 10);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Backup")));

    // A process that has ended: its number names the leftovers.
    const pid_t tot = ::fork();
    ASSERT_GE(tot, 0);
    if (tot == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(tot, nullptr, 0), tot);
    const QString t = QString::number(tot);
    const QStringList reste = {".09.12.2026 filme.bak.tmp-" + t, ".09.12.2026 filme.bak.tmp-" + t + "-journal",
                               ".01.12.2026 filme.bak.tmp-" + t};
    for (const QString& r : reste)
        folder.write("Backup/" + r, "half a copy");
    // A copy still running in another process keeps its temporary.
    const QString laufend = ".08.12.2026 filme.bak.tmp-" + QString::number(::getppid());
    folder.write("Backup/" + laufend, "in progress");

    ASSERT_EQ(copyDatabase(quelle, folder.file(Ziel)), CopyResult::Copied);
    EXPECT_EQ(versteckte(folder.file(QStringLiteral("Backup"))), QStringList({laufend}));
    EXPECT_EQ(ansehen(folder.file(Ziel)).pruefung, "ok");
}

// ---- A catalogue that cannot be written ------------------------------------

namespace {

enum class Schutz { None, FileMode, FolderMode, ImmutableFile, ReadOnlyMount };

std::string schutzName(Schutz s)
{
    switch (s) {
    case Schutz::None:
        return "WritableForComparison";
    case Schutz::FileMode:
        return "FileNotWritable";
    case Schutz::FolderMode:
        return "FolderNotWritable";
    case Schutz::ImmutableFile:
        return "ImmutableFile";
    case Schutz::ReadOnlyMount:
        return "ReadOnlyMount";
    }
    return {};
}

void PrintTo(Schutz s, std::ostream* os)
{
    *os << schutzName(s);
}

}  // namespace

class ReadOnlyCatalogue : public testing::TestWithParam<Schutz> {};

TEST_P(ReadOnlyCatalogue, OpensForReadingAndSaysSo)
{
    const Schutz schutz = GetParam();
    TempFolder folder;
    QString ordner = folder.path();
    std::unique_ptr<MountedTmpfs> mount;
    if (schutz == Schutz::ReadOnlyMount) {
        ordner = folder.file(QStringLiteral("ro"));
        ASSERT_TRUE(QDir().mkpath(ordner));
        mount = std::make_unique<MountedTmpfs>(ordner, "size=1m");
        if (!mount->ok())
            GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    }
    const QString pfad = ordner + QStringLiteral("/filme.mdb");
    katalog(pfad, 3);
    const QByteArray vorher = folder.read(pfad.mid(folder.path().size() + 1));

    // Exit code of a check: 1 bit "reads as read-only", 2 "a write failed", 4 "reads the rows".
    auto pruefen = [pfad]() -> int {
        try {
            auto d = Database::open(pfad);
            int antwort = d->readOnly() ? 1 : 0;
            if (d->scalar(QStringLiteral("SELECT count(*) FROM Filme")).toInt() == 3)
                antwort |= 4;
            if (!d->tryExecute(QStringLiteral("INSERT INTO Filme VALUES ('neu', '')")).ok)
                antwort |= 2;
            return antwort;
        } catch (const DbError&) {
            return 8;
        }
    };
    const int schreibgeschuetzt = 1 | 2 | 4;
    switch (schutz) {
    case Schutz::None:
    case Schutz::FileMode:
    case Schutz::FolderMode: {
        ::chmod(QFile::encodeName(ordner).constData(), schutz == Schutz::FolderMode ? 0555 : 0777);
        ::chmod(QFile::encodeName(pfad).constData(), schutz == Schutz::FileMode ? 0444 : 0666);
        const int antwort = runUnprivileged(pruefen);
        ::chmod(QFile::encodeName(ordner).constData(), 0700);
        if (antwort < 0)
            GTEST_SKIP() << "cannot run a check without root's rights";
        EXPECT_EQ(antwort, schutz == Schutz::None ? 4 : schreibgeschuetzt);
        if (schutz == Schutz::None)
            return;
        break;
    }
    case Schutz::ImmutableFile: {
        ImmutableFile fest(pfad);
        if (!fest.ok())
            GTEST_SKIP() << "cannot mark a file immutable here (needs root and a file system that allows it)";
        EXPECT_EQ(pruefen(), schreibgeschuetzt);
        break;
    }
    case Schutz::ReadOnlyMount:
        ASSERT_TRUE(mount->remountReadOnly());
        EXPECT_EQ(pruefen(), schreibgeschuetzt);
        break;
    }
    EXPECT_EQ(folder.read(pfad.mid(folder.path().size() + 1)), vorher);
}

INSTANTIATE_TEST_SUITE_P(Protections, ReadOnlyCatalogue,
                         testing::Values(Schutz::None, Schutz::FileMode, Schutz::FolderMode, Schutz::ImmutableFile,
                                         Schutz::ReadOnlyMount),
                         [](const testing::TestParamInfo<Schutz>& i) { return schutzName(i.param); });
