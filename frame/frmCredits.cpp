#include "frame/frmCredits.h"

#include "frame/Einmalfenster.h"
#include "frame/Infofenster.h"
#include "platform/vb/Formular.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

const QString frmCredits::Adresse1 = QStringLiteral("mailto:autor@rondavex.example");
const QString frmCredits::Adresse2 = QStringLiteral("mailto:grafik@rondavex.example");
const QString frmCredits::Adresse3 = QStringLiteral("mailto:tests@rondavex.example");

frmCredits::frmCredits(const sys::Services& services, frame::Hauptfenster* hauptfenster, QWidget* parent)
    : Infofenster(services, hauptfenster, parent, QStringLiteral("frmCredits"), QStringLiteral("Credits"),
                  QStringLiteral("Bei der Entwicklung des Programms waren maßgeblich beteiligt:"))
{
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
    Label1->setFixedWidth(vb::skaliert(352));
    fenster->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

frmCredits* frmCredits::zeigen(const sys::Services& services, frame::Hauptfenster* hauptfenster)
{
    return frame::einmalZeigen<frmCredits>(services, [&] { return new frmCredits(services, hauptfenster); });
}

void frmCredits::Form_Load()
{
    laden(QStringLiteral("Credits"), 200,
                            {{Label1, "Label1"}},
                            {{txtHyperlink, "Link1", Adresse1},
                             {txtHyperlink1, "Link2", Adresse2},
                             {txtHyperlink2, "Link3", Adresse3}},
                            [this](const frame::Look& look) { przLabel(look.backcolor, look.textFarbe); });
}

void frmCredits::przLabel(const QString& backcolor, const QString& textFarbe)
{
    // The link boxes' text colour gives way to the link look at once.
    farbenSetzen({txtHyperlink, txtHyperlink1, txtHyperlink2}, {Label1, txtHyperlink, txtHyperlink1, txtHyperlink2},
                 backcolor, textFarbe);
}
