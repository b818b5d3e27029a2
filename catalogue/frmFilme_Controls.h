#pragma once
// The controls of the main window, each named as the window names it. A
// control array is a std::array reached through an accessor with the array's
// name: lbWer(1) is the element whose objectName is "lbWer_1".
#include "platform/vb/HiddenListBox.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/WebBrowser.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QWidget>

#include <array>

struct FilmeControls {
    // Title, background and status line.
    QLabel* Titel = nullptr;  // the large title label: product and version
    QLabel* Image1 = nullptr;  // background picture, under every other control
    QLabel* Label1 = nullptr;  // status line of the web look-up
    QLabel* lbUnterordner = nullptr;  // marks sub-entry mode

    // Label arrays. Element 0 labels the detail panel (lbWer: the filter row),
    // element 1 is the column header over the title list, element 2 labels the filter row.
    std::array<QLabel*, 2> lbTitelArray{};
    std::array<QLabel*, 3> lbCatArray{};
    std::array<QLabel*, 3> lbFormatArray{};
    std::array<QLabel*, 3> lbQualitätArray{};
    std::array<QLabel*, 3> lbMappeArray{};
    std::array<QLabel*, 2> lbWerArray{};
    QLabel* lbTitel(int i) const { return lbTitelArray.at(i); }
    QLabel* lbCat(int i) const { return lbCatArray.at(i); }
    QLabel* lbFormat(int i) const { return lbFormatArray.at(i); }
    QLabel* lbQualität(int i) const { return lbQualitätArray.at(i); }
    QLabel* lbMappe(int i) const { return lbMappeArray.at(i); }
    QLabel* lbWer(int i) const { return lbWerArray.at(i); }

    // Detail panel.
    QLineEdit* tfTitel = nullptr;
    QLineEdit* tfFormat = nullptr;
    QLineEdit* tfdten = nullptr;
    QLineEdit* tfQualität = nullptr;
    QLineEdit* tfMappe = nullptr;
    QLineEdit* tfWer = nullptr;
    QLineEdit* tfAnzahl = nullptr;
    QLineEdit* tfDatumAusleihe = nullptr;
    QLineEdit* tfSize = nullptr;
    QLineEdit* tfCat = nullptr;
    QLineEdit* tfDatum = nullptr;
    QLineEdit* tfCover = nullptr;
    QTextEdit* tfInfo = nullptr;
    QLabel* lbAnzahl = nullptr;
    QLabel* Label4 = nullptr;  // "Eingetragen am:"
    QCheckBox* chkCover = nullptr;

    // Edit combo boxes, each over the text box of its row.
    vb::ComboBox* cmbFormat1 = nullptr;
    vb::ComboBox* cmbQualität1 = nullptr;
    vb::ComboBox* cmbMappe1 = nullptr;
    vb::ComboBox* cmbAnzahl1 = nullptr;
    vb::ComboBox* cmbCat1 = nullptr;
    vb::ComboBox* cmbDten1 = nullptr;
    vb::ComboBox* cmbWer1 = nullptr;

    // Record, navigation and search buttons.
    QPushButton* cmdCDeinlesen = nullptr;
    QPushButton* Neu = nullptr;
    QPushButton* Speichern = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* Löschen = nullptr;
    QPushButton* cmdZurück = nullptr;
    QPushButton* cmdVor = nullptr;
    QPushButton* Anzeige = nullptr;
    QPushButton* cmdVolltextsucheTitel = nullptr;
    QPushButton* cmdVolltextsucheInfo = nullptr;
    QPushButton* cmddten = nullptr;
    QPushButton* cmdSize = nullptr;
    QPushButton* cmdInfo = nullptr;
    QPushButton* cmdCover = nullptr;
    QPushButton* cmdFilminfo = nullptr;
    QPushButton* cmdFilminfogoogle = nullptr;

    // Lending.
    QPushButton* cmdAusleihen = nullptr;
    QPushButton* cmdspeichern = nullptr;
    QPushButton* back = nullptr;
    QPushButton* cmdMappe = nullptr;
    QPushButton* cmdAusgeliehen = nullptr;

    // Sub-entries.
    QPushButton* cmdUnterordner = nullptr;
    QPushButton* cmdUnterordnerzurück = nullptr;
    QPushButton* cmdNeu2 = nullptr;
    QPushButton* cmdSpeichern2 = nullptr;
    QPushButton* cmdEditieren2 = nullptr;
    QPushButton* cmdLöschen2 = nullptr;
    QPushButton* cmdCover2 = nullptr;

    // Title list and what lies over it.
    vb::ListBox* lfListe = nullptr;
    vb::ListBox* lfListe2 = nullptr;  // sub-entries of one title
    vb::ListBox* lfCover = nullptr;   // cover candidates of the web look-up
    vb::WebBrowser* WebBrowser1 = nullptr;  // shows the page of the film lookup

    // Filters, views, sort buttons and the list commands.
    QLabel* Label6 = nullptr;  // "Filter:"
    vb::ComboBox* cmbFormat = nullptr;
    vb::ComboBox* cmbQualität = nullptr;
    vb::ComboBox* cmbMappe = nullptr;
    vb::ComboBox* cmbCat = nullptr;
    vb::ComboBox* cmbWer = nullptr;
    QRadioButton* optFormat = nullptr;
    QRadioButton* optQualität = nullptr;
    QRadioButton* optMappe = nullptr;
    QRadioButton* optCat = nullptr;
    QPushButton* cmdClear = nullptr;
    QCheckBox* chkdat = nullptr;
    QLabel* Datum = nullptr;
    QCheckBox* chkausleih = nullptr;
    QLabel* Ausgeliehen = nullptr;
    QRadioButton* optdat = nullptr;
    QRadioButton* optausleih = nullptr;
    QPushButton* Alle = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* ExcelSel = nullptr;
    QPushButton* cmdHTML = nullptr;

    // Counts.
    QLabel* Label3 = nullptr;  // "Anzahl selektierter Datensätze:"
    QLabel* lbAnzahlSel = nullptr;
    QLabel* Label5 = nullptr;  // "Gesamtanzahl Titel in der DB:"
    QLabel* lbAnzahlF = nullptr;

    // Hidden boxes that carry state between the window and the others.
    QLineEdit* tfDBName = nullptr;
    QLineEdit* tfTitel2 = nullptr;
    QLineEdit* tfUnterordner = nullptr;
    QLineEdit* tfCDInfo = nullptr;
    QLineEdit* tfcmbFormat = nullptr;
    QLineEdit* tfcmbQualität = nullptr;
    QLineEdit* tfcmbMappe = nullptr;
    QLineEdit* tfcmbCat = nullptr;
    QLineEdit* tfcmbWer = nullptr;
    QLineEdit* tfVolltextsucheTitel = nullptr;
    QLineEdit* tfVolltextsucheInfo = nullptr;
    QLineEdit* tfImgText = nullptr;
    QLineEdit* tfCoverübergeben = nullptr;
    vb::HiddenListBox* lfListeCDeinlesen = nullptr;
    vb::HiddenListBox* lfListeCDEinlesenOhneGroesse = nullptr;

    // Hidden picture boxes that carry the menu pictures.
    QLabel* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;
    QLabel* Picture3 = nullptr;
    QLabel* Picture4 = nullptr;
    QLabel* Picture5 = nullptr;
    QLabel* Picture6 = nullptr;
    QLabel* Picture7 = nullptr;
    QLabel* Picture8 = nullptr;
    QLabel* Picture10 = nullptr;
    QLabel* Picture12 = nullptr;
    QLabel* Picture14 = nullptr;
    QLabel* Picture15 = nullptr;
    QLabel* Picture16 = nullptr;
    QLabel* Picture17 = nullptr;
    QLabel* Picture18 = nullptr;
    QLabel* Picture19 = nullptr;
    QLabel* Picture20 = nullptr;
    QLabel* Picture21 = nullptr;
    QLabel* Picture22 = nullptr;

    // Menu "&Datei".
    QMenu* mnuDatei = nullptr;
    QAction* mnuCDeinlesen = nullptr;
    QAction* mnuFileBar5 = nullptr;
    QMenu* mnuExport = nullptr;
    QAction* mnuHTML = nullptr;
    QAction* mnuExcell = nullptr;
    QAction* mnuText = nullptr;
    QAction* mnuFileBar2 = nullptr;
    QAction* mnuDrucken = nullptr;
    QAction* mnuDruckSetup = nullptr;
    QAction* mnuFileBar3 = nullptr;
    QAction* mnuUnterverzeichnis = nullptr;
    QAction* mnuUnterverzeichnisExcelListe = nullptr;
    QAction* mnuUnterverzeichnisHTML = nullptr;
    QAction* mnuFileBar7 = nullptr;
    QAction* mnuBeenden = nullptr;

    // Menu "&Ansicht".
    QMenu* mnuAnsicht = nullptr;
    QAction* mnuAktualisieren = nullptr;
    QAction* mnuFileBar4 = nullptr;
    QAction* picload = nullptr;
    QMenu* picchoose = nullptr;
    QAction* picLacs = nullptr;
    QAction* picForet = nullptr;
    QAction* picBug = nullptr;
    QAction* picVoyager = nullptr;
    QAction* picDesert = nullptr;
    QAction* picSpace = nullptr;

    // Menu "Suchen".
    QMenu* mnuSuchen = nullptr;
    QAction* mnuVolltextsucheTitel = nullptr;
    QAction* mnuVolltextsucheInfo = nullptr;
    QAction* mnuFileBar0 = nullptr;
    QAction* mnuOhneCover = nullptr;
    QAction* mnuOhneInfo = nullptr;
    QAction* mnuDSAusgeliehen = nullptr;
    QAction* mnuDSnachDatum = nullptr;
    QAction* mnuFileBar1 = nullptr;
    QAction* mnuDSDtEn = nullptr;
    QAction* mnuDSDt = nullptr;
    QAction* mnuDSEn = nullptr;
    QAction* mnuDSOhneSprache = nullptr;
    QAction* mnuDSohneSize = nullptr;
    QAction* mnuDSOhneCat = nullptr;
    QAction* mnuÜberfälligeAusleihen = nullptr;

    // Menu "Sortierung": the six sort entries carry a check mark.
    QMenu* mnuSortierung = nullptr;
    QAction* mnuFormat = nullptr;
    QAction* mnuQualität = nullptr;
    QAction* mnuMappe = nullptr;
    QAction* mnuKategorie = nullptr;
    QAction* mnuDateAb = nullptr;
    QAction* mnuDateAuf = nullptr;
    QAction* mnuFileBar6 = nullptr;
    QAction* mnuClear = nullptr;

    // Menu "S&tatistik", the two commands on the menu bar, menu "&Info".
    QMenu* mnuStatistik = nullptr;
    QAction* mnuZahlenStatistik = nullptr;
    QAction* mnuAusleiheStatistik = nullptr;
    QAction* mnuOptionen = nullptr;
    QAction* mnuTools = nullptr;
    QMenu* About = nullptr;
    QAction* mnuHilfe = nullptr;
    QAction* mnuCredits = nullptr;
    QAction* mnuAbout = nullptr;
};
