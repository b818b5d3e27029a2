// Filters, views, the combo box fills and the re-run of the selection in force.
#include "catalogue/frmFilme.h"

#include "frame/FillCombo.h"
#include "platform/db/SqlFunctions.h"

#include <QRadioButton>

namespace {

// The distinct values of a column, grouped and ordered without regard to case
// ("DVD" and "dvd" give one entry, "Öl" and "öl" too).
QString verschiedene(const char* spalte, const char* tabelle = "Filme")
{
    const QString s = QString::fromUtf8(spalte);
    return QStringLiteral("Select Distinct %1%3 AS %1 from %2 Order by %1%3")
        .arg(s, QString::fromUtf8(tabelle), db::kollation());
}

// An option button set to False from code: auto-exclusive buttons ignore that otherwise.
void ausschalten(QRadioButton* knopf)
{
    knopf->setAutoExclusive(false);
    knopf->setChecked(false);
    knopf->setAutoExclusive(true);
}

}  // namespace

void frmFilme::przFilterZurücksetzen()
{
    DSAnsicht.clear();
    for (QLineEdit* t : {c.tfTitel2, c.tfcmbFormat, c.tfcmbQualität, c.tfcmbMappe, c.tfcmbCat, c.tfcmbWer})
        t->clear();
}

// A filter box and its edit twin hold the same entries: the query runs once.
void frmFilme::kombiFüllen(std::initializer_list<vb::ComboBox*> kästen, const QString& sql)
{
    vb::ComboBox* erste = *kästen.begin();
    if (datenbank)
        FillCombo(*erste, *datenbank, sql);
    else
        erste->clear();
    QStringList einträge;
    for (int i = 0; i < erste->count(); ++i)
        einträge << erste->itemText(i);
    for (vb::ComboBox* box : kästen) {
        if (box == erste)
            continue;
        box->clear();
        box->addItems(einträge);
    }
}

void frmFilme::przFormatFüllen()
{
    kombiFüllen({c.cmbFormat, c.cmbFormat1}, verschiedene("Format"));
}

void frmFilme::przQualitätFüllen()
{
    kombiFüllen({c.cmbQualität, c.cmbQualität1}, verschiedene("Qualität"));
}

void frmFilme::przMappeFüllen()
{
    kombiFüllen({c.cmbMappe, c.cmbMappe1}, verschiedene("Mappe"));
}

void frmFilme::przWerFüllen()
{
    kombiFüllen({c.cmbWer, c.cmbWer1}, verschiedene("Wer"));
}

void frmFilme::przAnzahlFüllen()
{
    kombiFüllen({c.cmbAnzahl1}, verschiedene("Anzahl"));
}

void frmFilme::przDtenFüllen()
{
    kombiFüllen({c.cmbDten1}, verschiedene("Dten"));
}

void frmFilme::przCatFüllen()
{
    kombiFüllen({c.cmbCat, c.cmbCat1}, verschiedene("Cat"));
}

// "alle": everybody who ever borrowed; "akt": the borrowers on the titles now.
void frmFilme::przAusleiherListeFüllen()
{
    if (ini.ausleiherListe == QLatin1String("alle"))
        kombiFüllen({c.cmbWer1}, verschiedene("Wer", "Ausleihe"));
    if (ini.ausleiherListe == QLatin1String("akt"))
        kombiFüllen({c.cmbWer1}, verschiedene("Wer"));
}

void frmFilme::przCombosFüllen()
{
    przFormatFüllen();
    przQualitätFüllen();
    przMappeFüllen();
    przAnzahlFüllen();
    przWerFüllen();
    przAusleiherListeFüllen();
    przDtenFüllen();
    przCatFüllen();
}

// One column filter: the list of the titles whose column matches FilterWert
// (equal without regard to case, or as a pattern), bound as a value.
void frmFilme::spalteFiltern(const QString& spalte, bool muster)
{
    c.lfListe->clear();
    QString ordnung;
    if (spalte == QLatin1String("Wer")) {
        ordnung = QStringLiteral("Wer") + db::kollation() + QStringLiteral(", Titel") + db::kollation();
    } else {
        if (SortFeld.isEmpty() || SortFeld == spalte)
            SortFeld = QStringLiteral("Titel");
        ordnung = filmeOrdnung(SortFeld);
    }
    const QString bedingung = muster ? spalte + QStringLiteral(" like ?") : spalte + QStringLiteral(" = ?") + db::kollation();
    przListeSetzen(QStringLiteral("Select * from Filme where %1 order by %2;").arg(bedingung, ordnung), {FilterWert});
    przListeFüllen();
    przUnsichtbar();
}

void frmFilme::przFilterFormat()
{
    spalteFiltern(QStringLiteral("Format"), false);
}

// The quality is matched as the text of the entry, in the click and in the re-run alike.
void frmFilme::przFilterQualität()
{
    spalteFiltern(QStringLiteral("Qualität"), false);
}

void frmFilme::przFilterMappe()
{
    spalteFiltern(QStringLiteral("Mappe"), true);
}

void frmFilme::przFilterCat()
{
    spalteFiltern(QStringLiteral("Cat"), false);
}

void frmFilme::przFilterWer()
{
    spalteFiltern(QStringLiteral("Wer"), true);
}

// A filter click: the views off, the filter state reset and the other filter
// columns refilled, so that their boxes show no choice; the clicked text is
// remembered in the column's hidden box, so that przlesen repeats the filter
// after the boxes were refilled.
void frmFilme::filterKlick(vb::ComboBox* box, QLineEdit* versteckt,
                           std::initializer_list<void (frmFilme::*)()> andereFüllen, void (frmFilme::*filter)())
{
    c.chkdat->setChecked(false);
    c.chkausleih->setChecked(false);
    przFilterZurücksetzen();
    for (auto füllen : andereFüllen)
        (this->*füllen)();
    ausschalten(c.optausleih);
    ausschalten(c.optdat);
    FilterWert = box->text();
    if (box == c.cmbFormat)
        c.tfFormat->setText(c.cmbFormat1->text());
    versteckt->setText(box->text());
    (this->*filter)();
}

void frmFilme::cmbFormat_Click()
{
    filterKlick(c.cmbFormat, c.tfcmbFormat,
                {&frmFilme::przQualitätFüllen, &frmFilme::przMappeFüllen, &frmFilme::przCatFüllen,
                 &frmFilme::przWerFüllen},
                &frmFilme::przFilterFormat);
}

void frmFilme::cmbQualität_Click()
{
    filterKlick(c.cmbQualität, c.tfcmbQualität,
                {&frmFilme::przFormatFüllen, &frmFilme::przMappeFüllen, &frmFilme::przCatFüllen,
                 &frmFilme::przWerFüllen},
                &frmFilme::przFilterQualität);
}

void frmFilme::cmbMappe_Click()
{
    filterKlick(c.cmbMappe, c.tfcmbMappe,
                {&frmFilme::przFormatFüllen, &frmFilme::przQualitätFüllen, &frmFilme::przCatFüllen,
                 &frmFilme::przWerFüllen},
                &frmFilme::przFilterMappe);
}

void frmFilme::cmbCat_Click()
{
    filterKlick(c.cmbCat, c.tfcmbCat,
                {&frmFilme::przFormatFüllen, &frmFilme::przQualitätFüllen, &frmFilme::przMappeFüllen,
                 &frmFilme::przWerFüllen},
                &frmFilme::przFilterCat);
}

void frmFilme::cmbWer_Click()
{
    filterKlick(c.cmbWer, c.tfcmbWer,
                {&frmFilme::przFormatFüllen, &frmFilme::przQualitätFüllen, &frmFilme::przMappeFüllen,
                 &frmFilme::przCatFüllen},
                &frmFilme::przFilterWer);
}

// The views refill the combo boxes (without the borrower choice) and list
// every title by date or the lent ones by borrower.
void frmFilme::ansichtZeigen(const QString& sql)
{
    c.lfListe->clear();
    przFormatFüllen();
    przQualitätFüllen();
    przMappeFüllen();
    przAnzahlFüllen();
    przWerFüllen();
    przDtenFüllen();
    przCatFüllen();
    przListeSetzen(sql);
    przListeFüllen();
    przUnsichtbar();
}

void frmFilme::przDatumAnsicht()
{
    ansichtZeigen(QStringLiteral("Select * from Filme order by Datum%1 DESC;").arg(db::kollation()));
}

void frmFilme::przAusleihAnsicht()
{
    ansichtZeigen(QStringLiteral("Select * from Filme where Wer not like '-' order by Wer%1, Titel%1;").arg(db::kollation()));
}

void frmFilme::optdat_Click()
{
    przDatumAnsicht();
    przFilterZurücksetzen();
}

void frmFilme::optausleih_Click()
{
    przAusleihAnsicht();
    przFilterZurücksetzen();
}

// Clearing a box does nothing: only a box that is turned on shows its view.
void frmFilme::chkdat_Click()
{
    if (!c.chkdat->isChecked())
        return;
    c.chkausleih->setChecked(false);
    przDatumAnsicht();
    przFilterZurücksetzen();
}

void frmFilme::chkausleih_Click()
{
    if (!c.chkausleih->isChecked())
        return;
    c.chkdat->setChecked(false);
    przAusleihAnsicht();
    przFilterZurücksetzen();
}

// Runs the selection in force again after a save, an edit, a delete or a
// lending: the special view, or the filters, then the searches; the whole list
// when it was the list shown; then the record of the selected row.
void frmFilme::przlesen()
{
    // The selection's own run leaves sub-entry mode; a sub-entry list in
    // force is listed again after it.
    const QString unterordnerTitel = UnterordnerTitel;
    bool neuGelistet = false;
    if (!DSAnsicht.isEmpty()) {
        spezialAnsichtWiederholen();
        neuGelistet = true;
    } else {
        struct Spalte {
            vb::ComboBox* box;
            QLineEdit* versteckt;
            void (frmFilme::*filter)();
        };
        const Spalte spalten[] = {
            {c.cmbFormat, c.tfcmbFormat, &frmFilme::przFilterFormat},
            {c.cmbQualität, c.tfcmbQualität, &frmFilme::przFilterQualität},
            {c.cmbMappe, c.tfcmbMappe, &frmFilme::przFilterMappe},
            {c.cmbCat, c.tfcmbCat, &frmFilme::przFilterCat},
            {c.cmbWer, c.tfcmbWer, &frmFilme::przFilterWer},
        };
        bool gewählt = false;
        for (const Spalte& s : spalten) {
            if (!s.box->text().isEmpty()) {
                FilterWert = s.box->text();
                (this->*s.filter)();
                neuGelistet = gewählt = true;
                break;
            }
            if (!s.versteckt->text().isEmpty()) {
                FilterWert = s.versteckt->text();
                (this->*s.filter)();
                neuGelistet = true;
            }
        }
        if (!gewählt) {
            if (c.chkdat->isChecked()) {
                przDatumAnsicht();
                neuGelistet = true;
            } else if (c.chkausleih->isChecked()) {
                przAusleihAnsicht();
                neuGelistet = true;
            }
        }
    }
    // A stored search word repeats its search, whatever ran before.
    if (!c.tfVolltextsucheTitel->text().isEmpty()) {
        FilterWert = c.tfVolltextsucheTitel->text();
        przVolltextsucheTitel();
        neuGelistet = true;
    }
    if (!c.tfVolltextsucheInfo->text().isEmpty()) {
        FilterWert = c.tfVolltextsucheInfo->text();
        przVolltextsucheInfo();
        neuGelistet = true;
    }
    if (!neuGelistet && GanzeListeFlag)
        przAlleListe();
    if (!unterordnerTitel.isEmpty()) {
        FilterWert = unterordnerTitel;
        c.tfTitel->setText(unterordnerTitel);
        przUnterordnerListe();
    } else {
        przAnzeige3();
    }
}
