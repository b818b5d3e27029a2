// Value replacement: one value of a field of Filme replaced in every title.
#include "tools/frmTools.h"

#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbRuntime.h"
#include "frame/FillCombo.h"
#include "frame/Katalogschema.h"

#include <QRadioButton>

#include <utility>

namespace {

// The column named with its table: SQLite takes an unknown name in plain
// double quotes for a text, which would list the name itself.
QString zitiert(const QString& spalte)
{
    return QStringLiteral("Filme.\"") + spalte + QLatin1Char('"');
}

// The field's distinct values in German order; equal spellings that differ
// only in case or umlaut case give one entry.
QString listenAbfrage(const QString& feld)
{
    return QStringLiteral("SELECT DISTINCT %1%2 FROM Filme ORDER BY 1%2").arg(zitiert(feld), db::kollation());
}

// Dates are stored as "yyyy-mm-dd" and listed as "dd.MM.yyyy", in date order.
const QString DatumAbfrage = QStringLiteral(
    "SELECT CASE WHEN Datum GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' "
    "THEN substr(Datum, 9, 2) || '.' || substr(Datum, 6, 2) || '.' || substr(Datum, 1, 4) ELSE Datum END "
    "FROM (SELECT DISTINCT Datum FROM Filme) ORDER BY Datum");

const QString FehltText = QStringLiteral(
    "Es fehlen noch Angaben. \r\nBitte eine Datenbank und zwei zu ändernden Werte wählen oder eingeben!");
const QString TitelÄndern = QStringLiteral("Datenfelder ändern");

// The characters a Text column of Filme holds; 0 for other columns.
int feldBreite(const QString& feld)
{
    for (const frame::schema::Spalte& s : frame::schema::spalten(QStringLiteral("Filme"), frame::schema::AktuelleVersion)) {
        if (feld.compare(QString::fromUtf8(s.name), Qt::CaseInsensitive) == 0)
            return s.typ == frame::schema::Typ::Text ? s.breite : 0;
    }
    return 0;
}

QString schreibgeschützt(const QString& pfad, const QString& grund)
{
    return QStringLiteral("Die Werte der Datenbank \"%1\" können nicht geändert werden:\r\n%2")
        .arg(pfad, grund.isEmpty() ? QStringLiteral("Die Datenbank ist schreibgeschützt.") : grund);
}

QString zuLang(const QString& wert, const QString& feld, int breite)
{
    return QStringLiteral("Der neue Wert \"%1\" ist zu lang: Das Feld \"%2\" fasst höchstens %3 Zeichen.")
        .arg(wert, feld, QString::number(breite));
}

QString keinDatensatz(const QString& wert, const QString& feld)
{
    return QStringLiteral("Kein Datensatz hat im Feld \"%1\" den Wert \"%2\". Es wurde nichts geändert.")
        .arg(feld, wert);
}

}  // namespace

void frmTools::FillCombo(vb::ComboBox& box, const QString& sql, const QVariantList& werte)
{
    // Open only for the fill: the catalogue is free again when it is done.
    const auto datenbank = db::Database::open(m_arbeitsPfad);
    ::FillCombo(box, *datenbank, sql, werte);
}

void frmTools::werteFüllen(const QString& feld)
{
    const QString sql = feld == QLatin1String("Datum") ? DatumAbfrage : listenAbfrage(feld);
    try {
        FillCombo(*cmbCombo, sql);
        FillCombo(*cmbCombo1, sql);
    } catch (const db::DbError&) {
        meldung(QStringLiteral("Bitte erst eine Datenbank wählen!"), sys::mb::Critical,
                QStringLiteral("Datenbank wählen"));
    }
}

void frmTools::przComboFormat()
{
    werteFüllen(QStringLiteral("Format"));
}

void frmTools::przComboMappe()
{
    werteFüllen(QStringLiteral("Mappe"));
}

void frmTools::przComboCat()
{
    werteFüllen(QStringLiteral("Cat"));
}

void frmTools::przComboQualität()
{
    werteFüllen(QStringLiteral("Qualität"));
}

void frmTools::optFormat_Click()
{
    przComboFormat();
}

void frmTools::optMappe_Click()
{
    przComboMappe();
}

void frmTools::optCat_Click()
{
    przComboCat();
}

void frmTools::optQualität_Click()
{
    przComboQualität();
}

void frmTools::optDatum_Click()
{
    werteFüllen(QStringLiteral("Datum"));
}

void frmTools::cmdÄndern_Click()
{
    const std::pair<QRadioButton*, const char*> felder[] = {
        {optFormat, "Format"}, {optMappe, "Mappe"}, {optCat, "Cat"}, {optQualität, "Qualität"}, {optDatum, "Datum"}};
    const auto abweisen = [this](const QString& text) {
        meldung(text, sys::mb::Exclamation, TitelÄndern);
    };
    try {
        // Open only for this replacement: the catalogue is free again when it is done.
        const auto datenbank = db::Database::open(m_arbeitsPfad);
        const QString alt = cmbCombo->text();
        const QString neu = cmbCombo1->text();
        if (neu.isEmpty() || alt.isEmpty()) {
            meldung(FehltText, sys::mb::Exclamation, QStringLiteral("Eingabe fehlt!"));
            return;
        }
        for (const auto& [option, name] : felder) {
            if (!option->isChecked())
                continue;
            const QString feld = QString::fromUtf8(name);
            const QString wort = option->text().remove(QLatin1Char('&'));
            // What cannot be done is said before the question, and nothing changes.
            if (const QString grund = schreibschutz(m_arbeitsPfad); !grund.isEmpty() || datenbank->readOnly()) {
                abweisen(schreibgeschützt(m_arbeitsPfad, grund));
                return;
            }
            QVariant neuWert = neu;
            QVariant altWert = alt;
            QString vergleich = db::kollation();
            if (feld == QLatin1String("Datum")) {
                // Dates are typed and listed as day.month.year and stored as ISO text.
                const QDate neuDatum = vb::parseDateText(neu);
                const QDate altDatum = vb::parseDateText(alt);
                for (const auto& [text, datum] : {std::pair{alt, altDatum}, std::pair{neu, neuDatum}}) {
                    if (!datum.isValid()) {
                        abweisen(QStringLiteral("\"%1\" ist kein Datum. Bitte ein Datum wie \"31.12.2024\" "
                                                "angeben!")
                                     .arg(text));
                        return;
                    }
                }
                neuWert = neuDatum;
                altWert = altDatum;
                vergleich.clear();
            } else if (const int breite = feldBreite(feld); breite > 0 && neu.toUcs4().size() > breite) {
                abweisen(zuLang(neu, wort, breite));
                return;
            }
            const QString bedingung = QStringLiteral("%1 = ?1%2").arg(zitiert(feld), vergleich);
            if (datenbank->scalar(QStringLiteral("SELECT count(*) FROM Filme WHERE ") + bedingung, {altWert}).toLongLong()
                == 0) {
                abweisen(keinDatensatz(alt, wort));
                return;
            }
            if (m_services.messages->msgBox(alt + QStringLiteral(" gegen ") + neu + QStringLiteral(" ersetzen?"),
                                            sys::mb::OkCancel, QStringLiteral("Umbenennen")) != sys::mb::Ok) {
                meldung(QStringLiteral("Aktion abgebrochen"), sys::mb::OkOnly, {});
                return;
            }
            db::Database::Transaction t(*datenbank);
            datenbank->execute(QStringLiteral("UPDATE Filme SET \"%1\" = ?2 WHERE ").arg(feld) + bedingung,
                               {altWert, neuWert});
            t.commit();
            meldung(QStringLiteral("Aktion erfolgreich ausgeführt"), sys::mb::OkOnly, {});
            return;
        }
    } catch (const db::DbError& e) {
        // Without a chosen catalogue an entry is missing; otherwise the cause is named.
        if (m_arbeitsName.isEmpty())
            meldung(FehltText, sys::mb::Exclamation, QStringLiteral("Eingabe fehlt!"));
        else if (e.code() == db::ErrFileMissing)
            abweisen(QStringLiteral("Die Datenbank \"%1\" gibt es nicht. Bitte eine andere Datenbank wählen!")
                         .arg(m_arbeitsPfad));
        else if (db::isReadOnly(e.code()))
            abweisen(schreibgeschützt(m_arbeitsPfad, schreibschutz(m_arbeitsPfad)));
        else
            abweisen(QStringLiteral("Die Werte der Datenbank \"%1\" konnten nicht geändert werden:\r\n%2")
                         .arg(m_arbeitsPfad, e.message()));
    }
}
