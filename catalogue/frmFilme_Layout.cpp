// The main window's controls and menu, as the window's designer laid them out.
// Positions are design positions in twips (15 twips a pixel at 96 dpi); the
// inner area is 10155 x 7650 twips.
//
// The detail panel is a grid of six rows of 360 twips from Top 1440. Controls
// that only one mode of the panel shows share a place with controls that mode
// hides: the sub-entry buttons lie on the entry date row and the lending date
// field, which sub-entry mode hides; the edit combo boxes lie over their text
// boxes. Hidden boxes that only carry values between procedures and windows
// are parked behind the title list; they are never shown.
#include "catalogue/frmFilme.h"

#include "catalogue/Bildchen.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"

#include <QAction>
#include <QCheckBox>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <algorithm>
#include <span>
#include <vector>

namespace {

constexpr int innenBreite = 10155;
constexpr int innenHöhe = 7650;

// Columns of the detail panel: labels, three field columns, the button column
// and, right of them, the info box with its buttons.
constexpr int spL = 120, brL = 1200;
constexpr int sp1 = 1380, br1 = 1500;
constexpr int sp2 = 2940, br2 = 1560;
constexpr int sp3 = 4560, br3 = 1140;
constexpr int spB = 5760, brB = 1560;
constexpr int spR = 7380, brR = 2655;
constexpr int feldHöhe = 315;
constexpr int knopfHöhe = 330;

// Rows of the detail panel.
constexpr int zTitel = 1440, zFormat = 1800, zQualität = 2160, zMappe = 2520, zAnzahl = 2880, zCat = 3240;

using C = FilmeControls;
using vb::ziel;

// A hidden box that only carries a value, parked behind the title list.
constexpr vb::Platz ablage(int nr)
{
    return {spL + (nr % 5) * 1980, 3900 + (nr / 5) * 360, 1920, feldHöhe};
}

// The window's plain controls, bottom to top: a later row lies over an earlier
// one (the edit combo boxes over their text boxes, the list's overlays over the list).
constexpr vb::Steuerelement<C> Steuerelemente[] = {
    // The background picture lies under everything.
    {ziel<&C::Image1>, "Image1", {0, 0, innenBreite, innenHöhe}},

    // Title band.
    {ziel<&C::Titel>, "Titel", {spL, 30, 4500, 450}, "Rondavex", "", vb::fett},
    {ziel<&C::lbUnterordner>, "lbUnterordner", {4740, 120, 2580, knopfHöhe}, "Unterverzeichnis", "",
     vb::fett | vb::versteckt},

    // Record buttons and navigation.
    {ziel<&C::cmdCDeinlesen>, "cmdCDeinlesen", {spL, 540, 420, knopfHöhe}, "", "Öffnet der CD-Einlese Dialog",
     vb::enter},
    {ziel<&C::Neu>, "Neu", {660, 540, 1080, knopfHöhe}, "&Neu", "Neuen Datensatz anlegen", vb::enter},
    {ziel<&C::Speichern>, "Speichern", {1800, 540, 1080, knopfHöhe}, "&Speichern", "Neuen Datensatz speichern",
     vb::enter},
    {ziel<&C::cmdEdit>, "cmdEdit", {2940, 540, 1080, knopfHöhe}, "&Editieren",
     "Änderungen am angezeigten Datensatz speichern", vb::enter},
    {ziel<&C::Löschen>, "Löschen", {4080, 540, 1080, knopfHöhe}, "&Löschen", "Datensatz löschen", vb::enter},
    {ziel<&C::cmdZurück>, "cmdZurück", {5280, 540, 600, knopfHöhe}, "&z<<", "Zum vorherigen Datensatz", vb::enter},
    {ziel<&C::cmdVor>, "cmdVor", {5940, 540, 600, knopfHöhe}, ">>&v", "Zum nächsten Datensatz", vb::enter},

    // Lending buttons. "CD zurück" comes with a lent title, "Ausleihe speichern"
    // with the lending fields; both stand at the end of the row.
    {ziel<&C::cmdAusleihen>, "cmdAusleihen", {spL, 930, 1350, knopfHöhe}, "CD ausleihen",
     "Wollen Sie die CD verleihen?", vb::enter},
    {ziel<&C::cmdMappe>, "cmdMappe", {1530, 930, 1680, knopfHöhe}, "Mappe ausleihen",
     "Wenn Sie eine Mappe ausleihen wollen", vb::enter},
    {ziel<&C::cmdAusgeliehen>, "cmdAusgeliehen", {3270, 930, 990, knopfHöhe}, "Ausleiher",
     "Zeigt, an wen die CD bisher verliehen wurde", vb::enter},
    {ziel<&C::back>, "back", {4320, 930, 1080, knopfHöhe}, "CD zurück", "CD aus Ausleihe zurück!",
     vb::enter | vb::versteckt},
    {ziel<&C::cmdspeichern>, "cmdspeichern", {5460, 930, 1860, knopfHöhe}, "Ausleihe speichern",
     "Ausleihe speichern.", vb::enter | vb::versteckt},

    // Detail panel, row by row.
    {ziel<&C::lbTitelArray, 0>, "lbTitel_0", {spL, zTitel, brL, feldHöhe}, "Filmtitel"},
    {ziel<&C::tfTitel>, "tfTitel", {sp1, zTitel, sp3 + br3 - sp1, feldHöhe}, "", "Titel der CD oder DVD"},
    {ziel<&C::Anzeige>, "Anzeige", {spB, zTitel, brB, knopfHöhe}, "S&uchen",
     "Sucht den Datensatz zum eingegebenen Titel", vb::enter},

    {ziel<&C::lbFormatArray, 0>, "lbFormat_0", {spL, zFormat, brL, feldHöhe}, "Format"},
    {ziel<&C::tfFormat>, "tfFormat", {sp1, zFormat, br1, feldHöhe}, "", "Format, z.B. CD, DVD oder VCD"},
    {ziel<&C::cmbFormat1>, "cmbFormat1", {sp1, zFormat, br1, feldHöhe}, "", "Format auswählen oder neu eingeben",
     vb::editierbar | vb::versteckt},
    {ziel<&C::tfdten>, "tfdten", {sp2, zFormat, br2, feldHöhe}, "", "Sprache des Titels", vb::versteckt},
    {ziel<&C::cmbDten1>, "cmbDten1", {sp2, zFormat, br2, feldHöhe}, "", "Sprache auswählen oder neu eingeben",
     vb::editierbar | vb::versteckt},
    {ziel<&C::cmddten>, "cmddten", {sp3, zFormat, br3, knopfHöhe}, "S&prache", "Sprache des Datensatzes wählen",
     vb::enter},
    {ziel<&C::cmdVolltextsucheTitel>, "cmdVolltextsucheTitel", {spB, zFormat, brB, knopfHöhe}, "V&TS",
     "Volltextsuche: einfach (Teil-) Suchbegriff eingeben und VTS klicken!", vb::enter},

    {ziel<&C::lbQualitätArray, 0>, "lbQualität_0", {spL, zQualität, brL, feldHöhe}, "Qualität"},
    {ziel<&C::tfQualität>, "tfQualität", {sp1, zQualität, br1, feldHöhe}, "", "Qualität als Zahl, z.B. 2 oder 2,5"},
    {ziel<&C::cmbQualität1>, "cmbQualität1", {sp1, zQualität, br1, feldHöhe}, "",
     "Qualität auswählen oder neu eingeben", vb::editierbar | vb::versteckt},
    {ziel<&C::cmdVolltextsucheInfo>, "cmdVolltextsucheInfo", {spB, zQualität, brB, knopfHöhe}, "VTSI",
     "Sucht den Titel im Infotext", vb::enter},

    {ziel<&C::lbMappeArray, 0>, "lbMappe_0", {spL, zMappe, brL, feldHöhe}, "Mappe"},
    {ziel<&C::tfMappe>, "tfMappe", {sp1, zMappe, br1, feldHöhe}, "", "Mappe, in der die CD aufbewahrt wird"},
    {ziel<&C::cmbMappe1>, "cmbMappe1", {sp1, zMappe, br1, feldHöhe}, "", "Mappe auswählen oder neu eingeben",
     vb::editierbar | vb::versteckt},
    {ziel<&C::tfWer>, "tfWer", {sp2, zMappe, br2, feldHöhe}, "", "Bitte erfassen Sie hier den Namen des Ausleihers.",
     vb::versteckt},
    {ziel<&C::cmbWer1>, "cmbWer1", {sp2, zMappe, br2, feldHöhe}, "",
     "An Wen soll die CD verliehen werden? Bei NEUEM Datensatz unbedingt mit ENTER bestätigen!",
     vb::editierbar | vb::versteckt},
    {ziel<&C::cmdUnterordner>, "cmdUnterordner", {spB, zMappe, brB, knopfHöhe}, "Unterordner",
     "Zeigt die Unterordner des Titels", vb::enter | vb::versteckt},

    {ziel<&C::lbAnzahl>, "lbAnzahl", {spL, zAnzahl, brL, feldHöhe}, "Anzahl CD´s"},
    {ziel<&C::tfAnzahl>, "tfAnzahl", {sp1, zAnzahl, br1, feldHöhe}, "", "Anzahl der CDs dieses Titels"},
    {ziel<&C::cmbAnzahl1>, "cmbAnzahl1", {sp1, zAnzahl, br1, feldHöhe}, "", "Anzahl auswählen oder neu eingeben",
     vb::editierbar | vb::versteckt},
    {ziel<&C::tfDatumAusleihe>, "tfDatumAusleihe", {sp2, zAnzahl, br2, feldHöhe}, "",
     "Bei leerem Feld wird das aktuelle Tagesdatum gespeichert. Sonst bitte Datum eintragen tt.mm.yyyy",
     vb::versteckt},
    {ziel<&C::tfSize>, "tfSize", {sp3, zAnzahl, br3, feldHöhe}, "", "Größe in MB", vb::versteckt},
    {ziel<&C::cmdSize>, "cmdSize", {spB, zAnzahl, brB, knopfHöhe}, "Size", "Die CD Größe kann hier eingegeben werden.",
     vb::enter},

    {ziel<&C::lbCatArray, 0>, "lbCat_0", {spL, zCat, brL, feldHöhe}, "Kategorie"},
    {ziel<&C::tfCat>, "tfCat", {sp1, zCat, br1, feldHöhe}, "", "Kategorie, z.B. Komödie oder Krimi"},
    {ziel<&C::cmbCat1>, "cmbCat1", {sp1, zCat, br1, feldHöhe}, "", "Kategorie auswählen oder neu eingeben",
     vb::editierbar | vb::versteckt},
    {ziel<&C::Label4>, "Label4", {sp2, zCat, br2, feldHöhe}, "Eingetragen am:"},
    {ziel<&C::tfDatum>, "tfDatum", {sp3, zCat, br3, feldHöhe}, "",
     "Datum, an dem der Datensatz eingetragen wurde; bei einem neuen Datensatz mit leerem Feld das aktuelle Datum"},

    // Sub-entry mode hides the lending date and the entry date row; its own
    // buttons take their places.
    {ziel<&C::cmdUnterordnerzurück>, "cmdUnterordnerzurück", {sp2, zAnzahl, br2, knopfHöhe}, "zum Titel",
     "Zurück zum Titel", vb::enter | vb::versteckt},
    {ziel<&C::cmdNeu2>, "cmdNeu2", {spL, zCat, 750, knopfHöhe}, "Neu", "Neuen Unterordner anlegen",
     vb::enter | vb::versteckt},
    {ziel<&C::cmdSpeichern2>, "cmdSpeichern2", {930, zCat, 1080, knopfHöhe}, "Speichern",
     "Neuen Unterordner speichern", vb::enter | vb::versteckt},
    {ziel<&C::cmdEditieren2>, "cmdEditieren2", {2070, zCat, 1020, knopfHöhe}, "Editieren",
     "Änderungen am Unterordner speichern", vb::enter | vb::versteckt},
    {ziel<&C::cmdLöschen2>, "cmdLöschen2", {3150, zCat, 960, knopfHöhe}, "&Löschen", "Unterordner löschen",
     vb::enter | vb::versteckt},
    {ziel<&C::cmdCover2>, "cmdCover2", {4170, zCat, 780, knopfHöhe}, "Cover", "Cover des Unterordners zeigen oder laden",
     vb::enter | vb::versteckt},

    // Info box, cover and web look-up.
    {ziel<&C::tfCover>, "tfCover", {spR, 360, brR, feldHöhe}, "", "", vb::versteckt},
    {ziel<&C::tfInfo>, "tfInfo", {spR, 360, brR, 2100}, "", "Info zum Titel", vb::versteckt},
    {ziel<&C::chkCover>, "chkCover", {spR, 2640, 1620, 270}, "Coveranzeige", "", vb::versteckt},
    {ziel<&C::cmdInfo>, "cmdInfo", {spR, 3060, 780, knopfHöhe}, "In&fo", "Infofeld anzeigen", vb::enter},
    {ziel<&C::cmdCover>, "cmdCover", {8220, 3060, 840, knopfHöhe}, "Cover", "Cover zeigen oder laden", vb::enter},
    {ziel<&C::cmdFilminfo>, "cmdFilminfo", {9120, 3060, 420, knopfHöhe}, "",
     "Öffnet ein Filmverzeichnis im Internet (aktive Verbindung vorausgesetzt!)", vb::enter},
    {ziel<&C::cmdFilminfogoogle>, "cmdFilminfogoogle", {9600, 3060, 420, knopfHöhe}, "",
     "Sucht den Titel im Internet und zeigt die Seite", vb::enter},

    // Column headers over the title list.
    {ziel<&C::lbTitelArray, 1>, "lbTitel_1", {120, 3600, 2415, 240}, "Filmtitel"},
    {ziel<&C::lbCatArray, 1>, "lbCat_1", {3480, 3600, 1620, 240}, "Kategorie"},
    {ziel<&C::lbFormatArray, 1>, "lbFormat_1", {5160, 3600, 1020, 240}, "Format"},
    {ziel<&C::lbQualitätArray, 1>, "lbQualität_1", {6240, 3600, 900, 240}, "Qualität"},
    {ziel<&C::lbMappeArray, 1>, "lbMappe_1", {7200, 3600, 1380, 240}, "Mappe"},
    {ziel<&C::lbWerArray, 1>, "lbWer_1", {8640, 3600, 1395, 240}, "Ausleiher"},

    // Hidden boxes that only carry values between procedures and windows.
    {ziel<&C::tfDBName>, "tfDBName", ablage(0), "", "", vb::versteckt},
    {ziel<&C::tfTitel2>, "tfTitel2", ablage(1), "", "", vb::versteckt},
    {ziel<&C::tfUnterordner>, "tfUnterordner", ablage(2), "", "", vb::versteckt},
    {ziel<&C::tfCDInfo>, "tfCDInfo", ablage(3), "", "", vb::versteckt},
    {ziel<&C::tfcmbFormat>, "tfcmbFormat", ablage(4), "", "", vb::versteckt},
    {ziel<&C::tfcmbQualität>, "tfcmbQualität", ablage(5), "", "", vb::versteckt},
    {ziel<&C::tfcmbMappe>, "tfcmbMappe", ablage(6), "", "", vb::versteckt},
    {ziel<&C::tfcmbCat>, "tfcmbCat", ablage(7), "", "", vb::versteckt},
    {ziel<&C::tfcmbWer>, "tfcmbWer", ablage(8), "", "", vb::versteckt},
    {ziel<&C::tfVolltextsucheTitel>, "tfVolltextsucheTitel", ablage(9), "", "", vb::versteckt},
    {ziel<&C::tfVolltextsucheInfo>, "tfVolltextsucheInfo", ablage(10), "", "", vb::versteckt},
    {ziel<&C::tfImgText>, "tfImgText", ablage(11), "", "", vb::versteckt},
    {ziel<&C::tfCoverübergeben>, "tfCoverübergeben", ablage(12), "0", "", vb::versteckt},
    {ziel<&C::lfListeCDeinlesen>, "lfListeCDeinlesen", {spL + 3 * 1980, 4980, 1920, 900}, "", "", vb::versteckt},
    {ziel<&C::lfListeCDEinlesenOhneGroesse>, "lfListeCDEinlesenOhneGroesse", {spL + 4 * 1980, 4980, 1920, 900}, "",
     "", vb::versteckt},
    {ziel<&C::optdat>, "optdat", {spL, 5340, 1920, feldHöhe}, "Datum",
     "Ruft die Datensätze nach dem Datum sortiert auf", vb::versteckt},
    {ziel<&C::optausleih>, "optausleih", {spL + 1980, 5340, 1920, feldHöhe}, "Ausgeliehen",
     "Ruft die Datensätze nach Ausleihstatus sortiert auf", vb::versteckt},
};

// The title list and what lies over it; made after the hidden picture boxes.
constexpr vb::Platz liste{120, 3840, 9915, 2190};
constexpr vb::Steuerelement<C> Liste[] = {
    {ziel<&C::lfListe>, "lfListe", liste},
    {ziel<&C::lfListe2>, "lfListe2", liste, "", "", vb::versteckt},
    {ziel<&C::lfCover>, "lfCover", liste, "", "", vb::versteckt},
    {ziel<&C::WebBrowser1>, "WebBrowser1", liste, "", "", vb::versteckt},
};

// Filter row: each column's label over its combo box, its sort button beside
// it; then the views, the list commands and the counts.
constexpr int filterLinks(int i)
{
    return 900 + i * 1800;
}
constexpr vb::Steuerelement<C> Unten[] = {
    {ziel<&C::Label6>, "Label6", {spL, 6360, 720, knopfHöhe}, "Filter:"},
    {ziel<&C::lbCatArray, 2>, "lbCat_2", {filterLinks(0) + 270, 6090, 1440, 240}, "Kategorie"},
    {ziel<&C::optCat>, "optCat", {filterLinks(0), 6405, 240, 240}, "", "", vb::versteckt},
    {ziel<&C::cmbCat>, "cmbCat", {filterLinks(0) + 270, 6360, 1440, knopfHöhe}, "", "Kategorie als Filter wählen"},
    {ziel<&C::lbFormatArray, 2>, "lbFormat_2", {filterLinks(1) + 270, 6090, 1440, 240}, "Format"},
    {ziel<&C::optFormat>, "optFormat", {filterLinks(1), 6405, 240, 240}, "", "", vb::versteckt},
    {ziel<&C::cmbFormat>, "cmbFormat", {filterLinks(1) + 270, 6360, 1440, knopfHöhe}, "", "Format als Filter wählen"},
    {ziel<&C::lbQualitätArray, 2>, "lbQualität_2", {filterLinks(2) + 270, 6090, 1440, 240}, "Qualität"},
    {ziel<&C::optQualität>, "optQualität", {filterLinks(2), 6405, 240, 240}, "", "", vb::versteckt},
    {ziel<&C::cmbQualität>, "cmbQualität", {filterLinks(2) + 270, 6360, 1440, knopfHöhe}, "", "Qualitätsfilter"},
    {ziel<&C::lbMappeArray, 2>, "lbMappe_2", {filterLinks(3) + 270, 6090, 1440, 240}, "Mappe"},
    {ziel<&C::optMappe>, "optMappe", {filterLinks(3), 6405, 240, 240}, "", "", vb::versteckt},
    {ziel<&C::cmbMappe>, "cmbMappe", {filterLinks(3) + 270, 6360, 1440, knopfHöhe}, "", "Mappe als Filter wählen"},
    {ziel<&C::lbWerArray, 0>, "lbWer_0", {8100, 6090, 1935, 240}, "Ausleiher"},
    {ziel<&C::cmbWer>, "cmbWer", {8100, 6360, 1935, knopfHöhe}, "", "Ausleiher als Filter wählen"},

    {ziel<&C::Alle>, "Alle", {spL, 6780, 1350, knopfHöhe}, "Alle anzeigen", "Zeigt alle Datensätze in der Listbox",
     vb::enter},
    {ziel<&C::chkdat>, "chkdat", {1560, 6825, 240, 240}},
    {ziel<&C::Datum>, "Datum", {1830, 6780, 660, knopfHöhe}, "Datum", "Ruft die Datensätze nach dem Datum sortiert auf"},
    {ziel<&C::chkausleih>, "chkausleih", {2580, 6825, 240, 240}},
    {ziel<&C::Ausgeliehen>, "Ausgeliehen", {2850, 6780, 1140, knopfHöhe}, "Ausgeliehen",
     "Ruft die Datensätze nach Ausleihstatus sortiert auf"},
    {ziel<&C::cmdPrint>, "cmdPrint", {4170, 6780, 1350, knopfHöhe}, "Liste drucken", "Druck der aktuellen Listbox",
     vb::enter},
    {ziel<&C::ExcelSel>, "ExcelSel", {5580, 6780, 1080, knopfHöhe}, "Sel. Excel",
     "Hier können Sie Excel Listen ausgeben, wenn Sie eine Selektion getroffen haben (also z.B. eine Mappe gewählt)",
     vb::enter},
    {ziel<&C::cmdHTML>, "cmdHTML", {6720, 6780, 900, knopfHöhe}, "HTML", "HTML-Datei Generator aufrufen", vb::enter},
    {ziel<&C::cmdClear>, "cmdClear", {9135, 6780, 900, knopfHöhe}, "Clear", "Sortierung der Liste zurücksetzen",
     vb::enter | vb::versteckt},

    // Counts and the status line.
    {ziel<&C::Label3>, "Label3", {spL, 7230, 2925, 270}, "Anzahl selektierter Datensätze:"},
    {ziel<&C::lbAnzahlSel>, "lbAnzahlSel", {3060, 7230, 720, 270}},
    {ziel<&C::Label5>, "Label5", {3960, 7230, 2760, 270}, "Gesamtanzahl Titel in der DB:"},
    {ziel<&C::lbAnzahlF>, "lbAnzahlF", {6780, 7230, 840, 270}},
    {ziel<&C::Label1>, "Label1", {7680, 7230, 2355, 270}, "Seite wird geladen....", "", vb::versteckt},
};

// The design place of a control of the tables, or nothing.
const vb::Platz* entwurf(const QString& name)
{
    static const QHash<QString, vb::Platz> plätze = [] {
        QHash<QString, vb::Platz> h;
        for (const std::span<const vb::Steuerelement<C>> tabelle :
             {std::span<const vb::Steuerelement<C>>(Steuerelemente), std::span<const vb::Steuerelement<C>>(Liste),
              std::span<const vb::Steuerelement<C>>(Unten)}) {
            for (const vb::Steuerelement<C>& z : tabelle)
                h.insert(QString::fromUtf8(z.name), z.platz);
        }
        return h;
    }();
    const auto it = plätze.constFind(name);
    return it == plätze.constEnd() ? nullptr : &*it;
}

int px(int twips)
{
    return vb::pixel(twips);
}

int entwurfLinks(const vb::Platz& p)
{
    return px(p.left);
}

int entwurfRechts(const vb::Platz& p)
{
    return px(p.left + p.width);
}

// The room a control leaves after it: a label ends where its text ends.
int belegtBis(const QWidget* w)
{
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return l->x() + l->sizeHint().width();
    return w->geometry().right() + 1;
}

// The blank between two column headers: wider than a word's blank, so that
// two headers never read as one.
int kopfAbstand(const QWidget* kopf)
{
    return kopf->fontMetrics().horizontalAdvance(u'M');
}

// The design's blank between a label and the control after it.
constexpr int feldAbstand = sp1 - spL - brL;

// The lending headers: the return date's header stands further right.
constexpr int rückgabeKopfLinks = 6600;

// The pictures of the three picture buttons.
enum class Motiv { Scheibe, Film, Lupe };

void malen(QPainter& p, Motiv motiv)
{
    switch (motiv) {
    case Motiv::Scheibe: {
        QRadialGradient glanz(QPointF(6, 6), 9);
        glanz.setColorAt(0, QColor(250, 250, 255));
        glanz.setColorAt(1, QColor(150, 170, 200));
        p.setPen(QPen(QColor(80, 90, 110), 1));
        p.setBrush(glanz);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setBrush(QColor(240, 240, 240));
        p.drawEllipse(QRectF(6, 6, 4, 4));
        break;
    }
    case Motiv::Film: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(50, 50, 60));
        p.drawRect(QRectF(1, 2, 14, 12));
        p.setBrush(QColor(235, 235, 235));
        for (int i = 0; i < 4; ++i) {
            p.drawRect(QRectF(2 + i * 3.5, 3, 2, 1.5));
            p.drawRect(QRectF(2 + i * 3.5, 11.5, 2, 1.5));
        }
        p.setBrush(QColor(90, 150, 220));
        p.drawRect(QRectF(3, 5.5, 10, 5));
        break;
    }
    case Motiv::Lupe:
        p.setPen(QPen(QColor(60, 60, 70), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
        p.setPen(QPen(QColor(60, 60, 70), 1.5));
        p.setBrush(QColor(200, 225, 250));
        p.drawEllipse(QRectF(1.5, 1.5, 9.5, 9.5));
        break;
    }
}

// Up to four times the pixels: the button's picture grows with the font too.
QIcon knopfBild(Motiv motiv)
{
    return katalog::bildchen(16, 4, [motiv](QPainter& p) { malen(p, motiv); });
}

// The picture grows with the form, as its button does.
void bildSetzen(QPushButton* k, Motiv motiv)
{
    k->setIcon(knopfBild(motiv));
    k->setIconSize(QSize(vb::skaliert(16), vb::skaliert(16)));
}

QMenu* menü(QMenuBar* leiste, const QString& name, const QString& text)
{
    QMenu* m = leiste->addMenu(text);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

QMenu* untermenü(QMenu* menü, const QString& name, const QString& text)
{
    QMenu* m = menü->addMenu(text);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

QAction* eintrag(QMenu* menü, const QString& name, const QString& text)
{
    QAction* a = menü->addAction(text);
    a->setObjectName(name);
    return a;
}

QAction* trenner(QMenu* menü, const QString& name)
{
    QAction* a = menü->addSeparator();
    a->setObjectName(name);
    return a;
}

// The menu bar, menu by menu.
void menüleisteBauen(C& c, QMenuBar* leiste)
{
    c.mnuDatei = menü(leiste, QStringLiteral("mnuDatei"), QStringLiteral("&Datei"));
    c.mnuCDeinlesen = eintrag(c.mnuDatei, QStringLiteral("mnuCDeinlesen"), QStringLiteral("CD Einlesen"));
    c.mnuFileBar5 = trenner(c.mnuDatei, QStringLiteral("mnuFileBar5"));
    c.mnuExport = untermenü(c.mnuDatei, QStringLiteral("mnuExport"), QStringLiteral("Export"));
    c.mnuHTML = eintrag(c.mnuExport, QStringLiteral("mnuHTML"), QStringLiteral("HTML"));
    c.mnuExcell = eintrag(c.mnuExport, QStringLiteral("mnuExcell"), QStringLiteral("Excel Datei"));
    c.mnuText = eintrag(c.mnuExport, QStringLiteral("mnuText"), QStringLiteral("Text Datei"));
    c.mnuFileBar2 = trenner(c.mnuDatei, QStringLiteral("mnuFileBar2"));
    c.mnuDrucken = eintrag(c.mnuDatei, QStringLiteral("mnuDrucken"), QStringLiteral("Liste Drucken"));
    c.mnuDruckSetup = eintrag(c.mnuDatei, QStringLiteral("mnuDruckSetup"), QStringLiteral("Drucker einstellen"));
    c.mnuFileBar3 = trenner(c.mnuDatei, QStringLiteral("mnuFileBar3"));
    c.mnuUnterverzeichnis = eintrag(c.mnuDatei, QStringLiteral("mnuUnterverzeichnis"), QStringLiteral("Unterverzeichnis"));
    c.mnuUnterverzeichnisExcelListe =
        eintrag(c.mnuDatei, QStringLiteral("mnuUnterverzeichnisExcelListe"), QStringLiteral("...Excel Liste"));
    c.mnuUnterverzeichnisHTML =
        eintrag(c.mnuDatei, QStringLiteral("mnuUnterverzeichnisHTML"), QStringLiteral("...HTML Datei"));
    c.mnuFileBar7 = trenner(c.mnuDatei, QStringLiteral("mnuFileBar7"));
    c.mnuBeenden = eintrag(c.mnuDatei, QStringLiteral("mnuBeenden"), QStringLiteral("Beenden"));

    c.mnuAnsicht = menü(leiste, QStringLiteral("mnuAnsicht"), QStringLiteral("&Ansicht"));
    c.mnuAktualisieren = eintrag(c.mnuAnsicht, QStringLiteral("mnuAktualisieren"), QStringLiteral("Ansicht Aktualisieren"));
    c.mnuFileBar4 = trenner(c.mnuAnsicht, QStringLiteral("mnuFileBar4"));
    c.picload = eintrag(c.mnuAnsicht, QStringLiteral("picload"), QStringLiteral("Hintergrundbild laden"));
    c.picchoose = untermenü(c.mnuAnsicht, QStringLiteral("picchoose"), QStringLiteral("Hintergrundbild wählen"));
    c.picLacs = eintrag(c.picchoose, QStringLiteral("picLacs"), QStringLiteral("Lacs"));
    c.picForet = eintrag(c.picchoose, QStringLiteral("picForet"), QStringLiteral("Foret"));
    c.picBug = eintrag(c.picchoose, QStringLiteral("picBug"), QStringLiteral("Bug"));
    c.picVoyager = eintrag(c.picchoose, QStringLiteral("picVoyager"), QStringLiteral("Voyager"));
    c.picDesert = eintrag(c.picchoose, QStringLiteral("picDesert"), QStringLiteral("Desert"));
    c.picSpace = eintrag(c.picchoose, QStringLiteral("picSpace"), QStringLiteral("Space"));

    c.mnuSuchen = menü(leiste, QStringLiteral("mnuSuchen"), QStringLiteral("Suchen"));
    c.mnuVolltextsucheTitel =
        eintrag(c.mnuSuchen, QStringLiteral("mnuVolltextsucheTitel"), QStringLiteral("Volltextsuche Titel"));
    c.mnuVolltextsucheTitel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    c.mnuVolltextsucheInfo =
        eintrag(c.mnuSuchen, QStringLiteral("mnuVolltextsucheInfo"), QStringLiteral("Volltextsuche Info"));
    c.mnuVolltextsucheInfo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    c.mnuFileBar0 = trenner(c.mnuSuchen, QStringLiteral("mnuFileBar0"));
    c.mnuOhneCover = eintrag(c.mnuSuchen, QStringLiteral("mnuOhneCover"), QStringLiteral("DS ohne Cover"));
    c.mnuOhneInfo = eintrag(c.mnuSuchen, QStringLiteral("mnuOhneInfo"), QStringLiteral("DS ohne Info"));
    c.mnuDSAusgeliehen = eintrag(c.mnuSuchen, QStringLiteral("mnuDSAusgeliehen"), QStringLiteral("DS Ausgeliehen"));
    c.mnuDSnachDatum = eintrag(c.mnuSuchen, QStringLiteral("mnuDSnachDatum"), QStringLiteral("DS nach Datum"));
    c.mnuFileBar1 = trenner(c.mnuSuchen, QStringLiteral("mnuFileBar1"));
    c.mnuDSDtEn = eintrag(c.mnuSuchen, QStringLiteral("mnuDSDtEn"), QStringLiteral("DS Deu./Engl."));
    c.mnuDSDt = eintrag(c.mnuSuchen, QStringLiteral("mnuDSDt"), QStringLiteral("DS Deutsch"));
    c.mnuDSEn = eintrag(c.mnuSuchen, QStringLiteral("mnuDSEn"), QStringLiteral("DS Englisch"));
    c.mnuDSOhneSprache = eintrag(c.mnuSuchen, QStringLiteral("mnuDSOhneSprache"), QStringLiteral("DS ohne Sprachwahl"));
    c.mnuDSohneSize = eintrag(c.mnuSuchen, QStringLiteral("mnuDSohneSize"), QStringLiteral("DS ohne Größe"));
    c.mnuDSOhneCat = eintrag(c.mnuSuchen, QStringLiteral("mnuDSOhneCat"), QStringLiteral("DS ohne Kategorie"));
    c.mnuÜberfälligeAusleihen =
        eintrag(c.mnuSuchen, QStringLiteral("mnuÜberfälligeAusleihen"), QStringLiteral("überfällige Ausleihen"));

    // The sort entries show the order in force with a check mark. Qt toggles a
    // checkable entry before it reports the click.
    c.mnuSortierung = menü(leiste, QStringLiteral("mnuSortierung"), QStringLiteral("Sortierung"));
    c.mnuFormat = eintrag(c.mnuSortierung, QStringLiteral("mnuFormat"), QStringLiteral("Format"));
    c.mnuQualität = eintrag(c.mnuSortierung, QStringLiteral("mnuQualität"), QStringLiteral("Qualität"));
    c.mnuMappe = eintrag(c.mnuSortierung, QStringLiteral("mnuMappe"), QStringLiteral("Mappe"));
    c.mnuKategorie = eintrag(c.mnuSortierung, QStringLiteral("mnuKategorie"), QStringLiteral("Kategorie"));
    c.mnuDateAb = eintrag(c.mnuSortierung, QStringLiteral("mnuDateAb"), QStringLiteral("Datum -"));
    c.mnuDateAuf = eintrag(c.mnuSortierung, QStringLiteral("mnuDateAuf"), QStringLiteral("Datum +"));
    for (QAction* a : {c.mnuFormat, c.mnuQualität, c.mnuMappe, c.mnuKategorie, c.mnuDateAb, c.mnuDateAuf})
        a->setCheckable(true);
    c.mnuFileBar6 = trenner(c.mnuSortierung, QStringLiteral("mnuFileBar6"));
    c.mnuClear = eintrag(c.mnuSortierung, QStringLiteral("mnuClear"), QStringLiteral("Reset"));

    c.mnuStatistik = menü(leiste, QStringLiteral("mnuStatistik"), QStringLiteral("S&tatistik"));
    c.mnuZahlenStatistik = eintrag(c.mnuStatistik, QStringLiteral("mnuZahlenStatistik"), QStringLiteral("Zahlen"));
    c.mnuAusleiheStatistik =
        eintrag(c.mnuStatistik, QStringLiteral("mnuAusleiheStatistik"), QStringLiteral("Ausleihen"));

    // Two commands sit on the menu bar itself.
    c.mnuOptionen = leiste->addAction(QStringLiteral("&Optionen"));
    c.mnuOptionen->setObjectName(QStringLiteral("mnuOptionen"));
    c.mnuTools = leiste->addAction(QStringLiteral("&Tools"));
    c.mnuTools->setObjectName(QStringLiteral("mnuTools"));

    c.About = menü(leiste, QStringLiteral("About"), QStringLiteral("&Info"));
    c.mnuHilfe = eintrag(c.About, QStringLiteral("mnuHilfe"), QStringLiteral("Hilfe"));
    c.mnuCredits = eintrag(c.About, QStringLiteral("mnuCredits"), QStringLiteral("Credits"));
    c.mnuAbout = eintrag(c.About, QStringLiteral("mnuAbout"), QStringLiteral("Info"));
}

}  // namespace

void frmFilme::aufbauen()
{
    auto* fläche = new QWidget(this);
    fläche->setObjectName(QStringLiteral("Fläche"));
    vb::platzieren(fläche, {0, 0, innenBreite, innenHöhe});
    // The window grows, but never below its design.
    fläche->setMinimumSize(px(innenBreite), px(innenHöhe));
    setCentralWidget(fläche);

    vb::bauen(c, fläche, Steuerelemente);
    // The background picture belongs to the window's surface: a press on it may drag the window.
    c.Image1->setScaledContents(true);
    c.Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont groß = c.Titel->font();
    groß.setPointSizeF(groß.pointSizeF() * 1.6);
    c.Titel->setFont(groß);
    QFont fett = c.lbUnterordner->font();
    fett.setPointSizeF(fett.pointSizeF() * 1.2);
    c.lbUnterordner->setFont(fett);
    bildSetzen(c.cmdCDeinlesen, Motiv::Scheibe);
    bildSetzen(c.cmdFilminfo, Motiv::Film);
    bildSetzen(c.cmdFilminfogoogle, Motiv::Lupe);
    feldbreitenSetzen(false);
    c.tfInfo->setAcceptRichText(false);
    c.tfInfo->setTabChangesFocus(true);

    // The picture boxes that hold the menu bitmaps, hidden behind the title list.
    QLabel** bilder[] = {&c.Picture1,  &c.Picture2,  &c.Picture3,  &c.Picture4,  &c.Picture5,  &c.Picture6,  &c.Picture7,
                         &c.Picture8,  &c.Picture10, &c.Picture12, &c.Picture14, &c.Picture15, &c.Picture16, &c.Picture17,
                         &c.Picture18, &c.Picture19, &c.Picture20, &c.Picture21, &c.Picture22};
    const int bildNummern[] = {1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22};
    for (int i = 0; i < int(std::size(bilder)); ++i) {
        auto* bild = new QLabel(fläche);
        bild->setObjectName(QStringLiteral("Picture%1").arg(bildNummern[i]));
        vb::platzieren(bild, {spL + i * 240, 5700, 195, 195});
        bild->setVisible(false);
        *bilder[i] = bild;
    }

    vb::bauen(c, fläche, Liste);
    vb::bauen(c, fläche, Unten);

    // Tab order of the entry fields: the title first, then format, quality,
    // folder and number of discs one after the other, then the category.
    QWidget* reihe[] = {c.tfTitel,     c.Anzeige,   c.tfFormat, c.tfQualität,      c.tfMappe,   c.tfAnzahl,
                        c.tfCat,       c.tfdten,    c.tfWer,    c.tfDatumAusleihe, c.tfSize,    c.tfDatum,
                        c.cmbFormat1,  c.cmbDten1,  c.cmbQualität1, c.cmbMappe1,   c.cmbWer1,   c.cmbAnzahl1,
                        c.cmbCat1,     c.Speichern, c.Neu,      c.cmdEdit,         c.Löschen,   c.tfInfo};
    for (int i = 1; i < int(std::size(reihe)); ++i)
        setTabOrder(reihe[i - 1], reihe[i]);

    QMenuBar* leiste = menuBar();
    menüleisteBauen(c, leiste);
    setWindowTitle(titelleiste({}));
    resize(px(innenBreite), px(innenHöhe) + leiste->sizeHint().height());
}

void frmFilme::flächeAnpassen()
{
    QWidget* fläche = centralWidget();
    if (!fläche)
        return;
    const int breiter = std::max(0, fläche->width() - px(innenBreite));
    const int höher = std::max(0, fläche->height() - px(innenHöhe));
    for (const vb::Steuerelement<C>& z : Liste) {
        if (auto* w = fläche->findChild<QWidget*>(QString::fromUtf8(z.name), Qt::FindDirectChildrenOnly))
            w->setGeometry(vb::rechteck(z.platz).adjusted(0, 0, breiter, höher));
    }
    for (const vb::Steuerelement<C>& z : Unten) {
        if (auto* w = fläche->findChild<QWidget*>(QString::fromUtf8(z.name), Qt::FindDirectChildrenOnly))
            w->move(w->x(), px(z.platz.top) + höher);
    }
}

void frmFilme::beschriftungenEinpassen()
{
    QWidget* fläche = centralWidget();
    if (!fläche)
        return;
    // Every label at least as wide as its text; a label never reaches past
    // its design edge or its text, whichever lies further right.
    const auto einpassen = [](QLabel* l, const vb::Platz& p) {
        l->resize(std::max(l->sizeHint().width(), entwurfRechts(p) - l->x()), l->height());
    };
    for (QLabel* l : fläche->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const vb::Platz* p = entwurf(l->objectName());
        if (p && l != c.Image1)
            einpassen(l, *p);
    }

    // The fields of the detail panel's first column start right of its widest
    // label and keep their right edges.
    int breiteste = 0;
    for (const QLabel* l : {c.lbTitel(0), c.lbFormat(0), c.lbQualität(0), c.lbMappe(0), c.lbAnzahl, c.lbCat(0)})
        breiteste = std::max(breiteste, l->sizeHint().width());
    const int feldLinks = std::max(px(sp1), px(spL) + breiteste + px(feldAbstand));
    for (const vb::Steuerelement<C>& z : Steuerelemente) {
        if (z.platz.left != sp1)
            continue;
        if (auto* w = fläche->findChild<QWidget*>(QString::fromUtf8(z.name), Qt::FindDirectChildrenOnly))
            w->setGeometry(feldLinks, w->y(), entwurfRechts(z.platz) - feldLinks, w->height());
    }

    // Rows in which a control moves right, as far as it must, when the text
    // before it needs the room. A header stands over its column as nearly as
    // it can; in the other rows what follows keeps its design distance.
    struct Reihe {
        std::vector<QWidget*> controls;
        bool köpfe;
    };
    const Reihe reihen[] = {
        {{c.lbTitel(1), c.lbCat(1), c.lbFormat(1), c.lbQualität(1), c.lbMappe(1), c.lbWer(1)}, true},
        {{c.Label4, c.tfDatum}, false},
        {{c.Alle, c.chkdat, c.Datum, c.chkausleih, c.Ausgeliehen, c.cmdPrint, c.ExcelSel, c.cmdHTML, c.cmdClear},
         false},
        {{c.Label3, c.lbAnzahlSel, c.Label5, c.lbAnzahlF, c.Label1}, false},
    };
    for (const Reihe& r : reihen) {
        int frei = 0;
        int schub = 0;
        for (QWidget* w : r.controls) {
            const vb::Platz* p = entwurf(w->objectName());
            if (!p || w->isHidden())
                continue;
            const int anker = w == c.lbQualität(1) && m_ausleihköpfe ? px(rückgabeKopfLinks) : entwurfLinks(*p);
            const int x = std::max(anker + schub, frei);
            w->move(x, w->y());
            if (!r.köpfe)
                schub = x - anker;
            if (auto* l = qobject_cast<QLabel*>(w))
                einpassen(l, *p);
            frei = belegtBis(w) + (r.köpfe ? kopfAbstand(w) : qobject_cast<QLabel*>(w) ? px(feldAbstand) : 0);
        }
    }
}
