#pragma once
// The scan window "CD einlesen": lists the drives, reads a disc or a folder of
// a local disk into entry lists and hands the result to the main window.
#include "frame/Aussehen.h"
#include "platform/system/Services.h"
#include "scan/Katalogfenster.h"

#include <QStringList>
#include <QWidget>

#include <QElapsedTimer>

#include <array>
#include <functional>
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
class HiddenListBox;
class ListBox;
}

namespace scan {

struct Laufstand;

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

    // A walk (of a disc, a folder or the folders of a local disk) is under way.
    bool laeuft() const { return m_laufTiefe > 0; }
    // The window's inner height in twips.
    int hoeheTwips() const { return m_hoeheTwips; }

    // How often a walk lets pending events run and refreshes what it shows of
    // its progress, in milliseconds of the walk.
    struct Takt {
        int ereignisseMs = 50;
        int anzeigeMs = 250;
    } takt;

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
    // Hidden: rows without an item object each, as they may hold a whole disk.
    vb::HiddenListBox* lfListeCDeinlesenAlles = nullptr;
    vb::HiddenListBox* lfListeCDeinlesenGroesse = nullptr;
    QPushButton* cmdDel = nullptr;
    QCheckBox* optUnterordner = nullptr;
    QCheckBox* optCDInfo = nullptr;
    QPushButton* cmdClear = nullptr;
    QTimer* Timer1 = nullptr;
    // Over the drive information while a walk runs: how far it is.
    QLabel* lbFortschritt = nullptr;

    // The settings values of the last przInilesen.
    struct Werte {
        frame::Look look;
        QString mappe, mitHDD, sprache;
    } werte;
    QString laufwerksinfo;  // the drive information text

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // Held by each handler that walks. While one is held, a handler that events
    // run into ends the walk and is put off until the last one is let go, and
    // a new opening leaves the window, if it was closed, to go by itself.
    class Laufwache {
    public:
        explicit Laufwache(frmCDeinlesen& fenster);
        ~Laufwache();
        Laufwache(const Laufwache&) = delete;
        Laufwache& operator=(const Laufwache&) = delete;

    private:
        frmCDeinlesen& m_fenster;
    };
    class Begleiter;

    void aufbauen();
    void verbinden();
    void setzeHoehe(int twips);
    // The data role of a folder row of List1 that holds its folder's bytes.
    static constexpr int OrdnerRolle = Qt::UserRole;

    void laufwerkLesen(const QString& laufwerk);
    void ordnerLesen(const QString& ordnerZeile, const QByteArray& ordner);
    void uebergabeAngleichen();

    // Called by a handler that events ran into during a walk: the walk ends,
    // and `handlung` runs once it has unwound, unless the window was closed.
    // False outside a walk's event pump: the handler goes on as usual.
    bool nachDemLauf(std::function<void()> handlung);
    void laufEnde();
    // Lets pending events run, at most every takt.ereignisseMs unless `sofort`,
    // and shows `stand` every takt.anzeigeMs. False once the walk is to end.
    bool ereignisseLaufenLassen(const Laufstand* stand, bool sofort = false);
    // Starts the clock and the progress display of a walk below `wurzel`, shown
    // as the drive path `laufwerkspfad`; a folder search shows folders only.
    void fortschrittBeginnen(bool ordnersuche, const QString& wurzel, const QString& laufwerkspfad);
    void fortschrittZeigen(const Laufstand& stand);

    const sys::Services& m_services;
    Katalogfenster& m_katalog;
    QString m_beschaeftigt = QStringLiteral("0");  // "1" while FindDirectories moves Dir1
    int m_laufTiefe = 0;       // Laufwachen held
    int m_inPumpe = 0;         // inside a walk's event pump
    bool m_durchsucht = false;  // Dir1_Change walks
    bool m_abbrechen = false;  // the walk is to end at its next step
    bool m_geschlossen = false;       // closed, and not shown again since
    std::function<void()> m_danach;   // put off until the walk has ended
    QElapsedTimer m_laufUhr;
    qint64 m_letzteRunde = 0;
    qint64 m_letzteAnzeige = 0;
    bool m_ordnersuche = false;
    QString m_anzeigeWurzel, m_anzeigeLaufwerk;
    int m_hoeheTwips = HoeheEingeklappt;
    // The lower part, which only the unfolded window shows; folded, none of
    // its controls can be reached.
    QWidget* m_unterteil = nullptr;
};

}  // namespace scan
