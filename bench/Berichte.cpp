// The reports' lower layers against the bare work they do, in one run:
// - HTML: the "Alle" report of N titles (every page) through the row source
//   and the writer, against the same SELECT stepped through the SQLite C API
//   plus the report's exact bytes (read back beforehand) written to the same
//   file names with plain buffered writes; and the writer alone (rows already
//   in memory) against the bytes alone, and against the bytes replaced as the
//   writer replaces a page (temporary name, rename).
// - Text: "cds.txt" against the same rows read bare plus the same bytes.
// - Counters: the thirteen counters and the size estimate against the same
//   aggregates through the C API on a connection with our functions.
// - The windows: the HTML window's "Alle" from the click to the last file
//   closed (the browser a stub), against the same bare work as above; the
//   number statistics' opening (first and second, when the derived tables
//   exist) against the same aggregates (four groupings, the counters, the
//   estimate's sums) through the C API.
// - Printing: the list of N titles in the "W"/"KF" layout through the printer
//   service into a PDF, against the same items drawn with a bare QPainter at
//   the same positions on a PDF QPrinter.
// Usage: bench_berichte [titles=100000] [rounds=3].
#include "bench/Grundlinie.h"
#include "bench/Katalogfuellung.h"
#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "platform/db/SqlFunctions.h"
#include "platform/system/QtPrinter.h"
#include "platform/vb/VbRuntime.h"
#include "reports/HTMLBericht.h"
#include "reports/Katalogzaehler.h"
#include "reports/Textexport.h"
#include "reports/Zeilenquelle.h"
#include "reports/frmHTML.h"
#include "reports/frmStatistik.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QApplication>
#include <QPainter>
#include <QPrinter>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

const QString AlleSql = QStringLiteral("SELECT Titel, Cat, Format, Qualität, Mappe FROM Filme ORDER BY Titel COLLATE DEUTSCH");
const QString TextSql = QStringLiteral("SELECT * FROM Filme ORDER BY Titel COLLATE DEUTSCH");

struct Datei {
    QByteArray name;
    QByteArray bytes;
};

// The files as they stand, to be written again by the bare runs.
std::vector<Datei> dateienLesen(const QStringList& pfade)
{
    std::vector<Datei> dateien;
    for (const QString& p : pfade) {
        QFile f(p);
        f.open(QIODevice::ReadOnly);
        dateien.push_back({p.toUtf8(), f.readAll()});
    }
    return dateien;
}

void dateienSchreiben(const std::vector<Datei>& dateien)
{
    for (const Datei& d : dateien) {
        std::FILE* aus = std::fopen(d.name.constData(), "wb");
        std::fwrite(d.bytes.constData(), 1, size_t(d.bytes.size()), aus);
        std::fclose(aus);
    }
}

// The same bytes the way the writer replaces a page: under a temporary name
// beside it, renamed over the name when whole. On ext4 the new file per page
// (an inode made, the old one freed) costs about as much again as the plain
// overwrite, so this shows how much of a ratio is the safe replace itself.
void dateienSicherSchreiben(const std::vector<Datei>& dateien)
{
    for (const Datei& d : dateien) {
        const QByteArray tmp = d.name + ".tmp";
        std::FILE* aus = std::fopen(tmp.constData(), "wb");
        std::fwrite(d.bytes.constData(), 1, size_t(d.bytes.size()), aus);
        std::fclose(aus);
        std::rename(tmp.constData(), d.name.constData());
    }
}

// Steps a query through the C API, touching every value as the writers do.
long long schrittweise(sqlite3* h, const QString& sql)
{
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, sql.toUtf8().constData(), -1, &s, nullptr);
    const int spalten = sqlite3_column_count(s);
    long long summe = 0;
    while (sqlite3_step(s) == SQLITE_ROW)
        for (int c = 0; c < spalten; ++c)
            summe += sqlite3_column_bytes(s, c) + (sqlite3_column_text(s, c) ? 1 : 0);
    sqlite3_finalize(s);
    return summe;
}

double scalar(sqlite3* h, const char* sql)
{
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, sql, -1, &s, nullptr);
    double wert = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_double(s, 0) : 0;
    sqlite3_finalize(s);
    return wert;
}

QStringList seitendateien(const QString& ordner)
{
    QStringList pfade;
    for (const QString& n : QDir(ordner).entryList({QStringLiteral("CDs*.HTML")}, QDir::Files))
        pfade << ordner + QLatin1Char('/') + n;
    return pfade;
}

// The list layout "W"/"KF": column and width of each item (0: whole).
struct Spalte {
    int spalte;
    int breite;
};
const Spalte Layout[] = {{1, 0}, {55, 18}, {71, 14}, {85, 4}, {96, 18}, {110, 15}};
const char* const Kopf[] = {"Titel", "Kategorie", "Format", "Qualität", "Mappe", "Wer"};

std::vector<QStringList> listenzeilen(db::Database& d)
{
    std::vector<QStringList> zeilen;
    db::RowReader r(d, QStringLiteral("SELECT Titel, Cat, Format, Qualität, Mappe, Wer FROM Filme ORDER BY Titel "
                                      "COLLATE DEUTSCH"));
    while (r.next()) {
        QStringList z;
        for (int c = 0; c < 6; ++c)
            z << (Layout[c].breite ? vb::fixedString(r.value(c).toString(), Layout[c].breite) : r.value(c).toString());
        zeilen.push_back(z);
    }
    return zeilen;
}

int drucken(sys::QtPrinter& drucker, const std::vector<QStringList>& zeilen)
{
    for (int c = 0; c < 6; ++c)
        drucker.print(Layout[c].spalte, QString::fromUtf8(Kopf[c]));
    drucker.newLine();
    drucker.newLine();
    for (const QStringList& z : zeilen) {
        for (int c = 0; c < 6; ++c)
            drucker.print(Layout[c].spalte, z[c]);
        drucker.newLine();
    }
    const int proSeite = drucker.zeilenProSeite();
    drucker.endDoc();
    return proSeite;
}

// The same items with a bare painter: same font, same positions, same feeds.
int bareDrucken(const QString& pdf, const std::vector<QStringList>& zeilen)
{
    QPrinter p(QPrinter::HighResolution);
    p.setPageOrientation(QPageLayout::Portrait);
    p.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(pdf);
    sys::QtPrinter service;
    service.pdfAusgabe(pdf);
    QPainter maler(&p);
    const QFont f(service.font(), &p);
    maler.setFont(f);
    const QFontMetricsF m(f, &p);
    const double spalte = m.horizontalAdvance(QLatin1Char('x')), zeile = m.lineSpacing(), oben = m.ascent();
    const double höhe = p.pageLayout().paintRectPixels(p.resolution()).height();
    double y = 0;
    int seiten = 1;
    auto zeichnen = [&](const QStringList& texte) {
        double x = 0;
        for (int c = 0; c < 6; ++c) {
            const double start = (Layout[c].spalte - 1) * spalte;
            if (x > start + 1e-9)
                y += zeile;
            if (y + zeile > höhe && y > 0) {
                p.newPage();
                ++seiten;
                y = 0;
            }
            maler.drawText(QPointF(start, y + oben), texte[c]);
            x = start + m.horizontalAdvance(texte[c]);
        }
        y += zeile;
    };
    QStringList kopf;
    for (const char* k : Kopf)
        kopf << QString::fromUtf8(k);
    zeichnen(kopf);
    y += zeile;
    for (const QStringList& z : zeilen)
        zeichnen(z);
    maler.end();
    return seiten;
}

// The browser of a benchmark opens nothing; it notes when it was asked, which
// is when the report's last file was closed.
class StummeShell : public sys::Shell {
public:
    bool open(const QString&) override
    {
        geöffnet = double(uhr.nsecsElapsed()) / 1e6;
        return true;
    }
    QElapsedTimer uhr;
    double geöffnet = 0;
    bool start(const QString&, const QStringList&) override { return true; }
};

class Katalogname : public frame::Hauptfenster {
public:
    QWidget* fenster() override { return nullptr; }
    void przAktualisieren() override {}
    void przlesen() override {}
    QString tfDBName() const override { return QStringLiteral("filme"); }
};

void zeile(const char* was, double schicht, double bar, const char* wie)
{
    std::printf("%-26s %9.1f ms  bare %9.1f ms  ratio %5.2f  (%s)\n", was, schicht, bar, schicht / bar, wie);
}

}  // namespace

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    bench::Katalogbank bank(argc, argv, 3);
    const QString ordner = bank.folder.path();
    std::printf("titles %d, rounds %d\n", bank.n, bank.runden);

    // HTML: query and writer against the bare read and the same bytes.
    const QString seite1 = ordner + QStringLiteral("/CDs.HTML");
    auto htmlSchicht = [&] {
        auto d = db::Database::open(bank.path);
        reports::Abfragequelle quelle(*d, AlleSql);
        if (!reports::dbTableToHTML(quelle, seite1, QStringLiteral("CD Liste"), QStringLiteral("CD Liste"), 100)
                 .geschrieben)
            std::exit(1);
    };
    htmlSchicht();
    const std::vector<Datei> seiten = dateienLesen(seitendateien(ordner));
    qint64 htmlBytes = 0;
    for (const Datei& s : seiten)
        htmlBytes += s.bytes.size();
    const double html = bench::median(bank.runden, htmlSchicht);
    const double htmlBar = bench::median(bank.runden, [&] {
        sqlite3* h = bench::bareÖffnen(bank.path);
        schrittweise(h, AlleSql);
        sqlite3_close(h);
        dateienSchreiben(seiten);
    });
    std::vector<QVariantList> imSpeicher;
    {
        auto d = db::Database::open(bank.path);
        reports::Abfragequelle quelle(*d, AlleSql);
        for (; !quelle.amEnde(); quelle.weiter()) {
            QVariantList z;
            for (int c = 0; c < 5; ++c)
                z << quelle.wert(c);
            imSpeicher.push_back(z);
        }
    }
    const QStringList felder = {"Titel", "Cat", "Format", "Qualität", "Mappe"};
    const double schreiber = bench::median(bank.runden, [&] {
        reports::Tabellenquelle quelle(QStringLiteral("Filme"), felder, imSpeicher);
        reports::dbTableToHTML(quelle, seite1, QStringLiteral("CD Liste"), QStringLiteral("CD Liste"), 100);
    });
    const double bytes = bench::median(bank.runden, [&] { dateienSchreiben(seiten); });
    const double sicher = bench::median(bank.runden, [&] { dateienSicherSchreiben(seiten); });

    // Text export.
    const QString txt = ordner + QStringLiteral("/cds.txt");
    auto textSchicht = [&] {
        auto d = db::Database::open(bank.path);
        if (!reports::textexportSchreiben(*d, txt))
            std::exit(1);
    };
    textSchicht();
    const std::vector<Datei> textdatei = dateienLesen({txt});
    const double text = bench::median(bank.runden, textSchicht);
    const double textBar = bench::median(bank.runden, [&] {
        sqlite3* h = bench::bareÖffnen(bank.path);
        schrittweise(h, TextSql);
        sqlite3_close(h);
        dateienSchreiben(textdatei);
    });

    // Counters and size estimate.
    const reports::Sprachcodes codes{QStringLiteral("dt"), QStringLiteral("en"), QStringLiteral("dt/en")};
    QString volumen;
    const double zähler = bench::median(bank.runden, [&] {
        auto d = db::Database::open(bank.path);
        for (const auto& z : reports::zählerzeilen())
            reports::zählen(*d, z.zähler, codes);
        volumen = reports::przDatenvolumen(*d).lbByteges;
    });
    const double zählerBar = bench::median(bank.runden, [&] {
        sqlite3* h = bench::bareÖffnen(bank.path);
        for (const char* sql :
             {"SELECT count(*) FROM Filme", "SELECT COUNT(*) FROM Filme WHERE Wer NOT LIKE '-'",
              "SELECT COUNT(Format) FROM Filme WHERE Format LIKE 'DVD*'",
              "SELECT SUM(Anzahl) FROM Filme WHERE NOT Format LIKE 'DVD*'",
              "SELECT COUNT(*) FROM Filme WHERE Dten LIKE 'dt/en'", "SELECT COUNT(*) FROM Filme WHERE Dten LIKE 'en'",
              "SELECT COUNT(*) FROM Filme WHERE Dten LIKE 'dt'", "SELECT COUNT(*) FROM Filme WHERE Dten LIKE '-'",
              "SELECT COUNT(*) FROM Filme WHERE Cover LIKE '-'", "SELECT COUNT(*) FROM Filme WHERE Info LIKE '-'",
              "SELECT COUNT(*) FROM Filme WHERE Size LIKE '0'",
              "SELECT COUNT(*) FROM Filme WHERE Format = 'DVD' AND Size > '4500'",
              "SELECT COUNT(*) FROM Filme WHERE Format = 'DVD' AND Size < '4500'",
              "SELECT sum(denum(Size)) FROM Filme WHERE Format LIKE 'DVD*'",
              "SELECT COUNT(Size) FROM Filme WHERE Format LIKE 'DVD*' AND Size = '0'",
              "SELECT sum(denum(Size)) FROM Filme WHERE NOT Format LIKE 'DVD*' AND Size > '0'",
              "SELECT SUM(Anzahl) FROM Filme WHERE NOT Format LIKE 'DVD*' AND Size = '0'"})
            scalar(h, sql);
        sqlite3_close(h);
    });

    // The windows.
    StummeShell shell;
    bank.services.shell = &shell;
    Katalogname haupt;
    frmHTML htmlFenster(bank.services, haupt);
    htmlFenster.Form_Load();
    std::vector<double> bisGeschlossen;
    const double htmlKlick = bench::median(bank.runden, [&] {
        shell.uhr.start();
        htmlFenster.cmdAlle_Click();
        bisGeschlossen.push_back(shell.geöffnet);
    });
    auto öffnen = [&] {
        frmStatistik s(bank.services, haupt);
        s.Form_Load();
    };
    QElapsedTimer erste;
    erste.start();
    öffnen();
    const double statistikErste = double(erste.nsecsElapsed()) / 1e6;
    const double statistik = bench::median(bank.runden, öffnen);
    const double statistikBar = bench::median(bank.runden, [&] {
        sqlite3* h = bench::bareÖffnen(bank.path);
        for (const char* spalte : {"Format", "Cat", "Qualität", "Mappe"})
            schrittweise(h, QStringLiteral("SELECT %1, count(%1) FROM Filme WHERE %1 IS NOT NULL AND %1 <> '' "
                                           "GROUP BY %1 COLLATE DEUTSCH ORDER BY %1 COLLATE DEUTSCH")
                                .arg(QString::fromUtf8(spalte)));
        sqlite3_close(h);
    }) + zählerBar;

    // Printing.
    std::vector<QStringList> liste;
    {
        auto d = db::Database::open(bank.path);
        liste = listenzeilen(*d);
    }
    const QString pdf = ordner + QStringLiteral("/liste.pdf");
    const QString pdfBar = ordner + QStringLiteral("/bare.pdf");
    int proSeite = 0, gedruckteSeiten = 0, bareSeiten = 0;
    const double druck = bench::median(bank.runden, [&] {
        sys::QtPrinter drucker;
        drucker.pdfAusgabe(pdf);
        proSeite = drucken(drucker, liste);
        gedruckteSeiten = drucker.seiten();
    });
    const double druckBar = bench::median(bank.runden, [&] { bareSeiten = bareDrucken(pdfBar, liste); });
    // To look at the printout: RDX_BENCH_PDF names where a copy goes.
    if (qEnvironmentVariableIsSet("RDX_BENCH_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("RDX_BENCH_PDF"));

    zeile("HTML Alle (query+writer)", html, htmlBar,
          qPrintable(QStringLiteral("%1 pages, %2 MB").arg(seiten.size()).arg(double(htmlBytes) / 1e6, 0, 'f', 1)));
    zeile("HTML writer alone", schreiber, bytes, "rows in memory against the bytes alone");
    zeile("HTML writer, safe replace", schreiber, sicher, "the same against the bytes through tmp + rename");
    zeile("HTML Alle click to closed", bench::median(bisGeschlossen), htmlBar,
          qPrintable(QStringLiteral("frmHTML; with the five boxes refilled after it %1 ms").arg(htmlKlick, 0, 'f', 1)));
    zeile("Statistics opening", statistik, statistikBar,
          qPrintable(QStringLiteral("second opening; the first took %1 ms").arg(statistikErste, 0, 'f', 1)));
    zeile("Text cds.txt", text, textBar,
          qPrintable(QStringLiteral("%1 MB").arg(double(textdatei[0].bytes.size()) / 1e6, 0, 'f', 1)));
    zeile("Counters + estimate", zähler, zählerBar, qPrintable(QStringLiteral("total %1 GB").arg(volumen)));
    zeile("Printing to PDF", druck, druckBar,
          qPrintable(QStringLiteral("%1 pages (bare %2, %3 lines a page, arithmetic %4), %5 MB")
                         .arg(gedruckteSeiten)
                         .arg(bareSeiten)
                         .arg(proSeite)
                         .arg(proSeite ? (bank.n + 2 + proSeite - 1) / proSeite : 0)
                         .arg(double(QFileInfo(pdf).size()) / 1e6, 0, 'f', 1)));
    std::printf("peak resident %.1f MB (goal < 300)\n", double(bench::peakRssKb()) / 1024.0);
    std::printf("goals: every ratio <= 2.00\n");
    return 0;
}
