// What an accessibility client reads of the main window after a disc walk of
// many folders: every interface of the window, recursively, as a client walks
// a window's tree, once on a window whose hand-over lists hold the walk's
// entries and once on a window before any walk (both read for the first time).
// The walk is the scan window's own, on a disc of `folders` folders with two
// files each, on a catalogue of 1,000 titles (by default).
// Usage: bench_zugangsbaum [folders=33000] [rounds=3] [titles=1000]
// Prints the medians, the ratio of the two reads and the goal: after the
// walk at 33,000 folders the tree is read in under 1 s.
#include "bench/EinLaufwerk.h"
#include "bench/Fensterbank.h"
#include "bench/Grundlinie.h"
#include "catalogue/frmFilme.h"
#include "platform/vb/HiddenListBox.h"
#include "platform/vb/VbControls.h"
#include "scan/frmCDeinlesen.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Lesung {
    double ms = 0;
    long schnittstellen = 0;
    qsizetype uebergeben = 0;  // entries the walk handed to the main window
};

// A fresh main window, after the walk of the disc when `laufen`; its tree read once.
Lesung fenster(bench::Katalogbank& bank, bool laufen)
{
    Lesung l;
    const auto f = bench::hauptfenster(bank, bench::Stand::gelistet);
    if (!f)
        return l;
    if (laufen) {
        f->c.Neu->click();
        f->cmdCDeinlesen_Click();
        scan::frmCDeinlesen& s = *f->scanfenster();
        s.List1->setCurrentRow(0);
        s.List1_Click();
        l.uebergeben = f->c.lfListeCDeinlesen->count() + f->c.lfListeCDEinlesenOhneGroesse->count();
        s.cmdAbbrechen_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QCoreApplication::processEvents();
    l.ms = bench::messen(
        [&] { l.schnittstellen = bench::zugangLesen(QAccessible::queryAccessibleInterface(f.get())); });
    return l;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    const long ordner = argc > 1 ? std::max(1L, std::atol(argv[1])) : 33000;
    const int runden = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    char tausend[] = "1000";
    char* titel[] = {argv[0], argc > 3 ? argv[3] : tausend};
    bench::Katalogbank bank(2, titel);
    QTemporaryDir discordner;
    const QString wurzel = discordner.filePath(QStringLiteral("disc"));
    if (!discordner.isValid() || !QDir().mkpath(wurzel) || !bench::ordnerBaum(wurzel, ordner)) {
        std::fprintf(stderr, "cannot make the disc\n");
        return 1;
    }
    bench::EinLaufwerk disc(QStringLiteral("D:"), sys::drivetype::CdRom, QStringLiteral("ORDNER"), wurzel);
    bank.services.drives = &disc;

    std::vector<double> nachher, vorher;
    Lesung n, v;
    for (int r = 0; r < runden; ++r) {
        n = fenster(bank, true);
        v = fenster(bank, false);
        nachher.push_back(n.ms);
        vorher.push_back(v.ms);
    }
    const double a = bench::median(nachher);
    const double b = bench::median(vorher);
    std::printf("titles %d, disc folders %ld, entries handed to the main window %lld (rounds %d)\n", bank.n, ordner,
                static_cast<long long>(n.uebergeben), runden);
    std::printf("main window's tree after the walk %.1f ms (%ld interfaces), before any walk %.1f ms (%ld "
                "interfaces), ratio %.2f (goal: under 1000 ms)\n",
                a, n.schnittstellen, b, v.schnittstellen, a / b);
    std::printf("peak resident set %.1f MB\n", double(bench::peakRssKb()) / 1024.0);
    return n.uebergeben > 0 ? 0 : 1;
}
