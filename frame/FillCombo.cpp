#include "frame/FillCombo.h"

#include "platform/vb/VbRuntime.h"

#include <QStringList>

QString zellenText(const db::RowReader& zeile, int spalte)
{
    if (spalte < 0)
        return QString();
    switch (zeile.type(spalte)) {
    case db::RowReader::Type::Null:
        return QString();
    case db::RowReader::Type::Real:
        return vb::cstr(zeile.number(spalte));
    default:
        return QString::fromUtf8(zeile.utf8(spalte));
    }
}

void FillCombo(vb::ComboBox& box, db::Database& datenbank, const QString& sql, const QVariantList& werte)
{
    box.clear();
    QStringList einträge;
    try {
        db::RowReader zeile(datenbank, sql, werte);
        if (!zeile.columns().isEmpty()) {
            while (zeile.next()) {
                if (zeile.type(0) != db::RowReader::Type::Null)
                    einträge << zellenText(zeile, 0);
            }
        }
    } catch (const db::DbError&) {
    }
    box.addItems(einträge);
}
