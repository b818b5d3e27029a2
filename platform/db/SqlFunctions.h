#pragma once
// What every connection of ours registers on SQLite, and the pure functions
// behind it (testable without a database).
#include <QString>
#include <QStringView>
#include <optional>

struct sqlite3;

namespace db {

// The German comparison without regard to case: first on the letters with
// umlauts and accents taken as their base letters and "ß" as "ss", then, where
// that ties, with the accents. Returns <0, 0, >0.
int germanCompare(QStringView a, QStringView b);
// The same on UTF-8 bytes, as SQLite hands them to a collation.
int germanCompareUtf8(const char* a, int lengthA, const char* b, int lengthB);
// A hash that two texts share whenever germanCompare finds them equal (taken
// over their case-folded characters); equal hashes still need the comparison.
quint64 germanEqualityHash(QStringView text);
// The same hash of UTF-8 bytes, as SQLite hands a text out.
quint64 germanEqualityHashUtf8(const char* text, int length);

// "dd.mm.yyyy" (also "d.m.yyyy") -> "yyyy-mm-dd"; nothing when it is no date.
std::optional<QString> dedate(QStringView text);

// A number text with a decimal comma ("4,7", "1.234,5", "4700") -> the number;
// nothing when the text is no number.
std::optional<double> denum(QStringView text);

// The name of our German collation, for the statements that name it
// ("ORDER BY Titel COLLATE DEUTSCH").
inline constexpr char deutscheKollation[] = "DEUTSCH";
// " COLLATE DEUTSCH": what a statement appends where it compares or orders
// texts as the catalogue's keys see them.
inline QString kollation()
{
    return QStringLiteral(" COLLATE ") + QLatin1String(deutscheKollation);
}

// Registers DEUTSCH, like(), dedate() and denum() on the connection.
void registerSqlFunctions(sqlite3* db);

}  // namespace db
