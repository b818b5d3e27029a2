// The tools program's three heavy actions against the bare work they do:
//  1. value replacement (cmdÄndern, Format "DVD" -> "DVD-R") vs one bound
//     UPDATE in a transaction through the C API (same SQL functions registered);
//  2. compaction (DBCompact with no .bak) of a catalogue after deleting every
//     other title vs VACUUM INTO, flush and the two renames through the C API;
//  3. the grid from cmdDBAnsicht to its first paint vs counting, reading the
//     first screen's rows into the same texts and drawing them with QPainter;
//     plus the resident memory after the first paint and after scrolling to
//     the last row and back.
// Usage: bench_tools [titles=100000] [rounds=5]. Each run works on a fresh copy
// of the same file; medians of the rounds after one warm-up.
#include "bench/Katalogfuellung.h"
#include "platform/db/FileRename.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbRuntime.h"
#include "tools/FilmeModell.h"
#include "tools/frmTools.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

class StillMessages : public sys::MessageService {
public:
    int msgBox(const QString& prompt, int flags, const QString&) override
    {
        letzte = prompt;
        if ((flags & 7) == sys::mb::OkOnly && prompt.startsWith(QStringLiteral("Die ")))
            std::fprintf(stderr, "%s\n", qPrintable(prompt));
        return sys::mb::Ok;
    }
    QString letzte;
};

class StillClock : public sys::Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTimeUtc(); }
};

class StillShell : public sys::Shell {
public:
    bool open(const QString&) override { return true; }
    bool start(const QString&, const QStringList&) override { return true; }
};

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& zeile : status.readAll().split('\n'))
        if (zeile.startsWith("VmRSS:"))
            return zeile.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

struct Umgebung {
    QTemporaryDir ordner;
    QString vorlage;  // the catalogue every run starts from
    QString pfad;     // the run's copy: <folder>/filme.mdb
    StillMessages messages;
    StillClock clock;
    StillShell shell;
    bool gescheitert = false;  // a failed step measures nothing: the status says so
    sys::Services services;

    Umgebung()
    {
        vorlage = ordner.filePath(QStringLiteral("vorlage.mdb"));
        pfad = ordner.filePath(QStringLiteral("filme.mdb"));
        services.programFolder = ordner.path();
        services.title = QStringLiteral("Tools");
        services.messages = &messages;
        services.clock = &clock;
        services.shell = &shell;
        QFile ini(ordner.filePath(QStringLiteral("Cd.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[DB]\r\nDB Name0=filme\r\n[Design]\r\nDefault=0\r\n");
    }

    void frischeKopie()
    {
        for (const char* rest : {"", ".bak", ".tmp"})
            QFile::remove(pfad + QString::fromLatin1(rest));
        QFile::copy(vorlage, pfad);
    }

    std::unique_ptr<frmTools> fenster()
    {
        auto f = std::make_unique<frmTools>(services);
        f->Form_Load();
        f->cmbDBU->setCurrentIndex(0);
        emit f->cmbDBU->activated(0);
        return f;
    }
};

sqlite3* bareOpen(const QString& pfad)
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(QFile::encodeName(pfad).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    return h;
}

// ---- 1. value replacement ---------------------------------------------------

double ersetzenSchicht(Umgebung& u)
{
    u.frischeKopie();
    auto f = u.fenster();
    f->optFormat->setChecked(true);
    f->cmbCombo->setText(QStringLiteral("DVD"));
    f->cmbCombo1->setText(QStringLiteral("DVD-R"));
    QElapsedTimer t;
    t.start();
    f->cmdÄndern_Click();
    const double d = ms(t);
    if (u.messages.letzte != QStringLiteral("Aktion erfolgreich ausgeführt")) {
        std::fprintf(stderr, "replacement: %s\n", qPrintable(u.messages.letzte));
        u.gescheitert = true;
    }
    return d;
}

double ersetzenBare(Umgebung& u)
{
    u.frischeKopie();
    QElapsedTimer t;
    t.start();
    sqlite3* h = bareOpen(u.pfad);
    db::registerSqlFunctions(h);
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, "UPDATE Filme SET \"Format\" = ?1 WHERE Filme.\"Format\" = ?2 COLLATE DEUTSCH", -1, &s,
                       nullptr);
    sqlite3_bind_text(s, 1, "DVD-R", -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 2, "DVD", -1, SQLITE_STATIC);
    sqlite3_step(s);
    sqlite3_finalize(s);
    sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(h);
    return ms(t);
}

// ---- 2. compaction ----------------------------------------------------------

double komprimierenSchicht(Umgebung& u)
{
    u.frischeKopie();
    auto f = u.fenster();
    QElapsedTimer t;
    t.start();
    const bool ok = f->DBCompact(u.pfad, QString(), 1);
    const double d = ms(t);
    if (!ok) {
        std::fprintf(stderr, "compaction failed\n");
        u.gescheitert = true;
    }
    return d;
}

double komprimierenBare(Umgebung& u)
{
    u.frischeKopie();
    const QString tmp = u.pfad + QStringLiteral(".tmp");
    QElapsedTimer t;
    t.start();
    sqlite3* h = bareOpen(u.pfad);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, "VACUUM INTO ?", -1, &s, nullptr);
    const QByteArray ziel = QFile::encodeName(tmp);
    sqlite3_bind_text(s, 1, ziel.constData(), -1, SQLITE_STATIC);
    sqlite3_step(s);
    sqlite3_finalize(s);
    sqlite3_close(h);
    db::syncToDisk(tmp);
    std::rename(QFile::encodeName(u.pfad).constData(), QFile::encodeName(u.pfad + QStringLiteral(".bak")).constData());
    std::rename(ziel.constData(), QFile::encodeName(u.pfad).constData());
    db::syncToDisk(u.ordner.path());
    return ms(t);
}

// ---- 3. grid ----------------------------------------------------------------

struct GridMessung {
    double ms = 0;
    QSize groesse;
    int zeilen = 0;
};

GridMessung gridSchicht(Umgebung& u, long* rssNachMalen, long* rssNachScrollen)
{
    u.frischeKopie();
    auto f = u.fenster();
    QElapsedTimer t;
    t.start();
    f->cmdDBAnsicht_Click();
    QTableView* view = f->datagrid()->DataGrid1;
    const QPixmap bild = f->datagrid()->grab();
    GridMessung m;
    m.ms = ms(t);
    m.groesse = view->viewport()->size();
    m.zeilen = view->rowAt(view->viewport()->height() - 1) + 1;
    if (m.zeilen <= 0)
        m.zeilen = view->model()->rowCount();
    if (rssNachMalen)
        *rssNachMalen = residentKb();
    if (rssNachScrollen) {
        view->scrollToBottom();
        f->datagrid()->grab();
        view->scrollToTop();
        f->datagrid()->grab();
        *rssNachScrollen = residentKb();
    }
    return m;
}

double gridBare(Umgebung& u, const GridMessung& form, const QFont& schrift)
{
    u.frischeKopie();
    QElapsedTimer t;
    t.start();
    sqlite3* h = bareOpen(u.pfad);
    db::registerSqlFunctions(h);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, "SELECT count(*) FROM Filme", -1, &s, nullptr);
    sqlite3_step(s);
    volatile int anzahl = sqlite3_column_int(s, 0);
    (void)anzahl;
    sqlite3_finalize(s);
    sqlite3_prepare_v2(h, "SELECT * FROM Filme ORDER BY Titel COLLATE DEUTSCH, rowid LIMIT ?1", -1, &s, nullptr);
    sqlite3_bind_int(s, 1, form.zeilen);
    const int spalten = sqlite3_column_count(s);
    std::vector<QString> zellen;
    while (sqlite3_step(s) == SQLITE_ROW) {
        for (int c = 0; c < spalten; ++c) {
            QVariant wert;
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER:
            case SQLITE_FLOAT: wert = sqlite3_column_double(s, c); break;
            case SQLITE_TEXT:
                wert = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                         sqlite3_column_bytes(s, c));
                break;
            default: break;
            }
            zellen.push_back(FilmeModell::zellText(wert, c == 1, c == 8));
        }
    }
    sqlite3_finalize(s);
    sqlite3_close(h);
    QImage bild(form.groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setFont(schrift);
    const int hoehe = form.groesse.height() / std::max(1, form.zeilen);
    const int breite = 70;
    for (size_t i = 0; i < zellen.size(); ++i) {
        const int z = int(i) / spalten, c = int(i) % spalten;
        const QRect feld(c * breite, z * hoehe, breite, hoehe);
        p.drawRect(feld);
        p.drawText(feld.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, zellen[i]);
    }
    p.end();
    return ms(t);
}

void zeile(const char* name, double schicht, double bare, double ziel)
{
    std::printf("%-22s %9.1f ms   bare %9.1f ms   ratio %.2f   (goal <= %.1f)\n", name, schicht, bare, schicht / bare,
                ziel);
}

}  // namespace

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int runden = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    Umgebung u;
    bench::katalogFuellen(u.vorlage, n);
    std::printf("titles %d, rounds %d\n", n, runden);

    const auto messen = [&](const std::function<double()>& schicht, const std::function<double()>& bare) {
        schicht();
        bare();
        std::vector<double> s, b;
        for (int r = 0; r < runden; ++r) {
            s.push_back(schicht());
            b.push_back(bare());
        }
        return std::make_pair(bench::median(s), bench::median(b));
    };

    const auto [e, eb] = messen([&] { return ersetzenSchicht(u); }, [&] { return ersetzenBare(u); });
    zeile("value replacement", e, eb, 2.0);

    long rssMalen = 0, rssScrollen = 0;
    GridMessung form = gridSchicht(u, nullptr, nullptr);
    const QFont schrift = QApplication::font();
    const auto [g, gb] = messen([&] { return gridSchicht(u, nullptr, nullptr).ms; },
                                [&] { return gridBare(u, form, schrift); });
    zeile("grid first paint", g, gb, 3.0);
    gridSchicht(u, &rssMalen, &rssScrollen);
    std::printf("grid resident        %.1f MB after the first paint, %.1f MB after scrolling to the end and back "
                "(goal < 100)\n",
                double(rssMalen) / 1024, double(rssScrollen) / 1024);

    {
        // Every other title goes, so that compaction has pages to give back.
        sqlite3* h = bareOpen(u.vorlage);
        sqlite3_exec(h, "DELETE FROM Filme WHERE rowid % 2 = 0", nullptr, nullptr, nullptr);
        sqlite3_close(h);
    }
    const auto [k, kb] = messen([&] { return komprimierenSchicht(u); }, [&] { return komprimierenBare(u); });
    zeile("compaction", k, kb, 1.5);
    return u.gescheitert ? 1 : 0;
}
