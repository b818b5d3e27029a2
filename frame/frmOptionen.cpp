// The settings window: its controls, their layout and their wiring.
#include "frame/frmOptionen.h"

#include "frame/Einmalfenster.h"

#include "frame/Aussehen.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

const QString frmOptionen::FilmSeite = QStringLiteral("www.filmlexikon.example");

namespace {

const char* const FeldwortDesign[7] = {"Mappe", "Qualität", "Format", "Titel", "Anzahl CDs", "Ausleiher", "Kategorie"};
const char* const EingabeDesign[7] = {"Filmmappen:", "Qualität:", "Format:", "Titel:", "Anzahl CD´s", "Ausleiher", "Kategorie"};

QFont fett(QFont f)
{
    f.setBold(true);
    return f;
}

}  // namespace

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
    auto label = [this](const char* name, const QString& text, bool überschrift = false) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromUtf8(name));
        if (überschrift)
            l->setFont(fett(l->font()));
        m_labels << l;
        return l;
    };
    auto check = [this](const char* name, const QString& text, const QString& tip = {}) {
        auto* b = new QCheckBox(text, this);
        b->setObjectName(QString::fromUtf8(name));
        b->setToolTip(tip);
        return b;
    };
    auto option = [this](const char* name, const QString& text, const QString& tip) {
        auto* b = new QRadioButton(text, this);
        b->setObjectName(QString::fromUtf8(name));
        b->setToolTip(tip);
        return b;
    };
    auto eingabe = [this](const char* name, const QString& text = {}, const QString& tip = {}) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QString::fromUtf8(name));
        e->setToolTip(tip);
        return e;
    };
    auto knopf = [this](const char* name, const QString& text, const QString& tip = {}) {
        auto* k = new QPushButton(text, this);
        k->setObjectName(QString::fromUtf8(name));
        k->setToolTip(tip);
        return k;
    };
    for (int i = 0; i < 8; ++i) {
        auto* l = new QFrame(this);
        l->setObjectName(QStringLiteral("Line1_%1").arg(i));
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Plain);
        frame::setzeLinienfarbe(l, Qt::white);  // the design colour
        m_line[i] = l;
    }

    chkSortKF = check("chkSortKF", QStringLiteral("Kategorie, Format"),
                      QStringLiteral("In der Liste wird erst Kategorie, dann Format angezeigt."));
    chkSortFK = check("chkSortFK", QStringLiteral("Format, Kategorie"),
                      QStringLiteral("In der Liste wird erst Format, dann Kategorie angezeigt."));
    chkSortierungsfunktion =
        check("chkSortierungsfunktion", QStringLiteral("Sortierungsfunktionen"),
              QStringLiteral("Hiermit kann die zusätzliche Sortierfunktion in der Liste aktiviert werden."));
    chkWer = check("chkWer", QStringLiteral("Ausl."), QStringLiteral("6tes Listenfeld zeigt Ausleiher."));
    chkAnz = check("chkAnz", QStringLiteral("Anz."), QStringLiteral("6tes Listenfeld zeigt Anzahl Datenträger."));
    optAusalle = option("optAusalle", QStringLiteral("alle"),
                        QStringLiteral("Legt fest, ob alle Ausleiher in der Auswahl angezeigt werden."));
    optAusakt = option("optAusakt", QStringLiteral("aktuelle"),
                       QStringLiteral("Legt fest, ob nur die aktuellen Ausleiher in der Auswahl angezeigt werden."));
    chkErinnerungsfunktion =
        check("chkErinnerungsfunktion", QStringLiteral("Erinnerungsfunktion beim Programmstart"),
              QStringLiteral("Schaltet die Erinnerungsfunktion für überfällige Ausleihen ein oder aus."));
    tfTage = eingabe("tfTage", {}, QStringLiteral("Erinnerungsintervall in Tagen"));
    tfTage->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 14);
    chkEditMode = check("chkEditMode", QStringLiteral("Edit Mode"),
                        QStringLiteral("Hiermit schalten Sie das Programm in den Edit-Mode. Damit werden DS nur "
                                       "editiert (z.B. beim Einsatz der Nacheditierung durch die CD "
                                       "Einlesefunktion)."));
    chkCovernormal = check("chkCovernormal", QStringLiteral("Cover normal"),
                           QStringLiteral("Hiermit wird die Cover Funktion ohne Datenpfad genutzt (setzt bei "
                                          "vorhergehender Benutzung eine Konvertierung in den Tools voraus). Diese "
                                          "Funktion kann nicht rückgängig gemacht werden!"));
    chkFormatfilter = check("chkFormatfilter", QStringLiteral("An"));
    tfFilmURL = eingabe("tfFilmURL", FilmSeite,
                        QStringLiteral("Hier kann eine URL angegeben werden die das Programm nutzt um "
                                       "Informationen zu Filmdatensätzen downzuloaden."));
    tfDeutsch = eingabe("tfDeutsch");
    tfEnglisch = eingabe("tfEnglisch");
    tfDeuEngl = eingabe("tfDeuEngl");
    cmdFarbe = knopf("cmdFarbe", QStringLiteral("Palette"),
                     QStringLiteral("Ruft eine Farbpalette auf um eine Textfarbe zu bestimmen."));
    cmdFont = knopf("cmdFont", QStringLiteral("Font"), QStringLiteral("Ruft die Schrift Formatierung auf"));
    cmdFarbeBack = knopf("cmdFarbeBack", QStringLiteral("Palette"),
                         QStringLiteral("Ruft eine Farbpalette auf um die Hintergrundfarbe zu bestimmen."));
    chkHintergrundfarbe = check("chkHintergrundfarbe", QStringLiteral("inkl. Main"));
    chkDefault = check("chkDefault", QStringLiteral("Defaultwerte"),
                       QStringLiteral("Setzt die Userwerte ausser Kraft. Diese werden nicht gelöscht!"));
    tfColor = eingabe("tfColor");
    tfColor->hide();
    tfBackcolor = eingabe("tfBackcolor");
    tfBackcolor->hide();
    cmdOK = knopf("cmdOK", QStringLiteral("&OK"));
    cmdÜbernehmen = knopf("cmdÜbernehmen", QStringLiteral("&Übernehmen"));
    cmdAbbrechen = knopf("cmdAbbrechen", QStringLiteral("&Abbrechen"));
    cmdOK->setDefault(true);

    // Left column: the list, lending and special functions.
    auto* links = new QVBoxLayout;
    links->addWidget(label("lblListenansicht", QStringLiteral("Listenansicht:"), true));
    links->addWidget(chkSortKF);
    links->addWidget(chkSortFK);
    links->addWidget(chkSortierungsfunktion);
    links->addWidget(m_line[0]);
    {
        auto* zeile = new QHBoxLayout;
        QLabel* l = label("lbl6tesListenfeld", QStringLiteral("6tes Listenfeld:"), true);
        l->setToolTip(QStringLiteral("Welches Feld soll an letzter Stelle angezeigt werden?"));
        zeile->addWidget(l);
        zeile->addWidget(chkWer);
        zeile->addWidget(chkAnz);
        zeile->addStretch();
        links->addLayout(zeile);
    }
    links->addWidget(m_line[1]);
    links->addWidget(label("lblAusleihen", QStringLiteral("Ausleihen:"), true));
    {
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(label("lblAusleiherListe", QStringLiteral("Liste der Ausleiher:")));
        zeile->addWidget(optAusalle);
        zeile->addWidget(optAusakt);
        zeile->addStretch();
        links->addLayout(zeile);
    }
    links->addWidget(chkErinnerungsfunktion);
    {
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(label("lblErinnerungsintervall", QStringLiteral("Erinnerungsintervall:")));
        zeile->addWidget(tfTage);
        zeile->addWidget(label("lblTage", QStringLiteral("Tage")));
        zeile->addStretch();
        links->addLayout(zeile);
    }
    links->addWidget(m_line[2]);
    links->addWidget(label("lblSonderfunktionen", QStringLiteral("Sonderfunktionen:"), true));
    links->addWidget(chkEditMode);
    links->addWidget(chkCovernormal);
    {
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(label("lblFormatfilter", QStringLiteral("Formatfilter:")));
        zeile->addWidget(chkFormatfilter);
        zeile->addStretch();
        links->addLayout(zeile);
    }
    links->addWidget(m_line[3]);
    links->addWidget(label("lblFilmURL", QStringLiteral("Film DB URL:"), true));
    links->addWidget(tfFilmURL);
    links->addStretch();

    // Right column: the field words, the language labels and the look.
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(label("lblFeldbezeichnungen", QStringLiteral("Neuen Feldbezeichungen:"), true));
    {
        auto* raster = new QGridLayout;
        for (int i = 0; i < 7; ++i) {
            const QByteArray n = QByteArray::number(i + 1);
            m_label[i] = label(("Label" + n).constData(), QString::fromUtf8(FeldwortDesign[i]));
            m_tfLabel[i] = eingabe(("tfLabel" + n).constData(), QString::fromUtf8(EingabeDesign[i]),
                                   QStringLiteral("Hier eine neue Bezeichung eingeben"));
            raster->addWidget(m_label[i], i, 0);
            raster->addWidget(m_tfLabel[i], i, 1);
        }
        raster->setColumnStretch(1, 1);
        rechts->addLayout(raster);
    }
    rechts->addWidget(m_line[4]);
    m_sprachÜberschrift = label("lblSprachbezeichnung", QStringLiteral("Sprachbezeichnung:"), true);
    rechts->addWidget(m_sprachÜberschrift);
    {
        auto* zeile = new QHBoxLayout;
        const std::pair<const char*, const char*> paare[] = {{"lblDt", "Dt. :"}, {"lblEngl", "Engl.:"}, {"lblDtEng", "DtEng.:"}};
        QLineEdit* felder[] = {tfDeutsch, tfEnglisch, tfDeuEngl};
        for (int i = 0; i < 3; ++i) {
            QLabel* l = label(paare[i].first, QString::fromUtf8(paare[i].second));
            m_sprachLabels << l;
            zeile->addWidget(l);
            zeile->addWidget(felder[i], 1);
        }
        rechts->addLayout(zeile);
    }
    m_sprachLabels << m_sprachÜberschrift;
    rechts->addWidget(m_line[5]);
    {
        auto* raster = new QGridLayout;
        raster->addWidget(label("lblTextfarbe", QStringLiteral("Textfarbe wählen:")), 0, 0);
        raster->addWidget(cmdFarbe, 0, 1);
        raster->addWidget(label("lblSchriftart", QStringLiteral("Schriftart wählen:")), 1, 0);
        raster->addWidget(cmdFont, 1, 1);
        raster->addWidget(label("lblHintergrundfarbe", QStringLiteral("Hintergrundfarbe:")), 2, 0);
        raster->addWidget(cmdFarbeBack, 2, 1);
        raster->addWidget(chkHintergrundfarbe, 2, 2);
        raster->addWidget(chkDefault, 3, 0, 1, 3);
        raster->setColumnStretch(3, 1);
        rechts->addLayout(raster);
    }
    rechts->addWidget(m_line[6]);
    rechts->addStretch();

    auto* spalten = new QHBoxLayout;
    spalten->addLayout(links, 1);
    spalten->addSpacing(18);
    spalten->addLayout(rechts, 1);

    auto* knöpfe = new QHBoxLayout;
    knöpfe->addStretch();
    knöpfe->addWidget(cmdOK);
    knöpfe->addWidget(cmdÜbernehmen);
    knöpfe->addWidget(cmdAbbrechen);

    auto* fenster = new QVBoxLayout(this);
    fenster->addLayout(spalten);
    fenster->addWidget(m_line[7]);
    fenster->addLayout(knöpfe);
    fenster->setSizeConstraint(QLayout::SetFixedSize);
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
