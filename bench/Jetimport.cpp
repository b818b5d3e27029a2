// A Windows catalogue of 100,000 titles, 200,000 sub-entries and 50,000
// lendings (times the size factor) converted by the child program jetimport,
// against the bare limit measured in the same run: libmdb reading every row of
// every table with its columns bound (no conversion of ours), each row
// inserted at once through a bare prepared SQLite statement. Then the same at
// half the size, for the child's peak memory, which must not grow with the file.
// Usage: bench_jetimport [size=1] [rounds=3]
// Prints the medians, the ratio (goal: at most 1.5) and both peaks.
#include "bench/Grundlinie.h"
#include "tests/support/JetKatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <mdbtools.h>
#include <sqlite3.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <vector>

extern char** environ;

namespace {

struct Kind {
    double ms = -1;
    long peakKb = -1;
    int status = -1;
};

// The child as the programs start it; its own peak from the kernel.
Kind jetimportLaufen(const QString& programm, const QString& quelle, const QString& ziel)
{
    const QByteArray p = QFile::encodeName(programm);
    const QByteArray q = QFile::encodeName(quelle);
    const QByteArray z = QFile::encodeName(ziel);
    char* argv[] = {const_cast<char*>(p.constData()), const_cast<char*>(q.constData()),
                    const_cast<char*>(z.constData()), nullptr};
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, 1, "/dev/null", O_WRONLY, 0);
    Kind k;
    QElapsedTimer uhr;
    uhr.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, p.constData(), &aktionen, nullptr, argv, environ) != 0)
        return k;
    int status = 0;
    rusage nutzung{};
    wait4(pid, &status, 0, &nutzung);
    k.ms = double(uhr.nsecsElapsed()) / 1e6;
    k.peakKb = nutzung.ru_maxrss;
    k.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    posix_spawn_file_actions_destroy(&aktionen);
    return k;
}

// The tables as the conversion declared them (its columns, types and keys).
QStringList tabellenSql(const QString& datei)
{
    QStringList sql;
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(datei).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE type = 'table'", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        sql << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return sql;
}

// The bare limit: libmdb's own reading, every column bound, each row straight
// into a bare prepared INSERT into the same tables (journal and sync off, as
// the conversion's file).
double bareGrenze(const QString& quelle, const QString& ziel, const QStringList& schema, long long* zeilen)
{
    QElapsedTimer uhr;
    uhr.start();
    MdbHandle* mdb = mdb_open(QFile::encodeName(quelle).constData(), MDB_NOFLAGS);
    if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE))
        return -1;
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(ziel).constData(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr);
    for (const QString& create : schema)
        sqlite3_exec(db, create.toUtf8().constData(), nullptr, nullptr, nullptr);
    long long n = 0;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* eintrag = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (eintrag->object_type != MDB_TABLE || mdb_is_system_table(eintrag))
            continue;
        MdbTableDef* t = mdb_read_table(eintrag);
        mdb_read_columns(t);
        mdb_rewind_table(t);
        std::vector<char*> werte(t->num_cols);
        std::vector<int> laengen(t->num_cols);
        QStringList platz;
        for (unsigned c = 0; c < t->num_cols; ++c) {
            werte[c] = static_cast<char*>(g_malloc(MDB_BIND_SIZE));
            mdb_bind_column(t, int(c) + 1, werte[c], &laengen[c]);
            platz << QStringLiteral("?");
        }
        const QByteArray name = QByteArray("\"") + eintrag->object_name + "\"";
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, ("INSERT INTO " + name + " VALUES (" + platz.join(',').toUtf8() + ")").constData(), -1,
                           &st, nullptr);
        while (mdb_fetch_row(t)) {
            for (unsigned c = 0; c < t->num_cols; ++c)
                sqlite3_bind_text(st, int(c) + 1, werte[c], laengen[c], SQLITE_STATIC);
            sqlite3_step(st);
            sqlite3_reset(st);
            ++n;
        }
        sqlite3_finalize(st);
        for (char* w : werte)
            g_free(w);
        mdb_free_tabledef(t);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    mdb_close(mdb);
    *zeilen = n;
    return double(uhr.nsecsElapsed()) / 1e6;
}

// The catalogue, written row by row: titles with umlauts, a memo of a page of
// its own now and then, sub-entries and lendings of the titles.
void katalogSchreiben(const QString& pfad, long long titel)
{
    const long long unter = 2 * titel;
    const long long ausleihen = titel / 2;
    long long f = 0, u = 0, a = 0;
    const QString langerText = QString(6000, QLatin1Char('x'));
    jettest::KatalogQuelle q;
    q.film = [&](jettest::Film& film) {
        if (f >= titel)
            return false;
        film = jettest::Film{.Titel = QStringLiteral("Größter Film Nr. %1").arg(f),
                             .Anzahl = double(f % 4 + 1),
                             .Format = "DVD",
                             .Qualität = "1",
                             .Mappe = QStringLiteral("M%1").arg(f % 90),
                             .Wer = f % 10 ? jettest::Wert("-") : jettest::Wert("Jürgen"),
                             .Info = f % 100 ? QStringLiteral("Eine Beschreibung mit Ümlauten, Nr. %1").arg(f) : langerText,
                             .Datum = QDate(2000, 1, 1).addDays(f % 9000),
                             .Cat = "Drama",
                             .Size = QString::number(f % 4700),
                             .Unterordner = "1"};
        ++f;
        return true;
    };
    q.unterordner = [&](jettest::Unterordner& s) {
        if (u >= unter)
            return false;
        s = jettest::Unterordner{.Titel = QStringLiteral("Größter Film Nr. %1").arg(u / 2),
                                 .Titel2 = QStringLiteral("Größter Film Nr. %1 Teil %2.avi").arg(u / 2).arg(u % 2),
                                 .Format = "XVID",
                                 .Size = "700"};
        ++u;
        return true;
    };
    q.ausleihe = [&](jettest::Ausleihe& l) {
        if (a >= ausleihen)
            return false;
        l = jettest::Ausleihe{.Titel = QStringLiteral("Größter Film Nr. %1").arg(a * 2), .Wer = "Jürgen",
                              .AusDT = "01.02.2003", .EinDT = a % 3 ? jettest::Wert("03.02.2003") : jettest::Wert()};
        ++a;
        return true;
    };
    jettest::katalog(pfad, QStringLiteral("1.4.1"), q);
}

struct Messung {
    double unser = -1;
    double bar = -1;
    long peakKb = -1;
    long long zeilen = 0;
    qint64 bytes = 0;
};

Messung messen(const QString& programm, const QString& ordner, long long titel, int runden)
{
    Messung m;
    const QString quelle = ordner + QStringLiteral("/windows.mdb");
    katalogSchreiben(quelle, titel);
    m.bytes = QFileInfo(quelle).size();
    std::vector<double> unser, bar;
    for (int r = 0; r < runden; ++r) {
        const QString ziel = ordner + QStringLiteral("/filme%1.mdb").arg(r);
        const Kind k = jetimportLaufen(programm, quelle, ziel);
        if (k.status != 0) {
            std::fprintf(stderr, "jetimport endete mit %d\n", k.status);
            return m;
        }
        unser.push_back(k.ms);
        m.peakKb = std::max(m.peakKb, k.peakKb);
        const QStringList schema = tabellenSql(ziel);
        QFile::remove(ziel);
        QFile::remove(ordner + QStringLiteral("/filme%1.import.txt").arg(r));
        const QString bareZiel = ordner + QStringLiteral("/bar%1.sqlite").arg(r);
        bar.push_back(bareGrenze(quelle, bareZiel, schema, &m.zeilen));
        QFile::remove(bareZiel);
    }
    std::sort(unser.begin(), unser.end());
    std::sort(bar.begin(), bar.end());
    m.unser = unser[unser.size() / 2];
    m.bar = bar[bar.size() / 2];
    QFile::remove(quelle);
    return m;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const double groesse = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 1.0;
    const int runden = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const long long titel = std::max(10LL, static_cast<long long>(100000 * groesse));
    const QString programm = QCoreApplication::applicationDirPath() + QStringLiteral("/../Rondavex/jetimport");
    QTemporaryDir ordner;

    const Messung voll = messen(programm, ordner.path(), titel, runden);
    const Messung halb = messen(programm, ordner.path(), titel / 2, 1);
    if (voll.unser < 0 || halb.unser < 0)
        return 1;
    const double quote = voll.unser / voll.bar;
    std::printf("jetimport of %lld titles, %lld sub-entries, %lld lendings (%lld rows, %.1f MB): %.0f ms\n", titel,
                2 * titel, titel / 2, voll.zeilen, double(voll.bytes) / 1e6, voll.unser);
    std::printf("bare limit (libmdb reading every row, bare SQLite insert):          %.0f ms\n", voll.bar);
    std::printf("ratio %.2f (goal <= 1.5)\n", quote);
    std::printf("child's peak memory: %ld kB at %lld titles, %ld kB at %lld titles (goal: independent of the size)\n",
                voll.peakKb, titel, halb.peakKb, titel / 2);
    return 0;
}
