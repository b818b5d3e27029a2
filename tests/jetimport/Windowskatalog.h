#pragma once
// Catalogues of the Windows program for the import's tests: a content that a
// conversion could lose something of, and its values as a plain SQLite
// connection must read them back from the converted file.
#include "tests/support/JetKatalog.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace jetimporttest {

// A memo of n characters with umlauts, "ß", quotes and line ends.
QString memo(int n);

// Umlauts, "ß", quotes, a memo of 100 KB, Nulls, empty texts, "-" and "0",
// "Muller" beside "Müller" and "Strasse" beside "Straße" (which our German
// equality keeps apart as the engine does), "ärger" after "Ärger" and a title
// that fills its column after one equal to it but for case (which it joins),
// sub-entries and lendings of those, open and closed lendings, a time of day.
jettest::KatalogInhalt reicherInhalt(const QString& version);

// The rows of a fixture table as a plain SQLite connection reads them from
// the converted file (columns as `werte` selects them): texts as they are,
// Null as "<null>", dates as "yyyy-MM-dd", numbers as their digits (doubles
// with every digit); `umbenannt` maps a title or sub-entry name to the name
// it gets in the file.
std::vector<QStringList> erwarteteZeilen(const QString& tabelle, const QString& version,
                                         const jettest::KatalogInhalt& inhalt,
                                         const std::vector<std::pair<QString, QString>>& umbenannt = {},
                                         const jettest::KatalogArt& art = {});

// The rows of a table of the converted file through a plain SQLite
// connection, every column of the fixture's table in its order, in the order
// of the rows.
std::vector<QStringList> werte(const QString& datei, const QString& tabelle, const QString& version,
                               const jettest::KatalogArt& art = {});

}  // namespace jetimporttest
