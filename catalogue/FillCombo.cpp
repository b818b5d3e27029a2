#include "catalogue/FillCombo.h"

#include "platform/vb/VbRuntime.h"

#include <QStringList>

QString zellenText(const db::Zeile& zeile, int spalte)
{
    if (spalte < 0 || zeile.isNull(spalte))
        return QString();
    if (zeile.isReal(spalte))
        return vb::cstr(zeile.real(spalte));
    return zeile.text(spalte);
}

void FillCombo(vb::ComboBox& box, db::Database& datenbank, const QString& sql, const QVariantList& werte)
{
    box.clear();
    QStringList einträge;
    try {
        datenbank.eachRow(sql, werte, [&](const db::Zeile& z) {
            if (!z.columns().isEmpty() && !z.isNull(0))
                einträge << zellenText(z, 0);
        });
    } catch (const db::DbError&) {
    }
    box.addItems(einträge);
}
