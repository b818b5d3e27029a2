// The three full-text searches on a catalogue of N titles whose info texts hold
// about 2 KB each: the title search (titles and sub-entry names), the info
// search and the search after a disc scan, each as a whole (statement, list
// fill, count, title lookup), for a word that one title in a hundred holds and
// for one that none holds. Each against the same statement with the same bound
// pattern through the bare SQLite C API on a connection with our functions
// registered, stepping every row into the same row strings.
// Usage: bench_suche [titles=100000] [rounds=5]
// Prints the medians, the ratios (goal: each within 2) and the process's peak
// resident set (goal: under 300 MB).
#include "bench/Grundlinie.h"
#include "bench/Fensterbank.h"
#include "catalogue/frmFilme.h"
#include "platform/db/Database.h"

#include <QApplication>

#include <cstdio>
#include <functional>

namespace {

// About 2 KB of info text per title; one in a hundred holds "Schatzkarte".
void infoTexteSchreiben(const QString& pfad)
{
    const QString füller = QStringLiteral("Ein Film über Öl, Ärger und große Gefühle; gedreht an vielen Orten. ")
                               .repeated(30);
    auto d = db::Database::open(pfad);
    db::Database::Transaction t(*d);
    d->execute(QStringLiteral("UPDATE Filme SET Info = 'Info zu ' || Titel || ', ' || ? || "
                              "CASE WHEN substr(Titel, 11, 2) = '42' THEN ' Schatzkarte' ELSE '' END"),
               {füller});
    t.commit();
}

struct Messung {
    const char* name;
    double zeit = 0;
    double bar = 0;
    int zeilen = 0;
    int barZeilen = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    bench::offscreen();
    QApplication app(argc, argv);
    bench::Katalogbank bank(argc, argv);
    infoTexteSchreiben(bank.path);
    const auto hauptfenster = bench::hauptfenster(bank, bench::Stand::geladen);
    if (!hauptfenster)
        return 1;
    frmFilme& f = *hauptfenster;
    bench::Bar bar(bank.path);

    // Titles are "Titel 012342 Ärger": "40 ärger" is in one title of a hundred
    // (and in the names of their sub-entries).
    struct Suche {
        const char* name;
        QString wort;
        std::function<void()> laufen;
    };
    const auto titelSuche = [&](const QString& wort) {
        return [&f, wort] {
            f.FilterWert = wort;
            f.przVolltextsucheTitel();
        };
    };
    const auto infoSuche = [&](const QString& wort) {
        return [&f, wort] {
            f.FilterWert = wort;
            f.przVolltextsucheInfo();
        };
    };
    const auto scanSuche = [&](const QString& wort) {
        return [&f, wort] {
            f.c.tfTitel->setText(wort);
            f.przCDVolltextsuche();
        };
    };
    const Suche suchen[] = {
        {"title search, 1 in 100", QStringLiteral("40 ärger"), titelSuche(QStringLiteral("40 ärger"))},
        {"title search, none", QStringLiteral("Zqx"), titelSuche(QStringLiteral("Zqx"))},
        {"info search, 1 in 100", QStringLiteral("schatzkarte"), infoSuche(QStringLiteral("schatzkarte"))},
        {"info search, none", QStringLiteral("Zqx"), infoSuche(QStringLiteral("Zqx"))},
        {"scan search, 1 in 100", QStringLiteral("40 Ärger"), scanSuche(QStringLiteral("40 Ärger"))},
        {"scan search, none", QStringLiteral("Zqx"), scanSuche(QStringLiteral("Zqx"))},
    };

    std::vector<Messung> messungen;
    for (const Suche& s : suchen) {
        Messung m{s.name};
        m.zeit = bench::median(bank.runden, s.laufen);
        m.zeilen = f.c.lfListe->count();
        const QString sql = f.ListenSQL;
        const QVariantList werte = f.ListenWerte;
        m.bar = bench::median(bank.runden, [&] {
            const QStringList z = bar.liste(sql, werte);
            m.barZeilen = int(z.size());
            bench::sink = bench::sink + z.size();
        });
        messungen.push_back(m);
    }

    std::printf("titles                      %d (rounds %d), info texts of about 2 KB\n", bank.n, bank.runden);
    bool verschieden = false;  // different rows measure different work: the status says so
    for (const Messung& m : messungen) {
        std::printf("%-26s %8.1f ms   bare %8.1f ms   ratio %.2f   (%d rows; goal <= 2)\n", m.name, m.zeit, m.bar,
                    m.zeit / m.bar, m.zeilen);
        if (m.zeilen != m.barZeilen) {
            std::fprintf(stderr, "rows differ in %s: %d / %d\n", m.name, m.zeilen, m.barZeilen);
            verschieden = true;
        }
    }
    std::printf("peak resident set (MB)     %8.1f   (goal < 300)\n", double(bench::peakRssKb()) / 1024.0);
    return verschieden ? 1 : 0;
}
