#include "lending/frmMappe.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/Eingabekombi.h"
#include "frame/Einmalfenster.h"
#include "frame/FillCombo.h"
#include "frame/Hauptfenster.h"
#include "frame/Sprache.h"
#include "lending/Ausleihbuch.h"
#include "lending/Katalogverbindung.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace {

const frame::Sprachzeile MappeTexte[] = {
    {"Mappe", "Caption", "", frame::Eigenschaft::Fenstertitel},
    {"Mappe", "Button1", "cmdAusleihen", frame::Eigenschaft::Beschriftung},
    {"Mappe", "ButtonText1", "cmdAusleihen", frame::Eigenschaft::Tooltip},
    {"Mappe", "Button2", "cmdZurück", frame::Eigenschaft::Beschriftung},
    {"Mappe", "ButtonText2", "cmdZurück", frame::Eigenschaft::Tooltip},
    {"Mappe", "Label1", "Label_0", frame::Eigenschaft::Beschriftung},
    {"Mappe", "Label2", "Label_1", frame::Eigenschaft::Beschriftung},
    {"Mappe", "cmb1", "cmbMappe", frame::Eigenschaft::Tooltip},
    {"Mappe", "cmb2", "cmbWer1", frame::Eigenschaft::Tooltip},
};

}  // namespace

frmMappe::frmMappe(const sys::Services& services, frame::Hauptfenster& hauptfenster, QWidget* parent)
    : QDialog(parent), m_services(services), m_hauptfenster(hauptfenster)
{
    setObjectName(QStringLiteral("frmMappe"));
    setWindowTitle(QStringLiteral("Mappe ausleihen"));
    using F = frmMappe;
    using vb::ziel;
    static constexpr vb::Steuerelement<F> Steuerelemente[] = {
        {ziel<&F::m_label0>, "Label_0", {}, "Mappe"},
        {ziel<&F::m_label1>, "Label_1", {}, "An wen?"},
        {ziel<&F::cmbMappe>, "cmbMappe", {}, "", "Hier bitte die Mappe wählen die verliehen wird.", vb::editierbar},
        {ziel<&F::cmbWer1>, "cmbWer1", {}, "",
         "Hier bitte den Leiher wählen oder eintragen. Bei NEUEM Datensatz bitte mit ENTER bestätigen!",
         vb::editierbar},
        {ziel<&F::cmdAusleihen>, "cmdAusleihen", {}, "Mappe &ausleihen", "Mappe ausleihen"},
        {ziel<&F::cmdZurück>, "cmdZurück", {}, "Mappe &zurück", "Mappe wieder zurück"},
        {ziel<&F::Line1>, "Line1", {}},
    };
    vb::bauen(*this, this, Steuerelemente);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    auto* raster = new QGridLayout(this);
    raster->addWidget(m_label0, 0, 0);
    raster->addWidget(m_label1, 0, 1);
    raster->addWidget(cmbMappe, 1, 0);
    raster->addWidget(cmbWer1, 1, 1);
    raster->addWidget(Line1, 2, 0, 1, 2);
    raster->addWidget(cmdAusleihen, 3, 0);
    raster->addWidget(cmdZurück, 3, 1);
    raster->setColumnMinimumWidth(0, 170);
    raster->setColumnMinimumWidth(1, 170);
    raster->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(cmbMappe, cmbWer1);
    setTabOrder(cmbWer1, cmdAusleihen);
    setTabOrder(cmdAusleihen, cmdZurück);

    // Enter moves on and adds nothing; the cap spares an entry of the list.
    const frame::Eingabekombi::Art art{.enterFügtEin = false, .kappeNurGetippt = true};
    new frame::Eingabekombi(cmbMappe, nullptr, Kappe, [this] { cmbWer1->setFocus(); }, art);
    new frame::Eingabekombi(cmbWer1, nullptr, Kappe, [this] { cmdAusleihen->setFocus(); }, art);
    // Enter leads on by itself: a button must not take it as its default.
    cmdAusleihen->setAutoDefault(false);
    cmdZurück->setAutoDefault(false);

    connect(cmdAusleihen, &QPushButton::clicked, this, &frmMappe::cmdAusleihen_Click);
    connect(cmdZurück, &QPushButton::clicked, this, &frmMappe::cmdZurück_Click);
}

frmMappe::~frmMappe() = default;

frmMappe* frmMappe::zeigen(const sys::Services& services, frame::Hauptfenster& hauptfenster)
{
    return frame::einmalZeigen<frmMappe>(services, [&] { return new frmMappe(services, hauptfenster); });
}

bool frmMappe::Form_Load()
{
    przInilesen();
    przSprache();
    if (m_look.benutzerLook())
        przFarbe();
    m_datenbank = ausleihe::katalogÖffnen(m_services, m_hauptfenster.tfDBName());
    if (!m_datenbank)
        return false;
    const QString deutsch = db::kollation();
    FillCombo(*cmbMappe, *m_datenbank,
              QStringLiteral("Select Distinct Mappe") + deutsch + QStringLiteral(" from Filme Order by Mappe") + deutsch);
    FillCombo(*cmbWer1, *m_datenbank,
              QStringLiteral("Select Distinct Wer") + deutsch + QStringLiteral(" from Filme Order by Wer") + deutsch);
    return true;
}

void frmMappe::przInilesen()
{
    const ini::IniFile cdIni = frame::cdIni(m_services);
    auto design = [&cdIni](const char* schlüssel) { return cdIni.read(QStringLiteral("Design"), QString::fromUtf8(schlüssel)); };
    m_label1Wort = design("Label1");
    m_label6Wort = design("Label6");
    m_look = frame::Look::lesen(cdIni);
    m_sprache = design("Sprache");
}

void frmMappe::przSprache()
{
    if (m_sprache.isEmpty())
        return;
    frame::Feldwoerter wörter;
    frame::spracheAnwenden(this, frame::Sprachdatei(m_services, m_sprache), MappeTexte, wörter);
}

void frmMappe::przFarbe()
{
    const auto text = frame::vbFarbe(m_look.textFarbe);
    for (QLabel* l : {m_label0, m_label1}) {
        if (!m_look.textFont.isEmpty())
            frame::setzeSchriftname(l, m_look.textFont);
        if (text)
            frame::setzeTextfarbe(l, *text);
    }
    if (const auto hinten = frame::vbFarbe(m_look.backcolor))
        frame::setzeHintergrund(this, *hinten);
    if (const auto linie = frame::linienfarbe(m_look.backcolor, m_look.textFarbe))
        frame::setzeLinienfarbe(Line1, *linie);
}

void frmMappe::fertig(const QString& meldung, const QString& titel)
{
    m_services.messages->msgBox(meldung, sys::mb::OkOnly, titel);
    m_hauptfenster.przlesen();
    m_hauptfenster.przAktualisieren();
    close();
}

void frmMappe::cmdAusleihen_Click()
{
    const QString wort = m_label1Wort;
    const QString titel = wort + QStringLiteral(" ausleihen");
    if (cmbMappe->text().isEmpty()) {
        m_services.messages->msgBox(QStringLiteral("Sie sollten eine ") + wort + QStringLiteral(" zum verleihen auswählen!"),
                                    sys::mb::Information, titel);
        return;
    }
    // Without a borrower every free title would go out to nobody.
    if (ausleihe::keinLeiher(cmbWer1->text())) {
        m_services.messages->msgBox(QStringLiteral("Sie müssen eingeben welcher ") + m_label6Wort + QStringLiteral(" die ")
                                        + wort + QStringLiteral(" bekommt!"),
                                    sys::mb::Information, titel);
        return;
    }
    if (!przMappeAusleiheEintragen()) {
        m_services.messages->msgBox(QStringLiteral("Verleihstatus konnte nicht gesetzt werden."), sys::mb::Critical,
                                    QStringLiteral("Ausleihen"));
        return;
    }
    fertig(QStringLiteral("Verleihstatus gesetzt."), QStringLiteral("Ausleihen"));
}

void frmMappe::cmdZurück_Click()
{
    const QString wort = m_label1Wort;
    const QString titel = wort + QStringLiteral(" zurück");
    if (cmbMappe->text().isEmpty()) {
        m_services.messages->msgBox(QStringLiteral("Sie sollten schon eingeben welche ") + wort
                                        + QStringLiteral(" zurück ist!"),
                                    sys::mb::Information, titel);
        return;
    }
    if (ausleihe::keinLeiher(cmbWer1->text())) {
        m_services.messages->msgBox(QStringLiteral("Sie müssen eingeben welcher ") + m_label6Wort + QStringLiteral(" die ")
                                        + wort + QStringLiteral(" hatte!"),
                                    sys::mb::Information, titel);
        return;
    }
    if (!przMappeRückgabeEintragen()) {
        m_services.messages->msgBox(QStringLiteral("Verleihstatus konnte nicht rückgesetzt werden."),
                                    sys::mb::Critical, QStringLiteral("Ausleihe zurück"));
        return;
    }
    fertig(QStringLiteral("Verleihstatus rückgesetzt."), QStringLiteral("Ausleihe zurück"));
}

bool frmMappe::przMappeAusleiheEintragen()
{
    try {
        ausleihe::mappeAusleihen(*m_datenbank, cmbMappe->text(), cmbWer1->text(),
                                 vb::dateText(m_services.clock->today()));
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

bool frmMappe::przMappeRückgabeEintragen()
{
    try {
        ausleihe::mappeZurück(*m_datenbank, cmbMappe->text(), cmbWer1->text(), vb::dateText(m_services.clock->today()));
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}
