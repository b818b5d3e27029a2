#include "reports/Zellwert.h"

#include "frame/Katalogschema.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbRuntime.h"

#include <QDate>

namespace reports {

bool istDatumsspalte(const QString& tabelle, const QString& spalte)
{
    if (tabelle.isEmpty())
        return false;
    for (const frame::schema::Spalte& s : frame::schema::spalten())
        if (!s.bis && s.typ == frame::schema::Typ::Datum &&
            tabelle.compare(QLatin1String(s.tabelle), Qt::CaseInsensitive) == 0 &&
            spalte.compare(QString::fromUtf8(s.name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QDate gespeichertesDatum(const QString& text)
{
    QDate datum = QDate::fromString(text, Qt::ISODate);
    if (!datum.isValid())
        if (const auto iso = db::dedate(text))
            datum = QDate::fromString(*iso, Qt::ISODate);
    return datum;
}

QString zellentext(const QVariant& wert)
{
    switch (wert.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return vb::cstr(wert.toDouble());
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(wert.toLongLong());
    case QMetaType::QDate:
        return vb::dateText(wert.toDate());
    case QMetaType::QDateTime:
        return vb::dateText(wert.toDateTime().date());
    default:
        return wert.isNull() ? QString() : wert.toString();
    }
}

}  // namespace reports
