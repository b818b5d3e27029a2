#include "frame/Infofenster.h"

#include "frame/CdIni.h"
#include "frame/Sprache.h"
#include "frame/basHyperlink.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace frame {

void alsInfofenster(QDialog* fenster, const QString& name, const QString& titel)
{
    fenster->setObjectName(name);
    fenster->setWindowTitle(titel);
    fenster->setWindowFlag(Qt::WindowStaysOnTopHint);
    fenster->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QLineEdit* linkfeld(QWidget* fenster, const QString& name, sys::Shell& shell)
{
    auto* box = new QLineEdit(fenster);
    box->setObjectName(name);
    basHyperlink::HyperlinkEreignisse(box, shell);
    return box;
}

QFrame* linie(QWidget* fenster, const QString& name)
{
    auto* l = new QFrame(fenster);
    l->setObjectName(name);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

QPushButton* okKnopf(QDialog* fenster)
{
    auto* ok = new QPushButton(QStringLiteral("&OK"), fenster);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    return ok;
}

void farbenSetzen(QWidget* fenster, std::initializer_list<QWidget*> hinten, std::initializer_list<QWidget*> vorn,
                  const QString& backcolor, const QString& textFarbe)
{
    if (const auto farbe = vbFarbe(backcolor)) {
        for (QWidget* w : hinten)
            setzeHintergrund(w, *farbe);
        setzeHintergrund(fenster, *farbe);
    }
    if (const auto farbe = vbFarbe(textFarbe)) {
        for (QWidget* w : vorn)
            setzeTextfarbe(w, *farbe);
    }
}

void infofensterLaden(QDialog* fenster, const sys::Services& services, const QString& sektion, int puffer,
                      std::initializer_list<Infotext> texte, std::initializer_list<Infolink> links,
                      const std::function<void(const Look&)>& farben)
{
    const ini::IniFile ini = cdIni(services);
    const Look look = Look::lesen(ini);
    const Sprachdatei lng(services, ini.read(QStringLiteral("Design"), QStringLiteral("Sprache")), puffer);
    const auto text = [&](const char* schluessel) { return lng.text(sektion, QString::fromUtf8(schluessel)); };
    if (lng.benannt()) {
        fenster->setWindowTitle(text("Caption"));
        for (const Infotext& t : texte)
            t.label->setText(text(t.schluessel));
    }

    if (look.benutzerLook())
        farben(look);

    std::vector<basHyperlink::Verweis> verweise;
    for (const Infolink& l : links)
        verweise.push_back({l.box, text(l.schluessel), l.adresse});
    basHyperlink::HyperlinksEinrichten(verweise, fenster);
}

}  // namespace frame
