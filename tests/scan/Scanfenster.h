#pragma once
// The scan window over folders presented as drives: C: a local disk, D: a
// CD-ROM drive with a disc, E: a removable drive; opened from the main window.
#include "tests/catalogue/Filmkatalog.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace scan {
class frmCDeinlesen;
}
namespace vb {
class HiddenListBox;
class ListBox;
}

namespace testing_support {

QStringList zeilenVon(const vb::ListBox* liste);
QStringList zeilenVon(const vb::HiddenListBox* liste);

struct Scan {
    explicit Scan(const QByteArray& cdIni = {});

    // The main window with every title listed and a new record begun, then its scan button.
    scan::frmCDeinlesen& oeffnen();
    // A file of that many bytes on the disc in D:.
    void datei(const QString& name, qint64 groesse);
    static void waehlen(scan::frmCDeinlesen& s, int zeile);
    // The disc in D: replaced by another with these files.
    void discWechseln(const QString& label, const std::vector<std::pair<QString, qint64>>& dateien);

    Filmkatalog k;
    QString wurzelD, wurzelC;
};

// A click with the mouse on the row, in the shown window.
void zeileKlicken(vb::ListBox* liste, int zeile);
void zeileKlicken(vb::ListBox* liste, const QString& text);

}  // namespace testing_support
