#pragma once
// The settings window: the look, the list layout, lending and reminder, the
// film-information address, the language labels and the seven field words.
// Check boxes and option buttons write their key the moment they change (also
// when the load sets them); text entries and the font are written by OK and
// Apply, which then refresh the main window.
#include "frame/Hauptfenster.h"
#include "platform/system/Services.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <array>
#include <optional>

class QAbstractButton;
class QCheckBox;
class QFrame;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ini {
class IniFile;
}

class frmOptionen : public QDialog {
    Q_OBJECT
public:
    frmOptionen(const sys::Services& services, frame::Hauptfenster* hauptfenster, QWidget* parent = nullptr);

    // The one settings window: created and loaded on first use, loaded again
    // after it was closed, brought to the front while it is open.
    static frmOptionen* zeigen(const sys::Services& services, frame::Hauptfenster* hauptfenster);

    void Form_Load();
    void przInilesen();
    void przLabellesen();
    // False, after telling the user, when a file did not take the values.
    bool przOptionenSpeichern();
    // The window's own look. Each applies what it can convert and skips the
    // rest; false when a value could not be converted.
    bool przFarbe();
    bool przFont();

    void chkDefault_Click();
    void chkEditMode_Click();
    void chkCovernormal_Click();
    void chkSortierungsfunktion_Click();
    void chkSortKF_Click();
    void chkSortFK_Click();
    void chkWer_Click();
    void chkAnz_Click();
    void optAusalle_Click();
    void optAusakt_Click();
    void chkErinnerungsfunktion_Click();
    void chkFormatfilter_Click();
    void chkHintergrundfarbe_Click();
    void cmdFarbe_Click();
    void cmdFarbeBack_Click();
    void cmdFont_Click();
    void cmdOK_Click();
    void cmdÜbernehmen_Click();
    void cmdAbbrechen_Click();
    void tfColor_Change();
    void tfBackcolor_Change();

    // The controls, each named as the window names it (objectName = name).
    QCheckBox* chkDefault = nullptr;
    QCheckBox* chkEditMode = nullptr;
    QCheckBox* chkCovernormal = nullptr;
    QCheckBox* chkSortierungsfunktion = nullptr;
    QCheckBox* chkSortKF = nullptr;
    QCheckBox* chkSortFK = nullptr;
    QCheckBox* chkWer = nullptr;
    QCheckBox* chkAnz = nullptr;
    QRadioButton* optAusalle = nullptr;
    QRadioButton* optAusakt = nullptr;
    QCheckBox* chkErinnerungsfunktion = nullptr;
    QLineEdit* tfTage = nullptr;
    QCheckBox* chkFormatfilter = nullptr;
    QCheckBox* chkHintergrundfarbe = nullptr;
    QLineEdit* tfFilmURL = nullptr;
    QLineEdit* tfDeutsch = nullptr;
    QLineEdit* tfEnglisch = nullptr;
    QLineEdit* tfDeuEngl = nullptr;
    QPushButton* cmdFarbe = nullptr;
    QPushButton* cmdFarbeBack = nullptr;
    QPushButton* cmdFont = nullptr;
    QLineEdit* tfColor = nullptr;      // hidden: the chosen text colour number
    QLineEdit* tfBackcolor = nullptr;  // hidden: the chosen background colour number
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdÜbernehmen = nullptr;
    QPushButton* cmdAbbrechen = nullptr;
    // Label1 to Label7 and tfLabel1 to tfLabel7, reached by their number.
    QLabel* Label(int n) const { return m_label.at(n - 1); }
    QLineEdit* tfLabel(int n) const { return m_tfLabel.at(n - 1); }
    // The separator lines Line1(0) to Line1(7).
    QFrame* Line1(int i) const { return m_line.at(i); }

    // The design text of tfFilmURL: the film-information site used while
    // [URL] "Film" is empty.
    static const QString FilmSeite;

    // The form-level values, as read and as the save writes them.
    struct Werte {
        QString editMode;             // [Funktionen] "Edit Mode"
        QString standard;             // [Design] "Default"
        QString textFarbe;            // [Design] "TextFarbe"
        QString textFont;             // [Design] "TextFont"
        QString textBold;             // [Design] "TextBold"
        QString textSize;             // [Design] "TextSize"
        QString backcolor;            // [Design] "Backcolor"
        QString deutsch;              // [Design] "Deutsch"
        QString englisch;             // [Design] "Englisch"
        QString deuEngl;              // [Design] "DeuEngl"
        QString coverNormal;          // [Funktionen] "Cover Normal"
        QString sortierung;           // [Funktionen] "Sortierung"
        QString sortierungsfunktion;  // [Funktionen] "Sortierungsfunktion"
        QString sechstesFeld;         // [Funktionen] "6tes Feld"
        QString ausleiherListe;       // [Funktionen] "AusleiherListe"
        QString erinnerungsfunktion;  // [Funktionen] "Erinnerungsfunktion"
        QString erinnerungsintervall; // [Funktionen] "Erinnerungsintervall"
        QString formatfilter;         // [Funktionen] "Formatfilter"
        QString film;                 // [URL] "Film"
        QString hintergrundfarbe;     // [Design] "Hintergrundfarbe"
    };
    const Werte& werte() const { return m_werte; }
    // The field words 1 to 7 ("deutsch.lng" [Hauptfenster] "Label1" to "Label7").
    const QString& feldwort(int n) const { return m_feldwort.at(n - 1); }

private:
    // The controls from their table, their settings, tab order and places.
    void aufbauen();
    void steuerelemente();
    void einrichten();
    void tabReihenfolge();
    QLayout* linkeSpalte();
    QLayout* rechteSpalte();
    QLayout* knopfzeile();
    void verbinden();
    // One pass of the load; false when the look could not convert a value.
    bool ladeDurchgang(bool standardwerteEinsetzen);
    void standardwerteSchreiben();
    void standardwerteEinsetzen();
    void paarGeklickt(QCheckBox* box, QCheckBox* partner, const char* key, const char* wert);
    // The check boxes and option buttons, which take the look like the labels.
    QList<QAbstractButton*> schaltflächen() const;
    void schreibe(const char* section, const char* key, const QString& wert);
    ini::IniFile cdIni() const;
    ini::IniFile deutschLng() const;

    const sys::Services& m_services;
    frame::Hauptfenster* m_hauptfenster;
    Werte m_werte;
    std::array<QString, 7> m_feldwort;
    std::array<QLabel*, 7> m_label{};
    std::array<QLineEdit*, 7> m_tfLabel{};
    std::array<QFrame*, 8> m_line{};
    // The headings and the words beside the controls.
    QLabel* lblListenansicht = nullptr;
    QLabel* lbl6tesListenfeld = nullptr;
    QLabel* lblAusleihen = nullptr;
    QLabel* lblAusleiherListe = nullptr;
    QLabel* lblSonderfunktionen = nullptr;
    QLabel* lblErinnerungsintervall = nullptr;
    QLabel* lblTage = nullptr;
    QLabel* lblFormatfilter = nullptr;
    QLabel* lblFilmURL = nullptr;
    QLabel* lblFeldbezeichnungen = nullptr;
    QLabel* lblTextfarbe = nullptr;
    QLabel* lblSchriftart = nullptr;
    QLabel* lblHintergrundfarbe = nullptr;
    QLabel* lblDt = nullptr;
    QLabel* lblEngl = nullptr;
    QLabel* lblDtEng = nullptr;
    // The labels by their part in the look: every label takes the text colour;
    // the "Sprachbezeichnung" group takes neither bold nor, for its heading, the font.
    QList<QLabel*> m_labels;
    QLabel* m_sprachÜberschrift = nullptr;
    QList<QLabel*> m_sprachLabels;
};
