// Saving a scanned disc as a new title with N sub-entries, one in a hundred of
// them a name already taken (half by a sub-entry of another title, half by an
// earlier file of the same disc), on a catalogue of 100,000 titles (by
// default): Speichern_Click up to the commit (SQLite's commit hook; the message
// box is answered by a double), and separately the count, the refresh and the
// list re-run that follow. Against one bare transaction through the SQLite C
// API on a connection with our functions registered: the taken names read into
// a hash set, the same title row, the same N sub-entry rows through one
// prepared statement re-bound per row with the same names (a taken one renamed
// as the window renames it), the flag.
// Usage: bench_speichern [entries=50000] [rounds=3] [titles=100000]
// Prints the medians, the ratio (goal: within 2 at N = 50,000 with 500 taken
// names), the whole click and the peak resident set.
#include "bench/Grundlinie.h"
#include "bench/Fensterbank.h"
#include "catalogue/frmFilme.h"
#include "platform/db/SqlFunctions.h"

#include <QApplication>
#include <QElapsedTimer>

#include <sqlite3.h>

#include <QSet>

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

// The scanned entries of round `runde`: n names, of which `doppelt` are taken,
// half of them by stored sub-entries (`vergeben`), half by earlier files.
QStringList einträge(int runde, int n, int doppelt, const QStringList& vergeben)
{
    const int fremd = std::min<int>(doppelt / 2, int(vergeben.size()));
    const int eigen = doppelt - fremd;
    QStringList e = bench::dateinamen(runde, n - doppelt, QStringLiteral(":700"));
    for (int i = 0; i < fremd; ++i)
        e.insert(qsizetype(i) * 97 % e.size(), vergeben.at(i) + QStringLiteral(".avi:700"));
    for (int i = 0; i < eigen; ++i)
        e.append(e.at(i * 7 % (n - doppelt)));
    return e;
}

// The names of stored sub-entries, by the C API.
QStringList gespeicherteNamen(const QString& pfad, int n)
{
    sqlite3* db = bench::bareÖffnen(pfad);
    QStringList namen;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT Titel2 FROM Unterordner ORDER BY rowid LIMIT ?", -1, &s, nullptr);
    sqlite3_bind_int(s, 1, n);
    while (sqlite3_step(s) == SQLITE_ROW)
        namen << bench::Bar::text(s, 0);
    sqlite3_finalize(s);
    sqlite3_close(db);
    return namen;
}

// The bare save: one transaction, the taken names in a hash set, one prepared
// insert re-bound per row. A taken name gets the title in brackets, then a number.
double barSpeichern(const QString& pfad, const QString& titel, const QStringList& liste, int* umbenannt)
{
    return bench::barSpeichern(pfad, [&](sqlite3* db) {
               QSet<QString> vergeben;
               sqlite3_stmt* s = nullptr;
               sqlite3_prepare_v2(db, "SELECT Titel2 FROM Unterordner", -1, &s, nullptr);
               while (sqlite3_step(s) == SQLITE_ROW)
                   vergeben.insert(bench::Bar::text(s, 0).toCaseFolded());
               sqlite3_finalize(s);
               bench::einmal(db,
                             "INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Cat, Dten, Wer, AusDatum, "
                             "Info, Size, Cover, Unterordner, Datum) VALUES (?, 1, 'DVD', '-', '-', '-', '-', '-', "
                             "'-', '-', '4700', '-', '-', '2026-12-10')",
                             [&](sqlite3_stmt* st) { bench::textBinden(st, 1, titel); });
               const QString strich = QStringLiteral("-");
               bench::jeEintrag(db,
                                "INSERT INTO Unterordner (Titel, Titel2, Format, Qualität, Mappe, Wer, Cat, Dten, "
                                "Info, Size, Cover) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                                liste, [&](sqlite3_stmt* st, const QString& e) {
                                    const qsizetype d = e.lastIndexOf(QLatin1Char(':'));
                                    QString name = e.left(d - 4);
                                    if (vergeben.contains(name.toCaseFolded())) {
                                        const QString klammer = name + QStringLiteral(" [") + titel + u']';
                                        name = klammer;
                                        for (int k = 2; vergeben.contains(name.toCaseFolded()); ++k)
                                            name = klammer + QStringLiteral(" (%1)").arg(k);
                                        ++*umbenannt;
                                    }
                                    vergeben.insert(name.toCaseFolded());
                                    bench::textBinden(st, 1, titel);
                                    bench::textBinden(st, 2, name);
                                    bench::textBinden(st, 3, QStringLiteral("DVD"));
                                    for (int i = 4; i <= 9; ++i)
                                        bench::textBinden(st, i, strich);
                                    bench::textBinden(st, 10, e.mid(d + 1));
                                    bench::textBinden(st, 11, strich);
                                });
               bench::einmal(db, "UPDATE Filme SET Unterordner = '1' WHERE Titel = ?",
                             [&](sqlite3_stmt* st) { bench::textBinden(st, 1, titel); });
           })
        .bisCommit;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50000;
    const int doppelt = n / 100;
    const int runden = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    // The catalogue's size is the third argument, the bank's first.
    char* titel[] = {argv[0], argc > 3 ? argv[3] : nullptr};
    bench::Katalogbank bank(argc > 3 ? 2 : 1, titel);
    const bool zugang = bench::zugangAktiv();
    Stoppuhr stoppuhr;
    bank.services.messages = &stoppuhr;
    const auto hauptfenster = bench::hauptfenster(bank, bench::Stand::gelistet);
    if (!hauptfenster)
        return 1;
    frmFilme& f = *hauptfenster;

    const QStringList vergeben = gespeicherteNamen(bank.path, doppelt);
    std::vector<double> speichern, danach, ganz, bar;
    int umbenannt = 0;
    bool gescheitert = false;  // a failed save measures nothing: the status says so
    for (int r = 0; r < runden; ++r) {
        f.Neu_Click();
        f.c.tfTitel->setText(QStringLiteral("Scan %1").arg(r));
        f.c.tfFormat->setText(QStringLiteral("DVD"));
        f.c.tfAnzahl->setText(QStringLiteral("1"));
        f.c.tfSize->setText(QStringLiteral("4700"));
        f.c.lfListeCDeinlesen->clear();
        f.c.lfListeCDEinlesenOhneGroesse->clear();
        f.c.lfListeCDeinlesen->addItems(einträge(r, n, doppelt, vergeben));
        f.c.tfUnterordner->setText(QStringLiteral("1"));
        stoppuhr.start(f.datenbank->handle());
        f.Speichern_Click();
        const double gesamt = double(stoppuhr.uhr.nsecsElapsed()) / 1e6;
        umbenannt = f.UmbenannteUnterordner;
        if (!stoppuhr.letzte.contains(QLatin1String("wurde gespeichert!")) || stoppuhr.commitMs < 0) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(stoppuhr.letzte));
            gescheitert = true;
        }
        speichern.push_back(stoppuhr.commitMs);
        danach.push_back(gesamt - stoppuhr.commitMs);
        ganz.push_back(gesamt);
    }
    // The bare rounds after the window's, so that no other connection's
    // write lands between the window's rounds.
    int barUmbenannt = 0;
    for (int r = 0; r < runden; ++r) {
        barUmbenannt = 0;
        bar.push_back(barSpeichern(bank.path, QStringLiteral("Bar %1").arg(r), einträge(1000 + r, n, doppelt, vergeben),
                                   &barUmbenannt));
    }
    const double s = bench::median(speichern);
    const double b = bench::median(bar);
    std::printf("titles                        %d, sub-entries per save %d (rounds %d)\n", bank.n, n, runden);
    if (zugang)
        std::printf("with an accessibility client listening\n");
    std::printf("names taken                   %d, renamed by the window %d, barely %d\n", doppelt, umbenannt,
                barUmbenannt);
    std::printf("save up to the commit (ms)    %8.1f   bare %8.1f   ratio %.2f   (goal <= 2)\n", s, b, s / b);
    std::printf("count, refresh, list (ms)     %8.1f\n", bench::median(danach));
    std::printf("the whole click (ms)          %8.1f   ratio %.2f to the bare save\n", bench::median(ganz),
                bench::median(ganz) / b);
    std::printf("peak resident set (MB)        %8.1f\n", double(bench::peakRssKb()) / 1024.0);
    if (umbenannt != doppelt || barUmbenannt != doppelt) {
        std::fprintf(stderr, "renamed %d and %d of %d taken names\n", umbenannt, barUmbenannt, doppelt);
        gescheitert = true;
    }
    return gescheitert ? 1 : 0;
}
