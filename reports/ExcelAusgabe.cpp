#include "reports/ExcelAusgabe.h"

#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "platform/system/Messages.h"
#include "platform/system/ProgramFolder.h"
#include "platform/vb/VbRuntime.h"
#include "platform/xls/Workbook.h"
#include "reports/Dateifehler.h"
#include "reports/Zellwert.h"

#include <QDate>
#include <QFileInfo>

#include <utility>
#include <vector>

namespace reports {

namespace {

// A text cell holds one line: a stored line break or other control character
// shows as a blank.
void textSetzen(xls::Workbook& buch, int spalte, QByteArrayView utf8)
{
    if (vb::isSingleLine(utf8)) {
        buch.setTextUtf8(spalte, utf8);
        return;
    }
    QByteArray zeile;
    vb::appendSingleLine(zeile, utf8);
    buch.setTextUtf8(spalte, zeile);
}

// A date column's text as a date cell; a text that is no date stays text.
void datumSetzen(xls::Workbook& buch, int spalte, QByteArrayView utf8)
{
    const QDate datum = gespeichertesDatum(QString::fromUtf8(utf8));
    if (datum.isValid())
        buch.setDate(spalte, datum);
    else
        textSetzen(buch, spalte, utf8);
}

}  // namespace

ExcelAusgabe::ExcelAusgabe(sys::MessageService& meldungen, QString ordner, db::Database& datenbank)
    : m_meldungen(meldungen), m_ordner(std::move(ordner)), m_datenbank(datenbank)
{
}

QString ExcelAusgabe::bestaetigung(const QString& mappe)
{
    return QStringLiteral("Die Excel Datei wurde im Programmverzeichnis unter dem Namen '") + mappe +
           QStringLiteral("' abgelegt.");
}

QString ExcelAusgabe::fehlermeldung(const QString& mappe)
{
    return dateiNichtGeschrieben(mappe);
}

bool ExcelAusgabe::schreiben(const QString& mappe, const QString& quelle, const QVariantList& werte, bool ersetzen)
{
    m_fehler.clear();
    const QString pfad = sys::fileIn(m_ordner, mappe);
    if (!ersetzen && QFileInfo::exists(pfad)) {
        m_fehler = QStringLiteral("Die Tabelle 'cds' ist bereits vorhanden.");
        return false;
    }
    try {
        db::RowReader zeilen(m_datenbank, QStringLiteral("SELECT *") + quelle, werte);
        const int spalten = int(zeilen.columns().size());
        std::vector<bool> datum(static_cast<size_t>(spalten), false);
        for (int c = 0; c < spalten; ++c)
            datum[size_t(c)] = istDatumsspalte(zeilen.sourceTable(c), zeilen.sourceColumn(c));

        xls::Workbook buch(QStringLiteral("cds"), zeilen.columns());
        using Typ = db::RowReader::Type;
        while (zeilen.next()) {
            buch.beginRow();
            for (int c = 0; c < spalten; ++c) {
                switch (zeilen.type(c)) {
                case Typ::Null:
                    break;
                case Typ::Integer:
                case Typ::Real:
                    buch.setNumber(c, zeilen.number(c));
                    break;
                case Typ::Text:
                    if (datum[size_t(c)])
                        datumSetzen(buch, c, zeilen.utf8(c));
                    else
                        textSetzen(buch, c, zeilen.utf8(c));
                    break;
                case Typ::Blob:
                    textSetzen(buch, c, zeilen.utf8(c));
                    break;
                }
            }
        }
        return buch.save(pfad, &m_fehler);
    } catch (const db::DbError& e) {
        m_fehler = e.message();
    } catch (const std::exception& e) {
        m_fehler = QString::fromUtf8(e.what());
    }
    return false;
}

bool ExcelAusgabe::ausgeben(Excelweise weise, const QString& mappe, const QString& quelle, const QVariantList& werte,
                            const QString& titel)
{
    bool geschrieben = false;
    if (weise == Excelweise::MitWiederholung)
        geschrieben = schreiben(mappe, quelle, werte, false) || schreiben(mappe, quelle, werte, true);
    else
        geschrieben = schreiben(mappe, quelle, werte, true);
    if (geschrieben)
        m_meldungen.msgBox(bestaetigung(mappe), sys::mb::Information, titel);
    else
        m_meldungen.msgBox(fehlermeldung(mappe), sys::mb::Critical, ExcelAusgabeTitel);
    return geschrieben;
}

}  // namespace reports
