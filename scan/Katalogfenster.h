#pragma once
// What the scan and cover windows reach of the main window, which lives with
// the catalogue: the hand-over lists, the detail fields a take-over fills and
// the two procedures it runs.
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vb {
class HiddenListBox;
}

namespace scan {

struct Uebergabefelder {
    QLineEdit* tfTitel = nullptr;
    QLineEdit* tfSize = nullptr;
    QLineEdit* tfQualität = nullptr;
    QLineEdit* tfAnzahl = nullptr;
    QLineEdit* tfMappe = nullptr;
    QLineEdit* tfFormat = nullptr;
    QLineEdit* tfUnterordner = nullptr;  // hidden flag "1"
    QLineEdit* tfCDInfo = nullptr;       // hidden flag "1"
    QPushButton* cmdEdit = nullptr;
    vb::HiddenListBox* lfListeCDeinlesen = nullptr;             // name, ":" and size
    vb::HiddenListBox* lfListeCDEinlesenOhneGroesse = nullptr;  // names
    QLineEdit* tfCover = nullptr;  // hidden: the shown record's cover reference
    QCheckBox* chkCover = nullptr;
};

class Katalogfenster {
public:
    virtual ~Katalogfenster() = default;
    virtual QWidget* katalogFenster() = 0;
    virtual Uebergabefelder uebergabe() = 0;
    // The catalogue's name: its file is that name and ".mdb" in the program folder.
    virtual QString tfDBName() const = 0;
    // Every detail field empty, the cover "-".
    virtual void przLöschen() = 0;
    // The titles containing the text of tfTitel.
    virtual void przCDVolltextsuche() = 0;
    // The take-over has filled the fields: they hold a new record, and with
    // `alsInfo` the names of the disc are its info text, shown for the user
    // to read and change before the save.
    virtual void przÜbernahmeFertig(bool /*alsInfo*/) {}
};

}  // namespace scan
