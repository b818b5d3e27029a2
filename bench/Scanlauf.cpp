// The scan's walk core (walk, format rules, listing rule, path list, sizes and
// the entry texts) over a film-like tree, against a bare fts walk of the same
// tree that sorts each folder by the same comparison and sums the file sizes.
// Then the folders of a local disk ("mit HDD", a click on "C:"): the window's
// whole click until every folder is a row of its drive list, against a bare
// fts walk of the same folders in the same order, each folder's path made a
// text; where an accessibility bridge is active (bench/MitZugang.sh), the
// click once more after a client has read the window.
// Usage: bench_scanlauf [files=70000] [rounds=5] [folders=40000]
// Prints the medians (warm cache, after one warm-up round), the ratio (goal at
// 70,000 files: at most 1.5), the whole Dir1_Change of the scan window with its
// lists filled (goal: within 4 of the same baseline), the memory one walk takes
// at its peak and what its lists keep afterwards, the folder search (goal at
// 40,000 folders: within 2 of its baseline, with and without accessibility) and
// the peak resident set (goal: under 250 MB).
#include "bench/EinLaufwerk.h"
#include "bench/Grundlinie.h"
#include "bench/Katalogfuellung.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/DirListBox.h"
#include "platform/vb/HiddenListBox.h"
#include "scan/Durchsuchung.h"
#include "scan/frmCDeinlesen.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <fts.h>
#include <malloc.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

const char* const Endungen[] = {".avi", ".mpg", ".txt", ".jpg", ".mp3", ".nfo", ".srt", ".VOB"};

// About 20 files a folder, three levels deep.
bool baumAnlegen(const QString& wurzel, long dateien)
{
    long n = 0;
    for (int a = 0; n < dateien; ++a) {
        for (int b = 0; b < 15 && n < dateien; ++b) {
            for (int c = 0; c < 12 && n < dateien; ++c) {
                const QString ordner =
                    QStringLiteral("%1/Staffel %2/Folge_%3/Teil %4").arg(wurzel).arg(a).arg(b).arg(c);
                if (!QDir().mkpath(ordner))
                    return false;
                for (int f = 0; f < 20 && n < dateien; ++f, ++n) {
                    QFile datei(ordner + QStringLiteral("/Der Film %1 (Teil %2)").arg(n).arg(f)
                                + QLatin1String(Endungen[n % 8]));
                    if (!datei.open(QIODevice::WriteOnly) || !datei.resize(n % 5000))
                        return false;
                }
            }
        }
    }
    return true;
}

void kernLauf(const QString& wurzel, qsizetype* eintraege)
{
    const scan::Durchsuchung d = scan::durchsuchen(wurzel);
    *eintraege = d.eintraege.size() + d.groessen.size();
    bench::sink = bench::sink + qsizetype(d.bytes);
}

int vergleich(const FTSENT** a, const FTSENT** b)
{
    const QString x = QFile::decodeName((*a)->fts_name);
    const QString y = QFile::decodeName((*b)->fts_name);
    const int c = QString::compare(x, y, Qt::CaseInsensitive);
    return c != 0 ? c : (x < y ? -1 : (y < x ? 1 : 0));
}

void ftsLauf(const QString& wurzel)
{
    QByteArray pfad = QFile::encodeName(wurzel);
    char* pfade[] = {pfad.data(), nullptr};
    FTS* fts = ::fts_open(pfade, FTS_PHYSICAL | FTS_XDEV, vergleich);
    double summe = 0;
    while (FTSENT* e = ::fts_read(fts))
        if (e->fts_info == FTS_F)
            summe += double(e->fts_statp->st_size);
    ::fts_close(fts);
    bench::sink = bench::sink + qsizetype(summe);
}

// The main window's part of the hand-over: its two hidden lists.
class Hauptlisten : public scan::Katalogfenster {
public:
    QWidget* katalogFenster() override { return nullptr; }
    scan::Uebergabefelder uebergabe() override
    {
        scan::Uebergabefelder u;
        u.lfListeCDeinlesen = &mitGroesse;
        u.lfListeCDEinlesenOhneGroesse = &namen;
        return u;
    }
    QString tfDBName() const override { return {}; }
    void przLöschen() override {}
    void przCDVolltextsuche() override {}
    vb::HiddenListBox mitGroesse;
    vb::HiddenListBox namen;
};

// A fresh window per round, so that the lists hold one walk; only the walk
// and the filling of the lists are timed. `danach` sees the filled lists.
double fensterLauf(const sys::Services& dienste, qsizetype* zeilen,
                   const std::function<void(const scan::frmCDeinlesen&, const Hauptlisten&)>& danach = {})
{
    Hauptlisten haupt;
    scan::frmCDeinlesen fenster(dienste, haupt);
    fenster.Form_Load();
    const double ms = bench::messen([&] { fenster.Dir1->setPath(QStringLiteral("D:/")); });
    *zeilen = fenster.lfListeCDeinlesenAlles->count();
    if (danach)
        danach(fenster, haupt);
    return ms;
}

// The bare folder walk: fts over folders only (their type from the entry),
// not into other mounts, each folder in the drive list's order, its path a text.
qsizetype ftsOrdner(const QString& wurzel)
{
    QByteArray pfad = QFile::encodeName(wurzel);
    char* pfade[] = {pfad.data(), nullptr};
    FTS* fts = ::fts_open(pfade, FTS_PHYSICAL | FTS_XDEV | FTS_NOSTAT, vergleich);
    QStringList ordner;
    while (FTSENT* e = ::fts_read(fts))
        if (e->fts_info == FTS_D && e->fts_level > 0)
            ordner.append(QFile::decodeName(QByteArray(e->fts_path, e->fts_pathlen)));
    ::fts_close(fts);
    bench::sink = bench::sink + ordner.size();
    return ordner.size();
}

// A fresh window per round, as each opening is: the click on "C:" is timed,
// up to the last folder row. A listening client has read the window first.
double ordnerSuche(const sys::Services& dienste, bool zugang, qsizetype* zeilen)
{
    Hauptlisten haupt;
    scan::frmCDeinlesen fenster(dienste, haupt);
    fenster.Form_Load();
    fenster.show();
    QCoreApplication::processEvents();
    if (zugang)
        bench::zugangLesen(QAccessible::queryAccessibleInterface(&fenster));
    const double ms = bench::messen([&] {
        fenster.List1->setCurrentRow(0);
        fenster.List1_Click();
    });
    *zeilen = fenster.List1->count() - 1;
    return ms;
}

// A line of /proc/self/status in kB: "VmRSS" now, "VmHWM" the peak.
long statusKb(const std::string& feld)
{
    std::ifstream status("/proc/self/status");
    for (std::string zeile; std::getline(status, zeile);)
        if (zeile.rfind(feld + ':', 0) == 0)
            return std::stol(zeile.substr(feld.size() + 1));
    return -1;
}

// What one piece of work takes above the memory resident before it: at its
// peak, and kept by what it leaves (read by `behalten` while that lives).
struct Speicher {
    double spitzeMb = -1;
    double behaltenMb = -1;
};

// Freed memory is given back first, so that the work's pages count; the
// kernel's peak is then reset to what is resident.
long speicherBasis()
{
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    return statusKb("VmRSS");
}

double ueberBasisMb(long kb, long basis)
{
    return kb < 0 || basis < 0 ? -1 : double(kb - basis) / 1024.0;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    const long dateien = argc > 1 ? std::atol(argv[1]) : 70000;
    const int runden = argc > 2 ? std::atoi(argv[2]) : 5;
    QTemporaryDir ordner;
    const QString wurzel = ordner.filePath(QStringLiteral("disc"));
    if (!ordner.isValid() || !baumAnlegen(wurzel, dateien)) {
        std::fprintf(stderr, "cannot make the tree\n");
        return 1;
    }
    qsizetype eintraege = 0;
    kernLauf(wurzel, &eintraege);
    ftsLauf(wurzel);
    const double k = bench::median(runden, [&] { kernLauf(wurzel, &eintraege); });
    const double b = bench::median(runden, [&] { ftsLauf(wurzel); });
    QTemporaryDir programmordner;
    bench::EinLaufwerk laufwerk(QStringLiteral("D:"), sys::drivetype::CdRom, QStringLiteral("BENCH"), wurzel);
    sys::Services dienste;
    dienste.programFolder = programmordner.path();
    dienste.drives = &laufwerk;
    qsizetype zeilen = 0;
    fensterLauf(dienste, &zeilen);
    std::vector<double> fensterZeiten;
    for (int i = 0; i < runden; ++i)
        fensterZeiten.push_back(fensterLauf(dienste, &zeilen));
    std::sort(fensterZeiten.begin(), fensterZeiten.end());
    const double w = fensterZeiten[fensterZeiten.size() / 2];

    Speicher kern;
    long basis = speicherBasis();
    {
        const scan::Durchsuchung d = scan::durchsuchen(wurzel);
        ::malloc_trim(0);
        kern.behaltenMb = ueberBasisMb(statusKb("VmRSS"), basis);
    }
    kern.spitzeMb = ueberBasisMb(statusKb("VmHWM"), basis);
    Speicher fenster;
    qsizetype listenzeilen = 0;
    basis = speicherBasis();
    fensterLauf(dienste, &zeilen, [&](const scan::frmCDeinlesen& f, const Hauptlisten& haupt) {
        ::malloc_trim(0);
        fenster.behaltenMb = ueberBasisMb(statusKb("VmRSS"), basis);
        listenzeilen = f.lfListeCDeinlesen->count() + f.lfListeCDeinlesenAlles->count()
                       + f.lfListeCDeinlesenGroesse->count() + haupt.mitGroesse.count() + haupt.namen.count();
    });
    fenster.spitzeMb = ueberBasisMb(statusKb("VmHWM"), basis);

    // The folders of a local disk.
    const long ordnerzahl = argc > 3 ? std::atol(argv[3]) : 40000;
    QTemporaryDir plattenordner;
    const QString platte = plattenordner.filePath(QStringLiteral("platte"));
    if (!plattenordner.isValid() || !QDir().mkpath(platte) || !bench::ordnerBaum(platte, ordnerzahl)) {
        std::fprintf(stderr, "cannot make the disk\n");
        return 1;
    }
    bench::EinLaufwerk c(QStringLiteral("C:"), sys::drivetype::Fixed, QStringLiteral("SYSTEM"), platte);
    QTemporaryDir hddordner;
    {
        QFile ini(hddordner.filePath(QStringLiteral("Cd.ini")));
        if (!ini.open(QIODevice::WriteOnly) || ini.write("[Funktionen]\r\nmit HDD=1\r\n") < 0)
            return 1;
    }
    sys::Services hdd;
    hdd.programFolder = hddordner.path();
    hdd.drives = &c;
    qsizetype gefunden = ftsOrdner(platte);
    const double bo = bench::median(runden, [&] { ftsOrdner(platte); });
    qsizetype ordnerzeilen = 0;
    const auto suchen = [&](bool zugang) {
        ordnerSuche(hdd, zugang, &ordnerzeilen);
        std::vector<double> zeiten;
        for (int i = 0; i < runden; ++i)
            zeiten.push_back(ordnerSuche(hdd, zugang, &ordnerzeilen));
        return bench::median(zeiten);
    };
    // The accessibility bridge is active only where a client's bus is (bench/MitZugang.sh
    // makes one): then every round is also timed as a client that read the window listens.
    const bool zugangAn = bench::zugangAktiv();
    const double o = suchen(false);
    const double oz = zugangAn ? suchen(true) : 0;

    std::printf("files %ld, entry and size rows %lld\n", dateien, static_cast<long long>(eintraege));
    std::printf("walk core %.1f ms, bare fts %.1f ms, ratio %.2f (goal <= 1.5)\n", k, b, k / b);
    std::printf("whole Dir1_Change %.1f ms (%lld rows), ratio %.2f to bare fts (goal <= 4)\n", w,
                static_cast<long long>(zeilen), w / b);
    std::printf("memory of the walk core: %.1f MB at its peak, %.1f MB kept by its result\n", kern.spitzeMb,
                kern.behaltenMb);
    std::printf("memory of one Dir1_Change: %.1f MB at its peak, %.1f MB kept by the five lists afterwards "
                "(%lld rows, %.0f bytes a row)\n",
                fenster.spitzeMb, fenster.behaltenMb, static_cast<long long>(listenzeilen),
                listenzeilen > 0 ? fenster.behaltenMb * 1024 * 1024 / double(listenzeilen) : 0.0);
    std::printf("folders %ld (bare fts found %lld, the drive list %lld rows)\n", ordnerzahl,
                static_cast<long long>(gefunden), static_cast<long long>(ordnerzeilen));
    std::printf("folder search of C: %.1f ms, bare fts of the folders %.1f ms, ratio %.2f (goal <= 2)\n", o, bo,
                o / bo);
    if (zugangAn)
        std::printf("folder search of C: with an accessibility client listening %.1f ms, ratio %.2f (goal <= 2)\n",
                    oz, oz / bo);
    else
        std::printf("no accessibility bridge active here: bench/MitZugang.sh runs this with a client's bus\n");
    std::printf("peak resident %.1f MB\n", double(bench::peakRssKb()) / 1024.0);
    // A walk that listed nothing, or a drive list other than the disk's folders, measured nothing.
    bool gescheitert = false;
    if (eintraege == 0 || zeilen == 0) {
        std::fprintf(stderr, "the walk listed nothing\n");
        gescheitert = true;
    }
    if (ordnerzeilen != gefunden || gefunden != ordnerzahl) {
        std::fprintf(stderr, "the drive list holds %lld folders, the disk %lld of %ld\n",
                     static_cast<long long>(ordnerzeilen), static_cast<long long>(gefunden), ordnerzahl);
        gescheitert = true;
    }
    return gescheitert ? 1 : 0;
}
