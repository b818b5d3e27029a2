// The title list, the hot path of the main window, on a catalogue of N titles:
// (a) przAlleListe, the whole list in title order filled into lfListe and
// painted once; (b) przCombosFüllen, the combo fills of every refresh; (c) a
// click on the format filter that selects a tenth of the titles; and
// "Alle anzeigen" as a whole. Each against the same statements through the bare
// SQLite C API on a connection with our functions registered, stepping every
// row into the same row strings (combo entries as texts).
// Usage: bench_titelliste [titles=100000] [rounds=5]
// Prints the medians, the ratios (goal: each of a, b, c within 3) and the
// process's peak resident set (goal: under 300 MB).
#include "bench/Katalogfuellung.h"
#include "catalogue/frmFilme.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbRuntime.h"

#include <QApplication>
#include <QElapsedTimer>

#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// Keeps the baselines' rows from being optimised away.
volatile qsizetype sink = 0;

// The bare work: one connection with our functions, statements stepped by hand.
class Bar {
public:
    explicit Bar(const QString& pfad)
    {
        sqlite3_open_v2(pfad.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        db::registerSqlFunctions(m_db);
    }
    ~Bar() { sqlite3_close(m_db); }

    static QString text(sqlite3_stmt* s, int spalte)
    {
        switch (sqlite3_column_type(s, spalte)) {
        case SQLITE_NULL:
            return QString();
        case SQLITE_FLOAT:
            return vb::cstr(sqlite3_column_double(s, spalte));
        default:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, spalte)),
                                     sqlite3_column_bytes(s, spalte));
        }
    }

    sqlite3_stmt* vorbereiten(const QString& sql, const QVariantList& werte)
    {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &s, nullptr);
        for (int i = 0; i < werte.size(); ++i) {
            const QByteArray w = werte[i].toString().toUtf8();
            sqlite3_bind_text(s, i + 1, w.constData(), int(w.size()), SQLITE_TRANSIENT);
        }
        return s;
    }

    // The title rows of the list: KF order, the borrower as sixth cell.
    QStringList liste(const QString& sql, const QVariantList& werte)
    {
        sqlite3_stmt* s = vorbereiten(sql, werte);
        int titel = -1, kat = -1, format = -1, qualität = -1, mappe = -1, wer = -1;
        for (int c = 0; c < sqlite3_column_count(s); ++c) {
            const QString name = QString::fromUtf8(sqlite3_column_name(s, c));
            int* ziel = name == u"Titel" ? &titel : name == u"Cat" ? &kat : name == u"Format" ? &format
                        : name == u"Qualität" ? &qualität : name == u"Mappe" ? &mappe : name == u"Wer" ? &wer
                                                                                           : nullptr;
            if (ziel)
                *ziel = c;
        }
        QStringList zeilen;
        const QChar tab(u'\t');
        while (sqlite3_step(s) == SQLITE_ROW) {
            zeilen << text(s, titel) + tab + text(s, kat).left(10).leftJustified(18, u' ', true) + tab
                          + text(s, format).left(10).leftJustified(14, u' ', true) + tab
                          + text(s, qualität).leftJustified(4, u' ', true) + tab
                          + text(s, mappe).left(10).leftJustified(18, u' ', true) + tab
                          + text(s, wer).leftJustified(15, u' ', true);
        }
        sqlite3_finalize(s);
        return zeilen;
    }

    QStringList werte(const QString& sql)
    {
        sqlite3_stmt* s = vorbereiten(sql, {});
        QStringList einträge;
        while (sqlite3_step(s) == SQLITE_ROW) {
            if (sqlite3_column_type(s, 0) != SQLITE_NULL)
                einträge << text(s, 0);
        }
        sqlite3_finalize(s);
        return einträge;
    }

private:
    sqlite3* m_db = nullptr;
};

// The statements of the combo fills, as przCombosFüllen runs them: one per
// column (a filter box and its edit twin take the same entries).
QStringList kombiStatements(const QStringList& spalten)
{
    QStringList s;
    for (const QString& spalte : spalten) {
        const QString sql =
            QStringLiteral("Select Distinct %1 COLLATE DEUTSCH AS %1 from Filme Order by %1 COLLATE DEUTSCH").arg(spalte);
        s << sql;
    }
    return s;
}

long peakRssKb()
{
    rusage nutzung{};
    getrusage(RUSAGE_SELF, &nutzung);
    return nutzung.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::Katalogbank bank(argc, argv);
    const int n = bank.n;
    const int runden = bank.runden;
    const QString& pfad = bank.path;
    if (!bench::cdIniSchreiben(bank.folder.path()))
        return 1;
    frmFilme f(bank.services);
    if (!f.Form_Load())
        return 1;
    f.show();
    QApplication::processEvents();

    // (a) the whole list, painted once.
    const double a = bench::median(runden, [&] {
        f.przAlleListe();
        f.c.lfListe->viewport()->repaint();
    });
    const QString listenSql = f.ListenSQL;
    const int zeilenA = f.c.lfListe->count();

    // (b) the combo fills.
    const double b = bench::median(runden, [&] { f.przCombosFüllen(); });

    // (c) a format filter click.
    const int vcd = f.c.cmbFormat->findText(QStringLiteral("VCD"));
    const double c = bench::median(runden, [&] {
        f.c.cmbFormat->setCurrentIndex(vcd);
        emit f.c.cmbFormat->activated(vcd);
        f.c.lfListe->viewport()->repaint();
    });
    const QString filterSql = f.ListenSQL;
    const QVariantList filterWerte = f.ListenWerte;
    const int zeilenC = f.c.lfListe->count();

    const double alle = bench::median(runden, [&] {
        f.c.Alle->click();
        f.c.lfListe->viewport()->repaint();
    });

    Bar bar(pfad);
    int barZeilenA = 0, barZeilenC = 0;
    const QStringList alleKombis = kombiStatements({"Format", "Qualität", "Mappe", "Anzahl", "Wer", "Dten", "Cat"});
    const QStringList filterKombis = kombiStatements({"Qualität", "Mappe", "Cat", "Wer"});
    const double bareA = bench::median(runden, [&] {
        const QStringList z = bar.liste(listenSql, {});
        barZeilenA = int(z.size());
        sink = sink + z.size();
    });
    const double bareB = bench::median(runden, [&] {
        for (const QString& sql : alleKombis)
            sink = sink + bar.werte(sql).size();
    });
    const double bareC = bench::median(runden, [&] {
        for (const QString& sql : filterKombis)
            sink = sink + bar.werte(sql).size();
        const QStringList z = bar.liste(filterSql, filterWerte);
        barZeilenC = int(z.size());
        sink = sink + z.size();
    });

    if (zeilenA != barZeilenA || zeilenC != barZeilenC)
        std::fprintf(stderr, "rows differ: list %d/%d, filter %d/%d\n", zeilenA, barZeilenA, zeilenC, barZeilenC);
    std::printf("titles                    %d (rounds %d)\n", n, runden);
    std::printf("(a) whole list (ms)       %8.1f   bare %8.1f   ratio %.2f   (%d rows, painted once; goal <= 3)\n", a,
                bareA, a / bareA, zeilenA);
    std::printf("(b) combo fills (ms)      %8.1f   bare %8.1f   ratio %.2f   (goal <= 3)\n", b, bareB, b / bareB);
    std::printf("(c) format filter (ms)    %8.1f   bare %8.1f   ratio %.2f   (%d rows; goal <= 3)\n", c, bareC,
                c / bareC, zeilenC);
    std::printf("Alle anzeigen (ms)        %8.1f   (refresh, combo fills, whole list, painted once)\n", alle);
    std::printf("peak resident set (MB)    %8.1f   (goal < 300)\n", double(peakRssKb()) / 1024.0);
    return 0;
}
