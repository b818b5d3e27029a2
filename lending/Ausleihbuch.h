#pragma once
// The rules of the lending log (table Ausleihe), shared by the main window and
// the folder lending window. One row per lending of one title to one
// borrower; a row whose EinDT is Null is open: the disc is still out.
//
// Each call works on the given connection with every value bound; `heute` is
// the caller's day.month.year text of today. Calls that change several rows
// join the caller's open transaction, or run in one of their own.
#include <QString>

namespace db {
class Database;
}

namespace ausleihe {

// No borrower: empty, or "-", the mark of a free title that the borrower lists hold.
bool keinLeiher(const QString& wer);

// The open row of a lending, taken from the stored record (the Filme row
// `filmZeile`): its Titel and Wer, and its AusDatum as the lending date.
void ausleiheEintragen(db::Database& datenbank, long long filmZeile);

// The return of a title from a borrower: every open row of the title under
// that borrower gets `heute`, whatever its lending date; the title's
// sub-entries that carry the borrower become free. Titles and borrowers match
// as the catalogue compares them (without regard to case).
void rückgabeEintragen(db::Database& datenbank, const QString& titel, const QString& wer, const QString& heute);
void unterordnerZurück(db::Database& datenbank, const QString& titel, const QString& wer);

// Lends every free title of the folder to the borrower, with an open row for
// each title it lent (titles out with someone keep their holder and get no row).
void mappeAusleihen(db::Database& datenbank, const QString& mappe, const QString& wer, const QString& heute);
// Frees the folder's titles that the borrower holds and closes every open row
// of the folder's titles under that borrower.
void mappeZurück(db::Database& datenbank, const QString& mappe, const QString& wer, const QString& heute);

// The history of a title: its rows, open or returned, in the order they were
// written, and their number.
QString historieSql();
long historieZählen(db::Database& datenbank, const QString& titel);

}  // namespace ausleihe
