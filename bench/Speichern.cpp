// Saving a scanned disc as a new title with N sub-entries, on a catalogue of
// 100,000 titles (by default): Speichern_Click up to the commit (SQLite's commit hook; the
// message box is answered by a double), and separately the count, the refresh
// and the list re-run that follow. Against one bare transaction through the SQLite C API on
// a connection with our functions registered: the same title row, the same N
// sub-entry rows through one prepared statement re-bound per row, the flag.
// Usage: bench_speichern [entries=10000] [rounds=3] [titles=100000]
// Prints the medians, the ratio (goal: within 2 at N = 10,000) and the peak
// resident set.
#include "bench/Grundlinie.h"
#include "bench/Fensterbank.h"
#include "catalogue/frmFilme.h"
#include "platform/db/SqlFunctions.h"

#include <QApplication>
#include <QElapsedTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Answers every box with OK; notes when the connection it watches commits.
class Stoppuhr : public sys::MessageService {
public:
    int msgBox(const QString& text, int, const QString&) override
    {
        letzte = text;
        return sys::mb::Ok;
    }
    void start(sqlite3* db)
    {
        commitMs = -1;
        sqlite3_commit_hook(db, &Stoppuhr::commit, this);
        uhr.start();
    }
    static int commit(void* selbst)
    {
        auto* s = static_cast<Stoppuhr*>(selbst);
        if (s->commitMs < 0)
            s->commitMs = double(s->uhr.nsecsElapsed()) / 1e6;
        return 0;
    }
    QElapsedTimer uhr;
    double commitMs = -1;
    QString letzte;
};

// The bare save: one transaction, one prepared insert re-bound per row.
double barSpeichern(const QString& pfad, const QString& titel, const QStringList& liste)
{
    return bench::barSpeichern(pfad, [&](sqlite3* db) {
               bench::einmal(db,
                             "INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Cat, Dten, Wer, AusDatum, "
                             "Info, Size, Cover, Unterordner, Datum) VALUES (?, 1, 'DVD', '-', '-', '-', '-', '-', "
                             "'-', '-', '4700', '-', '-', '2026-12-10')",
                             [&](sqlite3_stmt* s) { bench::textBinden(s, 1, titel); });
               const QString strich = QStringLiteral("-");
               bench::jeEintrag(db,
                                "INSERT INTO Unterordner (Titel, Titel2, Format, Qualität, Mappe, Wer, Cat, Dten, "
                                "Info, Size, Cover) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                                liste, [&](sqlite3_stmt* s, const QString& e) {
                                    const qsizetype d = e.lastIndexOf(QLatin1Char(':'));
                                    bench::textBinden(s, 1, titel);
                                    bench::textBinden(s, 2, e.left(d - 4));
                                    bench::textBinden(s, 3, QStringLiteral("DVD"));
                                    for (int i = 4; i <= 9; ++i)
                                        bench::textBinden(s, i, strich);
                                    bench::textBinden(s, 10, e.mid(d + 1));
                                    bench::textBinden(s, 11, strich);
                                });
               bench::einmal(db, "UPDATE Filme SET Unterordner = '1' WHERE Titel = ?",
                             [&](sqlite3_stmt* s) { bench::textBinden(s, 1, titel); });
           })
        .bisCommit;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const int runden = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    // The catalogue's size is the third argument, the bank's first.
    char* titel[] = {argv[0], argc > 3 ? argv[3] : nullptr};
    bench::Katalogbank bank(argc > 3 ? 2 : 1, titel);
    Stoppuhr stoppuhr;
    bank.services.messages = &stoppuhr;
    const auto hauptfenster = bench::hauptfenster(bank, bench::Stand::gelistet);
    if (!hauptfenster)
        return 1;
    frmFilme& f = *hauptfenster;

    std::vector<double> speichern, danach, bar;
    bool gescheitert = false;  // a failed save measures nothing: the status says so
    for (int r = 0; r < runden; ++r) {
        f.Neu_Click();
        f.c.tfTitel->setText(QStringLiteral("Scan %1").arg(r));
        f.c.tfFormat->setText(QStringLiteral("DVD"));
        f.c.tfAnzahl->setText(QStringLiteral("1"));
        f.c.tfSize->setText(QStringLiteral("4700"));
        f.c.lfListeCDeinlesen->clear();
        f.c.lfListeCDEinlesenOhneGroesse->clear();
        f.c.lfListeCDeinlesen->addItems(bench::dateinamen(r, n, QStringLiteral(":700")));
        f.c.tfUnterordner->setText(QStringLiteral("1"));
        stoppuhr.start(f.datenbank->handle());
        f.Speichern_Click();
        const double gesamt = double(stoppuhr.uhr.nsecsElapsed()) / 1e6;
        if (!stoppuhr.letzte.endsWith(QLatin1String("wurde gespeichert!")) || stoppuhr.commitMs < 0) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(stoppuhr.letzte));
            gescheitert = true;
        }
        speichern.push_back(stoppuhr.commitMs);
        danach.push_back(gesamt - stoppuhr.commitMs);
    }
    // The bare rounds after the window's, so that no other connection's
    // write lands between the window's rounds.
    for (int r = 0; r < runden; ++r)
        bar.push_back(barSpeichern(bank.path, QStringLiteral("Bar %1").arg(r), bench::dateinamen(1000 + r, n, QStringLiteral(":700"))));
    const double s = bench::median(speichern);
    const double b = bench::median(bar);
    std::printf("titles                        %d, sub-entries per save %d (rounds %d)\n", bank.n, n, runden);
    std::printf("save up to the commit (ms)    %8.1f   bare %8.1f   ratio %.2f   (goal <= 2)\n", s, b, s / b);
    std::printf("count, refresh, list (ms)     %8.1f\n", bench::median(danach));
    std::printf("peak resident set (MB)        %8.1f\n", double(bench::peakRssKb()) / 1024.0);
    return gescheitert ? 1 : 0;
}
