// The sort orders of the title list: option buttons valid until the end of
// the program, and the menu "Sortierung", whose choice is stored.
#include "catalogue/frmFilme.h"

#include "frame/CdIni.h"

#include <tuple>

// Restores the stored order. An entry that is already checked (a refresh after
// the start) stays as it is: toggling it would turn the user's order off.
void frmFilme::przSortierungLaden()
{
    const std::tuple<const char*, QAction*, void (frmFilme::*)()> eintraege[] = {
        {"Format", c.mnuFormat, &frmFilme::przSortFormat},
        {"Qualität", c.mnuQualität, &frmFilme::przSortQualität},
        {"Mappe", c.mnuMappe, &frmFilme::przSortMappe},
        {"Kategorie", c.mnuKategorie, &frmFilme::przSortKategorie},
        {"Date-", c.mnuDateAb, &frmFilme::przSortDatumAb},
        {"Date+", c.mnuDateAuf, &frmFilme::przSortDatumAuf},
    };
    for (const auto& [wert, eintrag, umschalten] : eintraege) {
        if (ini.sortierung3 == QString::fromUtf8(wert)) {
            if (!eintrag->isChecked())
                (this->*umschalten)();
            return;
        }
    }
}

void frmFilme::sortUmschalten(QAction* eintrag, const QString& gespeichert, const QString& spalte)
{
    if (eintrag->isChecked()) {
        SortFeld.clear();
        eintrag->setChecked(false);
        return;
    }
    frame::cdIni(m_services).write(QStringLiteral("Funktionen"), QStringLiteral("Sortierung3"), gespeichert);
    przSortClear();
    SortFeld = spalte;
    eintrag->setChecked(true);
}

void frmFilme::przSortFormat()
{
    sortUmschalten(c.mnuFormat, QStringLiteral("Format"), QStringLiteral("Format"));
}

void frmFilme::przSortQualität()
{
    sortUmschalten(c.mnuQualität, QStringLiteral("Qualität"), QStringLiteral("Qualität"));
}

void frmFilme::przSortMappe()
{
    sortUmschalten(c.mnuMappe, QStringLiteral("Mappe"), QStringLiteral("Mappe"));
}

void frmFilme::przSortKategorie()
{
    sortUmschalten(c.mnuKategorie, QStringLiteral("Kategorie"), QStringLiteral("Cat"));
}

void frmFilme::przSortDatumAb()
{
    sortUmschalten(c.mnuDateAb, QStringLiteral("Date-"), QStringLiteral("Datum DESC"));
}

void frmFilme::przSortDatumAuf()
{
    sortUmschalten(c.mnuDateAuf, QStringLiteral("Date+"), QStringLiteral("Datum"));
}

void frmFilme::przSortClear()
{
    for (QAction* a : {c.mnuFormat, c.mnuQualität, c.mnuMappe, c.mnuKategorie, c.mnuDateAb, c.mnuDateAuf})
        a->setChecked(false);
}

void frmFilme::mnuClear_Click()
{
    przSortClear();
    SortFeld.clear();
    frame::cdIni(m_services).write(QStringLiteral("Funktionen"), QStringLiteral("Sortierung3"), QString());
}

void frmFilme::cmdClear_Click()
{
    // Option buttons set to False from code: auto-exclusive buttons ignore that otherwise.
    for (QRadioButton* o : {c.optFormat, c.optQualität, c.optMappe, c.optCat}) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
    SortFeld.clear();
}

// "Alle anzeigen": the views off, a refresh, then every title in the chosen order.
void frmFilme::Alle_Click()
{
    c.chkdat->setChecked(false);
    c.chkausleih->setChecked(false);
    przAktualisieren();
    przAlleListe();
    c.lbAnzahlSel->setText(QString());
}

void frmFilme::przAlleListe()
{
    c.lfListe->clear();
    if (SortFeld.isEmpty())
        SortFeld = QStringLiteral("Titel");
    przListeSetzen(QStringLiteral("Select * from Filme order by %1;").arg(filmeOrdnung(SortFeld)));
    GanzeListeFlag = true;
    przListeFüllen();
}
