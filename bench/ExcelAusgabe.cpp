// The Excel export of the whole Filme table ("CDs.xls", title order) through
// the export target, against the bare work: the same rows stepped through the
// SQLite C API (our functions registered, so the same German order) and written
// as plain semicolon-separated text with buffered writes.
// Usage: bench_excel [titles=100000] [rounds=5]. Prints both medians, the ratio,
// the file sizes and the peak resident memory.
#include "bench/Grundlinie.h"
#include "bench/Katalogfuellung.h"
#include "platform/db/Database.h"
#include "platform/db/SqlFunctions.h"
#include "reports/ExcelAusgabe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <sqlite3.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString Quelle = QStringLiteral(" from filme order by Titel COLLATE DEUTSCH");

double layerRun(const sys::Services& services, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    auto d = db::Database::open(path);
    if (!reports::ExcelAusgabe(*services.messages, services.programFolder, *d).ausgeben(reports::Excelweise::MitWiederholung, QStringLiteral("CDs.xls"),
                                                       Quelle))
        return -1;
    d.reset();
    return double(timer.nsecsElapsed()) / 1e6;
}

double bareRun(const QString& path, const QString& target, long* rows)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3* h = bench::bareÖffnen(path);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, ("SELECT *" + Quelle).toUtf8().constData(), -1, &s, nullptr);
    std::FILE* out = std::fopen(target.toUtf8().constData(), "wb");
    const int columns = sqlite3_column_count(s);
    long n = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            std::fwrite(sqlite3_column_text(s, c), 1, size_t(sqlite3_column_bytes(s, c)), out);
            std::fputc(';', out);
        }
        std::fputs("\r\n", out);
        ++n;
    }
    std::fclose(out);
    sqlite3_finalize(s);
    sqlite3_close(h);
    *rows = n;
    return double(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    bench::Katalogbank bank(argc, argv);
    const int n = bank.n;
    const QString csv = bank.folder.filePath(QStringLiteral("bare.txt"));

    std::vector<double> layer, bare;
    long rows = 0;
    bareRun(bank.path, csv, &rows);  // warm the page cache
    for (int r = 0; r < bank.runden; ++r) {
        layer.push_back(layerRun(bank.services, bank.path));
        bare.push_back(bareRun(bank.path, csv, &rows));
    }
    if (rows != n || *std::min_element(layer.begin(), layer.end()) < 0) {
        std::fprintf(stderr, "export failed or saw %ld rows of %d\n", rows, n);
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double l = bench::median(layer), b = bench::median(bare);
    std::printf("titles             %d\n", n);
    std::printf("workbook (ms)      %.1f   (open + SELECT * + CDs.xls through the export target, %.1f MB)\n", l,
                double(QFileInfo(bank.folder.filePath(QStringLiteral("CDs.xls"))).size()) / 1e6);
    std::printf("bare (ms)          %.1f   (open + the same rows through the C API as plain text, %.1f MB)\n", b,
                double(QFileInfo(csv).size()) / 1e6);
    std::printf("ratio              %.2f   (goal <= 2.00)\n", l / b);
    std::printf("peak resident (MB) %.1f\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}
