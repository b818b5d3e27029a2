#include "catalogue/Suchdialog.h"

#include "catalogue/frmFilme.h"
#include "frame/Aussehen.h"
#include "frame/Sprache.h"
#include "platform/vb/Formular.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Placed by the layout below.
constexpr vb::Steuerelement<Suchdialog> Steuerelemente[] = {
    {vb::ziel<&Suchdialog::Label1>, "Label1", {}, "Hier bitte den Suchbegriff eingeben:"},
    {vb::ziel<&Suchdialog::tfSuche>, "tfSuche", {}},
    {vb::ziel<&Suchdialog::cmdOK>, "cmdOK", {}, "OK"},
};

}  // namespace

Suchdialog::Suchdialog(const sys::Services& services, frmFilme& filme, const QString& name, const QString& titel)
    : QDialog(&filme), m_services(services), m_filme(filme)
{
    setObjectName(name);
    setWindowTitle(titel);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    vb::bauen(*this, this, Steuerelemente);
    tfSuche->setMinimumWidth(vb::skaliert(240));
    // Enter in the text box is the text box's own key; the button must not take it too.
    cmdOK->setAutoDefault(false);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    auto* zeile = new QHBoxLayout;
    zeile->addWidget(tfSuche, 1);
    zeile->addWidget(cmdOK);
    auto* fenster = new QVBoxLayout(this);
    fenster->addWidget(Label1);
    fenster->addLayout(zeile);
    fenster->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(tfSuche, &QLineEdit::returnPressed, this, [this] { tfSuche_KeyPress(13); });
}

void Suchdialog::tfSuche_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        cmdOK_Click();
}

void Suchdialog::lookAnwenden(const frame::Look& look)
{
    if (const auto farbe = frame::vbFarbe(look.backcolor))
        frame::setzeHintergrund(this, *farbe);
    frame::setzeSchriftname(Label1, look.textFont);
    if (const auto farbe = frame::vbFarbe(look.textFarbe))
        frame::setzeTextfarbe(Label1, *farbe);
}

void Suchdialog::texteLaden(const QString& sprache, const QString& sektion)
{
    const frame::Sprachdatei datei(m_services, sprache);
    if (!datei.benannt())
        return;
    setWindowTitle(datei.text(sektion, QStringLiteral("Caption")));
    Label1->setText(datei.text(sektion, QStringLiteral("Label1")));
}
