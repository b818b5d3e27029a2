#pragma once
// Reads a workbook back with the reader a user's tools use (python3-xlrd), so
// that a test checks what a spreadsheet program sees, not what we meant to write.
#include <QString>
#include <QStringList>

#include <vector>

namespace testing_support {

struct XlsBlatt {
    QString name;
    // Every cell as "" (empty), "s:text", "n:number" or "d:dd.mm.yyyy" (date cell).
    std::vector<QStringList> zeilen;
};

struct XlsMappe {
    bool gelesen = false;
    QString fehler;     // why it could not be read
    QString warnungen;  // what the reader complained about while reading
    int biff = 0;       // 80 for BIFF8
    std::vector<XlsBlatt> blaetter;
};

XlsMappe xlsLesen(const QString& path);

}  // namespace testing_support
