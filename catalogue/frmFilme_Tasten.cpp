// The entry fields of the detail panel: key filters, Enter, and the buttons
// that reveal the size and language fields.
#include "catalogue/frmFilme.h"

#include "frame/basPruefling.h"

namespace {

constexpr int Enter = 13;

void filtern(int& keyAscii, QString (*filter)(int))
{
    keyAscii = filter(keyAscii).toInt();
}

}  // namespace

void frmFilme::tastenVerbinden()
{
    const std::pair<QLineEdit*, void (frmFilme::*)(int&)> felder[] = {
        {c.tfTitel, &frmFilme::tfTitel_KeyPress},       {c.tfFormat, &frmFilme::tfFormat_KeyPress},
        {c.tfQualität, &frmFilme::tfQualität_KeyPress}, {c.tfMappe, &frmFilme::tfMappe_KeyPress},
        {c.tfAnzahl, &frmFilme::tfAnzahl_KeyPress},     {c.tfSize, &frmFilme::tfSize_KeyPress},
        {c.tfDatumAusleihe, &frmFilme::tfDatumAusleihe_KeyPress},
    };
    for (const auto& [feld, handler] : felder)
        frame::tastenHandler(feld, [this, handler = handler](int& keyAscii) { (this->*handler)(keyAscii); });
    connect(c.cmdSize, &QPushButton::clicked, this, &frmFilme::cmdSize_Click);
    connect(c.cmddten, &QPushButton::clicked, this, &frmFilme::cmddten_Click);
}

void frmFilme::tfTitel_KeyPress(int& keyAscii)
{
    c.Speichern->setEnabled(true);
    c.cmdSpeichern2->setEnabled(true);
    if (keyAscii == Enter)
        Anzeige_Click();
}

void frmFilme::tfFormat_KeyPress(int& keyAscii)
{
    filtern(keyAscii, frame::przPrüfFormat);
    if (keyAscii == Enter)
        frame::tabSenden(c.tfFormat);
}

void frmFilme::tfQualität_KeyPress(int& keyAscii)
{
    filtern(keyAscii, frame::przPrüfText);
    if (keyAscii == Enter)
        frame::tabSenden(c.tfQualität);
}

void frmFilme::tfMappe_KeyPress(int& keyAscii)
{
    filtern(keyAscii, frame::przPrüfText);
    if (keyAscii == Enter)
        frame::tabSenden(c.tfMappe);
}

void frmFilme::tfAnzahl_KeyPress(int& keyAscii)
{
    filtern(keyAscii, frame::przPrüfText);
    // A hidden or disabled button takes no focus: then Enter does nothing.
    if (keyAscii == Enter)
        c.Speichern->setFocus();
}

void frmFilme::tfSize_KeyPress(int& keyAscii)
{
    filtern(keyAscii, frame::przPrüfZahl);
}

void frmFilme::tfDatumAusleihe_KeyPress(int& keyAscii)
{
    if (keyAscii == Enter)
        c.cmdspeichern->setFocus();
}

void frmFilme::cmdSize_Click()
{
    if (c.tfTitel->text().isEmpty()) {
        m_services.messages->msgBox(QStringLiteral("Kein Datensatz!"), sys::mb::Exclamation, QStringLiteral("CD Größe"));
        return;
    }
    c.tfSize->setVisible(true);
}

void frmFilme::cmddten_Click()
{
    if (c.tfTitel->text().isEmpty()) {
        m_services.messages->msgBox(QStringLiteral("Kein Datensatz!"), sys::mb::Exclamation,
                                    QStringLiteral("Sprachfunktion"));
        return;
    }
    c.cmbDten1->setVisible(true);
    c.tfdten->setVisible(true);
}
