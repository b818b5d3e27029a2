#pragma once
// Dates with a two-digit year at the century's edges, as typed or as an old
// catalogue stores them, with the day each stands for: every reader of dates
// is tested against this one table.
#include <QDate>
#include <QString>

#include <ostream>
#include <string>

namespace testing_support {

struct Zweistellig {
    const char* name;
    const char* text;  // day.month.yy
    QDate tag;
};

inline const Zweistellig ZweistelligeJahre[] = {
    {"Jahr00", "1.1.00", QDate(2000, 1, 1)},
    {"Jahr29", "31.12.29", QDate(2029, 12, 31)},
    {"Jahr30", "01.01.30", QDate(1930, 1, 1)},
    {"Jahr98", "1.9.98", QDate(1998, 9, 1)},
    {"Jahr99", "31.12.99", QDate(1999, 12, 31)},
};

inline void PrintTo(const Zweistellig& fall, std::ostream* os)
{
    *os << fall.name;
}

inline std::string zweistelligName(const Zweistellig& fall)
{
    return fall.name;
}

}  // namespace testing_support
