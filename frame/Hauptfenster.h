#pragma once
// What the frame's windows (settings, About, splash) reach of the main window,
// which lives with the catalogue.
#include <QString>

class QWidget;

namespace frame {

class Hauptfenster {
public:
    virtual ~Hauptfenster() = default;
    virtual QWidget* fenster() = 0;
    // Closes and reopens the database, reads the settings and texts again,
    // applies the look and puts the detail panel into display mode.
    virtual void przAktualisieren() = 0;
    // Runs the current selection of the title list again.
    virtual void przlesen() = 0;
    // The text of the hidden box tfDBName: the current catalogue's name.
    virtual QString tfDBName() const = 0;
};

}  // namespace frame
