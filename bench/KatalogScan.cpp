// Opening a catalogue, its schema check and a full title scan in index order
// through the table recordset, against the same scan through the bare SQLite
// C API with our German collation registered. Then a single MoveNext and a
// single Seek of the recordset (averaged over many), each against the bare
// prepared statement that answers it.
// Usage: bench_katalogscan [titles=100000] [rounds=5]
// Prints the medians and the ratios (goals: scan at most 1.5, MoveNext and
// Seek at most 2).
#include "bench/Grundlinie.h"
#include "bench/Katalogfuellung.h"
#include "frame/Schemaupgrade.h"
#include "platform/db/Database.h"
#include "platform/db/SqlFunctions.h"
#include "platform/db/TableCursor.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Keeps the scans' reads from being optimised away.
volatile size_t sink = 0;

double layerRun(const sys::Services& services, long* rows)
{
    QElapsedTimer timer;
    timer.start();
    frame::Schemaupgrade upgrade(services, QStringLiteral("filme"));
    if (!upgrade.przDBVersion())
        return -1;
    auto d = upgrade.takeDatabase();
    auto filme = d->table(QStringLiteral("Filme"));
    filme->setIndex(QStringLiteral("PrimaryKey"));
    long n = 0;
    size_t len = 0;
    filme->moveFirst();
    while (!filme->eof()) {
        len += size_t(filme->field(QStringLiteral("Titel")).toString().size());
        ++n;
        filme->moveNext();
    }
    sink = sink + len;
    *rows = n;
    return double(timer.nsecsElapsed()) / 1e6;
}

double bareRun(const QString& path, long* rows)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3* h = bench::bareÖffnen(path);
    sqlite3_stmt* v = nullptr;
    sqlite3_prepare_v2(h, "SELECT nr FROM Version", -1, &v, nullptr);
    sqlite3_step(v);
    sqlite3_finalize(v);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, "SELECT Titel FROM Filme ORDER BY Titel COLLATE DEUTSCH", -1, &s, nullptr);
    long n = 0;
    size_t len = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        len += size_t(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)),
                                        sqlite3_column_bytes(s, 0))
                          .size());
        ++n;
    }
    sqlite3_finalize(s);
    sqlite3_close(h);
    sink = sink + len;
    *rows = n;
    return double(timer.nsecsElapsed()) / 1e6;
}

QString text(sqlite3_stmt* s, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, column)),
                             sqlite3_column_bytes(s, column));
}

// Microseconds per call of the bare statement: the row after `keys[i]` (or
// the first at or after it), bound and read as the recordset does.
double bareStep(const QString& path, const char* sql, const QStringList& keys)
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    db::registerSqlFunctions(h);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, sql, -1, &s, nullptr);
    size_t len = 0;
    QElapsedTimer timer;
    timer.start();
    for (const QString& key : keys) {
        const QByteArray utf8 = key.toUtf8();
        sqlite3_bind_text(s, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(s) == SQLITE_ROW)
            len += size_t(text(s, 0).size());
        sqlite3_reset(s);
    }
    const double us = double(timer.nsecsElapsed()) / 1e3 / double(keys.size());
    sqlite3_finalize(s);
    sqlite3_close(h);
    sink = sink + len;
    return us;
}

struct Einzeln {
    double moveNext = 0;      // microseconds per MoveNext with its title read
    double moveNextInfo = 0;  // the same with a field beside the key read too
    double seek = 0;          // microseconds per Seek ">=" with its title read
    double afterWrite = 0;    // microseconds per MoveNext after a statement's write on the connection
};

Einzeln layerSingle(const QString& path, const QStringList& seekKeys, int moves)
{
    auto d = db::Database::open(path);
    auto filme = d->table(QStringLiteral("Filme"));
    filme->setIndex(QStringLiteral("PrimaryKey"));
    size_t len = 0;
    Einzeln e;
    QElapsedTimer timer;
    // Microseconds per MoveNext with the title, and perhaps a field beside the key, read.
    const auto scan = [&](bool info) {
        filme->moveFirst();
        timer.restart();
        for (int i = 0; i < moves; ++i) {
            filme->moveNext();
            if (filme->eof())
                filme->moveFirst();
            len += size_t(filme->field(QStringLiteral("Titel")).toString().size());
            if (info)
                len += size_t(filme->field(QStringLiteral("Info")).toString().size());
        }
        return double(timer.nsecsElapsed()) / 1e3 / moves;
    };
    e.moveNext = scan(false);
    e.moveNextInfo = scan(true);
    timer.restart();
    for (const QString& key : seekKeys) {
        filme->seek(QStringLiteral(">="), key);
        if (!filme->noMatch())
            len += size_t(filme->field(QStringLiteral("Titel")).toString().size());
    }
    e.seek = double(timer.nsecsElapsed()) / 1e3 / double(seekKeys.size());
    // Any write outside the recordset makes it read its order again.
    constexpr int Writes = 10;
    filme->moveFirst();
    timer.restart();
    for (int i = 0; i < Writes; ++i) {
        d->execute(QStringLiteral("UPDATE Ausleihe SET Wer = 'Anna' WHERE rowid = 1"));
        filme->moveNext();
    }
    e.afterWrite = double(timer.nsecsElapsed()) / 1e3 / Writes;
    sink = sink + len;
    return e;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    bench::Katalogbank bank(argc, argv);
    const int n = bank.n;
    const QString& path = bank.path;
    const sys::Services& services = bank.services;

    std::vector<double> layer, bare;
    long rowsLayer = 0, rowsBare = 0;
    layerRun(services, &rowsLayer);  // warm the page cache
    for (int r = 0; r < bank.runden; ++r) {
        layer.push_back(layerRun(services, &rowsLayer));
        bare.push_back(bareRun(path, &rowsBare));
    }
    if (rowsLayer != n || rowsBare != n) {
        std::fprintf(stderr, "scan saw %ld / %ld rows of %d\n", rowsLayer, rowsBare, n);
        return 1;
    }
    const double l = bench::median(layer), b = bench::median(bare);
    std::printf("titles            %d\n", n);
    std::printf("layer scan (ms)   %.1f   (open + schema check + table recordset in PrimaryKey order)\n", l);
    std::printf("bare scan (ms)    %.1f   (open + version + SELECT Titel ... ORDER BY Titel COLLATE DEUTSCH)\n", b);
    std::printf("ratio             %.2f   (goal <= 1.50)\n", l / b);

    // Keys spread over the catalogue: the titles that the fill wrote.
    QStringList keys;
    for (int i = 0; i < 64; ++i)
        keys << QStringLiteral("Titel %1 Ärger").arg((long(i) * 104729L) % n, 6, 10, QLatin1Char('0'));
    std::vector<double> layerNext, layerNextInfo, layerSeek, layerAfterWrite, bareNext, bareSeek;
    for (int r = 0; r < bank.runden; ++r) {
        const Einzeln e = layerSingle(path, keys, 20000);
        layerNext.push_back(e.moveNext);
        layerNextInfo.push_back(e.moveNextInfo);
        layerAfterWrite.push_back(e.afterWrite);
        layerSeek.push_back(e.seek);
        bareNext.push_back(bareStep(path,
                                    "SELECT Titel FROM Filme WHERE Titel COLLATE DEUTSCH > ?1 "
                                    "ORDER BY Titel COLLATE DEUTSCH LIMIT 1",
                                    keys));
        bareSeek.push_back(bareStep(path,
                                    "SELECT Titel FROM Filme WHERE Titel COLLATE DEUTSCH >= ?1 "
                                    "ORDER BY Titel COLLATE DEUTSCH LIMIT 1",
                                    keys));
    }
    const double ln = bench::median(layerNext), bn = bench::median(bareNext);
    const double ls = bench::median(layerSeek), bs = bench::median(bareSeek);
    std::printf("layer MoveNext (us) %.3f   (MoveNext + Titel read, averaged over 20000)\n", ln);
    std::printf("bare next (us)      %.1f   (prepared SELECT ... WHERE Titel COLLATE DEUTSCH > ?1 ... LIMIT 1)\n", bn);
    std::printf("ratio               %.5f   (goal <= 2)\n", ln / bn);
    std::printf("layer MoveNext (us) %.3f   (MoveNext + Titel and Info read: rows read in batches)\n",
                bench::median(layerNextInfo));
    std::printf("layer Seek (us)     %.3f   (Seek \">=\" + Titel read, averaged over %d)\n", ls, int(keys.size()));
    std::printf("bare seek (us)      %.1f   (prepared SELECT ... WHERE Titel COLLATE DEUTSCH >= ?1 ... LIMIT 1)\n", bs);
    std::printf("ratio               %.5f   (goal <= 2)\n", ls / bs);
    std::printf("layer MoveNext (us) %.0f   (after an UPDATE statement on another table: the order is read again)\n",
                bench::median(layerAfterWrite));
    return 0;
}
