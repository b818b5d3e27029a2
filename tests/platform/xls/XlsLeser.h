#pragma once
// Reads a workbook back with readers other programs use (libfreexl in process,
// python3-xlrd as a child), so that a test checks what a spreadsheet program
// sees, not what we meant to write.
#include <QString>
#include <QStringList>

#include <vector>

namespace testing_support {

struct XlsBlatt {
    QString name;
    // Every cell as "" (empty), "s:text", "n:number" or "d:dd.mm.yyyy" (date cell).
    std::vector<QStringList> zeilen;
    bool operator==(const XlsBlatt&) const = default;
};

struct XlsMappe {
    bool gelesen = false;
    QString fehler;     // why it could not be read
    QString warnungen;  // what the reader complained about while reading
    int biff = 0;       // 80 for BIFF8
    std::vector<XlsBlatt> blaetter;
};

// Through python3-xlrd; `warnungen` holds what it complained about.
XlsMappe xlsLesen(const QString& path);

// Through libfreexl, cell by cell, in the same form; `biff` is 80 for BIFF8.
// Dates read as dates when the cell's format is one.
XlsMappe freexlLesen(const QString& path);

// What the shared strings of the file break of the format's rules that the
// readers above let pass (records split inside a string's header, the EXTSST
// index), one line each; empty for a sound file.
QString sstPruefen(const QString& path);

}  // namespace testing_support
