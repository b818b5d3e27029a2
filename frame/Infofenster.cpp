#include "frame/Infofenster.h"

#include "frame/CdIni.h"
#include "frame/Sprache.h"
#include "frame/basHyperlink.h"
#include "platform/vb/Formular.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace frame {

void alsLinie(QFrame* linie)
{
    linie->setFrameShape(QFrame::HLine);
    linie->setFrameShadow(QFrame::Sunken);
}

Infofenster::Infofenster(const sys::Services& services, Hauptfenster* hauptfenster, QWidget* parent,
                         const QString& name, const QString& titel, const QString& label1)
    : QDialog(parent ? parent : (hauptfenster ? hauptfenster->fenster() : nullptr)), m_services(services)
{
    setObjectName(name);
    setWindowTitle(titel);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    using vb::ziel;
    // Label1's text is the window's own.
    static constexpr vb::Steuerelement<Infofenster> Steuerelemente[] = {
        {ziel<&Infofenster::Label1>, "Label1", {}},
        {ziel<&Infofenster::txtHyperlink>, "txtHyperlink", {}},
        {ziel<&Infofenster::txtHyperlink1>, "txtHyperlink1", {}},
        {ziel<&Infofenster::txtHyperlink2>, "txtHyperlink2", {}},
        {ziel<&Infofenster::cmdOK>, "cmdOK", {}, "&OK"},
        {ziel<&Infofenster::Line1>, "Line1", {}},
    };
    vb::bauen(*this, this, Steuerelemente);
    Label1->setText(label1);
    Label1->setWordWrap(true);
    for (QLineEdit* box : {txtHyperlink, txtHyperlink1, txtHyperlink2})
        basHyperlink::HyperlinkEreignisse(box, *m_services.shell);
    alsLinie(Line1);
    cmdOK->setDefault(true);
}

void Infofenster::laden(const QString& sektion, int puffer, std::initializer_list<Text> texte,
                        std::initializer_list<Link> links, const std::function<void(const Look&)>& farben)
{
    const ini::IniFile ini = cdIni(m_services);
    const Look look = Look::lesen(ini);
    const Sprachdatei lng(m_services, ini.read(QStringLiteral("Design"), QStringLiteral("Sprache")), puffer);
    const auto text = [&](const char* schluessel) { return lng.text(sektion, QString::fromUtf8(schluessel)); };
    if (lng.benannt()) {
        setWindowTitle(text("Caption"));
        for (const Text& t : texte)
            t.label->setText(text(t.schluessel));
    }

    if (look.benutzerLook())
        farben(look);

    std::vector<basHyperlink::Verweis> verweise;
    for (const Link& l : links)
        verweise.push_back({l.box, text(l.schluessel), l.adresse});
    basHyperlink::HyperlinksEinrichten(verweise, this);
}

void Infofenster::farbenSetzen(std::initializer_list<QWidget*> hinten, std::initializer_list<QWidget*> vorn,
                               const QString& backcolor, const QString& textFarbe)
{
    if (const auto farbe = vbFarbe(backcolor)) {
        for (QWidget* w : hinten)
            setzeHintergrund(w, *farbe);
        setzeHintergrund(this, *farbe);
    }
    if (const auto farbe = vbFarbe(textFarbe)) {
        for (QWidget* w : vorn)
            setzeTextfarbe(w, *farbe);
    }
}

}  // namespace frame
