#pragma once
// The lending statistics window: how often each title was lent, how often
// each borrower borrowed, how many titles of each folder are out now, with
// two totals; the workbook export and the delete of the lending log. Every
// opening rebuilds its derived tables inside the catalogue file.
#include "frame/Aussehen.h"
#include "platform/db/Database.h"
#include "platform/system/Services.h"

#include <QDialog>
#include <QString>

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace frame {
class Hauptfenster;
}
namespace vb {
class ListBox;
}

class frmStatistikAusleihe : public QDialog {
public:
    frmStatistikAusleihe(const sys::Services& services, frame::Hauptfenster& hauptfenster, QWidget* parent = nullptr);
    ~frmStatistikAusleihe() override;

    // Opens the window from the main window's menu; nullptr when the load ended it.
    static frmStatistikAusleihe* zeigen(const sys::Services& services, frame::Hauptfenster& hauptfenster);

    // False when the window must not appear: the catalogue cannot be opened,
    // or the log is empty (the user was told).
    bool Form_Load();
    void optWert_Click();
    void optAnzahl_Click();
    void przAusleiheTabellen();
    void przAusleiheListe();       // titles
    void przAusleiheListeWer();    // borrowers
    void przAusleiheListeMappe();  // folders
    void przAusleiheSumme();       // titles lent now
    void przAusleiheSummeZahlen(); // lendings so far
    void przAusleiheExcel();
    void cmdStatistikExcell_Click();
    void cmdDatenlöschen_Click();
    void cmdOK_Click();
    // The number of a counting statement's "Zähler"; 0 on any failure.
    long dscount(const QString& sql);
    long dscount1(const QString& sql);

    vb::ListBox* lfAusleihe = nullptr;
    vb::ListBox* lfWer = nullptr;
    vb::ListBox* lfAusleiheMappe = nullptr;
    QLabel* lbAusleiheZahlen = nullptr;
    QLabel* lbAusleiheMappe = nullptr;
    QRadioButton* optWert = nullptr;
    QRadioButton* optAnzahl = nullptr;
    QPushButton* cmdStatistikExcell = nullptr;
    QPushButton* cmdDatenlöschen = nullptr;
    QPushButton* cmdOK = nullptr;
    QLabel* Label(int i) const { return m_label.at(std::size_t(i)); }
    QFrame* Line1(int i) const { return m_line1.at(std::size_t(i)); }
    QFrame* Line4 = nullptr;

    // The workbook of the export, in the program folder.
    static const QString Mappe;

private:
    void przInilesen();
    void przSprache();
    void przFarbe();
    db::Database* verbindung();
    void listeFüllen(vb::ListBox* liste, int tabStop, const QString& tabelle, const QString& wert);
    void reihenfolgeGewählt(const QString& wert);

    const sys::Services& m_services;
    frame::Hauptfenster& m_hauptfenster;
    std::array<QLabel*, 10> m_label{};
    std::array<QFrame*, 7> m_line1{};
    std::unique_ptr<db::Database> m_datenbank;
    QString m_dbName;  // [DB] "DB Name0" until the load takes the main window's name
    frame::Look m_look;
    QString m_sortierung;  // the order of the last list fill
    QString m_label1Wort;
    QString m_sprache;
    std::array<int, 3> m_tabStops{};
};
