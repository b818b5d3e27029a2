#pragma once
// The main window: the title list, its filters and views, the detail panel and
// the menu. It is the hub of the program: the other windows reach its public
// members and procedures.
#include "catalogue/frmFilme_Controls.h"
#include "frame/Einstellungen.h"
#include "frame/Hauptfenster.h"
#include "frame/Sprache.h"
#include "platform/db/Database.h"
#include "platform/db/TableCursor.h"
#include "platform/system/Services.h"

#include <QMainWindow>
#include <QPoint>
#include <array>
#include <memory>
#include <optional>

class frmFilme : public QMainWindow, public frame::Hauptfenster {
    Q_OBJECT
public:
    explicit frmFilme(const sys::Services& services, QWidget* parent = nullptr);
    ~frmFilme() override;

    // The load step. False when the program must end: a second instance has
    // handed over (*zweiteInstanz set), or the catalogue cannot be opened
    // (the user was told why).
    bool Form_Load(bool* zweiteInstanz = nullptr);

    // frame::Hauptfenster
    QWidget* fenster() override { return this; }
    void przAktualisieren() override;
    void przlesen() override;
    QString tfDBName() const override;

    void przDBÖffnen();
    void przclose();
    void przUnloadMe();
    void przMenüBilder();
    void przSortierungLaden();
    void przSortierungsfunktion();

    // Sort orders of the menu "Sortierung" and the option buttons.
    void przSortFormat();
    void przSortQualität();
    void przSortMappe();
    void przSortKategorie();
    void przSortDatumAb();
    void przSortDatumAuf();
    void przSortClear();
    void mnuClear_Click();
    void cmdClear_Click();

    // The overdue lendings, and the list fill of lending rows.
    void przÜberfälligeAusleihen();
    void przAusleiheListeFüllen();

    // The look and the language texts of this window.
    void przSprache();
    void przBild();
    void przLabel();
    void przFarbe();
    void przFont();

    // The controls, each named as the window names it (objectName = name).
    FilmeControls c;

    // Form-level state that other windows and the catalogue use.
    frame::Einstellungen ini;
    frame::Feldwoerter feldwoerter;  // the field words of the language file
    std::unique_ptr<db::Database> datenbank;
    std::unique_ptr<db::TableCursor> rsFilme;
    std::unique_ptr<db::TableCursor> rsVersion;
    std::unique_ptr<db::TableCursor> rsUnterordner;
    std::array<int, 6> tabStops{};
    QString ListenSQL;
    QString FilterWert;
    QString DSAnsicht;
    QString SortFeld;
    QString UnterordnerTitel;
    QString VolltextsucheTitelFlag;
    QString VolltextsucheInfoFlag;
    QString UnterordnerListeFlag;

    const sys::Services& services() const { return m_services; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void aufbauen();       // controls and menu (layout)
    void menüVerbinden();  // menu and button commands
    void bilderVerbinden();
    bool programmBeenden();
    void Form_Resize();
    void sortUmschalten(QAction* eintrag, const QString& gespeichert, const QString& spalte);
    void cmdInfo_Click();
    void mnuTools_Click();

    const sys::Services& m_services;
    std::optional<QPoint> m_ziehPunkt;  // the last press on the window's own surface
    bool m_zieht = false;  // the button went down on the surface, not on a control
    bool m_entladen = false;
};
