#pragma once
// How a value of the catalogue reads in a report or export: numbers as CStr
// ("2,5"), the date columns as day.month.year, texts as they are.
#include <QString>
#include <QVariant>

namespace reports {

// The columns the catalogue declares as dates ("Datum" of Filme); their file
// keeps them as "yyyy-mm-dd" text.
bool istDatumsspalte(const QString& tabelle, const QString& spalte);

// A date column's stored text as a date; invalid for a text that is no date
// (also "dd.mm.yyyy" as older files hold it).
QDate gespeichertesDatum(const QString& text);

// A value as its text in a report: a number as CStr, a date as "dd.MM.yyyy",
// anything else as text. Null gives "" (the caller decides what Null shows).
QString zellentext(const QVariant& wert);

}  // namespace reports
