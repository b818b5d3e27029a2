// What an accessibility client reads of the main window after a disc walk of
// many folders: every interface of the window, recursively, as a client walks
// a window's tree, once on a window whose hand-over lists hold the walk's
// entries and once on a window before any walk (both read for the first time).
// The walk is the scan window's own, on a disc of `folders` folders with two
// files each, on a catalogue of 1,000 titles (by default).
// Usage: bench_zugangsbaum [folders=33000] [rounds=3] [titles=1000]
// Prints the medians, the ratio of the two reads and the goal: after the
// walk at 33,000 folders the tree is read in under 1 s.
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

// The disc in "D:" is the tree.
class Disc : public sys::Drives {
public:
    explicit Disc(QString wurzel) : m_wurzel(std::move(wurzel)) {}
    QList<sys::Drive> list() override { return {{QStringLiteral("D:"), sys::drivetype::CdRom, m_wurzel, {}}}; }
    sys::DriveDetails details(const QString&) override { return {true, QStringLiteral("ORDNER"), {}, 0, 1, 0}; }
    QString folderOf(const QString& drivePath) override
    {
        const sys::DrivePath p = sys::splitDrivePath(drivePath);
        return p.inside.isEmpty() ? m_wurzel : m_wurzel + u'/' + p.inside;
    }
    void openTray(const QString&) override {}
    void closeTray(const QString&) override {}

private:
    QString m_wurzel;
};

// Every interface below `i`: its children, theirs, ...
long lesen(QAccessibleInterface* i, int tiefe = 0)
{
    if (!i || tiefe > 64)
        return 0;
    long n = 1;
    bench::sink = bench::sink + i->text(QAccessible::Name).size();
    const int kinder = i->childCount();
    for (int k = 0; k < kinder; ++k)
        n += lesen(i->child(k), tiefe + 1);
    return n;
}

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
    l.ms = bench::messen([&] { l.schnittstellen = lesen(QAccessible::queryAccessibleInterface(f.get())); });
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
    Disc disc(wurzel);
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
