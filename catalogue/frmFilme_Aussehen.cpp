// The main window's look and language texts.
#include "catalogue/frmFilme.h"

#include "frame/Hintergrund.h"
#include "frame/Sprache.h"

void frmFilme::przSprache()
{
    frame::przSprache(this, m_services, ini.sprache, feldwoerter);
    beschriftungenEinpassen();
}

void frmFilme::przBild()
{
    frame::przBild(this, m_services, ini);
    // The picture fits the designed area; an enlarged window has more, which it covers too.
    Form_Resize();
}

void frmFilme::przLabel()
{
    m_ausleihköpfe = false;
    frame::przLabel(this, feldwoerter, ini);
    beschriftungenEinpassen();
}

void frmFilme::przFarbe()
{
    frame::przFarbe(this, ini);
}

void frmFilme::przFont()
{
    frame::przFont(this, ini);
    beschriftungenEinpassen();
}

void frmFilme::Form_Resize()
{
    flächeAnpassen();
    frame::Form_Resize(this);
}

void frmFilme::bilderVerbinden()
{
    connect(c.picload, &QAction::triggered, this, [this] { frame::przBildAuswahl(this, m_services, ini); });
    for (const auto& eintrag : frame::bildeintraege()) {
        auto* aktion = findChild<QAction*>(QString::fromUtf8(eintrag.name));
        if (!aktion)
            continue;
        const QString datei = QString::fromUtf8(eintrag.datei);
        connect(aktion, &QAction::triggered, this,
                [this, datei] { frame::bildeintragWaehlen(this, m_services, ini, datei); });
    }
}
