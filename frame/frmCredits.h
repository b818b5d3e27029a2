#pragma once
// The Credits window: a line of thanks and three mail link labels. It stays
// above the other windows while it is open.
#include "frame/Infofenster.h"

#include <QString>

class frmCredits : public frame::Infofenster {
    Q_OBJECT
public:
    frmCredits(const sys::Services& services, frame::Hauptfenster* hauptfenster, QWidget* parent = nullptr);

    // The one Credits window: created and loaded on first use, loaded again
    // after it was closed, brought to the front while it is open.
    static frmCredits* zeigen(const sys::Services& services, frame::Hauptfenster* hauptfenster);

    void Form_Load();
    // The window's colours; a value that is no colour number is skipped.
    void przLabel(const QString& backcolor, const QString& textFarbe);

    // The addresses behind the links: the maker and two contributors.
    static const QString Adresse1;
    static const QString Adresse2;
    static const QString Adresse3;
};
