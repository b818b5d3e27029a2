// Opening a catalogue, its schema check and a full title scan in index order
// through the table recordset, against the same scan through the bare SQLite
// C API. Usage: bench_katalogscan [titles=100000] [rounds=5]
// Prints both medians and the ratio (goal: at most 1.5).
#include "bench/Katalogfuellung.h"
#include "frame/Schemaupgrade.h"
#include "platform/db/Database.h"
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
    sqlite3* h = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* v = nullptr;
    sqlite3_prepare_v2(h, "SELECT nr FROM Version", -1, &v, nullptr);
    sqlite3_step(v);
    sqlite3_finalize(v);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, "SELECT Titel FROM Filme ORDER BY Titel", -1, &s, nullptr);
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
    std::printf("bare scan (ms)    %.1f   (open + version + SELECT Titel ... ORDER BY Titel, C API)\n", b);
    std::printf("ratio             %.2f   (goal <= 1.50)\n", l / b);
    return 0;
}
