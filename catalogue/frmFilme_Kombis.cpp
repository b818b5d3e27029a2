// The edit combo boxes of the detail panel and the connections of the record
// and sub-entry buttons.
#include "catalogue/frmFilme.h"

#include "catalogue/Spaltenbreite.h"
#include "frame/Eingabekombi.h"

void frmFilme::bearbeitenVerbinden()
{
    const std::pair<QPushButton*, void (frmFilme::*)()> knöpfe[] = {
        {c.Neu, &frmFilme::Neu_Click},
        {c.Speichern, &frmFilme::Speichern_Click},
        {c.cmdEdit, &frmFilme::cmdEdit_Click},
        {c.Löschen, &frmFilme::Löschen_Click},
        {c.cmdLöschen2, &frmFilme::cmdLöschen2_Click},
        {c.cmdUnterordner, &frmFilme::cmdUnterordner_Click},
        {c.cmdUnterordnerzurück, &frmFilme::cmdUnterordnerzurück_Click},
        {c.cmdNeu2, &frmFilme::cmdNeu2_Click},
        {c.cmdSpeichern2, &frmFilme::cmdSpeichern2_Click},
        {c.cmdEditieren2, &frmFilme::cmdEditieren2_Click},
    };
    for (const auto& [knopf, klick] : knöpfe)
        connect(knopf, &QPushButton::clicked, this, klick);
    kombisVerbinden();
    tastenVerbinden();
    ausleiheVerbinden();
}

void frmFilme::kombisVerbinden()
{
    struct Kombi {
        vb::ComboBox* box;
        QLineEdit* ziel;
        int kappe;
        std::function<void()> weiter;
    };
    auto fokus = [](QWidget* w) { return [w] { w->setFocus(); }; };
    // Each box takes what its column holds; the number of discs is no text.
    const auto breite = [](const char* spalte) { return katalog::spaltenbreite("Filme", spalte); };
    const Kombi kombis[] = {
        {c.cmbFormat1, c.tfFormat, breite("Format"), fokus(c.cmbQualität1)},
        // The filter box of the folder decides where quality leads.
        {c.cmbQualität1, c.tfQualität, breite("Qualität"),
         [this] { (c.cmbMappe->isHidden() ? c.cmbMappe1 : c.cmbAnzahl1)->setFocus(); }},
        {c.cmbMappe1, c.tfMappe, breite("Mappe"), fokus(c.cmbAnzahl1)},
        {c.cmbAnzahl1, c.tfAnzahl, 10, fokus(c.cmbCat1)},
        {c.cmbCat1, c.tfCat, breite("Cat"), fokus(c.cmbDten1)},
        {c.cmbDten1, c.tfdten, breite("Dten"), fokus(c.Speichern)},
        {c.cmbWer1, c.tfWer, breite("Wer"), fokus(c.cmdspeichern)},
    };
    for (const Kombi& k : kombis)
        new frame::Eingabekombi(k.box, k.ziel, k.kappe, k.weiter);
}
