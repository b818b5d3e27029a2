#include "tools/FillCombo.h"

namespace tools {

void FillCombo(vb::ComboBox& box, db::Database& datenbank, const QString& sql, const QVariantList& werte)
{
    box.clear();
    try {
        const db::Result zeilen = datenbank.query(sql, werte);
        QStringList texte;
        texte.reserve(zeilen.size());
        for (int i = 0; i < zeilen.size(); ++i) {
            const QVariant& wert = zeilen.value(i, 0);
            if (!wert.isNull())
                texte << wert.toString();
        }
        box.addItems(texte);
    } catch (const db::DbError&) {
    }
}

}  // namespace tools
