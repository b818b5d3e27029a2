// Start-up of the main window on a catalogue of N titles, each start as a whole
// process from its start to the shown window, against two bare starts measured
// in the same run: an empty Qt window, and an empty Qt window that first makes
// the start's backup the bare way (the kernel copies the catalogue into
// "Backup", the copy is synced and renamed into place, as a safe copy must be).
// Usage: bench_start [titles=100000] [rounds=7]. The splash window's fixed
// 2000 ms are left out: the child shows the main window as soon as it is loaded.
// Goals: the start within 1.5x of the bare window with its copy; on a small
// catalogue (1,000 titles), within 2x of the bare window itself.
#include "bench/Katalogfuellung.h"
#include "catalogue/frmFilme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

int kindHauptfenster(int argc, char** argv)
{
    QApplication app(argc, argv);
    bench::StilleMeldungen meldungen;
    bench::Uhr uhr;
    sys::Services services;
    services.programFolder = QString::fromLocal8Bit(argv[3]);
    services.messages = &meldungen;
    services.clock = &uhr;
    frmFilme f(services);
    if (!f.Form_Load())
        return 1;
    f.show();
    QApplication::processEvents();
    return 0;
}

// The bare backup: catalogue to "Backup" by the kernel, synced, renamed over the last copy.
bool kernelKopie(const QString& ordner)
{
    const QByteArray quelle = QFile::encodeName(ordner + QStringLiteral("/filme.mdb"));
    const QByteArray ziel = QFile::encodeName(ordner + QStringLiteral("/Backup/kernel.bak"));
    const QByteArray temp = ziel + ".tmp";
    ::mkdir(QFile::encodeName(ordner + QStringLiteral("/Backup")).constData(), 0755);
    const int in = ::open(quelle.constData(), O_RDONLY | O_CLOEXEC);
    const int out = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ssize_t n = -1;
    if (in >= 0 && out >= 0)
        while ((n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 24, 0)) > 0) {
        }
    const bool ok = n == 0 && ::fsync(out) == 0;
    ::close(in);
    ::close(out);
    return ok && ::rename(temp.constData(), ziel.constData()) == 0;
}

// An empty window of the main window's size; with a folder, after the bare backup of its catalogue.
int kindLeer(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc > 3 && !kernelKopie(QString::fromLocal8Bit(argv[3])))
        return 1;
    QMainWindow w;
    w.resize(677, 529);
    w.show();
    QApplication::processEvents();
    return 0;
}

double laufzeit(const QString& self, const QStringList& args)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains("QT_QPA_PLATFORM"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(self, args);
    p.waitForFinished(60000);
    if (p.exitCode() != 0)
        std::fprintf(stderr, "child failed: %s\n", p.readAllStandardError().constData());
    return double(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--kind") == 0)
        return std::strcmp(argv[2], "haupt") == 0 ? kindHauptfenster(argc, argv) : kindLeer(argc, argv);

    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int runden = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    QTemporaryDir ordner;
    bench::katalogFuellen(ordner.filePath(QStringLiteral("filme.mdb")), n);
    if (!bench::cdIniSchreiben(ordner.path()))
        return 1;

    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> haupt, leer, kopie;
    laufzeit(self, {"--kind", "haupt", ordner.path()});  // warm the caches
    laufzeit(self, {"--kind", "leer", ordner.path()});
    for (int r = 0; r < runden; ++r) {
        haupt.push_back(laufzeit(self, {"--kind", "haupt", ordner.path()}));
        leer.push_back(laufzeit(self, {"--kind", "leer"}));
        kopie.push_back(laufzeit(self, {"--kind", "leer", ordner.path()}));
    }
    const double h = bench::median(haupt), l = bench::median(leer), k = bench::median(kopie);
    std::printf("titles                    %d (catalogue %.1f MB)\n", n,
                double(QFileInfo(ordner.filePath(QStringLiteral("filme.mdb"))).size()) / 1e6);
    std::printf("main window (ms)          %.1f   (process start to the shown main window, backup included)\n", h);
    std::printf("bare window (ms)          %.1f   (process start to a shown empty QMainWindow)\n", l);
    std::printf("bare window + copy (ms)   %.1f   (the same after a kernel copy of the catalogue, synced)\n", k);
    std::printf("ratio to window + copy    %.2f   (goal < 1.5)\n", h / k);
    std::printf("ratio to bare window      %.2f   (goal < 2 at 1,000 titles)\n", h / l);
    return 0;
}
