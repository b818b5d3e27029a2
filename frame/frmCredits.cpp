#include "frame/frmCredits.h"

#include "frame/Einmalfenster.h"
#include "frame/Sprache.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/basHyperlink.h"
#include "platform/ini/IniFile.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

const QString frmCredits::Adresse1 = QStringLiteral("mailto:autor@rondavex.example");
const QString frmCredits::Adresse2 = QStringLiteral("mailto:grafik@rondavex.example");
const QString frmCredits::Adresse3 = QStringLiteral("mailto:tests@rondavex.example");

frmCredits::frmCredits(const sys::Services& services, frame::Hauptfenster* hauptfenster, QWidget* parent)
    : QDialog(parent ? parent : (hauptfenster ? hauptfenster->fenster() : nullptr)), m_services(services)
{
    setObjectName(QStringLiteral("frmCredits"));
    setWindowTitle(QStringLiteral("Credits"));
    // Above every other window while open, without taking the focus back.
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(QStringLiteral("Bei der Entwicklung des Programms waren maßgeblich beteiligt:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    txtHyperlink = new QLineEdit(this);
    txtHyperlink->setObjectName(QStringLiteral("txtHyperlink"));
    txtHyperlink1 = new QLineEdit(this);
    txtHyperlink1->setObjectName(QStringLiteral("txtHyperlink1"));
    txtHyperlink2 = new QLineEdit(this);
    txtHyperlink2->setObjectName(QStringLiteral("txtHyperlink2"));
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* knöpfe = new QHBoxLayout;
    knöpfe->addStretch();
    knöpfe->addWidget(cmdOK);
    auto* fenster = new QVBoxLayout(this);
    fenster->addWidget(Label1);
    fenster->addSpacing(4);
    fenster->addWidget(txtHyperlink);
    fenster->addWidget(txtHyperlink1);
    fenster->addWidget(txtHyperlink2);
    fenster->addWidget(Line1);
    fenster->addLayout(knöpfe);
    // The word-wrapped label takes its height from this width.
    Label1->setFixedWidth(352);
    fenster->setSizeConstraint(QLayout::SetFixedSize);

    for (QLineEdit* box : {txtHyperlink, txtHyperlink1, txtHyperlink2})
        basHyperlink::HyperlinkEreignisse(box, *m_services.shell);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

frmCredits* frmCredits::zeigen(const sys::Services& services, frame::Hauptfenster* hauptfenster)
{
    static QPointer<frmCredits> fenster;
    return frame::einmalZeigen(fenster, [&] { return new frmCredits(services, hauptfenster); });
}

void frmCredits::Form_Load()
{
    const ini::IniFile cdIni = frame::cdIni(m_services);
    const frame::Look look = frame::Look::lesen(cdIni);
    const QString sprache = cdIni.read(QStringLiteral("Design"), QStringLiteral("Sprache"));

    QString link1, link2, link3;
    if (!sprache.isEmpty()) {
        const frame::Sprachdatei lng(m_services, sprache);
        const QString credits = QStringLiteral("Credits");
        setWindowTitle(lng.text(credits, QStringLiteral("Caption")));
        Label1->setText(lng.text(credits, QStringLiteral("Label1")));
        link1 = lng.text(credits, QStringLiteral("Link1"));
        link2 = lng.text(credits, QStringLiteral("Link2"));
        link3 = lng.text(credits, QStringLiteral("Link3"));
    }

    if (look.benutzerLook())
        przLabel(look.backcolor, look.textFarbe);

    basHyperlink::HyperlinksEinrichten({{txtHyperlink, link1, Adresse1}, {txtHyperlink1, link2, Adresse2}, {txtHyperlink2, link3, Adresse3}},
                                       this);
}

void frmCredits::przLabel(const QString& backcolor, const QString& textFarbe)
{
    // A value that is no colour leaves its part of the look as it is.
    if (const auto hinten = frame::vbFarbe(backcolor)) {
        for (QLineEdit* box : {txtHyperlink, txtHyperlink1, txtHyperlink2})
            frame::setzeHintergrund(box, *hinten);
        frame::setzeHintergrund(this, *hinten);
    }
    if (const auto text = frame::vbFarbe(textFarbe)) {
        frame::setzeTextfarbe(Label1, *text);
        for (QLineEdit* box : {txtHyperlink, txtHyperlink1, txtHyperlink2})
            frame::setzeTextfarbe(box, *text);
    }
}
