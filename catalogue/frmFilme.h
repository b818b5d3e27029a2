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
#include "scan/frmCDeinlesen.h"
#include "scan/frmCover.h"

#include <QDate>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QVariantList>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

class frmSucheTitel;
class frmSucheInfo;

class frmFilme : public QMainWindow, public frame::Hauptfenster, public scan::Katalogfenster {
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

    // scan::Katalogfenster; the scan window's buttons
    QWidget* katalogFenster() override { return this; }
    scan::Uebergabefelder uebergabe() override;
    void przÜbernahmeFertig(bool alsInfo) override;
    void cmdCDeinlesen_Click();
    void mnuCDeinlesen_Click();
    scan::frmCDeinlesen* scanfenster() const { return m_frmCDeinlesen; }

    // Covers: the windows of a title and of a sub-entry.
    void przCover();
    void przCover2();
    void cmdCover_Click();
    void cmdCover2_Click();
    scan::frmCover* coverfenster() const { return m_frmCover; }
    scan::frmCover* coverfenster2() const { return m_frmCover2; }

    // The film lookup on the web and its cover candidates.
    void przFilminfo();
    void cmdFilminfo_Click();
    void cmdFilminfogoogle_Click();
    void przCoverAuswahlZeigen();
    void lfCover_Click();
    void przCoverDownload();
    void przCoverAuswahlSchliessen();
    const QString& seitentext() const { return m_seitentext; }

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
    void mnuÜberfälligeAusleihen_Click();

    // Lending the shown title, its return and its history; the folder lending
    // and the lending statistics windows.
    void cmdAusleihen_Click();
    void cmdspeichern_Click();
    void back_Click();
    void cmdAusgeliehen_Click();
    void cmdMappe_Click();
    void mnuAusleiheStatistik_Click();
    // The log rows, by the title the record had before the write.
    void przAusleiheEintragen();
    void przRückgabeEintragen(const QString& titel, const QString& wer);
    void przUnterordnerZurück(const QString& titel, const QString& wer);

    // The title list, the sub-entry list, the lookups and the counts.
    void przListeSetzen(const QString& sql, const QVariantList& werte = {});
    void przListeFüllen();
    void przListe2Füllen();
    void przAnzeige3();
    void przAnzeige4();
    void przDatensatzSuchen();
    void przTitelMarkieren();
    // The row whose title equals the title on display, or -1.
    int titelZeile() const;
    void przAnzahlGesamt();
    void przAnzahlSel();

    // Filters, views and the combo box fills.
    void przFilterZurücksetzen();
    void przCombosFüllen();
    void przFormatFüllen();
    void przQualitätFüllen();
    void przMappeFüllen();
    void przAnzahlFüllen();
    void przWerFüllen();
    void przAusleiherListeFüllen();
    void przDtenFüllen();
    void przCatFüllen();
    void przFilterFormat();
    void przFilterQualität();
    void przFilterMappe();
    void przFilterCat();
    void przFilterWer();
    void przDatumAnsicht();
    void przAusleihAnsicht();
    void cmbFormat_Click();
    void cmbQualität_Click();
    void cmbMappe_Click();
    void cmbCat_Click();
    void cmbWer_Click();
    void optdat_Click();
    void optausleih_Click();
    void chkdat_Click();
    void chkausleih_Click();

    // The whole list.
    void Alle_Click();
    void przAlleListe();

    // The detail panel: display, clear and mode procedures.
    void przDatensatzAnzeigen();
    void przUnterordnerAnzeigen();
    void przLöschen() override;
    void przLöschen1();
    void przLöschen2();
    void przLöschenUnterordner();
    void przUnsichtbar();
    void przSichtbar();
    void przUnterordnerModusEin();
    void przUnterordnerModusAus();

    // Navigation.
    void lfListe_Click();
    void lfListe2_Click();
    void przvor();
    void przzurück();
    void cmdVor_Click();
    void cmdZurück_Click();
    void Anzeige_Click();

    // Creating, editing and deleting titles. przSpeichern and przEditieren
    // give true when the catalogue took the record (later windows go on only then).
    void Neu_Click();
    void Speichern_Click();
    void cmdEdit_Click();
    bool przSpeichern();
    // `imSchreiben` runs inside the write's transaction, right after the
    // record's update (the lending adds its log row there); `fenstertitel`
    // titles the refusal of a typed date.
    bool przEditieren(const std::function<void()>& imSchreiben = {},
                      const QString& fenstertitel = QStringLiteral("Editieren"));
    void Löschen_Click();
    void cmdLöschen2_Click();

    // Sub-entries.
    void cmdUnterordner_Click();
    void przUnterordnerListe();
    void cmdUnterordnerzurück_Click();
    void cmdNeu2_Click();
    void przNeuUnterordner();
    void cmdSpeichern2_Click();
    bool przSpeichernUnterordner();
    void cmdEditieren2_Click();
    bool przEditierenUnterordner();
    void mnuUnterverzeichnis_Click();

    // Entry fields: key filters, Enter, and the buttons that reveal fields.
    void tfTitel_KeyPress(int& keyAscii);
    void tfFormat_KeyPress(int& keyAscii);
    void tfQualität_KeyPress(int& keyAscii);
    void tfMappe_KeyPress(int& keyAscii);
    void tfAnzahl_KeyPress(int& keyAscii);
    void tfSize_KeyPress(int& keyAscii);
    void tfDatumAusleihe_KeyPress(int& keyAscii);
    void cmdSize_Click();
    void cmddten_Click();

    // Closing while the panel holds changes that no button stored: asks
    // whether to store them. False when the window is to stay open.
    bool änderungenKlären();

    // The full-text searches, their buttons and their dialogs.
    void przVolltextsucheTitel();
    void przVolltextsucheInfo();
    void przCDVolltextsuche() override;
    void cmdVolltextsucheTitel_Click();
    void cmdVolltextsucheInfo_Click();
    void mnuVolltextsucheTitel_Click();
    void mnuVolltextsucheInfo_Click();
    // The search dialog while it is open, else nullptr.
    frmSucheTitel* sucheTitel() const;
    frmSucheInfo* sucheInfo() const;

    // The special views of the menu "Suchen", re-run by przlesen through DSAnsicht.
    void przDSOhneCover();
    void przDSOhneInfo();
    void przDSAusgeliehen();
    void przDSnachDatum();
    void przDSDtEn();
    void przDSDt();
    void przDSEn();
    void przDSOhneSprache();
    void przDSOhneSize();
    void przDSOhneCat();

    // The exports into the program folder, and list printing.
    void przTextexport();
    void przExcelExport();
    void przExcelSelektion();
    void przExcelUnterordner();
    void cmdPrint_Click();
    void mnuDrucken_Click();
    void mnuDruckSetup_Click();

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
    QVariantList ListenWerte;  // the values bound into ListenSQL, in order
    // The whole list ("Alle anzeigen") is the selection in force: przlesen
    // builds it again. Every other selection clears it (przListeSetzen).
    bool GanzeListeFlag = false;
    QString SuchTitel;  // the lookups' key, always 100 characters
    long AnzahlSel = 0;
    long AnzahlGesamt = 0;
    QString FilterWert;
    QString DSAnsicht;
    QString SortFeld;
    QString UnterordnerTitel;
    QString VolltextsucheTitelFlag;
    QString VolltextsucheInfoFlag;
    QString UnterordnerListeFlag;
    // Sub-entries that a save stored under a free name because theirs was taken.
    int UmbenannteUnterordner = 0;

    const sys::Services& services() const { return m_services; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void aufbauen();       // controls and menu (layout)
    // An enlarged window gives its extra room to the lists; what lies under
    // them moves down with their lower edge.
    void flächeAnpassen();
    // Labels as wide as their texts in their faces; what stands right of a
    // widened label makes room for it.
    void beschriftungenEinpassen();
    void menüVerbinden();  // menu and button commands
    void bilderVerbinden();
    bool programmBeenden();
    // The window's title bar: the program's title and the open catalogue.
    static QString titelleiste(const QString& katalog);
    void Form_Resize();
    void sortUmschalten(QAction* eintrag, const QString& gespeichert, const QString& spalte);
    void cmdInfo_Click();
    void listeVerbinden();  // list, filter and navigation handlers
    // "order by" terms of a Filme list: the sort column(s) that Filme has, each
    // in the German collation, then the title.
    QString filmeOrdnung(const QString& feld) const;
    void kombiFüllen(std::initializer_list<vb::ComboBox*> kästen, const QString& sql);
    void spalteFiltern(const QString& spalte, bool muster);
    void filterKlick(vb::ComboBox* box, QLineEdit* versteckt, std::initializer_list<void (frmFilme::*)()> andereFüllen,
                     void (frmFilme::*filter)());
    void leeren(bool titelUndOrdner);
    void nachschlagen(db::TableCursor* cursor, const QString& index);
    void ansichtZeigen(const QString& sql);
    void blättern(bool vor);
    void coverZeigen(const QVariant& cover);
    void mnuTools_Click();
    void bearbeitenVerbinden();  // record, sub-entry and entry field handlers
    void ausleiheVerbinden();    // the lending buttons and menu entries
    void kombisVerbinden();      // the edit combo boxes
    void tastenVerbinden();      // key filters of the entry fields
    // The refusal of a save; `grund` (may be empty) says why, on a line of its own.
    void speichernFehler(const QString& titel, const QString& fenstertitel, const QString& grund = {});
    // Why the catalogue refused a title (or a sub-entry's name): longer than
    // its column, or taken by another row than `eigeneZeile`; "" when neither.
    QString titelGrund(const QString& titel, bool unterordner, long long eigeneZeile) const;
    // A title as the user typed or pasted it, without the blanks at its ends;
    // a title taken unchanged from the record stays as it is stored.
    static QString titelOhneRänder(const QString& getippt, const QString& gespeichert = {});
    // The boxes of the detail panel take at most what their columns hold:
    // those of a title, or those of a sub-entry.
    void feldbreitenSetzen(bool unterordner);
    // Tab visits only controls the user sees: shown, enabled and not covered.
    bool focusNextPrevChild(bool next) override;
    bool siehtNutzer(const QWidget* w) const;
    std::optional<QDate> getipptesDatum(const QLineEdit* feld, const QString& feldname, const QString& fenstertitel);
    bool leererTitel(int fehlerText, frame::OhneDatei ohne);
    bool filmAufAnzeige();
    bool unterordnerAufAnzeige();
    void unterordnerNeuLesen();  // after a sub-entry's edit or delete

    void exportVerbinden();  // the exports, printing and report windows
    void druckVerbinden();
    void suchenVerbinden();  // the searches and special views of the menu "Suchen"
    // A special view: `bedingung` ("" = every title) in `ordnung` ("" = the sort order, then the title).
    void spezialAnsicht(const QString& tag, const QString& bedingung, const QVariantList& werte = {},
                        const QString& ordnung = {});
    void spezialAnsichtWiederholen();  // the view of DSAnsicht

    const sys::Services& m_services;
    std::optional<QPoint> m_ziehPunkt;  // the last press on the window's own surface
    bool m_zieht = false;  // the button went down on the surface, not on a control
    bool m_entladen = false;
    // The title list shows lending rows under the lending headers.
    bool m_ausleihköpfe = false;
    // The rows that przDatensatzAnzeigen / przUnterordnerAnzeigen put on
    // display (rowid; 0 = none): an edit or delete acts on them only.
    long long m_angezeigterFilm = 0;
    long long m_angezeigterUnterordner = 0;
    // A take-over marked the stored title of its disc without showing it.
    bool m_titelNurMarkiert = false;
    // A new record begun by Neu, a disc's take-over or a new sub-entry, until
    // it is stored, cleared or another record is shown.
    enum class Neuanlage { Keine, Titel, Unterordner };
    Neuanlage m_neuanlage = Neuanlage::Keine;
    // The panel's fields as the record was loaded (or begun): a close compares
    // them with what the fields hold then.
    QStringList m_geladen;
    // The places of the fields in a stand.
    struct Stand {
        enum : int { Titel, Format, Qualität, Mappe, Wer, Anzahl, DatumAusleihe, Size, Cat, Datum, Dten, Info, Felder };
    };
    QStringList panelStand() const;
    static QStringList leererStand();
    enum class Eingabe { Keine, Titel, NeuerTitel, Unterordner, NeuerUnterordner };
    Eingabe eingabe() const;
    bool eingabeSpeichern(Eingabe art);
    bool ausleiheSpeichern();

    // The windows that exist once, kept by the context.
    QPointer<frmSucheTitel>& m_frmSucheTitel;
    QPointer<frmSucheInfo>& m_frmSucheInfo;
    QPointer<scan::frmCDeinlesen>& m_frmCDeinlesen;
    QPointer<scan::frmCover>& m_frmCover;
    QPointer<scan::frmCover>& m_frmCover2;
    QString m_seitentext;        // the body HTML of the last page loaded
    QString m_coverReferenz;     // the reference of the last download
    bool m_suchtImWeb = false;   // a lookup runs: its buttons are ignored
    void coverÜbergeben(QPointer<scan::frmCover>& fenster, const scan::Coverart& art, const QVariant& cover);
    void scanVerbinden();
};
