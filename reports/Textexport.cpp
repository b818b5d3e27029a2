#include "reports/Textexport.h"

#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "platform/db/SqlFunctions.h"
#include "platform/system/Dateigrund.h"
#include "platform/system/Messages.h"
#include "platform/system/ProgramFolder.h"
#include "platform/vb/VbRuntime.h"
#include "reports/Dateifehler.h"
#include "reports/Zellwert.h"

#include <QDate>
#include <QSaveFile>

#include <cmath>
#include <exception>
#include <vector>

namespace reports {

namespace {

constexpr qsizetype Puffergröße = 64 * 1024;

// A number as CStr writes it; whole numbers (the usual Anzahl) without the detour.
void zahlAnhängen(QByteArray& zeile, double zahl)
{
    if (zahl == std::floor(zahl) && std::fabs(zahl) < 1e15)
        zeile.append(QByteArray::number(static_cast<qlonglong>(zahl)));
    else
        zeile.append(vb::cstr(zahl).toUtf8());
}

// A stored "yyyy-mm-dd" as "dd.mm.yyyy" straight from its bytes; false for
// any other text.
bool isoDatumAnhängen(QByteArray& zeile, QByteArrayView t)
{
    auto ziffern = [&](qsizetype von, qsizetype bis) {
        int wert = 0;
        for (qsizetype i = von; i < bis; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return -1;
            wert = wert * 10 + (t[i] - '0');
        }
        return wert;
    };
    if (t.size() != 10 || t[4] != '-' || t[7] != '-')
        return false;
    const int jahr = ziffern(0, 4), monat = ziffern(5, 7), tag = ziffern(8, 10);
    if (jahr < 0 || monat < 0 || tag < 0 || !QDate(jahr, monat, tag).isValid())
        return false;
    zeile.append(t.sliced(8, 2)).append('.').append(t.sliced(5, 2)).append('.').append(t.sliced(0, 4));
    return true;
}

void wertAnhängen(QByteArray& zeile, const db::RowReader& zeilen, int spalte, bool datum)
{
    using Typ = db::RowReader::Type;
    switch (zeilen.type(spalte)) {
    case Typ::Null:
        return;
    case Typ::Integer:
    case Typ::Real:
        zahlAnhängen(zeile, zeilen.number(spalte));
        return;
    case Typ::Text:
        if (datum && isoDatumAnhängen(zeile, zeilen.utf8(spalte)))
            return;
        if (datum) {
            const QDate d = gespeichertesDatum(QString::fromUtf8(zeilen.utf8(spalte)));
            if (d.isValid()) {
                zeile.append(vb::dateText(d).toUtf8());
                return;
            }
        }
        vb::appendSingleLine(zeile, zeilen.utf8(spalte));
        return;
    case Typ::Blob:
        vb::appendSingleLine(zeile, zeilen.utf8(spalte));
        return;
    }
}

}  // namespace

bool textexportSchreiben(db::Database& datenbank, const QString& pfad, QString* fehler)
{
    QString grund;
    QSaveFile datei(pfad);
    try {
        db::RowReader zeilen(datenbank, QStringLiteral("SELECT * FROM Filme ORDER BY Titel%1").arg(db::kollation()));
        const int spalten = int(zeilen.columns().size());
        std::vector<bool> datum(size_t(spalten), false);
        for (int c = 0; c < spalten; ++c)
            datum[size_t(c)] = istDatumsspalte(zeilen.sourceTable(c), zeilen.sourceColumn(c));
        if (datei.open(QIODevice::WriteOnly)) {
            QByteArray puffer;
            bool ok = true;
            while (ok && zeilen.next()) {
                for (int c = 0; c < spalten; ++c) {
                    wertAnhängen(puffer, zeilen, c, datum[size_t(c)]);
                    puffer.append(';');
                }
                puffer.append("\r\n", 2);
                if (puffer.size() >= Puffergröße) {
                    ok = datei.write(puffer) == puffer.size();
                    puffer.clear();
                }
            }
            if (ok && datei.write(puffer) == puffer.size() && datei.commit())
                return true;
        }
        grund = sys::dateigrund(datei);
    } catch (const db::DbError& e) {
        grund = e.message();
    } catch (const std::exception& e) {
        grund = QString::fromUtf8(e.what());
    }
    datei.cancelWriting();
    if (fehler)
        *fehler = grund;
    return false;
}

bool textexport(sys::MessageService& meldungen, const QString& ordner, db::Database& datenbank)
{
    if (textexportSchreiben(datenbank, sys::fileIn(ordner, TextexportDatei))) {
        meldungen.msgBox(TextexportErfolg, sys::mb::Information, TextexportErfolgTitel);
        return true;
    }
    meldungen.msgBox(dateiNichtGeschrieben(TextexportDatei), sys::mb::Critical, TextexportTitel);
    return false;
}

}  // namespace reports
