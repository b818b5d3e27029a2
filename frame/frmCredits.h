#pragma once
// The Credits window: a line of thanks and three mail link labels. It stays
// above the other windows while it is open.
#include "frame/Hauptfenster.h"
#include "platform/system/Services.h"

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class frmCredits : public QDialog {
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

    QLabel* Label1 = nullptr;
    QLineEdit* txtHyperlink = nullptr;
    QLineEdit* txtHyperlink1 = nullptr;
    QLineEdit* txtHyperlink2 = nullptr;
    QFrame* Line1 = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    const sys::Services& m_services;
};
