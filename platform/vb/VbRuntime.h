#pragma once
// The small pieces of the VB runtime that the windows rely on, with the German
// conventions of the original system fixed in code (never the process locale):
// decimal comma, no thousands separator, dates as "dd.MM.yyyy", halves to even.
#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

namespace vb {

// A fixed-length string: assigning pads with blanks or cuts to `length`.
QString fixedString(const QString& value, int length);

// CStr of a Double on a German system: "2", "2,5", "0", "-0,25", "1234,5".
QString cstr(double value);

// CDbl of a text on a German system: "2,5" -> 2.5, "1.234,5" -> 1234.5,
// blanks around it allowed; nothing for a text that is no number.
std::optional<double> cdbl(const QString& text);

// Val: leading blanks skipped, then the longest prefix that reads as a number
// with "." as the decimal point (sign, digits, point, exponent); 0 when there is none.
// Locale-free, unlike CDbl: " 4483" -> 4483, "3.5 MB" -> 3.5, "1,5" -> 1, "x" -> 0.
double val(const QString& text);

// Conversions to whole numbers round halves to the even neighbour, as CInt and
// CLng do. A value the result cannot hold (1e300, infinity, NaN) gives nothing
// where VB raises an overflow: the caller treats it like a text that is no number.
std::optional<long long> roundHalfEven(double value);
// CLng: the rounded value within 32 bits.
std::optional<qint32> clng(double value);

// Format(value, ".00") with a decimal comma: 2.5 -> "2,50", 0 -> ",00".
QString formatTwoDecimals(double value);

// The date as day.month.year with a four-digit year ("09.12.2026").
QString dateText(const QDate& date);

// Reads a German date: day and month of one or two digits, the year of four
// or of two: "1.9.26", "1.9.2026", "01.09.2026". Anything else ("2026-09-01",
// "31.02.2026", " 1.9.26") gives an invalid date. Every date typed or stored
// as text is read here, so the two-digit rule holds alike everywhere.
QDate parseDateText(const QString& text);
// The year of a two-digit year as the Windows program read it: 00-29 are
// 2000-2029, 30-99 are 1930-1999 (lendings of the last century stay there).
int fullYear(int twoDigitYear);

// The text as one line: every line break (CR LF counts as one) and every other
// control character becomes one blank. With `keepTabs` the tabs stay (a list
// row's column stops).
QString singleLine(const QString& text, bool keepTabs = false);
// The same on UTF-8, appended to `out`; and whether nothing would change.
void appendSingleLine(QByteArray& out, QByteArrayView utf8);
bool isSingleLine(QByteArrayView utf8);

// Twips to pixels at the given resolution (15 twips a pixel at 96 dpi).
int twipsToPixels(int twips, double dpi = 96.0);

}  // namespace vb
