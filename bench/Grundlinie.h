#pragma once
// The bare baselines of the catalogue benchmarks: the same statements through
// the SQLite C API on a connection with our functions registered, each row
// stepped into the same strings as the layer builds; and the timing helpers.
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

// Keeps the baselines' rows from being optimised away.
inline volatile qsizetype sink = 0;

// The milliseconds one run of `arbeit` takes, and the median of `runden` runs.
double messen(const std::function<void()>& arbeit);
double median(int runden, const std::function<void()>& arbeit);

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
