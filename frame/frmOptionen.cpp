// The settings window: its controls, their layout and their wiring.
#include "frame/frmOptionen.h"

#include "frame/Einmalfenster.h"

#include "frame/Aussehen.h"
#include "platform/vb/Formular.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The design text of tfFilmURL.
constexpr const char* filmSeite = "www.filmlexikon.example";

}  // namespace

const QString frmOptionen::FilmSeite = QString::fromUtf8(filmSeite);

frmOptionen::frmOptionen(const sys::Services& services, frame::Hauptfenster* hauptfenster, QWidget* parent)
    : QDialog(parent ? parent : (hauptfenster ? hauptfenster->fenster() : nullptr)), m_services(services),
      m_hauptfenster(hauptfenster)
{
    setObjectName(QStringLiteral("frmOptionen"));
    setWindowTitle(QStringLiteral("Optionen"));
    setModal(false);
    aufbauen();
    verbinden();
}

frmOptionen* frmOptionen::zeigen(const sys::Services& services, frame::Hauptfenster* hauptfenster)
{
    return frame::einmalZeigen<frmOptionen>(services, [&] { return new frmOptionen(services, hauptfenster); });
}

void frmOptionen::aufbauen()
{
    steuerelemente();
    einrichten();
    tabReihenfolge();

    auto* spalten = new QHBoxLayout;
    spalten->addLayout(linkeSpalte(), 1);
    spalten->addSpacing(18);
    spalten->addLayout(rechteSpalte(), 1);

    auto* fenster = new QVBoxLayout(this);
    fenster->addLayout(spalten);
    fenster->addWidget(m_line[7]);
    fenster->addLayout(knopfzeile());
    fenster->setSizeConstraint(QLayout::SetFixedSize);
}

void frmOptionen::steuerelemente()
{
    using F = frmOptionen;
    using vb::ziel;
    // The window's controls; the layouts below give them their places.
    static constexpr vb::Steuerelement<F> Steuerelemente[] = {
        {ziel<&F::chkDefault>, "chkDefault", {}, "Defaultwerte",
         "Setzt die Userwerte ausser Kraft. Diese werden nicht gelöscht!"},
        {ziel<&F::chkEditMode>, "chkEditMode", {}, "Edit Mode",
         "Hiermit schalten Sie das Programm in den Edit-Mode. Damit werden DS nur editiert (z.B. beim Einsatz der "
         "Nacheditierung durch die CD Einlesefunktion)."},
        {ziel<&F::chkCovernormal>, "chkCovernormal", {}, "Cover normal",
         "Hiermit wird die Cover Funktion ohne Datenpfad genutzt (setzt bei vorhergehender Benutzung eine "
         "Konvertierung in den Tools voraus). Diese Funktion kann nicht rückgängig gemacht werden!"},
        {ziel<&F::chkSortierungsfunktion>, "chkSortierungsfunktion", {}, "Sortierungsfunktionen",
         "Hiermit kann die zusätzliche Sortierfunktion in der Liste aktiviert werden."},
        {ziel<&F::chkSortKF>, "chkSortKF", {}, "Kategorie, Format",
         "In der Liste wird erst Kategorie, dann Format angezeigt."},
        {ziel<&F::chkSortFK>, "chkSortFK", {}, "Format, Kategorie",
         "In der Liste wird erst Format, dann Kategorie angezeigt."},
        {ziel<&F::chkWer>, "chkWer", {}, "Ausl.", "6tes Listenfeld zeigt Ausleiher."},
        {ziel<&F::chkAnz>, "chkAnz", {}, "Anz.", "6tes Listenfeld zeigt Anzahl Datenträger."},
        {ziel<&F::optAusalle>, "optAusalle", {}, "alle", "Legt fest, ob alle Ausleiher in der Auswahl angezeigt werden."},
        {ziel<&F::optAusakt>, "optAusakt", {}, "aktuelle",
         "Legt fest, ob nur die aktuellen Ausleiher in der Auswahl angezeigt werden."},
        {ziel<&F::chkErinnerungsfunktion>, "chkErinnerungsfunktion", {}, "Erinnerungsfunktion beim Programmstart",
         "Schaltet die Erinnerungsfunktion für überfällige Ausleihen ein oder aus."},
        {ziel<&F::tfTage>, "tfTage", {}, "", "Erinnerungsintervall in Tagen"},
        {ziel<&F::chkFormatfilter>, "chkFormatfilter", {}, "An"},
        {ziel<&F::chkHintergrundfarbe>, "chkHintergrundfarbe", {}, "inkl. Main"},
        {ziel<&F::tfFilmURL>, "tfFilmURL", {}, filmSeite,
         "Hier kann eine URL angegeben werden die das Programm nutzt um Informationen zu Filmdatensätzen "
         "downzuloaden."},
        {ziel<&F::tfDeutsch>, "tfDeutsch", {}},
        {ziel<&F::tfEnglisch>, "tfEnglisch", {}},
        {ziel<&F::tfDeuEngl>, "tfDeuEngl", {}},
        {ziel<&F::m_tfLabel, 0>, "tfLabel1", {}, "Filmmappen:", "Hier eine neue Bezeichung eingeben"},
        {ziel<&F::m_tfLabel, 1>, "tfLabel2", {}, "Qualität:", "Hier eine neue Bezeichung eingeben"},
        {ziel<&F::m_tfLabel, 2>, "tfLabel3", {}, "Format:", "Hier eine neue Bezeichung eingeben"},
        {ziel<&F::m_tfLabel, 3>, "tfLabel4", {}, "Titel:", "Hier eine neue Bezeichung eingeben"},
        {ziel<&F::m_tfLabel, 4>, "tfLabel5", {}, "Anzahl CD´s", "Hier eine neue Bezeichung eingeben"},
        {ziel<&F::m_tfLabel, 5>, "tfLabel6", {}, "Ausleiher", "Hier eine neue Bezeichung eingeben"},
        {ziel<&F::m_tfLabel, 6>, "tfLabel7", {}, "Kategorie", "Hier eine neue Bezeichung eingeben"},
        {ziel<&F::m_label, 0>, "Label1", {}, "Mappe"},
        {ziel<&F::m_label, 1>, "Label2", {}, "Qualität"},
        {ziel<&F::m_label, 2>, "Label3", {}, "Format"},
        {ziel<&F::m_label, 3>, "Label4", {}, "Titel"},
        {ziel<&F::m_label, 4>, "Label5", {}, "Anzahl CDs"},
        {ziel<&F::m_label, 5>, "Label6", {}, "Ausleiher"},
        {ziel<&F::m_label, 6>, "Label7", {}, "Kategorie"},
        {ziel<&F::cmdFarbe>, "cmdFarbe", {}, "Palette", "Ruft eine Farbpalette auf um eine Textfarbe zu bestimmen."},
        {ziel<&F::cmdFarbeBack>, "cmdFarbeBack", {}, "Palette",
         "Ruft eine Farbpalette auf um die Hintergrundfarbe zu bestimmen."},
        {ziel<&F::cmdFont>, "cmdFont", {}, "Font", "Ruft die Schrift Formatierung auf"},
        {ziel<&F::tfColor>, "tfColor", {}, "", "", vb::versteckt},
        {ziel<&F::tfBackcolor>, "tfBackcolor", {}, "", "", vb::versteckt},
        {ziel<&F::cmdOK>, "cmdOK", {}, "&OK"},
        {ziel<&F::cmdÜbernehmen>, "cmdÜbernehmen", {}, "&Übernehmen"},
        {ziel<&F::cmdAbbrechen>, "cmdAbbrechen", {}, "&Abbrechen"},

        // Headings and the words beside the controls.
        {ziel<&F::lblListenansicht>, "lblListenansicht", {}, "Listenansicht:", "", vb::fett},
        {ziel<&F::lbl6tesListenfeld>, "lbl6tesListenfeld", {}, "6tes Listenfeld:",
         "Welches Feld soll an letzter Stelle angezeigt werden?", vb::fett},
        {ziel<&F::lblAusleihen>, "lblAusleihen", {}, "Ausleihen:", "", vb::fett},
        {ziel<&F::lblAusleiherListe>, "lblAusleiherListe", {}, "Liste der Ausleiher:"},
        {ziel<&F::lblSonderfunktionen>, "lblSonderfunktionen", {}, "Sonderfunktionen:", "", vb::fett},
        {ziel<&F::lblErinnerungsintervall>, "lblErinnerungsintervall", {}, "Erinnerungsintervall:"},
        {ziel<&F::lblTage>, "lblTage", {}, "Tage"},
        {ziel<&F::lblFormatfilter>, "lblFormatfilter", {}, "Formatfilter:"},
        {ziel<&F::lblFilmURL>, "lblFilmURL", {}, "Film DB URL:", "", vb::fett},
        {ziel<&F::lblFeldbezeichnungen>, "lblFeldbezeichnungen", {}, "Neuen Feldbezeichungen:", "", vb::fett},
        {ziel<&F::lblTextfarbe>, "lblTextfarbe", {}, "Textfarbe wählen:"},
        {ziel<&F::lblSchriftart>, "lblSchriftart", {}, "Schriftart wählen:"},
        {ziel<&F::lblHintergrundfarbe>, "lblHintergrundfarbe", {}, "Hintergrundfarbe:"},
        {ziel<&F::m_sprachÜberschrift>, "lblSprachbezeichnung", {}, "Sprachbezeichnung:", "", vb::fett},
        {ziel<&F::lblDt>, "lblDt", {}, "Dt. :"},
        {ziel<&F::lblEngl>, "lblEngl", {}, "Engl.:"},
        {ziel<&F::lblDtEng>, "lblDtEng", {}, "DtEng.:"},

        // The separator lines between the groups.
        {ziel<&F::m_line, 0>, "Line1_0", {}},
        {ziel<&F::m_line, 1>, "Line1_1", {}},
        {ziel<&F::m_line, 2>, "Line1_2", {}},
        {ziel<&F::m_line, 3>, "Line1_3", {}},
        {ziel<&F::m_line, 4>, "Line1_4", {}},
        {ziel<&F::m_line, 5>, "Line1_5", {}},
        {ziel<&F::m_line, 6>, "Line1_6", {}},
        {ziel<&F::m_line, 7>, "Line1_7", {}},
    };
    vb::bauen(*this, this, Steuerelemente);
}

void frmOptionen::einrichten()
{
    for (QFrame* l : m_line) {
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Plain);
        frame::setzeLinienfarbe(l, Qt::white);  // the design colour
    }
    tfTage->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 14);
    cmdOK->setDefault(true);

    m_labels = {lblListenansicht, lbl6tesListenfeld, lblAusleihen, lblAusleiherListe, lblErinnerungsintervall,
                lblTage, lblSonderfunktionen, lblFormatfilter, lblFilmURL, lblFeldbezeichnungen};
    for (QLabel* l : m_label)
        m_labels << l;
    m_labels << m_sprachÜberschrift << lblDt << lblEngl << lblDtEng << lblTextfarbe << lblSchriftart
             << lblHintergrundfarbe;
    m_sprachLabels = {lblDt, lblEngl, lblDtEng, m_sprachÜberschrift};
}

// Tab goes down the left column, then through the language labels and the
// look to the command buttons; the field words come last.
void frmOptionen::tabReihenfolge()
{
    QList<QWidget*> reihe = {chkSortKF, chkSortFK, chkSortierungsfunktion, chkWer, chkAnz, optAusalle, optAusakt,
                             chkErinnerungsfunktion, tfTage, chkEditMode, chkCovernormal, chkFormatfilter,
                             tfFilmURL, tfDeutsch, tfEnglisch, tfDeuEngl, cmdFarbe, cmdFont, cmdFarbeBack,
                             chkHintergrundfarbe, chkDefault, tfColor, tfBackcolor, cmdOK, cmdÜbernehmen,
                             cmdAbbrechen};
    for (QLineEdit* e : m_tfLabel)
        reihe << e;
    for (qsizetype i = 1; i < reihe.size(); ++i)
        setTabOrder(reihe[i - 1], reihe[i]);
}

// The list, lending and special functions.
QLayout* frmOptionen::linkeSpalte()
{
    auto zeile = [](std::initializer_list<QWidget*> teile) {
        auto* z = new QHBoxLayout;
        for (QWidget* w : teile)
            z->addWidget(w);
        z->addStretch();
        return z;
    };
    auto* links = new QVBoxLayout;
    links->addWidget(lblListenansicht);
    links->addWidget(chkSortKF);
    links->addWidget(chkSortFK);
    links->addWidget(chkSortierungsfunktion);
    links->addWidget(m_line[0]);
    links->addLayout(zeile({lbl6tesListenfeld, chkWer, chkAnz}));
    links->addWidget(m_line[1]);
    links->addWidget(lblAusleihen);
    links->addLayout(zeile({lblAusleiherListe, optAusalle, optAusakt}));
    links->addWidget(chkErinnerungsfunktion);
    links->addLayout(zeile({lblErinnerungsintervall, tfTage, lblTage}));
    links->addWidget(m_line[2]);
    links->addWidget(lblSonderfunktionen);
    links->addWidget(chkEditMode);
    links->addWidget(chkCovernormal);
    links->addLayout(zeile({lblFormatfilter, chkFormatfilter}));
    links->addWidget(m_line[3]);
    links->addWidget(lblFilmURL);
    links->addWidget(tfFilmURL);
    links->addStretch();
    return links;
}

// The field words, the language labels and the look.
QLayout* frmOptionen::rechteSpalte()
{
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(lblFeldbezeichnungen);
    auto* wörter = new QGridLayout;
    for (int i = 0; i < 7; ++i) {
        wörter->addWidget(m_label[i], i, 0);
        wörter->addWidget(m_tfLabel[i], i, 1);
    }
    wörter->setColumnStretch(1, 1);
    rechts->addLayout(wörter);
    rechts->addWidget(m_line[4]);

    rechts->addWidget(m_sprachÜberschrift);
    auto* sprachen = new QHBoxLayout;
    for (auto [l, e] : {std::pair{lblDt, tfDeutsch}, {lblEngl, tfEnglisch}, {lblDtEng, tfDeuEngl}}) {
        sprachen->addWidget(l);
        sprachen->addWidget(e, 1);
    }
    rechts->addLayout(sprachen);
    rechts->addWidget(m_line[5]);

    auto* aussehen = new QGridLayout;
    aussehen->addWidget(lblTextfarbe, 0, 0);
    aussehen->addWidget(cmdFarbe, 0, 1);
    aussehen->addWidget(lblSchriftart, 1, 0);
    aussehen->addWidget(cmdFont, 1, 1);
    aussehen->addWidget(lblHintergrundfarbe, 2, 0);
    aussehen->addWidget(cmdFarbeBack, 2, 1);
    aussehen->addWidget(chkHintergrundfarbe, 2, 2);
    aussehen->addWidget(chkDefault, 3, 0, 1, 3);
    aussehen->setColumnStretch(3, 1);
    rechts->addLayout(aussehen);
    rechts->addWidget(m_line[6]);
    rechts->addStretch();
    return rechts;
}

QLayout* frmOptionen::knopfzeile()
{
    auto* knöpfe = new QHBoxLayout;
    knöpfe->addStretch();
    knöpfe->addWidget(cmdOK);
    knöpfe->addWidget(cmdÜbernehmen);
    knöpfe->addWidget(cmdAbbrechen);
    return knöpfe;
}

void frmOptionen::verbinden()
{
    const std::pair<QCheckBox*, void (frmOptionen::*)()> checks[] = {
        {chkDefault, &frmOptionen::chkDefault_Click},
        {chkEditMode, &frmOptionen::chkEditMode_Click},
        {chkCovernormal, &frmOptionen::chkCovernormal_Click},
        {chkSortierungsfunktion, &frmOptionen::chkSortierungsfunktion_Click},
        {chkSortKF, &frmOptionen::chkSortKF_Click},
        {chkSortFK, &frmOptionen::chkSortFK_Click},
        {chkWer, &frmOptionen::chkWer_Click},
        {chkAnz, &frmOptionen::chkAnz_Click},
        {chkErinnerungsfunktion, &frmOptionen::chkErinnerungsfunktion_Click},
        {chkFormatfilter, &frmOptionen::chkFormatfilter_Click},
        {chkHintergrundfarbe, &frmOptionen::chkHintergrundfarbe_Click},
    };
    // toggled, not clicked: a value set by code runs the handler as a click does.
    for (const auto& [box, handler] : checks)
        connect(box, &QCheckBox::toggled, this, [this, h = handler] { (this->*h)(); });
    // An option button's handler runs when it becomes the chosen one.
    connect(optAusalle, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            optAusalle_Click();
    });
    connect(optAusakt, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            optAusakt_Click();
    });
    connect(tfColor, &QLineEdit::textChanged, this, &frmOptionen::tfColor_Change);
    connect(tfBackcolor, &QLineEdit::textChanged, this, &frmOptionen::tfBackcolor_Change);
    connect(cmdFarbe, &QPushButton::clicked, this, &frmOptionen::cmdFarbe_Click);
    connect(cmdFarbeBack, &QPushButton::clicked, this, &frmOptionen::cmdFarbeBack_Click);
    connect(cmdFont, &QPushButton::clicked, this, &frmOptionen::cmdFont_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptionen::cmdOK_Click);
    connect(cmdÜbernehmen, &QPushButton::clicked, this, &frmOptionen::cmdÜbernehmen_Click);
    connect(cmdAbbrechen, &QPushButton::clicked, this, &frmOptionen::cmdAbbrechen_Click);
}
