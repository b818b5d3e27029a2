#pragma once
// Helpers of the tests that write the catalogue through the main window.
#include "tests/catalogue/Filmkatalog.h"
#include "tests/support/RohSqlite.h"

#include <QStringList>

#include <vector>

namespace testing_support {

// Fills the hand-over as the disc scan's take-over does: every entry
// ("name:size") into the list with sizes, its name into the list without,
// the flag of the chosen option ("1" for sub-entries or for the info text),
// and the take-over's end (the names shown as the info text).
void scanÜbergeben(frmFilme& f, const QStringList& einträge, bool alsUnterordner);

// Every row of Filme and Unterordner, read by a stock SQLite connection.
std::vector<QStringList> katalogInhalt(const Filmkatalog& k);
// A column of one row, by a stock connection ("<null>" for Null, "" when no row).
QString spalte(const Filmkatalog& k, const QString& tabelle, const QString& spalte, const QString& titel);
// pragma integrity_check by a stock connection.
QString integrität(const Filmkatalog& k);

// Clicks the row of the title in the list shown.
void titelKlicken(Filmkatalog& k, const QString& titel);
// The started window with the whole list and the title clicked in it.
frmFilme& zeigen(Filmkatalog& k, const QString& titel);

// A refused write: the "Sorry" message with its window title and the line
// that says why (none when `grund` is empty), and the catalogue as it was
// (read by a stock connection, which also checks the file).
void erwarteVerweigert(const Filmkatalog& k, const QString& titel, const QString& fenstertitel,
                       const std::vector<QStringList>& vorher, const QString& grund = {});

}  // namespace testing_support
