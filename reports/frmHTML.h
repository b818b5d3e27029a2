#pragma once
// The HTML report window: reports of all titles, of one folder, format,
// quality, borrower or category chosen in five boxes, of the lending log, of
// the open lendings and of the sub-entries, written into the program folder
// and opened in the user's browser.
#include "frame/Aussehen.h"
#include "frame/Hauptfenster.h"
#include "platform/system/Services.h"

#include <QString>
#include <QVariantList>
#include <QWidget>

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace db {
class Database;
}
namespace vb {
class ComboBox;
}

namespace reports {

// Opens a written report's first page in the user's browser.
bool HTMLShowReport(const sys::Services& services, const QString& datei);

inline const QString HTMLFenstertitel = QStringLiteral("HTML Datei erstellen");

}  // namespace reports

class frmHTML : public QWidget {
public:
    frmHTML(const sys::Services& services, frame::Hauptfenster& hauptfenster);
    ~frmHTML() override;

    // The one window: loaded on first use and after it was closed; hidden by
    // code it stays loaded and comes back as it was.
    static frmHTML* zeigen(const sys::Services& services, frame::Hauptfenster& hauptfenster);

    void Form_Load();
    void przUnterordner();
    void przExportMappe();
    void przExportFormat();
    void przExportQualität();
    void przExportWer();
    void przExportCat();
    void przExportAusleihen();
    void przExportAktAusleihen();
    void cmdAlle_Click();
    void przFormatFüllen();
    void przQualitätFüllen();
    void przMappeFüllen();
    void przWerFüllen();
    void przCatFüllen();

    // The five selection boxes in their family order.
    enum Box { Mappe, Format, Qualitaet, Wer, Cat };
    vb::ComboBox* box(Box b) const { return m_boxen[b]; }
    // A choice from a box's list writes its report.
    void cmb_Click(Box b);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lbMappe = nullptr;
    QLabel* lbQualität = nullptr;
    QLabel* lbFormat = nullptr;
    QLabel* lbCat = nullptr;
    QLabel* lbWer = nullptr;
    vb::ComboBox* cmbMappe = nullptr;
    vb::ComboBox* cmbQualität = nullptr;
    vb::ComboBox* cmbFormat = nullptr;
    vb::ComboBox* cmbCat = nullptr;
    vb::ComboBox* cmbWer = nullptr;
    QPushButton* cmdAlle = nullptr;
    QRadioButton* optTitel = nullptr;
    QRadioButton* optQualität = nullptr;
    QRadioButton* optCat = nullptr;
    QRadioButton* optMappe = nullptr;
    QPushButton* cmdAusleihen = nullptr;
    QPushButton* cmdAktAusleihen = nullptr;
    QRadioButton* optTitelAus = nullptr;
    QRadioButton* optWerAus = nullptr;
    QPushButton* cmdUnterordner = nullptr;
    std::array<QFrame*, 3> Line1{};

    // Form state.
    QString SortFeld;
    QString Auswahlwert;  // the value last chosen in a selection box

private:
    void aufbauen();
    void verbinden();
    void przInilesen();
    void przSprache();
    void przFarbe();
    bool öffnen();
    void füllen(Box b);
    void andereFüllen(Box geklickt);
    bool bericht(const QString& sql, const QVariantList& werte, const QString& datei, const QString& titel,
                 const QString& überschrift);
    QString ordnung(bool ausleihe) const;
    void auswahlBericht(Box b, const char* spalte, const QString& titel, const QString& überschrift);

    const sys::Services& m_services;
    frame::Hauptfenster& m_hauptfenster;
    std::unique_ptr<db::Database> m_datenbank;
    QString m_dbName;
    frame::Look m_look;
    QString m_sprache;
    std::array<vb::ComboBox*, 5> m_boxen{};
};
