#include "catalogue/frmSucheTitel.h"

#include "catalogue/frmFilme.h"
#include "frame/Aussehen.h"
#include "frame/CdIni.h"

#include <QLineEdit>

frmSucheTitel::frmSucheTitel(const sys::Services& services, frmFilme& filme)
    : Suchdialog(services, filme, QStringLiteral("frmSucheTitel"), QStringLiteral("Volltextsuche Titel"))
{
}

// The texts first, then the look.
void frmSucheTitel::Form_Load()
{
    const ini::IniFile cdIni = frame::cdIni(m_services);
    const frame::Look look = frame::Look::lesen(cdIni);
    texteLaden(cdIni.read(QStringLiteral("Design"), QStringLiteral("Sprache")), QStringLiteral("Volltextsuche Titel"));
    if (look.benutzerLook())
        lookAnwenden(look);
}

// The word is stored for przlesen, then searched; a filter chosen in the main
// window meanwhile does not take the word's place.
void frmSucheTitel::cmdOK_Click()
{
    const QString wort = tfSuche->text();
    m_filme.c.tfVolltextsucheTitel->setText(wort);
    m_filme.FilterWert = wort;
    m_filme.przVolltextsucheTitel();
    close();
}
