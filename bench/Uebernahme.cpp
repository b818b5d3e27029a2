// A read disc taken over and saved: cmdCDÜbernehmen_Click of the scan window
// and Speichern_Click of the main window up to its message, with N entries in
// the hand-over and both "Unterordner" and "Info" ticked, on a catalogue of
// 1,000 titles. Against one bare transaction through the SQLite C API (our
// functions and collation registered, one prepared statement per table) that
// inserts the same title row with the joined info text and the same N
// sub-entry rows into the same catalogue.
// Usage: bench_uebernahme [entries=10000] [rounds=5]
// Prints the medians, the ratio (goal: within 2 at N = 10,000) and the peak
// resident set.
#include "bench/EinLaufwerk.h"
#include "bench/Grundlinie.h"
#include "bench/Fensterbank.h"
#include "catalogue/frmFilme.h"
#include "platform/db/SqlFunctions.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The message that ends the save stops the clock.
class Stoppuhr : public sys::MessageService {
public:
    int msgBox(const QString& text, int, const QString&) override
    {
        if (ms < 0)
            ms = double(uhr.nsecsElapsed()) / 1e6;
        letzte = text;
        return sys::mb::Ok;
    }
    void start()
    {
        ms = -1;
        uhr.start();
    }
    QElapsedTimer uhr;
    double ms = -1;
    QString letzte;
};

double barSpeichern(const QString& pfad, const QString& titel, const QStringList& liste)
{
    return bench::barSpeichern(pfad, [&](sqlite3* db) {
               bench::einmal(db,
                             "INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Cat, Dten, Wer, AusDatum, "
                             "Info, Size, Cover, Unterordner, Datum) VALUES (?, 1, 'DVD', '1', '-', '-', '-', '-', "
                             "'-', ?, ' 4483', '-', '1', '2026-12-10')",
                             [&](sqlite3_stmt* s) {
                                 QString info;
                                 for (const QString& n : liste)
                                     info += n + QStringLiteral(", ");
                                 bench::textBinden(s, 1, titel);
                                 bench::textBinden(s, 2, info);
                             });
               bench::jeEintrag(db,
                                "INSERT INTO Unterordner (Titel, Titel2, Format, Qualität, Mappe, Wer, Cat, Dten, "
                                "Info, Size, Cover) VALUES (?, ?, 'DVD', '-', '-', '-', '-', '-', '-', ' 1', '-')",
                                liste, [&](sqlite3_stmt* s, const QString& n) {
                                    bench::textBinden(s, 1, titel);
                                    bench::textBinden(s, 2, n.left(n.size() - 4));
                                });
           })
        .gesamt;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const int runden = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    char tausend[] = "1000";
    char* vorgabe[] = {argv[0], tausend};
    bench::Katalogbank bank(2, vorgabe);
    Stoppuhr stoppuhr;
    bench::EinLaufwerk laufwerk(QStringLiteral("D:"), sys::drivetype::CdRom, QStringLiteral("SCAN"));
    bank.services.messages = &stoppuhr;
    bank.services.drives = &laufwerk;
    const auto hauptfenster = bench::hauptfenster(bank, bench::Stand::gelistet);
    if (!hauptfenster)
        return 1;
    frmFilme& f = *hauptfenster;

    std::vector<double> fenster, nurUebernahme, bar;
    bool gescheitert = false;  // a failed save measures nothing: the status says so
    for (int r = 0; r <= runden; ++r) {
        f.Neu_Click();
        f.cmdCDeinlesen_Click();
        scan::frmCDeinlesen& s = *f.scanfenster();
        s.tfCDROM->setText(QStringLiteral("D:"));
        s.tfCDName->setText(QStringLiteral("Scan %1").arg(r));
        s.tfCDFormat->setText(QStringLiteral("DVD"));
        s.Label1[7]->setText(QStringLiteral(" 4483"));
        s.optUnterordner->setChecked(true);
        s.optCDInfo->setChecked(true);
        // The hand-over as a walk leaves it: a walk empties the sub-entry list
        // first (the names' list the scan window emptied on opening).
        f.c.lfListeCDeinlesen->clear();
        const QStringList liste = bench::dateinamen(r, n);
        QStringList mitGroesse;
        mitGroesse.reserve(n);
        for (const QString& name : liste)
            mitGroesse << name + QStringLiteral(": 1");
        f.c.lfListeCDeinlesen->addItems(mitGroesse);
        f.c.lfListeCDEinlesenOhneGroesse->addItems(liste);
        stoppuhr.start();
        s.cmdCDÜbernehmen_Click();
        const double uebernahme = double(stoppuhr.uhr.nsecsElapsed()) / 1e6;
        f.Speichern_Click();
        if (!stoppuhr.letzte.contains(QLatin1String("wurde gespeichert!"))) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(stoppuhr.letzte));
            gescheitert = true;
        }
        if (r > 0) {  // the first round warms up
            fenster.push_back(stoppuhr.ms);
            nurUebernahme.push_back(uebernahme);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Each round starts from the same catalogue of titles.
        const QString titel = QStringLiteral("Scan %1").arg(r);
        const int gespeichert = f.datenbank
                                    ->scalar(QStringLiteral("SELECT count(*) FROM Unterordner WHERE Titel = ?"), {titel})
                                    .toInt();
        if (gespeichert != n) {
            std::fprintf(stderr, "saved %d sub-entries instead of %d\n", gespeichert, n);
            gescheitert = true;
        }
        f.datenbank->execute(QStringLiteral("DELETE FROM Unterordner WHERE Titel = ?"), {titel});
        f.datenbank->execute(QStringLiteral("DELETE FROM Filme WHERE Titel = ?"), {titel});
    }
    for (int r = 0; r <= runden; ++r) {
        const QString titel = QStringLiteral("Bar %1").arg(r);
        const double ms = barSpeichern(bank.path, titel, bench::dateinamen(1000 + r, n));
        if (r > 0)
            bar.push_back(ms);
        f.datenbank->execute(QStringLiteral("DELETE FROM Unterordner WHERE Titel = ?"), {titel});
        f.datenbank->execute(QStringLiteral("DELETE FROM Filme WHERE Titel = ?"), {titel});
    }
    const double w = bench::median(fenster);
    const double b = bench::median(bar);
    std::printf("titles %d, hand-over entries %d (rounds %d)\n", bank.n, n, runden);
    std::printf("take-over and save up to the message %.1f ms, bare %.1f ms, ratio %.2f (goal <= 2)\n", w, b, w / b);
    std::printf("of which the take-over %.1f ms\n", bench::median(nurUebernahme));
    std::printf("peak resident set %.1f MB\n", double(bench::peakRssKb()) / 1024.0);
    return gescheitert ? 1 : 0;
}
