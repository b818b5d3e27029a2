// The title list, the hot path of the main window, on a catalogue of N titles:
// (a) przAlleListe, the whole list in title order filled into lfListe and
// painted once; (b) przCombosFüllen, the combo fills of every refresh; (c) a
// click on the format filter that selects a tenth of the titles; and
// "Alle anzeigen" as a whole. Each against the same statements through the bare
// SQLite C API on a connection with our functions registered, stepping every
// row into the same row strings (combo entries as texts).
// Usage: bench_titelliste [titles=100000] [rounds=5]
// Prints the medians, the ratios (goal: each of a, b, c within 3) and the
// process's peak resident set (goal: under 300 MB).
#include "bench/Grundlinie.h"
#include "bench/Fensterbank.h"
#include "catalogue/frmFilme.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// The statements of the combo fills, as przCombosFüllen runs them: one per
// column (a filter box and its edit twin take the same entries).
QStringList kombiStatements(const QStringList& spalten)
{
    QStringList s;
    for (const QString& spalte : spalten) {
        const QString sql =
            QStringLiteral("Select Distinct %1 COLLATE DEUTSCH AS %1 from Filme Order by %1 COLLATE DEUTSCH").arg(spalte);
        s << sql;
    }
    return s;
}

}  // namespace

using bench::Bar;
using bench::median;
using bench::peakRssKb;
using bench::sink;

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    bench::Katalogbank bank(argc, argv);
    const int n = bank.n;
    const int runden = bank.runden;
    const QString& pfad = bank.path;
    const auto hauptfenster = bench::hauptfenster(bank, bench::Stand::gezeigt);
    if (!hauptfenster)
        return 1;
    frmFilme& f = *hauptfenster;

    // (a) the whole list, painted once.
    const double a = median(runden, [&] {
        f.przAlleListe();
        f.c.lfListe->viewport()->repaint();
    });
    const QString listenSql = f.ListenSQL;
    const int zeilenA = f.c.lfListe->count();

    // (b) the combo fills.
    const double b = median(runden, [&] { f.przCombosFüllen(); });

    // (c) a format filter click.
    const int vcd = f.c.cmbFormat->findText(QStringLiteral("VCD"));
    const double c = median(runden, [&] {
        f.c.cmbFormat->setCurrentIndex(vcd);
        emit f.c.cmbFormat->activated(vcd);
        f.c.lfListe->viewport()->repaint();
    });
    const QString filterSql = f.ListenSQL;
    const QVariantList filterWerte = f.ListenWerte;
    const int zeilenC = f.c.lfListe->count();

    const double alle = median(runden, [&] {
        f.c.Alle->click();
        f.c.lfListe->viewport()->repaint();
    });

    Bar bar(pfad);
    int barZeilenA = 0, barZeilenC = 0;
    const QStringList alleKombis = kombiStatements({"Format", "Qualität", "Mappe", "Anzahl", "Wer", "Dten", "Cat"});
    const QStringList filterKombis = kombiStatements({"Qualität", "Mappe", "Cat", "Wer"});
    const double bareA = median(runden, [&] {
        const QStringList z = bar.liste(listenSql, {});
        barZeilenA = int(z.size());
        sink = sink + z.size();
    });
    const double bareB = median(runden, [&] {
        for (const QString& sql : alleKombis)
            sink = sink + bar.werte(sql).size();
    });
    const double bareC = median(runden, [&] {
        for (const QString& sql : filterKombis)
            sink = sink + bar.werte(sql).size();
        const QStringList z = bar.liste(filterSql, filterWerte);
        barZeilenC = int(z.size());
        sink = sink + z.size();
    });

    // Different rows measure different work: the status says so.
    const bool verschieden = zeilenA != barZeilenA || zeilenC != barZeilenC;
    if (verschieden)
        std::fprintf(stderr, "rows differ: list %d/%d, filter %d/%d\n", zeilenA, barZeilenA, zeilenC, barZeilenC);
    std::printf("titles                    %d (rounds %d)\n", n, runden);
    std::printf("(a) whole list (ms)       %8.1f   bare %8.1f   ratio %.2f   (%d rows, painted once; goal <= 3)\n", a,
                bareA, a / bareA, zeilenA);
    std::printf("(b) combo fills (ms)      %8.1f   bare %8.1f   ratio %.2f   (goal <= 3)\n", b, bareB, b / bareB);
    std::printf("(c) format filter (ms)    %8.1f   bare %8.1f   ratio %.2f   (%d rows; goal <= 3)\n", c, bareC,
                c / bareC, zeilenC);
    std::printf("Alle anzeigen (ms)        %8.1f   (refresh, combo fills, whole list, painted once)\n", alle);
    std::printf("peak resident set (MB)    %8.1f   (goal < 300)\n", double(peakRssKb()) / 1024.0);
    return verschieden ? 1 : 0;
}
