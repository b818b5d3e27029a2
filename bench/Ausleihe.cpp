// Lending on a catalogue of N titles in folders of 1,000, with 2N log rows
// over 2,000 borrowers and two years, a tenth of them open (their titles lent):
// - statistics: the statistics window past its empty check (derived tables
//   rebuilt, the three lists filled and painted, the two totals) against the
//   three aggregates read once;
// - log list: the overdue list of the main window with a cutoff that lists
//   about 15,000 rows, against the same query;
// - folder: one folder of 1,000 titles lent and returned through the lending
//   module, against the same statements in one bare transaction each.
// Every baseline is the SQLite C API with our functions registered, reading
// into the same row strings.
// Usage: bench_ausleihe [titles=100000] [rounds=5]
#include "bench/Grundlinie.h"
#include "bench/Katalogfuellung.h"
#include "catalogue/frmFilme.h"
#include "frame/Hauptfenster.h"
#include "lending/Ausleihbuch.h"
#include "lending/frmStatistikAusleihe.h"
#include "platform/db/Database.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"

#include <QApplication>

#include <sqlite3.h>

#include <cstdio>

namespace {

// Folders of 1,000; two log rows per title, the second open for one title in
// five; the open ones lent in Filme. Dates count back from today over two years.
void logFüllen(const QString& pfad)
{
    auto d = db::Database::open(pfad);
    db::Database::Transaction t(*d);
    d->execute(QStringLiteral("DELETE FROM Ausleihe"));
    d->execute(QStringLiteral("UPDATE Filme SET Mappe = 'Mappe ' || (rowid / 1000), Wer = '-', AusDatum = '-'"));
    for (int k = 0; k < 2; ++k) {
        d->execute(QStringLiteral(
                       "INSERT INTO Ausleihe (Titel, Wer, AusDT, EinDT) SELECT Titel, 'Leiher ' || ((rowid * 7 + ?1) "
                       "% 2000), strftime('%d.%m.%Y', 'now', '-' || ((rowid * 13 + ?1 * 101) % 730) || ' days'), "
                       "CASE WHEN ?1 = 1 AND rowid % 5 = 0 THEN NULL ELSE strftime('%d.%m.%Y', 'now') END FROM Filme"),
                   {k});
    }
    d->execute(QStringLiteral("UPDATE Filme SET Wer = 'Leiher ' || ((rowid * 7 + 1) % 2000), AusDatum = "
                              "strftime('%d.%m.%Y', 'now', '-' || ((rowid * 13 + 101) % 730) || ' days') "
                              "WHERE rowid % 5 = 0"));
    t.commit();
}

class Hauptfenster : public frame::Hauptfenster {
public:
    QWidget* fenster() override { return nullptr; }
    void przAktualisieren() override {}
    void przlesen() override {}
    QString tfDBName() const override { return QStringLiteral("filme"); }
};

// Every row of a statement as its cells joined by tabs.
QStringList zeilen(bench::Bar& bar, const QString& sql, const QVariantList& werte = {})
{
    QStringList z;
    sqlite3_stmt* s = bar.vorbereiten(sql, werte);
    const int spalten = sqlite3_column_count(s);
    while (sqlite3_step(s) == SQLITE_ROW) {
        QString zeile = bench::Bar::text(s, 0);
        for (int i = 1; i < spalten; ++i)
            zeile += QLatin1Char('\t') + bench::Bar::text(s, i);
        z << zeile;
    }
    sqlite3_finalize(s);
    return z;
}

void ausführen(bench::Bar& bar, const QString& sql, const QVariantList& werte = {})
{
    sqlite3_stmt* s = bar.vorbereiten(sql, werte);
    sqlite3_step(s);
    sqlite3_finalize(s);
}

void zeile(const char* name, double zeit, double bar, const char* ziel, const char* zusatz = "")
{
    std::printf("%-14s %9.1f ms   bare %9.1f ms   ratio %.2f   (goal <= %s)%s\n", name, zeit, bar, zeit / bar, ziel,
                zusatz);
}

}  // namespace

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    bench::Katalogbank bank(argc, argv);
    logFüllen(bank.path);
    if (!bench::cdIniSchreiben(bank.folder.path()))
        return 1;
    bench::Bar bar(bank.path);

    // Statistics: the window's work past its empty check.
    Hauptfenster haupt;
    frmStatistikAusleihe statistik(bank.services, haupt);
    if (!statistik.Form_Load())
        return 1;
    statistik.show();
    const double stat = bench::median(bank.runden, [&] {
        statistik.przAusleiheTabellen();
        statistik.przAusleiheListe();
        statistik.przAusleiheListeWer();
        statistik.przAusleiheListeMappe();
        statistik.przAusleiheSumme();
        statistik.przAusleiheSummeZahlen();
        bench::sink = bench::sink + statistik.grab().width();
    });
    const int statZeilen = statistik.lfAusleihe->count() + statistik.lfWer->count() + statistik.lfAusleiheMappe->count();
    int barStatZeilen = 0;
    const double statBar = bench::median(bank.runden, [&] {
        const QStringList a = zeilen(bar, QStringLiteral("SELECT Titel, count(Titel) FROM Ausleihe WHERE Titel IS NOT "
                                                         "NULL AND Titel <> '' GROUP BY Titel COLLATE DEUTSCH "
                                                         "ORDER BY Titel COLLATE DEUTSCH"));
        const QStringList b = zeilen(bar, QStringLiteral("SELECT Wer, count(Wer) FROM Ausleihe WHERE Wer IS NOT NULL "
                                                         "AND Wer <> '' GROUP BY Wer COLLATE DEUTSCH "
                                                         "ORDER BY Wer COLLATE DEUTSCH"));
        const QStringList c = zeilen(bar, QStringLiteral("SELECT Mappe, count(Titel) FROM Filme WHERE Wer <> '-' "
                                                         "GROUP BY Mappe COLLATE DEUTSCH ORDER BY Mappe COLLATE DEUTSCH"));
        barStatZeilen = int(a.size() + b.size() + c.size());
    });
    statistik.close();

    // The overdue list: about three quarters of the open rows are older than half a year.
    frmFilme f(bank.services);
    if (!f.Form_Load())
        return 1;
    f.ini.erinnerungsintervall = QStringLiteral("182");
    const double liste = bench::median(bank.runden, [&] { f.przÜberfälligeAusleihen(); });
    const int listZeilen = f.c.lfListe->count();
    int barListZeilen = 0;
    const double listeBar = bench::median(bank.runden, [&] {
        barListZeilen = int(zeilen(bar, f.ListenSQL, f.ListenWerte).size());
    });

    // A folder lent and returned through the module, then bare.
    db::Database& datenbank = *f.datenbank;
    const QString heute = vb::dateText(QDate::currentDate());
    const QString mappe = QStringLiteral("Mappe %1").arg(bank.n / 2000);
    const double ordner = bench::median(bank.runden, [&] {
        ausleihe::mappeAusleihen(datenbank, mappe, QStringLiteral("Bank"), heute);
        ausleihe::mappeZurück(datenbank, mappe, QStringLiteral("Bank"), heute);
    });
    const double ordnerBar = bench::median(bank.runden, [&] {
        ausführen(bar, QStringLiteral("BEGIN"));
        ausführen(bar, QStringLiteral("INSERT INTO Ausleihe (Titel, Wer, AusDT) SELECT Titel, ?, ? FROM Filme WHERE "
                                      "Mappe = ? COLLATE DEUTSCH AND Wer = '-'"),
                  {QStringLiteral("Bar"), heute, mappe});
        ausführen(bar, QStringLiteral("UPDATE Filme SET Wer = ? WHERE Mappe = ? COLLATE DEUTSCH AND Wer = '-'"),
                  {QStringLiteral("Bar"), mappe});
        ausführen(bar, QStringLiteral("COMMIT"));
        ausführen(bar, QStringLiteral("BEGIN"));
        ausführen(bar, QStringLiteral("UPDATE Ausleihe SET EinDT = ? WHERE EinDT IS NULL AND Wer = ? COLLATE DEUTSCH "
                                      "AND Titel COLLATE DEUTSCH IN (SELECT Titel FROM Filme WHERE Mappe = ? COLLATE "
                                      "DEUTSCH)"),
                  {heute, QStringLiteral("Bar"), mappe});
        ausführen(bar, QStringLiteral("UPDATE Filme SET Wer = '-' WHERE Mappe = ? COLLATE DEUTSCH AND Wer = ? COLLATE "
                                      "DEUTSCH"),
                  {mappe, QStringLiteral("Bar")});
        ausführen(bar, QStringLiteral("COMMIT"));
    });
    const long titel = db::dscount(datenbank, QStringLiteral("SELECT count(*) AS Zähler FROM Filme WHERE Mappe = ?"),
                                   {mappe});

    std::printf("titles %d, log rows %d, rounds %d\n", bank.n, 2 * bank.n, bank.runden);
    char zusatz[160];
    std::snprintf(zusatz, sizeof zusatz, "   %d rows (bare %d)", statZeilen, barStatZeilen);
    zeile("statistics", stat, statBar, "2", zusatz);
    std::snprintf(zusatz, sizeof zusatz, "   %d rows (bare %d)", listZeilen, barListZeilen);
    zeile("log list", liste, listeBar, "2", zusatz);
    std::snprintf(zusatz, sizeof zusatz, "   %ld titles, %.3f ms a title", titel, ordner / double(qMax(1L, titel)));
    zeile("folder", ordner, ordnerBar, "1.5", zusatz);
    std::printf("peak resident set (MB) %8.1f   (goal < 300)\n", double(bench::peakRssKb()) / 1024.0);
    return 0;
}
