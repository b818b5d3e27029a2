// The entry fields of the detail panel: key filters, Enter, and the buttons
// that reveal the size and language fields.
#include "catalogue/frmFilme.h"

#include "catalogue/Spaltenbreite.h"
#include "frame/basPruefling.h"

#include <QApplication>

namespace {

constexpr int Enter = 13;

void filtern(int& keyAscii, QString (*filter)(int))
{
    keyAscii = filter(keyAscii).toInt();
}

// Each box of the panel, its edit combo box, and the column it is stored in
// for a title and for a sub-entry (nullptr: the title's column, as the folder
// and the borrower of a sub-entry are its title's).
struct Feldspalte {
    QLineEdit* FilmeControls::*feld;
    vb::ComboBox* FilmeControls::*kombi;
    const char* filme;
    const char* unterordner;
};
constexpr Feldspalte Feldspalten[] = {
    {&FilmeControls::tfTitel, nullptr, "Titel", "Titel2"},
    {&FilmeControls::tfFormat, &FilmeControls::cmbFormat1, "Format", "Format"},
    {&FilmeControls::tfQualität, &FilmeControls::cmbQualität1, "Qualität", "Qualität"},
    {&FilmeControls::tfMappe, &FilmeControls::cmbMappe1, "Mappe", nullptr},
    {&FilmeControls::tfWer, &FilmeControls::cmbWer1, "Wer", nullptr},
    {&FilmeControls::tfDatumAusleihe, nullptr, "AusDatum", nullptr},
    {&FilmeControls::tfSize, nullptr, "Size", "Size"},
    {&FilmeControls::tfCat, &FilmeControls::cmbCat1, "Cat", "Cat"},
    {&FilmeControls::tfdten, &FilmeControls::cmbDten1, "Dten", "Dten"},
    {&FilmeControls::tfCover, nullptr, "Cover", "Cover"},
};

}  // namespace

void frmFilme::feldbreitenSetzen(bool unterordner)
{
    for (const Feldspalte& f : Feldspalten) {
        const bool eigene = unterordner && f.unterordner;
        const char* tabelle = eigene ? "Unterordner" : "Filme";
        const char* spalte = eigene ? f.unterordner : f.filme;
        const int breite = katalog::spaltenbreite(tabelle, spalte);
        if (breite <= 0)
            continue;
        (c.*f.feld)->setMaxLength(breite);
        if (f.kombi && (c.*f.kombi)->lineEdit())
            (c.*f.kombi)->lineEdit()->setMaxLength(breite);
    }
}

// What lies under another control (a text box under its edit combo box) or
// is hidden or disabled is passed over.
bool frmFilme::siehtNutzer(const QWidget* w) const
{
    if (!w || !w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || w->window() != this)
        return false;
    const QWidget* fläche = centralWidget();
    if (!fläche || !fläche->isAncestorOf(w))
        return true;
    const QPoint mitte = w->mapTo(fläche, w->rect().center());
    const QWidget* oben = fläche->childAt(mitte);
    return oben == w || w->isAncestorOf(oben);
}

bool frmFilme::focusNextPrevChild(bool next)
{
    QWidget* jetzt = QApplication::focusWidget();
    if (!jetzt || jetzt->window() != this)
        return QMainWindow::focusNextPrevChild(next);
    // The first control the user sees, one way round the focus chain.
    QWidget* w = jetzt;
    do {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        // A combo box's edit field stands for its box.
        QWidget* ziel = w->focusProxy() ? w->focusProxy() : w;
        if (siehtNutzer(w) && ziel != jetzt && !ziel->isAncestorOf(jetzt)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (w != jetzt);
    return false;
}

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
