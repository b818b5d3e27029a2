// The detail panel: showing a title or a sub-entry, the clear procedures and
// the display, entry and sub-entry modes. Nothing here writes the catalogue.
#include "catalogue/frmFilme.h"

#include "platform/vb/Formular.h"
#include "platform/vb/VbRuntime.h"

#include <functional>

namespace {

// A stored value as the panel shows it. Null (rows from older versions or
// edited elsewhere) shows as "", a number as CStr writes it, a date as
// day.month.year.
QString feldText(const QVariant& wert)
{
    if (wert.isNull())
        return QString();
    if (wert.typeId() == QMetaType::Double)
        return vb::cstr(wert.toDouble());
    return wert.toString();
}

QString datumText(const QVariant& wert)
{
    const QString text = feldText(wert);
    const QDate datum = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return datum.isValid() ? vb::dateText(datum) : text;
}

// A step of the display whose failure skips only that step.
void schritt(const std::function<void()>& tun)
{
    try {
        tun();
    } catch (const db::DbError&) {
    }
}

// A field shows its text from the start, as the original's text boxes do.
void zeigen(QLineEdit* feld, const QString& text)
{
    feld->setText(text);
    feld->setCursorPosition(0);
}

void setzeTop(QWidget* w, int twips)
{
    w->move(w->x(), vb::pixel(twips));
}

}  // namespace

void frmFilme::przDatensatzAnzeigen()
{
    if (!rsFilme)
        return;
    auto feld = [this](const char* name) { return rsFilme->field(QString::fromUtf8(name)); };
    // Without a current row nothing is shown: the first reads fail and end it.
    try {
        const QVariant titel = feld("Titel");
        if (!titel.isNull() && !titel.toString().isEmpty())
            c.Speichern->setEnabled(false);
        zeigen(c.tfTitel, feldText(titel));
        zeigen(c.tfFormat, feldText(feld("Format")));
        zeigen(c.tfQualität, feldText(feld("Qualität")));
        zeigen(c.tfMappe, feldText(feld("Mappe")));
        zeigen(c.tfAnzahl, feldText(feld("Anzahl")));
        zeigen(c.tfDatum, datumText(feld("Datum")));
        zeigen(c.tfCat, feldText(feld("Cat")));
        const QVariant dten = feld("Dten");
        if (!dten.isNull() && dten.toString() != QLatin1String("-")) {
            c.tfdten->setVisible(true);
            zeigen(c.tfdten, dten.toString());
        }
        const QVariant wer = feld("Wer");
        if (!wer.isNull() && wer.toString() != QLatin1String("-")) {
            c.tfWer->setVisible(true);
            zeigen(c.tfWer, wer.toString());
            c.back->setVisible(true);
        }
        c.cmdAusleihen->setVisible(true);
        m_angezeigterFilm = rsFilme->bookmark();
        m_neuanlage = Neuanlage::Keine;
    } catch (const db::DbError&) {
        return;
    }

    schritt([&] {
        const QString ausDatum = feldText(feld("AusDatum"));
        if (ausDatum != QLatin1String("-")) {
            c.tfDatumAusleihe->setVisible(true);
            zeigen(c.tfDatumAusleihe, ausDatum);
        }
    });
    schritt([&] {
        const QString info = feldText(feld("Info"));
        if (info != QLatin1String("-")) {
            c.tfInfo->setVisible(true);
            c.tfInfo->setPlainText(info);
        }
    });
    schritt([&] { coverZeigen(feld("Cover")); });
    // In Edit Mode a size already in the field (from a disc scan) stays when the
    // stored size is "0"; the sub-entry button still follows the title shown.
    bool größeBleibt = false;
    schritt([&] {
        const QString size = feldText(feld("Size"));
        if (ini.editMode == QLatin1String("1") && size == QLatin1String("0")) {
            c.tfSize->setVisible(true);
            if (!c.tfSize->text().isEmpty())
                größeBleibt = true;
            else
                c.tfSize->setText(QStringLiteral("0"));
        }
    });
    if (!größeBleibt) {
        schritt([&] {
            const QString size = feldText(feld("Size"));
            if (size != QLatin1String("0")) {
                c.tfSize->setVisible(true);
                zeigen(c.tfSize, size);
            } else {
                c.tfSize->setVisible(false);
            }
        });
    }
    schritt([&] { c.cmdUnterordner->setVisible(feldText(feld("Unterordner")) != QLatin1String("-")); });
    // A size kept in the field that was scanned or typed is not what the
    // record holds; the one the record before showed is nothing the user did.
    const QString größeVorher = m_geladen.value(Stand::Size);
    m_geladen = panelStand();
    if (größeBleibt && c.tfSize->text() != größeVorher)
        m_geladen[Stand::Size] = QStringLiteral("0");
}

// A stored cover checks, shows and locks the box; without one the box stays as it is.
void frmFilme::coverZeigen(const QVariant& cover)
{
    if (!cover.isNull() && cover.toString() != QLatin1String("-")) {
        c.chkCover->setChecked(true);
        c.chkCover->setVisible(true);
        c.chkCover->setEnabled(false);
        zeigen(c.tfCover, cover.toString());
    } else {
        c.tfCover->setText(QStringLiteral("-"));
    }
}

void frmFilme::przUnterordnerAnzeigen()
{
    if (!rsUnterordner)
        return;
    auto feld = [this](const char* name) { return feldText(rsUnterordner->field(QString::fromUtf8(name))); };
    feldbreitenSetzen(true);
    try {
        const QString titel = feld("Titel");
        if (!titel.isEmpty())
            c.Speichern->setEnabled(false);
        SuchTitel = vb::fixedString(titel, 100);
        UnterordnerTitel = titel;
        zeigen(c.tfTitel, feld("Titel2"));
        zeigen(c.tfFormat, feld("Format"));
        zeigen(c.tfQualität, feld("Qualität"));
        zeigen(c.tfCat, feld("Cat"));
        const QString dten = feld("Dten");
        c.tfdten->setVisible(dten != QLatin1String("-"));
        if (dten != QLatin1String("-"))
            zeigen(c.tfdten, dten);
        const QString info = feld("Info");
        c.tfInfo->setVisible(info != QLatin1String("-"));
        if (info != QLatin1String("-"))
            c.tfInfo->setPlainText(info);
        coverZeigen(rsUnterordner->field(QStringLiteral("Cover")));
        const QString size = feld("Size");
        c.tfSize->setVisible(size != QLatin1String("0"));
        if (size != QLatin1String("0"))
            zeigen(c.tfSize, size);
        m_angezeigterUnterordner = rsUnterordner->bookmark();
        m_neuanlage = Neuanlage::Keine;
        m_geladen = panelStand();
    } catch (const db::DbError&) {
    }
}

void frmFilme::przLöschen()
{
    leeren(true);
}

// Everything przLöschen clears; a new sub-entry keeps the title, folder and
// borrower of its parent.
void frmFilme::leeren(bool titelUndOrdner)
{
    // A cleared panel shows no stored record: nothing to edit or delete.
    m_angezeigterUnterordner = 0;
    if (titelUndOrdner) {
        m_angezeigterFilm = 0;
        m_neuanlage = Neuanlage::Keine;
    }
    if (titelUndOrdner)
        c.tfTitel->clear();
    for (QLineEdit* t : {c.tfFormat, c.tfQualität})
        t->clear();
    if (titelUndOrdner) {
        c.tfMappe->clear();
        c.tfWer->clear();
    }
    c.tfAnzahl->clear();
    c.tfInfo->clear();
    for (QLineEdit* t : {c.tfdten, c.tfDatum, c.tfDatumAusleihe, c.tfCat})
        t->clear();
    c.tfCover->setText(QStringLiteral("-"));
    c.tfSize->clear();
    c.chkCover->setChecked(false);
    c.chkCover->setVisible(false);
    c.chkausleih->setChecked(false);
    c.chkdat->setChecked(false);
    VolltextsucheInfoFlag = QStringLiteral("0");
    UnterordnerListeFlag = QStringLiteral("0");
}

// Keeps the title: the lookups clear the rest before they show a row.
void frmFilme::przLöschen1()
{
    m_angezeigterFilm = 0;
    m_angezeigterUnterordner = 0;
    m_neuanlage = Neuanlage::Keine;
    for (QLineEdit* t : {c.tfFormat, c.tfQualität, c.tfMappe, c.tfWer, c.tfAnzahl})
        t->clear();
    c.tfInfo->clear();
    for (QLineEdit* t : {c.tfdten, c.tfDatum, c.tfDatumAusleihe, c.tfCat})
        t->clear();
    c.tfCover->setText(QStringLiteral("-"));
    if (ini.editMode != QLatin1String("1")) {
        c.tfSize->setVisible(false);
        c.tfSize->setText(QStringLiteral("0"));
    } else {
        c.tfSize->setVisible(true);
    }
    c.chkCover->setChecked(false);
    c.chkCover->setVisible(false);
}

void frmFilme::przLöschen2()
{
    VolltextsucheInfoFlag = QStringLiteral("0");
    UnterordnerListeFlag = QStringLiteral("0");
    VolltextsucheTitelFlag = QStringLiteral("0");
    for (QLineEdit* t : {c.tfcmbFormat, c.tfcmbQualität, c.tfcmbMappe, c.tfcmbWer})
        t->clear();
    c.tfAnzahl->clear();
    c.tfInfo->clear();
    for (QLineEdit* t : {c.tfdten, c.tfDatum, c.tfDatumAusleihe, c.tfCat})
        t->clear();
    c.tfCover->setText(QStringLiteral("-"));
}

void frmFilme::przLöschenUnterordner()
{
    leeren(false);
}

void frmFilme::przUnsichtbar()
{
    c.tfInfo->setVisible(false);
    if (c.tfdten->text().isEmpty())
        c.tfdten->setVisible(false);
    if (!c.chkCover->isChecked())
        c.chkCover->setVisible(false);
    for (QWidget* w : {static_cast<QWidget*>(c.tfWer), static_cast<QWidget*>(c.tfDatumAusleihe),
                       static_cast<QWidget*>(c.cmbWer1), static_cast<QWidget*>(c.cmdspeichern),
                       static_cast<QWidget*>(c.back)})
        w->setVisible(false);
    for (QWidget* w : {c.cmbFormat1, c.cmbQualität1, c.cmbDten1, c.cmbMappe1, c.cmbAnzahl1, c.cmbCat1})
        w->setVisible(false);
    if (c.tfSize->text().isEmpty())
        c.tfSize->setVisible(false);
    c.Speichern->setEnabled(ini.editMode != QLatin1String("1"));
    przUnterordnerModusAus();
}

void frmFilme::przSichtbar()
{
    c.cmdEdit->setEnabled(true);
    c.Speichern->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(c.tfDatumAusleihe), static_cast<QWidget*>(c.tfInfo),
                       static_cast<QWidget*>(c.back), static_cast<QWidget*>(c.tfWer),
                       static_cast<QWidget*>(c.tfdten), static_cast<QWidget*>(c.cmdspeichern)})
        w->setVisible(true);
    c.Speichern->setEnabled(ini.editMode != QLatin1String("1"));
}

void frmFilme::przUnterordnerModusEin()
{
    const QString info = c.tfInfo->toPlainText();
    c.tfInfo->setVisible(!(info == QLatin1String("-") || info.isEmpty()));
    for (QWidget* w : {static_cast<QWidget*>(c.cmdUnterordnerzurück), static_cast<QWidget*>(c.cmdCover2),
                       static_cast<QWidget*>(c.cmdNeu2), static_cast<QWidget*>(c.cmdSpeichern2),
                       static_cast<QWidget*>(c.cmdEditieren2), static_cast<QWidget*>(c.cmdLöschen2),
                       static_cast<QWidget*>(c.lbUnterordner)})
        w->setVisible(true);
    for (QWidget* w :
         {static_cast<QWidget*>(c.lbMappe(0)), static_cast<QWidget*>(c.tfMappe), static_cast<QWidget*>(c.cmdMappe),
          static_cast<QWidget*>(c.cmdAusgeliehen), static_cast<QWidget*>(c.cmdAusleihen),
          static_cast<QWidget*>(c.cmdspeichern), static_cast<QWidget*>(c.cmbWer1),
          static_cast<QWidget*>(c.tfDatumAusleihe), static_cast<QWidget*>(c.cmdZurück),
          static_cast<QWidget*>(c.cmdVor), static_cast<QWidget*>(c.Anzeige), static_cast<QWidget*>(c.cmdPrint),
          static_cast<QWidget*>(c.cmdCDeinlesen), static_cast<QWidget*>(c.cmdVolltextsucheTitel)})
        w->setVisible(false);
    for (QWidget* w : {c.Speichern, c.Löschen, c.Neu, c.cmdEdit})
        w->setVisible(true);
    c.lbAnzahl->setVisible(false);
    c.tfAnzahl->setVisible(false);
    for (QWidget* w : {static_cast<QWidget*>(c.lbCat(0)), static_cast<QWidget*>(c.cmbCat1),
                       static_cast<QWidget*>(c.tfCat)})
        setzeTop(w, 2520);
    c.Label4->setVisible(false);
    c.tfDatum->setVisible(false);
}

void frmFilme::przUnterordnerModusAus()
{
    c.cmdEdit->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(c.cmdUnterordnerzurück), static_cast<QWidget*>(c.cmdCover2),
                       static_cast<QWidget*>(c.cmdNeu2), static_cast<QWidget*>(c.cmdSpeichern2),
                       static_cast<QWidget*>(c.cmdEditieren2), static_cast<QWidget*>(c.cmdLöschen2),
                       static_cast<QWidget*>(c.lbUnterordner)})
        w->setVisible(false);
    for (QWidget* w :
         {static_cast<QWidget*>(c.lbMappe(0)), static_cast<QWidget*>(c.tfMappe), static_cast<QWidget*>(c.cmdMappe),
          static_cast<QWidget*>(c.cmdZurück), static_cast<QWidget*>(c.cmdVor), static_cast<QWidget*>(c.Anzeige),
          static_cast<QWidget*>(c.cmdPrint), static_cast<QWidget*>(c.cmdCDeinlesen),
          static_cast<QWidget*>(c.cmdVolltextsucheTitel), static_cast<QWidget*>(c.Speichern),
          static_cast<QWidget*>(c.Löschen), static_cast<QWidget*>(c.Neu), static_cast<QWidget*>(c.cmdEdit),
          static_cast<QWidget*>(c.tfAnzahl), static_cast<QWidget*>(c.lbAnzahl)})
        w->setVisible(true);
    for (QWidget* w : {static_cast<QWidget*>(c.lbAnzahl), static_cast<QWidget*>(c.cmbAnzahl1),
                       static_cast<QWidget*>(c.tfAnzahl)})
        setzeTop(w, 2880);
    for (QWidget* w : {static_cast<QWidget*>(c.lbCat(0)), static_cast<QWidget*>(c.cmbCat1),
                       static_cast<QWidget*>(c.tfCat)})
        setzeTop(w, 3240);
    c.Label4->setVisible(true);
    c.tfDatum->setVisible(true);
    feldbreitenSetzen(false);
    if (m_neuanlage == Neuanlage::Unterordner)
        m_neuanlage = Neuanlage::Keine;
    // The title view again: the title list in force instead of the
    // sub-entries, the lending buttons back, and no parent left over for the
    // next new sub-entry or re-run of the list.
    c.lfListe2->setVisible(false);
    c.cmdAusgeliehen->setVisible(true);
    c.cmdAusleihen->setVisible(true);
    UnterordnerTitel.clear();
    UnterordnerListeFlag = QStringLiteral("0");
    // The lending list disables the title list while it shows lending rows.
    if (!c.lfListe->isEnabled()) {
        c.lfListe->setEnabled(true);
        c.lfListe->clear();
        przLabel();
        c.cmdAusgeliehen->setEnabled(true);
    }
}

// What a save of the panel reads, field by field.
QStringList frmFilme::panelStand() const
{
    QStringList stand;
    for (const QLineEdit* feld : {c.tfTitel, c.tfFormat, c.tfQualität, c.tfMappe, c.tfWer, c.tfAnzahl,
                                  c.tfDatumAusleihe, c.tfSize, c.tfCat, c.tfDatum, c.tfdten})
        stand.append(feld->text());
    stand.append(c.tfInfo->toPlainText());
    return stand;
}

// The panel as przLöschen leaves it.
QStringList frmFilme::leererStand()
{
    QStringList stand;
    for (int i = 0; i < Stand::Felder; ++i)
        stand.append(QString());
    return stand;
}
