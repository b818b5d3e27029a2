// Creating, editing and deleting titles. Each change that spans several rows
// (a title with its info text and sub-entries, an edit with its sub-entries, a
// delete with its sub-entries) is one transaction: it is stored whole or not at all.
#include "catalogue/frmFilme.h"

#include "catalogue/Leerwert.h"
#include "catalogue/Satzzeiger.h"
#include "catalogue/Scanliste.h"
#include "catalogue/Spaltenbreite.h"
#include "platform/db/KeyedInsert.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbRuntime.h"

#include <sqlite3.h>

namespace {

using db::kollation;
using katalog::oder;
using katalog::pufferVerwerfen;

// The names of the panel's date fields in the refusal of a typed date.
const QString Ausleihdatum = QStringLiteral("Ausleihdatum");
const QString EingetragenAm = QStringLiteral("Eingetragen am");

[[noreturn]] void verweigern(const QString& warum)
{
    throw db::DbError(SQLITE_MISMATCH, warum);
}

// The number of discs: empty is 0; anything else must be a German number, as
// the column holds numbers only.
double anzahlLesen(const QString& text)
{
    if (text.isEmpty())
        return 0.0;
    const std::optional<double> zahl = vb::cdbl(text);
    if (!zahl)
        verweigern(QStringLiteral("Die Anzahl ist keine Zahl: %1").arg(text));
    return *zahl;
}

}  // namespace

void frmFilme::Neu_Click()
{
    c.tfUnterordner->setText(QStringLiteral("0"));
    c.tfCDInfo->setText(QStringLiteral("0"));
    przUnsichtbar();
    for (QWidget* w : {c.cmbFormat1, c.cmbQualität1, c.cmbDten1, c.cmbMappe1, c.cmbWer1, c.cmbAnzahl1, c.cmbCat1})
        w->setVisible(true);
    przLöschen();
    c.tfTitel->setFocus();
    przSichtbar();
    c.tfTitel2->clear();
    UnterordnerTitel.clear();
    c.tfSize->setVisible(true);
    przUnterordnerModusAus();
    m_neuanlage = Neuanlage::Titel;
    m_geladen = panelStand();
}

// An empty title is refused, with a message only when a language file is named
// (or always, for the callers that must never act silently).
bool frmFilme::leererTitel(int fehlerText, frame::OhneDatei ohne)
{
    if (ohne == frame::OhneDatei::Leer && ini.sprache.isEmpty())
        return true;
    m_services.messages->msgBox(frame::fehler(m_services, ini.sprache, 1, ohne), sys::mb::Exclamation,
                                frame::fehlerText(m_services, ini.sprache, fehlerText, ohne));
    return true;
}

void frmFilme::speichernFehler(const QString& titel, const QString& fenstertitel, const QString& grund)
{
    QString meldung = QStringLiteral("Sorry '") + titel + QStringLiteral("' kann nicht gespeichert werden!");
    if (!grund.isEmpty())
        meldung += u'\n' + grund;
    m_services.messages->msgBox(meldung, sys::mb::Critical, fenstertitel);
}

QString frmFilme::titelGrund(const QString& titel, bool unterordner, long long eigeneZeile) const
{
    const char* tabelle = unterordner ? "Unterordner" : "Filme";
    const char* spalte = unterordner ? "Titel2" : "Titel";
    // The column counts characters, not UTF-16 units.
    const int breite = katalog::spaltenbreite(tabelle, spalte);
    if (breite > 0 && titel.toUcs4().size() > breite)
        return QStringLiteral("Der Titel fasst höchstens %1 Zeichen.").arg(breite);
    if (!datenbank)
        return {};
    try {
        const db::Result r = datenbank->query(QStringLiteral("SELECT %2 FROM %1 WHERE %2 = ?%3 AND rowid <> ? LIMIT 1")
                                                  .arg(QString::fromUtf8(tabelle), QString::fromUtf8(spalte), kollation()),
                                              {titel, eigeneZeile});
        // The stored spelling says which title it is ("Alien" for "ALIEN").
        if (!r.empty())
            return QStringLiteral("Einen Titel \"%1\" gibt es schon.").arg(r.value(0, 0).toString());
    } catch (const db::DbError&) {
    }
    return {};
}

QString frmFilme::titelOhneRänder(const QString& getippt, const QString& gespeichert)
{
    if (!gespeichert.isEmpty() && getippt == gespeichert)
        return getippt;
    return getippt.trimmed();
}

// A date the user typed into the panel, read as a German date (d.m.yy,
// d.m.yyyy, dd.mm.yyyy): an invalid date for an empty field, nothing after
// the refusal of a text that is no date, which names the field.
std::optional<QDate> frmFilme::getipptesDatum(const QLineEdit* feld, const QString& feldname,
                                              const QString& fenstertitel)
{
    const QString text = feld->text().trimmed();
    if (text.isEmpty())
        return QDate();
    const QDate datum = vb::parseDateText(text);
    if (datum.isValid())
        return datum;
    m_services.messages->msgBox(feldname + QStringLiteral(": \"") + feld->text()
                                    + QStringLiteral("\" ist kein gültiges Datum.\nBitte das Datum als tt.mm.yyyy "
                                                     "eintragen."),
                                sys::mb::Exclamation, fenstertitel);
    return std::nullopt;
}

void frmFilme::Speichern_Click()
{
    const QString titel = titelOhneRänder(c.tfTitel->text());
    if (titel.isEmpty()) {
        leererTitel(1, frame::OhneDatei::Leer);
        return;
    }
    c.tfTitel2->setText(titel);
    if (przSpeichern())
        przAnzeige3();
}

void frmFilme::cmdEdit_Click()
{
    // Only the record on display can be changed: after Neu or a refresh the
    // recordset's row is some other title, which the typed fields must not overwrite.
    if (c.tfTitel->text().trimmed().isEmpty() || !filmAufAnzeige()) {
        leererTitel(2, frame::OhneDatei::Leer);
        return;
    }
    if (przEditieren())
        przlesen();
}

// Positions the Filme recordset on the record on display; false when none is.
bool frmFilme::filmAufAnzeige()
{
    return katalog::aufZeile(rsFilme.get(), m_angezeigterFilm);
}

bool frmFilme::przSpeichern()
{
    const QString titel = titelOhneRänder(c.tfTitel->text());
    if (titel != c.tfTitel->text())
        c.tfTitel->setText(titel);
    UmbenannteUnterordner = 0;
    const std::optional<QDate> ausgeliehen = getipptesDatum(c.tfDatumAusleihe, Ausleihdatum, QStringLiteral("Speichern"));
    if (!ausgeliehen)
        return false;
    const std::optional<QDate> eingetragen = getipptesDatum(c.tfDatum, EingetragenAm, QStringLiteral("Speichern"));
    if (!eingetragen)
        return false;
    try {
        if (!datenbank || !rsFilme)
            throw db::DbError(db::ErrNoDatabase, QStringLiteral("Keine Datenbank geöffnet."));
        const double anzahl = anzahlLesen(c.tfAnzahl->text());
        const QString wer = c.tfWer->text();
        const QString ausDatum = vb::dateText(*ausgeliehen);
        const QString format = oder(c.tfFormat->text(), "-");
        const QString qualität = oder(c.tfQualität->text(), "-");
        const QString mappe = oder(c.tfMappe->text(), "-");
        const QString cat = oder(c.tfCat->text(), "-");
        const QString dten = oder(c.tfdten->text(), "-");
        const QString heute = vb::dateText(m_services.clock->today());

        db::Database::Transaction transaktion(*datenbank);
        rsFilme->addNew();
        rsFilme->setField(QStringLiteral("Titel"), titel);
        rsFilme->setField(QStringLiteral("Anzahl"), anzahl);
        rsFilme->setField(QStringLiteral("Format"), format);
        rsFilme->setField(QStringLiteral("Qualität"), qualität);
        rsFilme->setField(QStringLiteral("Mappe"), mappe);
        rsFilme->setField(QStringLiteral("Cat"), cat);
        rsFilme->setField(QStringLiteral("Dten"), dten);
        if (!wer.isEmpty()) {
            rsFilme->setField(QStringLiteral("Wer"), wer);
            rsFilme->setField(QStringLiteral("AusDatum"), ausDatum.isEmpty() ? heute : ausDatum);
        } else {
            rsFilme->setField(QStringLiteral("Wer"), QStringLiteral("-"));
            rsFilme->setField(QStringLiteral("AusDatum"), oder(ausDatum, "-"));
        }
        rsFilme->setField(QStringLiteral("Info"), oder(c.tfInfo->toPlainText(), "-"));
        rsFilme->setField(QStringLiteral("Size"), oder(c.tfSize->text(), "0"));
        rsFilme->setField(QStringLiteral("Cover"), c.tfCover->text());
        rsFilme->setField(QStringLiteral("Unterordner"), QStringLiteral("-"));
        // The day of entry, which the date field's tooltip promises for an empty field.
        rsFilme->setField(QStringLiteral("Datum"),
                          (eingetragen->isValid() ? *eingetragen : m_services.clock->today()).toString(u"yyyy-MM-dd"));
        rsFilme->update();
        rsFilme->setBookmark(rsFilme->lastModified());

        if (c.tfUnterordner->text() == QLatin1String("1")) {
            rsFilme->edit();
            rsFilme->setField(QStringLiteral("Unterordner"), QStringLiteral("1"));
            rsFilme->update();
            db::KeyedInsert unterordner(*datenbank, QStringLiteral("Unterordner"),
                                        {QStringLiteral("Titel"), QStringLiteral("Titel2"), QStringLiteral("Format"),
                                         QStringLiteral("Qualität"), QStringLiteral("Mappe"), QStringLiteral("Wer"),
                                         QStringLiteral("Cat"), QStringLiteral("Dten"), QStringLiteral("Info"),
                                         QStringLiteral("Size"), QStringLiteral("Cover")},
                                        QStringLiteral("Titel2"));
            const QString werOder = oder(wer, "-");
            const auto vergeben = [&unterordner](const QString& name) { return unterordner.taken(name); };
            // A shared copy: the rows stay as they are while they are saved.
            const QStringList einträge = c.lfListeCDeinlesen->rows();
            for (const QString& eintrag : einträge) {
                if (eintrag.isEmpty())
                    continue;
                // The same file name recurs on many discs: a taken name gets a
                // free one instead of failing the whole disc.
                const QString name = katalog::unterordnerName(eintrag);
                const QString frei = katalog::freierName(name, titel, vergeben);
                if (frei != name)
                    ++UmbenannteUnterordner;
                unterordner.insert({titel, frei, format, qualität, mappe, werOder, cat, dten, QStringLiteral("-"),
                                    katalog::eintragTeilen(eintrag).größe, QStringLiteral("-")});
            }
        }
        transaktion.commit();
    } catch (const db::DbError&) {
        pufferVerwerfen(rsFilme.get());
        UmbenannteUnterordner = 0;
        speichernFehler(titel, QStringLiteral("Speichern"), titelGrund(titel, false, 0));
        return false;
    }

    try {
        przAnzahlGesamt();
    } catch (const db::DbError&) {
    }
    QString meldung = QStringLiteral("'") + titel + QStringLiteral("' wurde gespeichert!");
    if (UmbenannteUnterordner > 0)
        meldung += QStringLiteral("\n%1 Unterordner unter neuem Namen gespeichert, weil ihr Name schon vergeben war.")
                       .arg(UmbenannteUnterordner);
    m_services.messages->msgBox(meldung, sys::mb::OkOnly, QStringLiteral("Speichern"));
    c.tfUnterordner->setText(QStringLiteral("0"));
    c.tfCDInfo->setText(QStringLiteral("0"));
    przAktualisieren();
    przlesen();
    return true;
}

bool frmFilme::przEditieren(const std::function<void()>& imSchreiben, const QString& fenstertitel)
{
    if (!datenbank || !filmAufAnzeige())
        return false;
    const QString wer = c.tfWer->text();
    // The lending date is stored only with a borrower; without one the stored date stays.
    std::optional<QDate> ausgeliehen;
    if (!wer.isEmpty()) {
        ausgeliehen = getipptesDatum(c.tfDatumAusleihe, Ausleihdatum, fenstertitel);
        if (!ausgeliehen)
            return false;
    }
    const std::optional<QDate> eingetragen = getipptesDatum(c.tfDatum, EingetragenAm, fenstertitel);
    if (!eingetragen)
        return false;
    QString titel;
    QString neuerTitel;
    try {
        titel = rsFilme->field(QStringLiteral("Titel")).toString();
        const QString gespeicherterTitel = titel;
        const bool mitUnterordnern = rsFilme->field(QStringLiteral("Unterordner")).toString() == QLatin1String("1");
        const double anzahl = anzahlLesen(c.tfAnzahl->text());
        neuerTitel = titelOhneRänder(c.tfTitel->text(), gespeicherterTitel);
        if (neuerTitel != c.tfTitel->text())
            c.tfTitel->setText(neuerTitel);

        db::Database::Transaction transaktion(*datenbank);
        rsFilme->edit();
        rsFilme->setField(QStringLiteral("Titel"), neuerTitel);
        titel = neuerTitel;
        rsFilme->setField(QStringLiteral("Anzahl"), anzahl);
        rsFilme->setField(QStringLiteral("Format"), oder(c.tfFormat->text(), "-"));
        rsFilme->setField(QStringLiteral("Qualität"), oder(c.tfQualität->text(), "-"));
        rsFilme->setField(QStringLiteral("Mappe"), oder(c.tfMappe->text(), "-"));
        rsFilme->setField(QStringLiteral("Cat"), oder(c.tfCat->text(), "-"));
        if (!wer.isEmpty()) {
            rsFilme->setField(QStringLiteral("Wer"), wer);
            rsFilme->setField(QStringLiteral("AusDatum"),
                              vb::dateText(ausgeliehen->isValid() ? *ausgeliehen : m_services.clock->today()));
        } else {
            rsFilme->setField(QStringLiteral("Wer"), QStringLiteral("-"));
        }
        rsFilme->setField(QStringLiteral("Dten"), oder(c.tfdten->text(), "-"));
        rsFilme->setField(QStringLiteral("Info"), oder(c.tfInfo->toPlainText(), "-"));
        if (eingetragen->isValid())
            rsFilme->setField(QStringLiteral("Datum"), eingetragen->toString(u"yyyy-MM-dd"));
        rsFilme->setField(QStringLiteral("Size"), oder(c.tfSize->text(), "0"));
        if (mitUnterordnern) {
            // The sub-entries follow their title's folder, borrower and name.
            datenbank->execute(QStringLiteral("UPDATE Unterordner SET Mappe = ?, Wer = ?, Titel = ? WHERE Titel = ?")
                                   + kollation(),
                               {oder(c.tfMappe->text(), "-"), oder(wer, "-"), neuerTitel, gespeicherterTitel});
        } else {
            rsFilme->setField(QStringLiteral("Unterordner"), QStringLiteral("-"));
        }
        rsFilme->update();
        rsFilme->setBookmark(rsFilme->lastModified());
        if (imSchreiben)
            imSchreiben();
        transaktion.commit();
    } catch (const db::DbError&) {
        pufferVerwerfen(rsFilme.get());
        speichernFehler(titel, QStringLiteral("Fehler"),
                        neuerTitel.isEmpty() ? QString() : titelGrund(neuerTitel, false, m_angezeigterFilm));
        return false;
    }

    try {
        przAnzahlGesamt();
    } catch (const db::DbError&) {
    }
    m_services.messages->msgBox(QStringLiteral("'") + c.tfTitel->text() + QStringLiteral("' wurde editiert!"),
                                sys::mb::OkOnly, QStringLiteral("Editieren"));
    przLöschen();
    przAktualisieren();
    przlesen();
    return true;
}

void frmFilme::Löschen_Click()
{
    constexpr auto ohne = frame::OhneDatei::Eingebaut;  // a deletion always asks
    const QString titel = c.tfTitel->text();
    if (titel.isEmpty()) {
        leererTitel(3, ohne);
        return;
    }
    // Only the record on display, and only while the title field still names it.
    if (!datenbank || !filmAufAnzeige())
        return;
    bool mitUnterordnern = false;
    try {
        if (rsFilme->field(QStringLiteral("Titel")).toString() != titel)
            return;
        mitUnterordnern = rsFilme->field(QStringLiteral("Unterordner")).toString() == QLatin1String("1");
    } catch (const db::DbError&) {
        return;
    }
    c.tfTitel2->setText(titel);
    const QString frage = frame::frage(m_services, ini.sprache, 1, ohne);
    const QString frageText = frame::frageText(m_services, ini.sprache, 1, ohne);
    if (m_services.messages->msgBox(titel + QStringLiteral(" ") + frage,
                                    sys::mb::OkCancel | sys::mb::Question | sys::mb::DefaultButton2,
                                    titel + QStringLiteral(" ") + frageText)
        != sys::mb::Ok)
        return;
    try {
        db::Database::Transaction transaktion(*datenbank);
        if (mitUnterordnern)
            datenbank->execute(QStringLiteral("DELETE FROM Unterordner WHERE Titel = ?") + kollation(), {titel});
        rsFilme->deleteCurrent();
        transaktion.commit();
    } catch (const db::DbError&) {
        m_services.messages->msgBox(QStringLiteral("Sorry '") + titel + QStringLiteral("' kann nicht gelöscht werden!"),
                                    sys::mb::Critical, QStringLiteral("Löschen"));
        przAktualisieren();
        return;
    }
    m_angezeigterFilm = 0;
    c.lfListe->clear();
    try {
        przAnzahlGesamt();
    } catch (const db::DbError&) {
    }
    przAktualisieren();
    przlesen();
}

// Positions the sub-entry recordset on the sub-entry on display; false when none is.
bool frmFilme::unterordnerAufAnzeige()
{
    return katalog::aufZeile(rsUnterordner.get(), m_angezeigterUnterordner);
}

void frmFilme::cmdLöschen2_Click()
{
    constexpr auto ohne = frame::OhneDatei::Eingebaut;
    if (c.tfTitel->text().isEmpty()) {
        leererTitel(3, ohne);
        return;
    }
    // After a re-listing the recordset's row is the first of the table: only
    // the sub-entry on display, while the title field names it, is deleted.
    if (!unterordnerAufAnzeige())
        return;
    QString name;
    try {
        name = rsUnterordner->field(QStringLiteral("Titel2")).toString();
    } catch (const db::DbError&) {
        return;
    }
    if (name != c.tfTitel->text())
        return;
    if (m_services.messages->msgBox(name + QStringLiteral(" ") + frame::frage(m_services, ini.sprache, 1, ohne),
                                    sys::mb::OkCancel | sys::mb::Question | sys::mb::DefaultButton2,
                                    name + QStringLiteral(" ") + frame::frageText(m_services, ini.sprache, 1, ohne))
        != sys::mb::Ok)
        return;
    try {
        rsUnterordner->deleteCurrent();
    } catch (const db::DbError&) {
        m_services.messages->msgBox(QStringLiteral("Sorry '") + name + QStringLiteral("' kann nicht gelöscht werden!"),
                                    sys::mb::Critical, QStringLiteral("Löschen"));
        return;
    }
    m_angezeigterUnterordner = 0;
    c.lfListe2->clear();
    unterordnerNeuLesen();
}

// A record on display is edited; one begun by Neu, a take-over or a new
// sub-entry is new. An empty panel holds nothing to store.
frmFilme::Eingabe frmFilme::eingabe() const
{
    if (!c.lbUnterordner->isHidden()) {
        if (m_angezeigterUnterordner != 0)
            return Eingabe::Unterordner;
        if (m_neuanlage == Neuanlage::Unterordner)
            return Eingabe::NeuerUnterordner;
    }
    if (m_angezeigterFilm != 0)
        return Eingabe::Titel;
    if (m_neuanlage == Neuanlage::Titel)
        return Eingabe::NeuerTitel;
    return Eingabe::Keine;
}

// What the button of the record would store, and only when it took it.
bool frmFilme::eingabeSpeichern(Eingabe art)
{
    constexpr auto ohne = frame::OhneDatei::Eingebaut;  // the window stays: say why
    switch (art) {
    case Eingabe::NeuerTitel: {
        const QString titel = titelOhneRänder(c.tfTitel->text());
        if (titel.isEmpty()) {
            leererTitel(1, ohne);
            return false;
        }
        c.tfTitel2->setText(titel);
        return przSpeichern();
    }
    case Eingabe::Titel:
        if (c.tfTitel->text().trimmed().isEmpty()) {
            leererTitel(2, ohne);
            return false;
        }
        // A lending typed but not stored goes into the log with the record.
        if (c.cmdspeichern->isVisible() && c.tfWer->text() != m_geladen.value(Stand::Wer))
            return ausleiheSpeichern();
        return przEditieren();
    case Eingabe::Unterordner: return przEditierenUnterordner();
    case Eingabe::NeuerUnterordner: return przSpeichernUnterordner();
    case Eingabe::Keine: break;
    }
    return true;
}

bool frmFilme::änderungenKlären()
{
    const Eingabe art = eingabe();
    if (art == Eingabe::Keine || panelStand() == m_geladen)
        return true;
    QString titel = c.tfTitel->text().trimmed();
    if (titel.isEmpty())
        titel = m_geladen.value(Stand::Titel);
    const int antwort = m_services.messages->msgBox(QStringLiteral("Änderungen an \"") + titel
                                                        + QStringLiteral("\" speichern?"),
                                                    sys::mb::YesNoCancel | sys::mb::Question);
    if (antwort == sys::mb::No)
        return true;
    if (antwort != sys::mb::Yes)
        return false;
    return eingabeSpeichern(art);
}
