#include "catalogue/frmSucheInfo.h"

#include "catalogue/frmFilme.h"
#include "frame/Aussehen.h"
#include "frame/CdIni.h"

#include <QLineEdit>

frmSucheInfo::frmSucheInfo(const sys::Services& services, frmFilme& filme)
    : Suchdialog(services, filme, QStringLiteral("frmSucheInfo"), QStringLiteral("Volltextsuche Info"))
{
}

// With the plain look ("Default" = "0") this dialog keeps its own texts, even
// with a language file.
void frmSucheInfo::Form_Load()
{
    const ini::IniFile cdIni = frame::cdIni(m_services);
    const frame::Look look = frame::Look::lesen(cdIni);
    if (!look.benutzerLook())
        return;
    lookAnwenden(look);
    texteLaden(cdIni.read(QStringLiteral("Design"), QStringLiteral("Sprache")), QStringLiteral("Volltextsuche Info"));
}

// The word is searched, then stored for przlesen; a filter chosen in the main
// window meanwhile does not take the word's place.
void frmSucheInfo::cmdOK_Click()
{
    const QString wort = tfSuche->text();
    m_filme.FilterWert = wort;
    m_filme.przVolltextsucheInfo();
    m_filme.c.tfVolltextsucheInfo->setText(wort);
    close();
}
