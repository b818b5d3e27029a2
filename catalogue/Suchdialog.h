#pragma once
// What the two search dialogs share: the prompt `Label1`, the word in
// `tfSuche`, confirmed by `cmdOK` or by Enter, and the timer `Timer1` that
// does nothing. Not modal: the main window stays usable while one is open.
// Closed by its close box, a dialog stores and searches nothing.
#include "platform/system/Services.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class frmFilme;

namespace frame {
struct Look;
}

class Suchdialog : public QDialog {
public:
    QLabel* Label1 = nullptr;
    QLineEdit* tfSuche = nullptr;
    QPushButton* cmdOK = nullptr;
    QTimer* Timer1 = nullptr;

    virtual void Form_Load() = 0;
    virtual void cmdOK_Click() = 0;
    // The Enter key (13) confirms; every other key is typed as usual.
    void tfSuche_KeyPress(int KeyAscii);

protected:
    Suchdialog(const sys::Services& services, frmFilme& filme, const QString& name, const QString& titel);

    // The window's background colour, and the font name and text colour of `Label1`.
    void lookAnwenden(const frame::Look& look);
    // "Caption" and "Label1" of the language file's `sektion`; nothing without a
    // language file, and a missing key empties its text.
    void texteLaden(const QString& sprache, const QString& sektion);

    const sys::Services& m_services;
    frmFilme& m_filme;
};
