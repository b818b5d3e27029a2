#include "frame/Infofenster.h"

#include "frame/CdIni.h"
#include "frame/Sprache.h"
#include "frame/basHyperlink.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace frame {

QFrame* linie(QWidget* fenster, const QString& name)
{
    auto* l = new QFrame(fenster);
    l->setObjectName(name);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

Infofenster::Infofenster(const sys::Services& services, Hauptfenster* hauptfenster, QWidget* parent,
                         const QString& name, const QString& titel, const QString& label1)
    : QDialog(parent ? parent : (hauptfenster ? hauptfenster->fenster() : nullptr)), m_services(services)
{
    setObjectName(name);
    setWindowTitle(titel);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(label1, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    const auto linkfeld = [this](const char* boxName) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromUtf8(boxName));
        basHyperlink::HyperlinkEreignisse(box, *m_services.shell);
        return box;
    };
    txtHyperlink = linkfeld("txtHyperlink");
    txtHyperlink1 = linkfeld("txtHyperlink1");
    txtHyperlink2 = linkfeld("txtHyperlink2");
    Line1 = linie(this, QStringLiteral("Line1"));
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
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
