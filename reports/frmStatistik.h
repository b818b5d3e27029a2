#pragma once
// The number statistics: four lists that count the titles per format,
// category, quality and folder, thirteen counters and a rough estimate of the
// data volume, and the export of the four lists into "Statistik.xls". Every
// opening recomputes it all; the window rebuilds its own derived tables in
// the catalogue file.
#include "frame/Aussehen.h"
#include "frame/Hauptfenster.h"
#include "platform/system/Services.h"
#include "reports/Katalogzaehler.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace db {
class Database;
}
namespace vb {
class ListBox;
}

class frmStatistik : public QWidget {
public:
    frmStatistik(const sys::Services& services, frame::Hauptfenster& hauptfenster);
    ~frmStatistik() override;

    // The one window: opened and computed on first use and after it closed,
    // shown again as it is while it is open.
    static frmStatistik* zeigen(const sys::Services& services, frame::Hauptfenster& hauptfenster);

    void Form_Load();
    void przInilesen();
    void przFarbe();
    void przStatistikTabellen();
    // One list fill; false when its database could not be opened.
    enum class Liste { Format, Cat, Qualität, Mappe };
    bool przStatistikListe(Liste liste);
    void przStatistikExcel();
    void optWert_Click();
    void optAnzahl_Click();

    // Controls, named as the window names them.
    vb::ListBox* lfFormat = nullptr;
    vb::ListBox* lfCat = nullptr;
    vb::ListBox* lfQualität = nullptr;
    vb::ListBox* lfMappe = nullptr;
    QLabel* lbohneCover = nullptr;
    QLabel* lbohneInfo = nullptr;
    QLabel* lbohneSize = nullptr;
    QLabel* lbdeuengl = nullptr;
    QLabel* lbengl = nullptr;
    QLabel* lbdeu = nullptr;
    QLabel* lbohneSP = nullptr;
    QLabel* lbGesamt = nullptr;
    QLabel* lbCDs = nullptr;
    QLabel* lbDVD = nullptr;
    QLabel* lbAus = nullptr;
    QLabel* lbByte = nullptr;
    QLabel* lbDVDs = nullptr;
    QLabel* lbByteges = nullptr;
    QLabel* lborgDVD = nullptr;
    QLabel* lbkopDVD = nullptr;
    QRadioButton* optWert = nullptr;
    QRadioButton* optAnzahl = nullptr;
    QPushButton* cmdStatistikExcell = nullptr;
    QPushButton* cmdOK = nullptr;
    QLineEdit* tfCDAnzahl = nullptr;
    QLineEdit* tfDVDAnzahl = nullptr;
    QLineEdit* tfCDSize = nullptr;
    QLineEdit* tfDVDSize = nullptr;
    // The four list headers ("Formate", "Kategorien", "Qualität", "Mappe").
    std::array<QLabel*, 4> kopf{};
    std::array<QFrame*, 9> Line1{};

    // The sort term of the list statements.
    QString Sortierung;

private:
    void aufbauen();
    void einrichten();
    QHBoxLayout* listenAnordnen();
    QHBoxLayout* untenAnordnen();
    QVBoxLayout* mitteAnordnen();
    QGridLayout* zeilen(int erste, std::initializer_list<QLabel*> werte);
    bool öffnen(const QString& name);
    void option(const QString& wert, bool anzahl);
    void zählerZeigen(std::initializer_list<reports::Zähler> zähler);

    const sys::Services& m_services;
    frame::Hauptfenster& m_hauptfenster;
    std::unique_ptr<db::Database> m_datenbank;
    QString m_dbName;
    frame::Look m_look;
    QString m_label2, m_label3, m_label7;
    reports::Sprachcodes m_codes;
    // The captions without a name of their own, in creation order: 0 the
    // title band, 1-4 "CDs" over the lists, 5-11 the left counters, 12-15 the
    // middle counters, 16 "Datenvolumen:", 17-22 the volume rows with their
    // "GB", 23-24 the DVD counters, 25 "Sortierung:".
    std::array<QLabel*, 26> m_beschriftung{};
    QList<QLabel*> m_beschriftungen;  // every caption label
    QList<QLabel*> m_werte;           // every value label
    bool m_imÖffnen = false;
};
