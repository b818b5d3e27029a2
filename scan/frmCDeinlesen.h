#pragma once
// The scan window "CD einlesen": lists the drives, reads a disc or a folder of
// a local disk into entry lists and hands the result to the main window.
#include "frame/Aussehen.h"
#include "platform/system/Services.h"
#include "scan/Katalogfenster.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <span>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace frame {
struct Sprachzeile;
}
namespace vb {
class DirListBox;
class ListBox;
}

namespace scan {

// Window heights in twips: without and with the entry list.
constexpr int HoeheEingeklappt = 4425;
constexpr int HoeheErweitert = 7905;
constexpr int BreiteInnen = 5775;

// The texts of [CDeinlesen] in their reading order; cmdClear's tooltip is
// joined afterwards from three keys.
std::span<const frame::Sprachzeile> cdEinlesenTabelle();

// The drive type's text; "" for a type the window never shows.
QString laufwerkstypText(int typ);

class frmCDeinlesen : public QWidget {
public:
    frmCDeinlesen(const sys::Services& services, Katalogfenster& katalog, QWidget* parent = nullptr);

    void Form_Load();

    // Settings and look
    void przInilesen();
    void przSprache();
    void przFarbe();
    void przFelderLeeren();

    // Drives and tray
    void przLaufwerkeFüllen();
    void List1_Click();
    void cmdCDAuswerfen_Click();
    void cmdCDeinziehen_Click();
    void Timer1_Timer();
    void chkHDD_Click();
    void cmdClear_Click();
    void cmdAbbrechen_Click();
    void przSchubladeÖffnen();
    void przSchubladeSchließen();

    // Walk
    void Dir1_Change();
    void FindDirectories();
    void przEintragLöschen();
    void cmdDel_Click();

    // Take-over
    void cmdCDÜbernehmen_Click();
    void cmdPlus_Click();

    bool laeuft() const { return m_laeuft; }
    // The window's inner height in twips.
    int hoeheTwips() const { return m_hoeheTwips; }

    // Controls, named as the original's
    vb::ListBox* List1 = nullptr;
    QPlainTextEdit* txtDriveInfo = nullptr;
    QCheckBox* chkHDD = nullptr;
    QPushButton* cmdCDAuswerfen = nullptr;
    QPushButton* cmdCDeinziehen = nullptr;
    QPushButton* cmdPlus = nullptr;
    QLineEdit* tfAnzahl = nullptr;
    std::array<QLabel*, 8> Label1{};
    QLineEdit* tfCDName = nullptr;
    QLineEdit* tfCDFormat = nullptr;
    QLineEdit* tfCDMappe = nullptr;
    QPushButton* cmdCDÜbernehmen = nullptr;
    QPushButton* cmdAbbrechen = nullptr;
    vb::DirListBox* Dir1 = nullptr;
    QLineEdit* tfCDROM = nullptr;
    vb::ListBox* lfListeCDeinlesen = nullptr;
    vb::ListBox* lfListeCDeinlesenAlles = nullptr;
    vb::ListBox* lfListeCDeinlesenGroesse = nullptr;
    QPushButton* cmdDel = nullptr;
    QCheckBox* optUnterordner = nullptr;
    QCheckBox* optCDInfo = nullptr;
    QPushButton* cmdClear = nullptr;
    QTimer* Timer1 = nullptr;

    // The settings values of the last przInilesen.
    struct Werte {
        frame::Look look;
        QString mappe, mitHDD, sprache;
    } werte;
    QString laufwerksinfo;  // the drive information text

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void aufbauen();
    void verbinden();
    void setzeHoehe(int twips);
    struct Ordnerzeile {
        QString pfad;       // as shown: "C:/home/anna"
        QByteArray ordner;  // the folder on disk
    };
    // The data role of a folder row of List1 that holds its folder's bytes.
    static constexpr int OrdnerRolle = Qt::UserRole;

    void laufwerkLesen(const QString& laufwerk);
    void ordnerLesen(const QString& ordnerZeile, const QByteArray& ordner);
    void ordnerSammeln(std::vector<Ordnerzeile>& zeilen, int tiefe);
    void uebergabeAngleichen();
    // Lets pending events run, at most about every 100 ms.
    void ereignisseLaufenLassen(bool sofort = false);

    const sys::Services& m_services;
    Katalogfenster& m_katalog;
    QString m_beschaeftigt = QStringLiteral("0");  // "1" while FindDirectories moves Dir1
    bool m_laeuft = false;      // a walk runs
    bool m_abbrechen = false;   // the user closed the window during a walk
    qint64 m_letzteRunde = 0;
    int m_hoeheTwips = HoeheEingeklappt;
};

}  // namespace scan
