#pragma once
// The folder lending window: lends every free title of one storage folder to
// one borrower, and takes back what that borrower holds of the folder. It has
// its own connection, look and texts, and reaches the main window only
// through frame::Hauptfenster.
#include "frame/Aussehen.h"
#include "platform/db/Database.h"
#include "platform/system/Services.h"

#include <QDialog>
#include <QString>

#include <memory>

class QFrame;
class QLabel;
class QPushButton;

namespace frame {
class Hauptfenster;
}
namespace vb {
class ComboBox;
}

class frmMappe : public QDialog {
public:
    frmMappe(const sys::Services& services, frame::Hauptfenster& hauptfenster, QWidget* parent = nullptr);
    ~frmMappe() override;

    // Opens the window from the main window's button; nullptr when it could not load.
    static frmMappe* zeigen(const sys::Services& services, frame::Hauptfenster& hauptfenster);

    // False when the window cannot work (the catalogue cannot be opened; the
    // user was told why): it is then never shown.
    bool Form_Load();
    void cmdAusleihen_Click();
    void cmdZurück_Click();
    bool przMappeAusleiheEintragen();
    bool przMappeRückgabeEintragen();

    QLabel* Label(int i) const { return i == 0 ? m_label0 : m_label1; }
    vb::ComboBox* cmbMappe = nullptr;
    vb::ComboBox* cmbWer1 = nullptr;
    QPushButton* cmdAusleihen = nullptr;
    QPushButton* cmdZurück = nullptr;
    QFrame* Line1 = nullptr;

    // Both boxes take at most this many typed characters.
    static constexpr int Kappe = 10;

private:
    void przInilesen();
    void przSprache();
    void przFarbe();
    void fertig(const QString& meldung, const QString& titel);

    const sys::Services& m_services;
    frame::Hauptfenster& m_hauptfenster;
    QLabel* m_label0 = nullptr;
    QLabel* m_label1 = nullptr;
    std::unique_ptr<db::Database> m_datenbank;
    // [Design] of "Cd.ini"
    QString m_label1Wort;  // the word for the storage folder
    QString m_label6Wort;  // the word for the borrower
    frame::Look m_look;
    QString m_sprache;
};
