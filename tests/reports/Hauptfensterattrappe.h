#pragma once
// The main window as the report windows see it: the catalogue's name.
#include "frame/Hauptfenster.h"

#include <QString>

namespace testing_support {

class Hauptfensterattrappe : public frame::Hauptfenster {
public:
    QWidget* fenster() override { return nullptr; }
    void przAktualisieren() override {}
    void przlesen() override {}
    QString tfDBName() const override { return name; }
    QString name = QStringLiteral("filme");
};

}  // namespace testing_support
