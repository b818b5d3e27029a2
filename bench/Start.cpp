// Start-up of the main window on a catalogue of N titles, against the start of
// a bare Qt window, each as a whole process from its start to the shown window.
// Usage: bench_start [titles=100000] [rounds=7]. The splash window's fixed
// 2000 ms are left out: the child shows the main window as soon as it is loaded.
// Prints both medians and the ratio (goal: under 2).
#include "bench/Katalogfuellung.h"
#include "catalogue/frmFilme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

class Uhr : public sys::Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

int kindHauptfenster(int argc, char** argv)
{
    QApplication app(argc, argv);
    bench::StilleMeldungen meldungen;
    Uhr uhr;
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

int kindLeer(int argc, char** argv)
{
    QApplication app(argc, argv);
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
    QFile ini(ordner.filePath(QStringLiteral("Cd.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write("[DB]\r\nDB Name0=filme\r\n[Design]\r\nDefault=0\r\nHintergrundfarbe=1\r\nBackcolor=16777215\r\n"
              "[Funktionen]\r\nSortierung=KF\r\n6tes Feld=W\r\n");
    ini.close();

    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> haupt, leer;
    laufzeit(self, {"--kind", "haupt", ordner.path()});  // warm the caches
    for (int r = 0; r < runden; ++r) {
        haupt.push_back(laufzeit(self, {"--kind", "haupt", ordner.path()}));
        leer.push_back(laufzeit(self, {"--kind", "leer"}));
    }
    const double h = bench::median(haupt), l = bench::median(leer);
    std::printf("titles               %d\n", n);
    std::printf("main window (ms)     %.1f   (process start to the shown main window, backup included)\n", h);
    std::printf("bare window (ms)     %.1f   (process start to a shown empty QMainWindow)\n", l);
    std::printf("ratio                %.2f   (goal < 2)\n", h / l);
    return 0;
}
