#include "scan/frmCDeinlesen.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/Sprache.h"
#include "platform/vb/Formular.h"
#include "platform/vb/HiddenListBox.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"
#include "platform/vb/DirListBox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace scan {

namespace {

using frame::Eigenschaft;

constexpr frame::Sprachzeile Tabelle[] = {
    {"CDeinlesen", "Button1", "cmdCDAuswerfen", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Button2", "cmdCDeinziehen", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Button3", "cmdCDÜbernehmen", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Button4", "cmdAbbrechen", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Button5", "optUnterordner", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Button6", "optCDInfo", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Button7", "cmdClear", Eigenschaft::Beschriftung},
    {"CDeinlesen", "ButtonText1", "cmdCDAuswerfen", Eigenschaft::Tooltip},
    {"CDeinlesen", "ButtonText2", "cmdCDeinziehen", Eigenschaft::Tooltip},
    {"CDeinlesen", "ButtonText3", "cmdCDÜbernehmen", Eigenschaft::Tooltip},
    {"CDeinlesen", "ButtonText4", "cmdAbbrechen", Eigenschaft::Tooltip},
    {"CDeinlesen", "ButtonText5", "optUnterordner", Eigenschaft::Tooltip},
    {"CDeinlesen", "ButtonText6", "optCDInfo", Eigenschaft::Tooltip},
    {"CDeinlesen", "Caption", "", Eigenschaft::Fenstertitel},
    {"CDeinlesen", "Label0", "Label1_0", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Label1", "Label1_1", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Label2", "Label1_2", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Label3", "Label1_3", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Label4", "chkHDD", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Label5", "Label1_6", Eigenschaft::Beschriftung},
    {"CDeinlesen", "Feld1", "tfCDName", Eigenschaft::Tooltip},
    {"CDeinlesen", "Feld2", "Label1_7", Eigenschaft::Tooltip},
    {"CDeinlesen", "Feld3", "tfCDFormat", Eigenschaft::Tooltip},
    {"CDeinlesen", "Feld4", "tfCDMappe", Eigenschaft::Tooltip},
    {"CDeinlesen", "Feld5", "List1", Eigenschaft::Tooltip},
    {"CDeinlesen", "Feld6", "txtDriveInfo", Eigenschaft::Tooltip},
    {"CDeinlesen", "Feld7", "Dir1", Eigenschaft::Tooltip},
    {"CDeinlesen", "Feld8", "lfListeCDeinlesenAlles", Eigenschaft::Tooltip},
};

const QString Sektion = QStringLiteral("CDeinlesen");
constexpr int Puffer = 200;

using F = frmCDeinlesen;
using vb::ziel;

// The window's plain controls in twips, upper part (drives, tray, read values)
// then lower part (the entries and how they are taken over). Dir1 is made over
// the drives service after them.
constexpr vb::Steuerelement<F> Oben[] = {
    {ziel<&F::List1>, "List1", {120, 120, 2640, 1500}},
    {ziel<&F::txtDriveInfo>, "txtDriveInfo", {2880, 120, 2775, 1500}},
    {ziel<&F::chkHDD>, "chkHDD", {120, 1710, 1215, 330}, "mit HDD"},
    {ziel<&F::cmdCDAuswerfen>, "cmdCDAuswerfen", {1440, 1680, 1335, 375}, "Auswerfen"},
    {ziel<&F::cmdCDeinziehen>, "cmdCDeinziehen", {2880, 1680, 1335, 375}, "Einziehen"},
    {ziel<&F::cmdPlus>, "cmdPlus", {4320, 1680, 495, 375}, "+"},
    {ziel<&F::tfAnzahl>, "tfAnzahl", {4920, 1680, 735, 375}, "", "", vb::versteckt},
    {ziel<&F::Label1, 0>, "Label1_0", {120, 2190, 1335, 300}, "CD Name:"},
    {ziel<&F::tfCDName>, "tfCDName", {1560, 2160, 2295, 315}},
    {ziel<&F::Label1, 1>, "Label1_1", {120, 2535, 1335, 300}, "Inhalt in MB:"},
    {ziel<&F::Label1, 7>, "Label1_7", {1560, 2535, 2295, 300}},
    {ziel<&F::Label1, 2>, "Label1_2", {120, 2880, 1335, 300}, "CD Format:"},
    {ziel<&F::tfCDFormat>, "tfCDFormat", {1560, 2850, 2295, 315}},
    {ziel<&F::Label1, 3>, "Label1_3", {120, 3225, 1335, 300}, "Mappe:"},
    {ziel<&F::tfCDMappe>, "tfCDMappe", {1560, 3195, 2295, 315}},
    {ziel<&F::Label1, 4>, "Label1_4", {120, 3570, 1335, 300}, "Inhalt in Byte:"},
    {ziel<&F::Label1, 5>, "Label1_5", {1560, 3570, 2295, 300}},
    {ziel<&F::cmdCDÜbernehmen>, "cmdCDÜbernehmen", {1560, 3960, 1335, 375}, "übernehmen"},
    {ziel<&F::cmdAbbrechen>, "cmdAbbrechen", {3000, 3960, 1335, 375}, "&Abbrechen"},
    {ziel<&F::tfCDROM>, "tfCDROM", {4440, 3960, 735, 375}, "", "", vb::versteckt},
};
constexpr vb::Steuerelement<F> Unten[] = {
    {ziel<&F::lfListeCDeinlesen>, "lfListeCDeinlesen", {120, 4500, 5535, 2160}},
    {ziel<&F::lfListeCDeinlesenAlles>, "lfListeCDeinlesenAlles", {120, 4500, 5535, 2160}, "", "", vb::versteckt},
    {ziel<&F::lfListeCDeinlesenGroesse>, "lfListeCDeinlesenGroesse", {120, 4500, 5535, 2160}, "", "", vb::versteckt},
    {ziel<&F::cmdDel>, "cmdDel", {3240, 7080, 1215, 375}, "Zeile Löschen", "", vb::versteckt},
    {ziel<&F::Label1, 6>, "Label1_6", {120, 6780, 5535, 300}, "Die Liste übernehmen als:"},
    {ziel<&F::optUnterordner>, "optUnterordner", {120, 7110, 1695, 330}, "Unterordner"},
    {ziel<&F::optCDInfo>, "optCDInfo", {1920, 7110, 1095, 330}, "Info"},
    {ziel<&F::cmdClear>, "cmdClear", {4560, 7080, 1095, 375}, "Löschen"},
};

}  // namespace

std::span<const frame::Sprachzeile> cdEinlesenTabelle()
{
    return Tabelle;
}

frmCDeinlesen::frmCDeinlesen(const sys::Services& services, Katalogfenster& katalog, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_katalog(katalog)
{
    setObjectName(QStringLiteral("frmCDeinlesen"));
    setWindowTitle(QStringLiteral("CD einlesen"));
    aufbauen();
    verbinden();
}

// Upper part: drives, tray and the read values; lower part (shown by a walk):
// the entries and how they are taken over.
void frmCDeinlesen::aufbauen()
{
    vb::bauen(*this, this, Oben);
    // The lower part lies on a surface of its own below the fold, its
    // controls at their places in the window.
    m_unterteil = new QWidget(this);
    m_unterteil->setObjectName(QStringLiteral("Unterteil"));
    vb::platzieren(m_unterteil, {0, HoeheEingeklappt, BreiteInnen, HoeheErweitert - HoeheEingeklappt});
    vb::bauen(*this, m_unterteil, Unten);
    for (QWidget* w : m_unterteil->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        w->move(w->x(), w->y() - m_unterteil->y());
    Dir1 = new vb::DirListBox(m_services.drives, this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    vb::platzieren(Dir1, {3960, 2160, 1695, 1710});
    Dir1->hide();

    // Six lines of drive data in the box; a long one wraps rather than hides its end.
    QFont klein = txtDriveInfo->font();
    klein.setPointSizeF(klein.pointSizeF() * 0.85);
    txtDriveInfo->setFont(klein);
    txtDriveInfo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab goes on to the next control, as in the original's text box; it is no character here.
    txtDriveInfo->setTabChangesFocus(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);

    // In the drive information's place, which a walk has emptied, and looking like it.
    lbFortschritt = new QLabel(this);
    lbFortschritt->setObjectName(QStringLiteral("lbFortschritt"));
    lbFortschritt->setGeometry(txtDriveInfo->geometry());
    lbFortschritt->setFont(klein);
    lbFortschritt->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    lbFortschritt->setBackgroundRole(QPalette::Base);
    lbFortschritt->setAutoFillBackground(true);
    lbFortschritt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbFortschritt->setMargin(3);
    lbFortschritt->hide();

    // Tab order as the controls are read top to bottom.
    QWidget* reihe[] = {List1, txtDriveInfo, chkHDD, cmdCDAuswerfen, cmdCDeinziehen, cmdPlus, tfCDName, tfCDFormat,
                        tfCDMappe, cmdCDÜbernehmen, cmdAbbrechen, Dir1, lfListeCDeinlesen, optUnterordner, optCDInfo,
                        cmdClear, cmdDel};
    for (std::size_t i = 1; i < std::size(reihe); ++i)
        setTabOrder(reihe[i - 1], reihe[i]);
    setzeHoehe(HoeheEingeklappt);
}

void frmCDeinlesen::verbinden()
{
    connect(List1, &vb::ListBox::itemClicked, this, [this] { List1_Click(); });
    connect(cmdCDAuswerfen, &QPushButton::clicked, this, [this] { cmdCDAuswerfen_Click(); });
    connect(cmdCDeinziehen, &QPushButton::clicked, this, [this] { cmdCDeinziehen_Click(); });
    connect(cmdPlus, &QPushButton::clicked, this, [this] { cmdPlus_Click(); });
    connect(cmdCDÜbernehmen, &QPushButton::clicked, this, [this] { cmdCDÜbernehmen_Click(); });
    connect(cmdAbbrechen, &QPushButton::clicked, this, [this] { cmdAbbrechen_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });
    // Ticking from code runs the handler too, as the original's check box did.
    connect(chkHDD, &QCheckBox::toggled, this, [this] { chkHDD_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Dir1, &vb::DirListBox::Change, this, [this] { Dir1_Change(); });
    lfListeCDeinlesen->installEventFilter(this);
}

void frmCDeinlesen::setzeHoehe(int twips)
{
    m_hoeheTwips = twips;
    setFixedSize(vb::pixel(BreiteInnen), vb::pixel(twips));
    m_unterteil->setVisible(twips > HoeheEingeklappt);
}

void frmCDeinlesen::Form_Load()
{
    setzeHoehe(HoeheEingeklappt);
    cmdDel->hide();
    Timer1->stop();
    przInilesen();
    przSprache();
    if (werte.look.benutzerLook())
        przFarbe();
    txtDriveInfo->setPlainText(QString());
    List1->clear();
    przLaufwerkeFüllen();
    Dir1->hide();
    przFelderLeeren();
    tfCDROM->clear();
    // No name of an earlier opening may reach an info text.
    m_katalog.uebergabe().lfListeCDEinlesenOhneGroesse->clear();
    if (werte.mitHDD == u"1")
        chkHDD->setChecked(true);
    m_beschaeftigt = QStringLiteral("0");
}

void frmCDeinlesen::przInilesen()
{
    const ini::IniFile cdIni = frame::cdIni(m_services);
    const QString design = QStringLiteral("Design");
    werte.look = frame::Look::lesen(cdIni);
    werte.mappe = cdIni.read(Sektion, QStringLiteral("Mappe"), Puffer);
    werte.mitHDD = cdIni.read(QStringLiteral("Funktionen"), QStringLiteral("mit HDD"), Puffer);
    werte.sprache = cdIni.read(design, QStringLiteral("Sprache"), Puffer);
}

void frmCDeinlesen::przSprache()
{
    if (werte.sprache.isEmpty())
        return;
    const frame::Sprachdatei datei(m_services, werte.sprache, Puffer);
    frame::Feldwoerter keine;
    frame::spracheAnwenden(this, datei, cdEinlesenTabelle(), keine);
    cmdClear->setToolTip(datei.text(Sektion, QStringLiteral("ButtonText7")) + u' '
                         + datei.text(Sektion, QStringLiteral("Button5")) + QStringLiteral(" und ")
                         + datei.text(Sektion, QStringLiteral("Button6")));
}

void frmCDeinlesen::przFarbe()
{
    if (const auto text = frame::vbFarbe(werte.look.textFarbe)) {
        for (QWidget* w : {static_cast<QWidget*>(Label1[0]), static_cast<QWidget*>(Label1[1]),
                           static_cast<QWidget*>(Label1[2]), static_cast<QWidget*>(Label1[3]),
                           static_cast<QWidget*>(Label1[4]), static_cast<QWidget*>(Label1[6]),
                           static_cast<QWidget*>(chkHDD), static_cast<QWidget*>(optCDInfo),
                           static_cast<QWidget*>(optUnterordner)})
            frame::setzeTextfarbe(w, *text);
    }
    if (const auto hinten = frame::vbFarbe(werte.look.backcolor)) {
        for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(chkHDD),
                           static_cast<QWidget*>(optCDInfo), static_cast<QWidget*>(optUnterordner)})
            frame::setzeHintergrund(w, *hinten);
    }
}

void frmCDeinlesen::przFelderLeeren()
{
    if (!werte.mappe.isEmpty())
        tfCDMappe->setText(werte.mappe);
    Label1[5]->clear();
    Label1[7]->clear();
    tfCDFormat->clear();
    txtDriveInfo->setPlainText(QString());
    tfCDName->clear();
    laufwerksinfo.clear();
    Dir1->Refresh();
}

void frmCDeinlesen::cmdClear_Click()
{
    optUnterordner->setChecked(false);
    optCDInfo->setChecked(false);
}

void frmCDeinlesen::cmdAbbrechen_Click()
{
    close();
}

// A close during a walk ends it at once, and nothing of it is handed over.
// The walk lets no more events run, so the window's deletion waits until it
// has unwound; what a handler put off until then is dropped.
void frmCDeinlesen::closeEvent(QCloseEvent* event)
{
    m_geschlossen = true;
    if (laeuft()) {
        m_abbrechen = true;
        m_danach = nullptr;
    }
    Timer1->stop();
    vb::setMousePointer(0);
    QWidget::closeEvent(event);
}

void frmCDeinlesen::showEvent(QShowEvent* event)
{
    m_geschlossen = false;
    QWidget::showEvent(event);
}

bool frmCDeinlesen::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == lfListeCDeinlesen && ereignis->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(ereignis)->key() == Qt::Key_Delete) {
        przEintragLöschen();
        return true;
    }
    return QWidget::eventFilter(objekt, ereignis);
}

}  // namespace scan
