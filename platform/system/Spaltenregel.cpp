#include "platform/system/Spaltenregel.h"

#include <cmath>

namespace sys {

Spaltenregel::Platz Spaltenregel::setzen(int spalte, const QString& text)
{
    // Measured widths are fractions of a column: a position that only differs
    // by rounding is not past the column.
    constexpr double Toleranz = 1e-9;
    const double start = spalte < 1 ? 0.0 : double(spalte - 1);
    Platz platz{m_position > start + Toleranz, start};
    m_position = start + m_breite(text);
    return platz;
}

double naechsterTabstopp(double position, const QList<double>& stopps, double abstand)
{
    constexpr double Toleranz = 1e-9;
    for (const double stopp : stopps)
        if (stopp > position + Toleranz)
            return stopp;
    if (abstand <= 0)
        return position;
    return (std::floor(position / abstand + Toleranz) + 1) * abstand;
}

}  // namespace sys
