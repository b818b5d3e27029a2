// Start-up of the main window on a catalogue of N titles, each start as a whole
// process from its start to the shown main window, against bare starts
// measured in the same run:
// - the bare window: an empty Qt window of the main window's size;
// - the baseline: the same window after the work a start must do, done the
//   bare way: the kernel copies the catalogue into "Backup" (synced, renamed
//   into place), `pragma quick_check` reads the copy, and a plain connection
//   with our functions registered runs the start's statements (the schema
//   version, the title count, the combo boxes' DISTINCT lists) and reads their
//   rows as texts.
// Each child prints the time of its parts and ends as soon as its window is
// shown; the medians are printed side by side, the rest of a process (loading
// the program, ending it) as "process".
// Usage: bench_start [titles=100000] [rounds=7]. The splash window's fixed
// 2000 ms are left out: the child shows the main window as soon as it is loaded.
// Goals: the start within 1.5x of the baseline; on a small catalogue
// (1,000 titles), within 2x of the bare window itself.
#include "bench/Katalogfuellung.h"
#include "catalogue/frmFilme.h"
#include "platform/db/SqlFunctions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A child's parts, in the order they ran, printed as "name ms" lines for the parent.
class Teile {
public:
    Teile() { m_uhr.start(); }
    void ende(const char* teil)
    {
        std::printf("%s %.3f\n", teil, double(m_uhr.nsecsElapsed()) / 1e6);
        m_uhr.restart();
    }

private:
    QElapsedTimer m_uhr;
};

// The clock stops at the shown window: a child ends there, without taking its window down.
int fertig()
{
    std::fflush(stdout);
    ::_exit(0);
}

int kindHauptfenster(int argc, char** argv)
{
    Teile teile;
    QApplication app(argc, argv);
    teile.ende("app");
    bench::StilleMeldungen meldungen;
    bench::Uhr uhr;
    sys::Services services;
    services.programFolder = QString::fromLocal8Bit(argv[3]);
    services.messages = &meldungen;
    services.clock = &uhr;
    frmFilme f(services);
    teile.ende("fenster");
    if (!f.Form_Load())
        return 1;
    teile.ende("laden");
    f.show();
    QApplication::processEvents();
    teile.ende("zeigen");
    return fertig();
}

// The bare backup: catalogue to "Backup" by the kernel, synced, renamed over the last copy.
bool kernelKopie(const QString& quelle, const QString& ziel)
{
    const QByteArray von = QFile::encodeName(quelle);
    const QByteArray nach = QFile::encodeName(ziel);
    const QByteArray temp = nach + ".tmp";
    const int in = ::open(von.constData(), O_RDONLY | O_CLOEXEC);
    const int out = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ssize_t n = -1;
    if (in >= 0 && out >= 0)
        while ((n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 24, 0)) > 0) {
        }
    const bool ok = n == 0 && ::fsync(out) == 0;
    ::close(in);
    ::close(out);
    return ok && ::rename(temp.constData(), nach.constData()) == 0;
}

// Runs a statement, reads every row's first column as text; false when it fails.
bool zeilenLesen(sqlite3* h, const char* sql, QStringList& texte)
{
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(h, sql, -1, &s, nullptr) != SQLITE_OK)
        return false;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        if (sqlite3_column_type(s, 0) != SQLITE_NULL)
            texte << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)),
                                       sqlite3_column_bytes(s, 0));
    }
    sqlite3_finalize(s);
    return rc == SQLITE_DONE;
}

bool schnellPrüfen(const QString& datei)
{
    sqlite3* h = nullptr;
    QStringList befund;
    const bool ok = sqlite3_open_v2(QFile::encodeName(datei).constData(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
                    && zeilenLesen(h, "PRAGMA quick_check(1)", befund) && befund == QStringList{QStringLiteral("ok")};
    sqlite3_close(h);
    return ok;
}

// The start's statements, as the start runs them (the combo boxes in the order it fills them).
bool anweisungen(const QString& datei)
{
    static const char* const sql[] = {
        "SELECT nr FROM Version",
        "SELECT COUNT(*) FROM Filme",
        "Select Distinct Format COLLATE DEUTSCH AS Format from Filme Order by Format COLLATE DEUTSCH",
        "Select Distinct Qualität COLLATE DEUTSCH AS Qualität from Filme Order by Qualität COLLATE DEUTSCH",
        "Select Distinct Mappe COLLATE DEUTSCH AS Mappe from Filme Order by Mappe COLLATE DEUTSCH",
        "Select Distinct Anzahl COLLATE DEUTSCH AS Anzahl from Filme Order by Anzahl COLLATE DEUTSCH",
        "Select Distinct Wer COLLATE DEUTSCH AS Wer from Filme Order by Wer COLLATE DEUTSCH",
        "Select Distinct Dten COLLATE DEUTSCH AS Dten from Filme Order by Dten COLLATE DEUTSCH",
        "Select Distinct Cat COLLATE DEUTSCH AS Cat from Filme Order by Cat COLLATE DEUTSCH",
    };
    sqlite3* h = nullptr;
    bool ok = sqlite3_open_v2(QFile::encodeName(datei).constData(), &h, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    if (ok)
        db::registerSqlFunctions(h);
    QStringList texte;
    for (const char* s : sql)
        ok = ok && zeilenLesen(h, s, texte);
    sqlite3_close(h);
    return ok;
}

// An empty window of the main window's size; with a folder, after the start's work done the bare way.
int kindLeer(int argc, char** argv)
{
    Teile teile;
    QApplication app(argc, argv);
    teile.ende("app");
    if (argc > 3) {
        const QString ordner = QString::fromLocal8Bit(argv[3]);
        const QString katalog = ordner + QStringLiteral("/filme.mdb");
        const QString kopie = ordner + QStringLiteral("/Backup/kernel.bak");
        ::mkdir(QFile::encodeName(ordner + QStringLiteral("/Backup")).constData(), 0755);
        if (!kernelKopie(katalog, kopie))
            return 1;
        teile.ende("kopie");
        if (!schnellPrüfen(kopie))
            return 1;
        teile.ende("prüfung");
        if (!anweisungen(katalog))
            return 1;
        teile.ende("abfragen");
    }
    QMainWindow w;
    w.resize(677, 529);
    teile.ende("fenster");
    w.show();
    QApplication::processEvents();
    teile.ende("zeigen");
    return fertig();
}

// One start as a whole process; its parts' times go into teile, the whole under "gesamt".
bool lauf(const QString& self, const QStringList& args, QMap<QString, std::vector<double>>& teile)
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
    const double gesamt = double(t.nsecsElapsed()) / 1e6;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "child failed: %s\n", p.readAllStandardError().constData());
        return false;
    }
    double summe = 0;
    for (const QByteArray& zeile : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> feld = zeile.split(' ');
        if (feld.size() != 2)
            continue;
        teile[QString::fromUtf8(feld[0])].push_back(feld[1].toDouble());
        summe += feld[1].toDouble();
    }
    teile[QStringLiteral("process")].push_back(gesamt - summe);
    teile[QStringLiteral("gesamt")].push_back(gesamt);
    return true;
}

double med(const QMap<QString, std::vector<double>>& teile, const char* teil)
{
    const auto it = teile.constFind(QString::fromUtf8(teil));
    return it == teile.constEnd() || it->empty() ? 0.0 : bench::median(*it);
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
    const QStringList haupt{"--kind", "haupt", ordner.path()}, leer{"--kind", "leer"},
        basis{"--kind", "leer", ordner.path()};
    QMap<QString, std::vector<double>> h, l, b;
    // Warm the caches.
    if (!lauf(self, haupt, h) || !lauf(self, basis, b) || !lauf(self, leer, l))
        return 1;
    h.clear();
    b.clear();
    l.clear();
    for (int r = 0; r < runden; ++r) {
        if (!lauf(self, haupt, h) || !lauf(self, leer, l) || !lauf(self, basis, b))
            return 1;
    }

    std::printf("titles %d (catalogue %.1f MB), %d rounds; medians in ms\n", n,
                double(QFileInfo(ordner.filePath(QStringLiteral("filme.mdb"))).size()) / 1e6, runden);
    std::printf("                          start  baseline  bare window\n");
    std::printf("process (load, end)      %6.1f    %6.1f       %6.1f\n", med(h, "process"), med(b, "process"),
                med(l, "process"));
    std::printf("QApplication             %6.1f    %6.1f       %6.1f\n", med(h, "app"), med(b, "app"), med(l, "app"));
    std::printf("window built             %6.1f    %6.1f       %6.1f\n", med(h, "fenster"), med(b, "fenster"),
                med(l, "fenster"));
    std::printf("load step                %6.1f    %6.1f              (baseline: the three parts below)\n",
                med(h, "laden"), med(b, "kopie") + med(b, "prüfung") + med(b, "abfragen"));
    std::printf("  copy into \"Backup\"                %6.1f\n", med(b, "kopie"));
    std::printf("  quick_check of the copy           %6.1f\n", med(b, "prüfung"));
    std::printf("  version, count, combo lists       %6.1f\n", med(b, "abfragen"));
    std::printf("shown                    %6.1f    %6.1f       %6.1f\n", med(h, "zeigen"), med(b, "zeigen"),
                med(l, "zeigen"));
    std::printf("whole start              %6.1f    %6.1f       %6.1f\n", med(h, "gesamt"), med(b, "gesamt"),
                med(l, "gesamt"));
    std::printf("ratio to the baseline    %.2f   (goal < 1.5)\n", med(h, "gesamt") / med(b, "gesamt"));
    std::printf("ratio to the bare window %.2f   (goal < 2 at 1,000 titles)\n", med(h, "gesamt") / med(l, "gesamt"));
    return 0;
}
