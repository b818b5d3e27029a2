#include "frame/frmAbout.h"

#include "frame/Einmalfenster.h"
#include "frame/Infofenster.h"
#include "platform/vb/Formular.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QVersionNumber>

const QString frmAbout::AdresseWeb = QStringLiteral("www.rondavex.example/");
const QString frmAbout::AdresseMail = QStringLiteral("mailto:autor@rondavex.example");
const QString frmAbout::AdresseExe = QStringLiteral("www.rondavex.example/download/Rondavex.zip");

frmAbout::frmAbout(const sys::Services& services, frame::Hauptfenster* hauptfenster, QWidget* parent)
    : Infofenster(services, hauptfenster, parent, QStringLiteral("frmAbout"), QStringLiteral("Info zur Rondavex"),
                  QStringLiteral("Besuchen Sie mich im Internet, schreiben Sie mir eine eMail oder laden Sie die "
                                 "neueste Exe-Datei herunter!"))
{
    using vb::ziel;
    // The controls beside those of the shared part; the title and the version come with the load.
    static constexpr vb::Steuerelement<frmAbout> Steuerelemente[] = {
        {ziel<&frmAbout::lblTitle>, "lblTitle", {}, "", "", vb::fett},
        {ziel<&frmAbout::lblVersion>, "lblVersion", {}},
        {ziel<&frmAbout::lblDescription>, "lblDescription", {},
         "Rondavex ist ein kleines Programm, das Ihnen hilft, Ihre CDs, DVDs und Datenträger aller Art zu "
         "verwalten.\n\nWenn Ihnen das Programm gefällt, unterstützen Sie den Autor oder sagen Sie ihm einfach Danke!"},
        {ziel<&frmAbout::picIcon>, "picIcon", {}},
        {ziel<&frmAbout::cmdSysInfo>, "cmdSysInfo", {}, "&Systeminfo..."},
        {ziel<&frmAbout::Line2>, "Line2", {}},
    };
    vb::bauen(*this, this, Steuerelemente);

    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_DriveCDIcon)
                                                            : QApplication::windowIcon();
    picIcon->setPixmap(icon.pixmap(vb::skaliert(48), vb::skaliert(48)));
    picIcon->setFixedSize(vb::skaliert(52), vb::skaliert(52));
    picIcon->setAlignment(Qt::AlignCenter);
    QFont titel = lblTitle->font();
    titel.setPointSizeF(titel.pointSizeF() * 1.6);
    lblTitle->setFont(titel);
    lblDescription->setWordWrap(true);
    frame::alsLinie(Line2);

    auto* kopf = new QVBoxLayout;
    kopf->addWidget(lblTitle);
    kopf->addWidget(lblVersion);
    kopf->addSpacing(8);
    kopf->addWidget(lblDescription);
    auto* oben = new QHBoxLayout;
    oben->addWidget(picIcon, 0, Qt::AlignTop);
    oben->addSpacing(8);
    oben->addLayout(kopf, 1);

    auto* knöpfe = new QHBoxLayout;
    knöpfe->addStretch();
    knöpfe->addWidget(cmdOK);
    knöpfe->addWidget(cmdSysInfo);

    auto* fenster = new QVBoxLayout(this);
    fenster->addLayout(oben);
    fenster->addWidget(Line1);
    fenster->addWidget(Label1);
    fenster->addWidget(txtHyperlink);
    fenster->addWidget(txtHyperlink1);
    fenster->addWidget(txtHyperlink2);
    fenster->addWidget(Line2);
    fenster->addLayout(knöpfe);
    // Word-wrapped labels take their height from this width.
    lblDescription->setFixedWidth(vb::skaliert(340));
    Label1->setFixedWidth(vb::skaliert(412));
    fenster->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOk_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

frmAbout* frmAbout::zeigen(const sys::Services& services, frame::Hauptfenster* hauptfenster)
{
    return frame::einmalZeigen<frmAbout>(services, [&] { return new frmAbout(services, hauptfenster); });
}

QString frmAbout::versionText(const QString& version)
{
    const QList<int> teile = QVersionNumber::fromString(version).segments();
    auto teil = [&](qsizetype i) { return i < teile.size() ? teile[i] : 0; };
    const int revision = teile.size() >= 4 ? teil(3) : teil(2);
    return QStringLiteral("Version %1.%2.%3").arg(teil(0)).arg(teil(1)).arg(revision);
}

void frmAbout::Form_Load()
{
    laden(QStringLiteral("About"), 400,
                            {{lblDescription, "lblDescription"}, {Label1, "Label1"}},
                            {{txtHyperlink, "Web", AdresseWeb},
                             {txtHyperlink1, "Mail", AdresseMail},
                             {txtHyperlink2, "Exe", AdresseExe}},
                            [this](const frame::Look& look) { przFarbe(look.backcolor, look.textFarbe); });
    lblVersion->setText(versionText(QCoreApplication::applicationVersion()));
    lblTitle->setText(sys::programTitle());
}

void frmAbout::przFarbe(const QString& backcolor, const QString& textFarbe)
{
    farbenSetzen({txtHyperlink, txtHyperlink1, txtHyperlink2, picIcon}, {lblDescription, Label1, lblTitle, lblVersion},
                 backcolor, textFarbe);
}

void frmAbout::cmdOk_Click()
{
    close();
}

void frmAbout::StartSysInfo()
{
    const QString programm = m_services.desktop ? m_services.desktop->systemInformationProgram() : QString();
    if (!programm.isEmpty() && m_services.shell->start(programm))
        return;
    m_services.messages->msgBox(QStringLiteral("Systeminformationen sind momentan nicht verfügbar"), sys::mb::OkOnly,
                                sys::programTitle());
}
