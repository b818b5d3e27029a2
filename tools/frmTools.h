#pragma once
// The tools program's main window: the two catalogues of "Cd.ini" (switch,
// rename, create), value replacement in table Filme, the cover path
// conversion, compaction and the grid view of a chosen catalogue.
#include "frame/Aussehen.h"
#include "platform/db/Database.h"
#include "platform/system/Services.h"
#include "platform/vb/VbControls.h"
#include "tools/Datagrid.h"
#include "tools/frmNeuDB.h"

#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QWidget>

#include <array>
#include <memory>

class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmTools : public QWidget {
    Q_OBJECT
public:
    explicit frmTools(const sys::Services& services, QWidget* parent = nullptr);
    ~frmTools() override;

    void Form_Load();

    // Opens the working catalogue (a failure throws db::DbError to the
    // caller), fills the box from it and closes it again.
    void FillCombo(vb::ComboBox& box, const QString& sql, const QVariantList& werte = {});
    // Creates the catalogue named by tfDBNameNeu1 and records it as "DB Name1".
    void przCreateDB1();
    // Compacts the catalogue file mdb, keeping the file before as mdb + ".bak";
    // skipped (true) while that copy is younger than idle days.
    bool DBCompact(const QString& mdb, const QString& password, float idle);
    // True when the path's attributes can be read and it is no folder.
    static bool FileExists(const QString& path);

    void cmbDBU_Click();
    void cmbDB_Click();
    void cmdDBrename_Click();
    void cmdOK_Click();
    void cmdEnde_Click();
    void Form_Unload();
    void cmdCreateDB_Click();
    void optFormat_Click();
    void optMappe_Click();
    void optCat_Click();
    void optQualität_Click();
    void optDatum_Click();
    void cmdÄndern_Click();
    void cmdCoversumbenennen_Click();
    void cmdKomp_Click();
    void cmdDBAnsicht_Click();
    // Picks a catalogue of the Windows program and asks for the new name, as "&Neue DB" does.
    void cmdWindowsKatalog_Click();

    // The working catalogue chosen in cmbDBU ("" until the first pick).
    const QString& arbeitsName() const { return m_arbeitsName; }
    const QString& arbeitsPfad() const { return m_arbeitsPfad; }
    bool hatGridverbindung() const { return m_datagrid && !m_datagrid->katalog().isEmpty(); }
    frmNeuDB* neuDB() const { return m_neuDB; }
    Datagrid* datagrid() const { return m_datagrid; }
    const QString& aktuellerName() const { return m_dbName0; }
    const QString& zweiterName() const { return m_dbName1; }

    vb::ComboBox* cmbDBU = nullptr;
    QPushButton* cmdKomp = nullptr;
    QPushButton* cmdDBAnsicht = nullptr;
    QRadioButton* optFormat = nullptr;
    QRadioButton* optMappe = nullptr;
    QRadioButton* optCat = nullptr;
    QRadioButton* optQualität = nullptr;
    QRadioButton* optDatum = nullptr;
    vb::ComboBox* cmbCombo = nullptr;
    vb::ComboBox* cmbCombo1 = nullptr;
    QPushButton* cmdÄndern = nullptr;
    vb::ComboBox* cmbDB = nullptr;
    QLineEdit* tfDB1 = nullptr;
    QLineEdit* tfDB0 = nullptr;
    QPushButton* cmdDBrename = nullptr;
    QPushButton* cmdCreateDB = nullptr;
    QPushButton* cmdWindowsKatalog = nullptr;
    QPushButton* cmdCoversumbenennen = nullptr;
    QPushButton* cmdEnde = nullptr;
    QPushButton* cmdOK = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* Line3 = nullptr;
    QFrame* Line4 = nullptr;
    QLineEdit* tfDBNameNeu1 = nullptr;

    QLabel* Label1(int index) const { return m_label1.at(std::size_t(index)); }
    QLineEdit* tfDB(int index) const { return m_tfDB.at(std::size_t(index)); }

protected:
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void aufbauen();
    void steuerelementeBauen();
    void layoutSetzen();
    void verbinden();
    void przInilesen();
    void przDBListeFüllen();
    // Converts the chosen Windows catalogue into the new catalogue `ziel` named `name`.
    void przWindowsKatalog(const QString& name, const QString& ziel);
    void przFarbe();
    void przComboFormat();
    void przComboMappe();
    void przComboCat();
    void przComboQualität();
    void przCoverUmbenennen();
    // The lists of catalogues, the rename source and the names read again
    // from "Cd.ini", as at start-up; the working catalogue stays chosen while
    // it is listed.
    void przListenNeu();
    // Why the catalogue file cannot be changed or renamed (the file or its
    // folder is read-only), or "" when it can.
    static QString schreibschutz(const QString& pfad);
    // Tells the user and gives true when the grid shows the catalogue: its
    // connection holds the catalogue open.
    bool inTabellenAnsicht(const QString& pfad, const QString& titel);
    // Fills cmbCombo and cmbCombo1 with the field's values; a working catalogue
    // that cannot be opened is reported.
    void werteFüllen(const QString& feld);
    QString katalogPfad(const QString& name) const;
    void meldung(const QString& text, int flags, const QString& titel);
    // The message for a rename that the file system refused.
    QString umbenennenFehler(const QString& quelle, const QString& ziel, int fehler) const;
    // Renames the file back after "DB Name0" refused the new name; gives the message telling both.
    QString zurückbenennen(const QString& quelle, const QString& ziel, int fehler) const;

    const sys::Services& m_services;
    QString m_iniPfad;
    frame::Look m_look;
    QString m_dbName0;
    QString m_dbName1;
    QString m_umbenennenQuelle;
    QString m_arbeitsName;
    QString m_arbeitsPfad;
    bool m_beendet = false;
    // The Windows catalogue whose new name frmNeuDB asks for; "" for a new empty one.
    QString m_jetQuelle;

    std::array<QLabel*, 8> m_label1{};
    std::array<QLineEdit*, 2> m_tfDB{};
    QButtonGroup* m_optionen = nullptr;
    // The windows that exist once, kept by the context.
    QPointer<frmNeuDB>& m_neuDB;
    QPointer<Datagrid>& m_datagrid;
};
