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

#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"

#include <QAction>
#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

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

struct Platz {
    int left, top, width, height;
};

void platzieren(QWidget* w, const Platz& p)
{
    w->setGeometry(vb::twipsToPixels(p.left), vb::twipsToPixels(p.top), vb::twipsToPixels(p.width),
                   vb::twipsToPixels(p.height));
}

template <class T>
T* steuerelement(QWidget* fläche, const QString& name, const Platz& p, bool sichtbar)
{
    auto* w = new T(fläche);
    w->setObjectName(name);
    platzieren(w, p);
    if (!sichtbar)
        w->setVisible(false);
    return w;
}

QLabel* label(QWidget* f, const QString& name, const Platz& p, const QString& text, bool sichtbar = true)
{
    auto* l = steuerelement<QLabel>(f, name, p, sichtbar);
    l->setText(text);
    return l;
}

QLineEdit* textfeld(QWidget* f, const QString& name, const Platz& p, const QString& tip, bool sichtbar = true)
{
    auto* t = steuerelement<QLineEdit>(f, name, p, sichtbar);
    t->setToolTip(tip);
    return t;
}

// The original's buttons click on Enter while they have the focus.
QPushButton* knopf(QWidget* f, const QString& name, const Platz& p, const QString& text, const QString& tip,
                   bool sichtbar = true)
{
    auto* k = steuerelement<QPushButton>(f, name, p, sichtbar);
    k->setText(text);
    k->setToolTip(tip);
    k->setAutoDefault(true);
    return k;
}

vb::ComboBox* kombi(QWidget* f, const QString& name, const Platz& p, bool editierbar, const QString& tip,
                    bool sichtbar)
{
    auto* k = steuerelement<vb::ComboBox>(f, name, p, sichtbar);
    k->setEditable(editierbar);
    k->setToolTip(tip);
    return k;
}

// A hidden box that only carries a value.
QLineEdit* ablage(QWidget* f, const QString& name, int nr)
{
    const Platz p{spL + (nr % 5) * 1980, 3900 + (nr / 5) * 360, 1920, feldHöhe};
    return steuerelement<QLineEdit>(f, name, p, false);
}

// The pictures of the three picture buttons.
enum class Motiv { Scheibe, Film, Lupe };

QIcon knopfBild(Motiv motiv)
{
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
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
    return QIcon(bild);
}

QPushButton* bildknopf(QWidget* f, const QString& name, const Platz& p, Motiv motiv, const QString& tip)
{
    auto* k = knopf(f, name, p, QString(), tip);
    k->setIcon(knopfBild(motiv));
    k->setIconSize(QSize(16, 16));
    return k;
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

}  // namespace

void frmFilme::aufbauen()
{
    auto* fläche = new QWidget(this);
    fläche->setObjectName(QStringLiteral("Fläche"));
    platzieren(fläche, {0, 0, innenBreite, innenHöhe});
    setCentralWidget(fläche);
    QWidget* f = fläche;

    // The background picture lies under everything and belongs to the window's
    // surface: a press on it may drag the window.
    c.Image1 = label(f, QStringLiteral("Image1"), {0, 0, innenBreite, innenHöhe}, QString());
    c.Image1->setScaledContents(true);
    c.Image1->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Title band.
    c.Titel = label(f, QStringLiteral("Titel"), {spL, 30, 4500, 450}, QStringLiteral("Rondavex"));
    QFont groß = c.Titel->font();
    groß.setBold(true);
    groß.setPointSizeF(groß.pointSizeF() * 1.6);
    c.Titel->setFont(groß);
    c.lbUnterordner = label(f, QStringLiteral("lbUnterordner"), {4740, 120, 2580, knopfHöhe},
                            QStringLiteral("Unterverzeichnis"), false);
    QFont fett = c.lbUnterordner->font();
    fett.setBold(true);
    fett.setPointSizeF(fett.pointSizeF() * 1.2);
    c.lbUnterordner->setFont(fett);

    // Record buttons and navigation.
    c.cmdCDeinlesen = bildknopf(f, QStringLiteral("cmdCDeinlesen"), {spL, 540, 420, knopfHöhe}, Motiv::Scheibe,
                                QStringLiteral("Öffnet der CD-Einlese Dialog"));
    c.Neu = knopf(f, QStringLiteral("Neu"), {660, 540, 1080, knopfHöhe}, QStringLiteral("&Neu"),
                  QStringLiteral("Neuen Datensatz anlegen"));
    c.Speichern = knopf(f, QStringLiteral("Speichern"), {1800, 540, 1080, knopfHöhe}, QStringLiteral("&Speichern"),
                        QStringLiteral("Neuen Datensatz speichern"));
    c.cmdEdit = knopf(f, QStringLiteral("cmdEdit"), {2940, 540, 1080, knopfHöhe}, QStringLiteral("&Editieren"),
                      QStringLiteral("Änderungen am angezeigten Datensatz speichern"));
    c.Löschen = knopf(f, QStringLiteral("Löschen"), {4080, 540, 1080, knopfHöhe}, QStringLiteral("&Löschen"),
                      QStringLiteral("Datensatz löschen"));
    c.cmdZurück = knopf(f, QStringLiteral("cmdZurück"), {5280, 540, 600, knopfHöhe}, QStringLiteral("&z<<"),
                        QStringLiteral("Zum vorherigen Datensatz"));
    c.cmdVor = knopf(f, QStringLiteral("cmdVor"), {5940, 540, 600, knopfHöhe}, QStringLiteral(">>&v"),
                     QStringLiteral("Zum nächsten Datensatz"));

    // Lending buttons. "CD zurück" comes with a lent title, "Ausleihe speichern"
    // with the lending fields; both stand at the end of the row.
    c.cmdAusleihen = knopf(f, QStringLiteral("cmdAusleihen"), {spL, 930, 1350, knopfHöhe},
                           QStringLiteral("CD ausleihen"), QStringLiteral("Wollen Sie die CD verleihen?"));
    c.cmdMappe = knopf(f, QStringLiteral("cmdMappe"), {1530, 930, 1680, knopfHöhe}, QStringLiteral("Mappe ausleihen"),
                       QStringLiteral("Wenn Sie eine Mappe ausleihen wollen"));
    c.cmdAusgeliehen = knopf(f, QStringLiteral("cmdAusgeliehen"), {3270, 930, 990, knopfHöhe},
                             QStringLiteral("Ausleiher"), QStringLiteral("Zeigt, an wen die CD bisher verliehen wurde"));
    c.back = knopf(f, QStringLiteral("back"), {4320, 930, 1080, knopfHöhe}, QStringLiteral("CD zurück"),
                   QStringLiteral("CD aus Ausleihe zurück!"), false);
    c.cmdspeichern = knopf(f, QStringLiteral("cmdspeichern"), {5460, 930, 1860, knopfHöhe},
                           QStringLiteral("Ausleihe speichern"), QStringLiteral("Ausleihe speichern."), false);

    // Detail panel, row by row. The edit combo boxes are created after their
    // text boxes so that they lie over them.
    auto zeilenLabel = [&](std::array<QLabel*, 3>& feld, const QString& name, int zeile, const QString& text) {
        feld[0] = label(f, name + QStringLiteral("_0"), {spL, zeile, brL, feldHöhe}, text);
    };
    c.lbTitelArray[0] = label(f, QStringLiteral("lbTitel_0"), {spL, zTitel, brL, feldHöhe}, QStringLiteral("Filmtitel"));
    c.tfTitel = textfeld(f, QStringLiteral("tfTitel"), {sp1, zTitel, sp3 + br3 - sp1, feldHöhe},
                         QStringLiteral("Titel der CD oder DVD"));
    c.tfTitel->setMaxLength(100);
    c.Anzeige = knopf(f, QStringLiteral("Anzeige"), {spB, zTitel, brB, knopfHöhe}, QStringLiteral("S&uchen"),
                      QStringLiteral("Sucht den Datensatz zum eingegebenen Titel"));

    zeilenLabel(c.lbFormatArray, QStringLiteral("lbFormat"), zFormat, QStringLiteral("Format"));
    c.tfFormat = textfeld(f, QStringLiteral("tfFormat"), {sp1, zFormat, br1, feldHöhe},
                          QStringLiteral("Format, z.B. CD, DVD oder VCD"));
    c.cmbFormat1 = kombi(f, QStringLiteral("cmbFormat1"), {sp1, zFormat, br1, feldHöhe}, true,
                         QStringLiteral("Format auswählen oder neu eingeben"), false);
    c.tfdten = textfeld(f, QStringLiteral("tfdten"), {sp2, zFormat, br2, feldHöhe}, QStringLiteral("Sprache des Titels"),
                        false);
    c.cmbDten1 = kombi(f, QStringLiteral("cmbDten1"), {sp2, zFormat, br2, feldHöhe}, true,
                       QStringLiteral("Sprache auswählen oder neu eingeben"), false);
    c.cmddten = knopf(f, QStringLiteral("cmddten"), {sp3, zFormat, br3, knopfHöhe}, QStringLiteral("S&prache"),
                      QStringLiteral("Sprache des Datensatzes wählen"));
    c.cmdVolltextsucheTitel =
        knopf(f, QStringLiteral("cmdVolltextsucheTitel"), {spB, zFormat, brB, knopfHöhe}, QStringLiteral("V&TS"),
              QStringLiteral("Volltextsuche: einfach (Teil-) Suchbegriff eingeben und VTS klicken!"));

    zeilenLabel(c.lbQualitätArray, QStringLiteral("lbQualität"), zQualität, QStringLiteral("Qualität"));
    c.tfQualität = textfeld(f, QStringLiteral("tfQualität"), {sp1, zQualität, br1, feldHöhe},
                            QStringLiteral("Qualität als Zahl, z.B. 2 oder 2,5"));
    c.cmbQualität1 = kombi(f, QStringLiteral("cmbQualität1"), {sp1, zQualität, br1, feldHöhe}, true,
                           QStringLiteral("Qualität auswählen oder neu eingeben"), false);
    c.cmdVolltextsucheInfo = knopf(f, QStringLiteral("cmdVolltextsucheInfo"), {spB, zQualität, brB, knopfHöhe},
                                   QStringLiteral("VTSI"), QStringLiteral("Sucht den Titel im Infotext"));

    zeilenLabel(c.lbMappeArray, QStringLiteral("lbMappe"), zMappe, QStringLiteral("Mappe"));
    c.tfMappe = textfeld(f, QStringLiteral("tfMappe"), {sp1, zMappe, br1, feldHöhe},
                         QStringLiteral("Mappe, in der die CD aufbewahrt wird"));
    c.cmbMappe1 = kombi(f, QStringLiteral("cmbMappe1"), {sp1, zMappe, br1, feldHöhe}, true,
                        QStringLiteral("Mappe auswählen oder neu eingeben"), false);
    c.tfWer = textfeld(f, QStringLiteral("tfWer"), {sp2, zMappe, br2, feldHöhe},
                       QStringLiteral("Bitte erfassen Sie hier den Namen des Ausleihers."), false);
    c.cmbWer1 = kombi(f, QStringLiteral("cmbWer1"), {sp2, zMappe, br2, feldHöhe}, true,
                      QStringLiteral("An Wen soll die CD verliehen werden? Bei NEUEM Datensatz unbedingt mit "
                                     "ENTER bestätigen!"),
                      false);
    c.cmdUnterordner = knopf(f, QStringLiteral("cmdUnterordner"), {spB, zMappe, brB, knopfHöhe},
                             QStringLiteral("Unterordner"), QStringLiteral("Zeigt die Unterordner des Titels"), false);

    c.lbAnzahl = label(f, QStringLiteral("lbAnzahl"), {spL, zAnzahl, brL, feldHöhe}, QStringLiteral("Anzahl CD´s"));
    c.tfAnzahl = textfeld(f, QStringLiteral("tfAnzahl"), {sp1, zAnzahl, br1, feldHöhe},
                          QStringLiteral("Anzahl der CDs dieses Titels"));
    c.cmbAnzahl1 = kombi(f, QStringLiteral("cmbAnzahl1"), {sp1, zAnzahl, br1, feldHöhe}, true,
                         QStringLiteral("Anzahl auswählen oder neu eingeben"), false);
    c.tfDatumAusleihe = textfeld(f, QStringLiteral("tfDatumAusleihe"), {sp2, zAnzahl, br2, feldHöhe},
                                 QStringLiteral("Bei leerem Feld wird das aktuelle Tagesdatum gespeichert. Sonst "
                                                "bitte Datum eintragen tt.mm.yyyy"),
                                 false);
    c.tfSize = textfeld(f, QStringLiteral("tfSize"), {sp3, zAnzahl, br3, feldHöhe}, QStringLiteral("Größe in MB"),
                        false);
    c.cmdSize = knopf(f, QStringLiteral("cmdSize"), {spB, zAnzahl, brB, knopfHöhe}, QStringLiteral("Size"),
                      QStringLiteral("Die CD Größe kann hier eingegeben werden."));

    zeilenLabel(c.lbCatArray, QStringLiteral("lbCat"), zCat, QStringLiteral("Kategorie"));
    c.tfCat = textfeld(f, QStringLiteral("tfCat"), {sp1, zCat, br1, feldHöhe},
                       QStringLiteral("Kategorie, z.B. Komödie oder Krimi"));
    c.cmbCat1 = kombi(f, QStringLiteral("cmbCat1"), {sp1, zCat, br1, feldHöhe}, true,
                      QStringLiteral("Kategorie auswählen oder neu eingeben"), false);
    c.Label4 = label(f, QStringLiteral("Label4"), {sp2, zCat, br2, feldHöhe}, QStringLiteral("Eingetragen am:"));
    c.tfDatum = textfeld(f, QStringLiteral("tfDatum"), {sp3, zCat, br3, feldHöhe},
                         QStringLiteral("Datum, an dem der Datensatz eingetragen wurde; bei einem neuen Datensatz "
                                        "mit leerem Feld das aktuelle Datum"));

    // Sub-entry mode hides the lending date and the entry date row; its own
    // buttons take their places.
    c.cmdUnterordnerzurück = knopf(f, QStringLiteral("cmdUnterordnerzurück"), {sp2, zAnzahl, br2, knopfHöhe},
                                   QStringLiteral("zum Titel"), QStringLiteral("Zurück zum Titel"), false);
    c.cmdNeu2 = knopf(f, QStringLiteral("cmdNeu2"), {spL, zCat, 750, knopfHöhe}, QStringLiteral("Neu"),
                      QStringLiteral("Neuen Unterordner anlegen"), false);
    c.cmdSpeichern2 = knopf(f, QStringLiteral("cmdSpeichern2"), {930, zCat, 1080, knopfHöhe},
                            QStringLiteral("Speichern"), QStringLiteral("Neuen Unterordner speichern"), false);
    c.cmdEditieren2 = knopf(f, QStringLiteral("cmdEditieren2"), {2070, zCat, 1020, knopfHöhe},
                            QStringLiteral("Editieren"), QStringLiteral("Änderungen am Unterordner speichern"), false);
    c.cmdLöschen2 = knopf(f, QStringLiteral("cmdLöschen2"), {3150, zCat, 960, knopfHöhe}, QStringLiteral("&Löschen"),
                          QStringLiteral("Unterordner löschen"), false);
    c.cmdCover2 = knopf(f, QStringLiteral("cmdCover2"), {4170, zCat, 780, knopfHöhe}, QStringLiteral("Cover"),
                        QStringLiteral("Cover des Unterordners zeigen oder laden"), false);

    // Info box, cover and web look-up.
    c.tfCover = textfeld(f, QStringLiteral("tfCover"), {spR, 360, brR, feldHöhe}, QString(), false);
    c.tfInfo = steuerelement<QTextEdit>(f, QStringLiteral("tfInfo"), {spR, 360, brR, 2100}, false);
    c.tfInfo->setAcceptRichText(false);
    c.tfInfo->setTabChangesFocus(true);
    c.tfInfo->setToolTip(QStringLiteral("Info zum Titel"));
    c.chkCover = steuerelement<QCheckBox>(f, QStringLiteral("chkCover"), {spR, 2640, 1620, 270}, false);
    c.chkCover->setText(QStringLiteral("Coveranzeige"));
    c.cmdInfo = knopf(f, QStringLiteral("cmdInfo"), {spR, 3060, 780, knopfHöhe}, QStringLiteral("In&fo"),
                      QStringLiteral("Infofeld anzeigen"));
    c.cmdCover = knopf(f, QStringLiteral("cmdCover"), {8220, 3060, 840, knopfHöhe}, QStringLiteral("Cover"),
                       QStringLiteral("Cover zeigen oder laden"));
    c.cmdFilminfo = bildknopf(f, QStringLiteral("cmdFilminfo"), {9120, 3060, 420, knopfHöhe}, Motiv::Film,
                              QStringLiteral("Öffnet ein Filmverzeichnis im Internet (aktive Verbindung "
                                             "vorausgesetzt!)"));
    c.cmdFilminfogoogle = bildknopf(f, QStringLiteral("cmdFilminfogoogle"), {9600, 3060, 420, knopfHöhe},
                                    Motiv::Lupe, QStringLiteral("Sucht den Titel im Internet und zeigt die Seite"));

    // Column headers over the title list.
    c.lbTitelArray[1] = label(f, QStringLiteral("lbTitel_1"), {120, 3600, 2415, 240}, QStringLiteral("Filmtitel"));
    c.lbCatArray[1] = label(f, QStringLiteral("lbCat_1"), {3480, 3600, 1620, 240}, QStringLiteral("Kategorie"));
    c.lbFormatArray[1] = label(f, QStringLiteral("lbFormat_1"), {5160, 3600, 1020, 240}, QStringLiteral("Format"));
    c.lbQualitätArray[1] =
        label(f, QStringLiteral("lbQualität_1"), {6240, 3600, 900, 240}, QStringLiteral("Qualität"));
    c.lbMappeArray[1] = label(f, QStringLiteral("lbMappe_1"), {7200, 3600, 1380, 240}, QStringLiteral("Mappe"));
    c.lbWerArray[1] = label(f, QStringLiteral("lbWer_1"), {8640, 3600, 1395, 240}, QStringLiteral("Ausleiher"));

    // Hidden boxes, parked behind the title list.
    int nr = 0;
    c.tfDBName = ablage(f, QStringLiteral("tfDBName"), nr++);
    c.tfTitel2 = ablage(f, QStringLiteral("tfTitel2"), nr++);
    c.tfUnterordner = ablage(f, QStringLiteral("tfUnterordner"), nr++);
    c.tfCDInfo = ablage(f, QStringLiteral("tfCDInfo"), nr++);
    c.tfcmbFormat = ablage(f, QStringLiteral("tfcmbFormat"), nr++);
    c.tfcmbQualität = ablage(f, QStringLiteral("tfcmbQualität"), nr++);
    c.tfcmbMappe = ablage(f, QStringLiteral("tfcmbMappe"), nr++);
    c.tfcmbCat = ablage(f, QStringLiteral("tfcmbCat"), nr++);
    c.tfcmbWer = ablage(f, QStringLiteral("tfcmbWer"), nr++);
    c.tfVolltextsucheTitel = ablage(f, QStringLiteral("tfVolltextsucheTitel"), nr++);
    c.tfVolltextsucheInfo = ablage(f, QStringLiteral("tfVolltextsucheInfo"), nr++);
    c.tfImgText = ablage(f, QStringLiteral("tfImgText"), nr++);
    c.tfCoverübergeben = ablage(f, QStringLiteral("tfCoverübergeben"), nr++);
    c.tfCoverübergeben->setText(QStringLiteral("0"));
    c.lfListeCDeinlesen = steuerelement<vb::ListBox>(f, QStringLiteral("lfListeCDeinlesen"),
                                                     {spL + 3 * 1980, 4980, 1920, 900}, false);
    c.lfListeCDEinlesenOhneGroesse = steuerelement<vb::ListBox>(f, QStringLiteral("lfListeCDEinlesenOhneGroesse"),
                                                                {spL + 4 * 1980, 4980, 1920, 900}, false);
    c.optdat = steuerelement<QRadioButton>(f, QStringLiteral("optdat"), {spL, 5340, 1920, feldHöhe}, false);
    c.optdat->setText(QStringLiteral("Datum"));
    c.optdat->setToolTip(QStringLiteral("Ruft die Datensätze nach dem Datum sortiert auf"));
    c.optausleih =
        steuerelement<QRadioButton>(f, QStringLiteral("optausleih"), {spL + 1980, 5340, 1920, feldHöhe}, false);
    c.optausleih->setText(QStringLiteral("Ausgeliehen"));
    c.optausleih->setToolTip(QStringLiteral("Ruft die Datensätze nach Ausleihstatus sortiert auf"));
    QLabel** bilder[] = {&c.Picture1,  &c.Picture2,  &c.Picture3,  &c.Picture4,  &c.Picture5,  &c.Picture6,  &c.Picture7,
                         &c.Picture8,  &c.Picture10, &c.Picture12, &c.Picture14, &c.Picture15, &c.Picture16, &c.Picture17,
                         &c.Picture18, &c.Picture19, &c.Picture20, &c.Picture21, &c.Picture22};
    const int bildNummern[] = {1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22};
    for (int i = 0; i < int(std::size(bilder)); ++i)
        *bilder[i] = label(f, QStringLiteral("Picture%1").arg(bildNummern[i]), {spL + i * 240, 5700, 195, 195},
                           QString(), false);

    // The title list and what lies over it.
    const Platz liste{120, 3840, 9915, 2190};
    c.lfListe = steuerelement<vb::ListBox>(f, QStringLiteral("lfListe"), liste, true);
    c.lfListe2 = steuerelement<vb::ListBox>(f, QStringLiteral("lfListe2"), liste, false);
    c.lfCover = steuerelement<vb::ListBox>(f, QStringLiteral("lfCover"), liste, false);
    c.WebBrowser1 = steuerelement<vb::WebBrowser>(f, QStringLiteral("WebBrowser1"), liste, false);

    // Filter row: each column's label over its combo box, its sort button beside it.
    struct Filter {
        std::array<QLabel*, 3>* label;
        QString name;
        QString text;
        vb::ComboBox** kombi;
        QString kombiName;
        QString tip;
        QRadioButton** sortierung;
        QString sortName;
    };
    const Filter filter[] = {
        {&c.lbCatArray, QStringLiteral("lbCat_2"), QStringLiteral("Kategorie"), &c.cmbCat, QStringLiteral("cmbCat"),
         QStringLiteral("Kategorie als Filter wählen"), &c.optCat, QStringLiteral("optCat")},
        {&c.lbFormatArray, QStringLiteral("lbFormat_2"), QStringLiteral("Format"), &c.cmbFormat,
         QStringLiteral("cmbFormat"), QStringLiteral("Format als Filter wählen"), &c.optFormat,
         QStringLiteral("optFormat")},
        {&c.lbQualitätArray, QStringLiteral("lbQualität_2"), QStringLiteral("Qualität"), &c.cmbQualität,
         QStringLiteral("cmbQualität"), QStringLiteral("Qualitätsfilter"), &c.optQualität,
         QStringLiteral("optQualität")},
        {&c.lbMappeArray, QStringLiteral("lbMappe_2"), QStringLiteral("Mappe"), &c.cmbMappe, QStringLiteral("cmbMappe"),
         QStringLiteral("Mappe als Filter wählen"), &c.optMappe, QStringLiteral("optMappe")},
    };
    c.Label6 = label(f, QStringLiteral("Label6"), {spL, 6360, 720, knopfHöhe}, QStringLiteral("Filter:"));
    for (int i = 0; i < int(std::size(filter)); ++i) {
        const Filter& fi = filter[i];
        const int links = 900 + i * 1800;
        (*fi.label)[2] = label(f, fi.name, {links + 270, 6090, 1440, 240}, fi.text);
        *fi.sortierung = steuerelement<QRadioButton>(f, fi.sortName, {links, 6405, 240, 240}, false);
        *fi.kombi = kombi(f, fi.kombiName, {links + 270, 6360, 1440, knopfHöhe}, false, fi.tip, true);
    }
    c.lbWerArray[0] = label(f, QStringLiteral("lbWer_0"), {8100, 6090, 1935, 240}, QStringLiteral("Ausleiher"));
    c.cmbWer = kombi(f, QStringLiteral("cmbWer"), {8100, 6360, 1935, knopfHöhe}, false,
                     QStringLiteral("Ausleiher als Filter wählen"), true);

    // Views and list commands.
    c.Alle = knopf(f, QStringLiteral("Alle"), {spL, 6780, 1350, knopfHöhe}, QStringLiteral("Alle anzeigen"),
                   QStringLiteral("Zeigt alle Datensätze in der Listbox"));
    c.chkdat = steuerelement<QCheckBox>(f, QStringLiteral("chkdat"), {1560, 6825, 240, 240}, true);
    c.Datum = label(f, QStringLiteral("Datum"), {1830, 6780, 660, knopfHöhe}, QStringLiteral("Datum"));
    c.Datum->setToolTip(QStringLiteral("Ruft die Datensätze nach dem Datum sortiert auf"));
    c.chkausleih = steuerelement<QCheckBox>(f, QStringLiteral("chkausleih"), {2580, 6825, 240, 240}, true);
    c.Ausgeliehen = label(f, QStringLiteral("Ausgeliehen"), {2850, 6780, 1140, knopfHöhe}, QStringLiteral("Ausgeliehen"));
    c.Ausgeliehen->setToolTip(QStringLiteral("Ruft die Datensätze nach Ausleihstatus sortiert auf"));
    c.cmdPrint = knopf(f, QStringLiteral("cmdPrint"), {4170, 6780, 1350, knopfHöhe}, QStringLiteral("Liste drucken"),
                       QStringLiteral("Druck der aktuellen Listbox"));
    c.ExcelSel = knopf(f, QStringLiteral("ExcelSel"), {5580, 6780, 1080, knopfHöhe}, QStringLiteral("Sel. Excel"),
                       QStringLiteral("Hier können Sie Excel Listen ausgeben, wenn Sie eine Selektion getroffen "
                                      "haben (also z.B. eine Mappe gewählt)"));
    c.cmdHTML = knopf(f, QStringLiteral("cmdHTML"), {6720, 6780, 900, knopfHöhe}, QStringLiteral("HTML"),
                      QStringLiteral("HTML-Datei Generator aufrufen"));
    c.cmdClear = knopf(f, QStringLiteral("cmdClear"), {9135, 6780, 900, knopfHöhe}, QStringLiteral("Clear"),
                       QStringLiteral("Sortierung der Liste zurücksetzen"), false);

    // Counts and the status line.
    c.Label3 = label(f, QStringLiteral("Label3"), {spL, 7230, 2925, 270},
                     QStringLiteral("Anzahl selektierter Datensätze:"));
    c.lbAnzahlSel = label(f, QStringLiteral("lbAnzahlSel"), {3060, 7230, 720, 270}, QString());
    c.Label5 = label(f, QStringLiteral("Label5"), {3960, 7230, 2760, 270}, QStringLiteral("Gesamtanzahl Titel in der DB:"));
    c.lbAnzahlF = label(f, QStringLiteral("lbAnzahlF"), {6780, 7230, 840, 270}, QString());
    c.Label1 = label(f, QStringLiteral("Label1"), {7680, 7230, 2355, 270}, QStringLiteral("Seite wird geladen...."),
                     false);

    // Tab order of the entry fields: the title first, then format, quality,
    // folder and number of discs one after the other, then the category.
    QWidget* reihe[] = {c.tfTitel,     c.Anzeige,   c.tfFormat, c.tfQualität,      c.tfMappe,   c.tfAnzahl,
                        c.tfCat,       c.tfdten,    c.tfWer,    c.tfDatumAusleihe, c.tfSize,    c.tfDatum,
                        c.cmbFormat1,  c.cmbDten1,  c.cmbQualität1, c.cmbMappe1,   c.cmbWer1,   c.cmbAnzahl1,
                        c.cmbCat1,     c.Speichern, c.Neu,      c.cmdEdit,         c.Löschen,   c.tfInfo};
    for (int i = 1; i < int(std::size(reihe)); ++i)
        setTabOrder(reihe[i - 1], reihe[i]);

    // The menu bar.
    QMenuBar* leiste = menuBar();
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

    setWindowTitle(QStringLiteral("Rondavex - CD/DVD Katalog"));
    resize(vb::twipsToPixels(innenBreite), vb::twipsToPixels(innenHöhe) + leiste->sizeHint().height());
}
