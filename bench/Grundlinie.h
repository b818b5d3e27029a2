#pragma once
// The bare baselines of the catalogue benchmarks: the same statements through
// the SQLite C API on a connection with our functions registered, each row
// stepped into the same strings as the layer builds; and the timing helpers.
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

class QAccessibleInterface;
struct sqlite3;
struct sqlite3_stmt;

namespace bench {

// Keeps the baselines' rows from being optimised away.
inline volatile qsizetype sink = 0;

// A read-write connection with our functions registered.
sqlite3* bareÖffnen(const QString& pfad);

// Binds a text as UTF-8 (1-based index), copied by SQLite.
void textBinden(sqlite3_stmt* s, int i, const QString& text);

// One statement, bound by `binden` and stepped once.
void einmal(sqlite3* db, const char* sql, const std::function<void(sqlite3_stmt*)>& binden);
// One prepared statement re-bound by `binden` and stepped for each entry.
void jeEintrag(sqlite3* db, const char* sql, const QStringList& einträge,
               const std::function<void(sqlite3_stmt*, const QString&)>& binden);

// A bare save: `arbeit` in one immediate transaction on its own connection.
// The milliseconds up to the commit (SQLite's commit hook) and past it.
struct Speicherzeiten {
    double bisCommit = -1;
    double gesamt = -1;
};
Speicherzeiten barSpeichern(const QString& pfad, const std::function<void(sqlite3*)>& arbeit);

// The milliseconds one run of `arbeit` takes, and the median of `runden` runs.
double messen(const std::function<void()>& arbeit);
double median(int runden, const std::function<void()>& arbeit);

// A tree of `anzahl` folders below `wurzel`, each with up to ten sub-folders
// and two small files, filled level by level (about five levels at 40,000).
bool ordnerBaum(const QString& wurzel, long anzahl);

// Every accessibility interface below `i` read as a client reads a window
// (its name, its children, theirs, ...); how many there are.
long zugangLesen(QAccessibleInterface* i);

// Whether Qt's accessibility bridge is active: where bench/MitZugang.sh set it
// up, waited for (it comes up shortly after the first window). Needs a QApplication.
bool zugangAktiv();

// The process's peak resident set in kB.
long peakRssKb();

// The bare work: one connection with our functions, statements stepped by hand.
class Bar {
public:
    explicit Bar(const QString& pfad);
    ~Bar();
    Bar(const Bar&) = delete;
    Bar& operator=(const Bar&) = delete;

    static QString text(sqlite3_stmt* s, int spalte);
    sqlite3_stmt* vorbereiten(const QString& sql, const QVariantList& werte);
    // The title rows of the list: KF order, the borrower as sixth cell.
    QStringList liste(const QString& sql, const QVariantList& werte);
    // The non-Null values of the first column.
    QStringList werte(const QString& sql);

private:
    sqlite3* m_db = nullptr;
};

}  // namespace bench
