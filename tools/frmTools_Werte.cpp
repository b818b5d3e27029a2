// Value replacement: one value of a field of Filme replaced in every title.
#include "tools/frmTools.h"

#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbRuntime.h"
#include "frame/FillCombo.h"

#include <QRadioButton>

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

}  // namespace

void frmTools::FillCombo(vb::ComboBox& box, const QString& sql, const QVariantList& werte)
{
    m_arbeitsDB.reset();
    m_arbeitsDB = db::Database::open(m_arbeitsPfad);
    ::FillCombo(box, *m_arbeitsDB, sql, werte);
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
    try {
        m_arbeitsDB.reset();
        m_arbeitsDB = db::Database::open(m_arbeitsPfad);
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
            if (m_services.messages->msgBox(alt + QStringLiteral(" gegen ") + neu + QStringLiteral(" ersetzen?"),
                                            sys::mb::OkCancel, QStringLiteral("Umbenennen")) != sys::mb::Ok) {
                meldung(QStringLiteral("Aktion abgebrochen"), sys::mb::OkOnly, {});
                return;
            }
            QVariant neuWert = neu;
            QVariant altWert = alt;
            QString vergleich = db::kollation();
            if (feld == QLatin1String("Datum")) {
                // Dates are typed and listed as day.month.year and stored as ISO text.
                const QDate neuDatum = vb::parseDateText(neu);
                const QDate altDatum = vb::parseDateText(alt);
                if (!neuDatum.isValid() || !altDatum.isValid())
                    throw db::DbError(0, QStringLiteral("Kein Datum"));
                neuWert = neuDatum;
                altWert = altDatum;
                vergleich.clear();
            }
            db::Database::Transaction t(*m_arbeitsDB);
            m_arbeitsDB->execute(
                QStringLiteral("UPDATE Filme SET \"%1\" = ?1 WHERE %2 = ?2%3").arg(feld, zitiert(feld), vergleich),
                {neuWert, altWert});
            t.commit();
            meldung(QStringLiteral("Aktion erfolgreich ausgeführt"), sys::mb::OkOnly, {});
            return;
        }
    } catch (const db::DbError&) {
        meldung(FehltText, sys::mb::Exclamation, QStringLiteral("Eingabe fehlt!"));
    }
}
