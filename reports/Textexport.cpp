#include "reports/Textexport.h"

#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "platform/db/SqlFunctions.h"
#include "platform/system/Services.h"
#include "platform/vb/VbRuntime.h"
#include "reports/Dateifehler.h"
#include "reports/Zellwert.h"

#include <QDate>
#include <QSaveFile>

#include <exception>
#include <vector>

namespace reports {

namespace {

constexpr qsizetype Puffergröße = 64 * 1024;

void wertAnhängen(QByteArray& zeile, const db::RowReader& zeilen, int spalte, bool datum)
{
    using Typ = db::RowReader::Type;
    switch (zeilen.type(spalte)) {
    case Typ::Null:
        return;
    case Typ::Integer:
    case Typ::Real:
        zeile.append(vb::cstr(zeilen.number(spalte)).toUtf8());
        return;
    case Typ::Text:
        if (datum) {
            const QDate d = gespeichertesDatum(QString::fromUtf8(zeilen.utf8(spalte)));
            if (d.isValid()) {
                zeile.append(vb::dateText(d).toUtf8());
                return;
            }
        }
        zeile.append(zeilen.utf8(spalte));
        return;
    case Typ::Blob:
        zeile.append(zeilen.utf8(spalte));
        return;
    }
}

}  // namespace

bool textexportSchreiben(db::Database& datenbank, const QString& pfad, QString* fehler)
{
    QString grund;
    QSaveFile datei(pfad);
    try {
        db::RowReader zeilen(datenbank, QStringLiteral("SELECT * FROM Filme ORDER BY Titel COLLATE %1")
                                            .arg(QLatin1String(db::deutscheKollation)));
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
        grund = datei.errorString();
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

bool textexport(const sys::Services& services, db::Database& datenbank)
{
    if (textexportSchreiben(datenbank, services.file(TextexportDatei))) {
        services.messages->msgBox(TextexportErfolg, sys::mb::Information, TextexportErfolgTitel);
        return true;
    }
    services.messages->msgBox(dateiNichtGeschrieben(TextexportDatei), sys::mb::Critical, TextexportTitel);
    return false;
}

}  // namespace reports
