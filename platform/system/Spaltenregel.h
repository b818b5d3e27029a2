#pragma once
// The column rule of a text page, as the original's printer object places its
// items: column n starts at n - 1 average character widths from the left
// margin; an item whose column lies before the current position (strictly
// past it) starts at that column of the next line, and the rest of the record
// follows there. With a monospaced font every record of the list layouts would
// wrap: they rely on a proportional one.
#include <QList>
#include <QString>

#include <functional>

namespace sys {

class Spaltenregel {
public:
    // The width of a text in columns (average character widths of the font).
    using Breite = std::function<double(const QString&)>;
    explicit Spaltenregel(Breite breite) : m_breite(std::move(breite)) {}

    struct Platz {
        bool neueZeile = false;  // the item starts a new line
        double x = 0;            // its start, in columns from the left margin
    };
    // Places `text` at column `spalte` (from 1; below 1 counts as 1).
    Platz setzen(int spalte, const QString& text);
    // Ends the line: the next item starts at the left margin of a new one.
    void zeilenende() { m_position = 0; }
    // The current position in columns from the left margin.
    double position() const { return m_position; }

private:
    Breite m_breite;
    double m_position = 0;
};

// Where a tab at `position` leads: the first stop past it, and past the last
// stop the next multiple of `abstand` (all in the same units).
double naechsterTabstopp(double position, const QList<double>& stopps, double abstand);

}  // namespace sys
