#pragma once
// Small pieces the writing procedures of the main window share.
#include "platform/db/SqlFunctions.h"
#include "platform/db/TableCursor.h"

#include <QString>

namespace katalog {

// A field's text, or the empty marker of its column when the field is empty.
inline QString oder(const QString& text, const char* leer)
{
    return text.isEmpty() ? QString::fromUtf8(leer) : text;
}

// " COLLATE DEUTSCH": equality of titles as the catalogue's keys see it.
inline QString kollation()
{
    return QStringLiteral(" COLLATE ") + QString::fromUtf8(db::deutscheKollation);
}

// A write that failed leaves the recordset's buffer behind: it is dropped.
inline void pufferVerwerfen(db::TableCursor* cursor)
{
    if (!cursor)
        return;
    try {
        cursor->cancelUpdate();
    } catch (const db::DbError&) {
    }
}

// Puts the recordset on the row `zeile` (0: none); false, and `zeile` 0, when
// there is none or it is gone.
inline bool aufZeile(db::TableCursor* cursor, long long& zeile)
{
    if (zeile == 0 || !cursor)
        return false;
    try {
        if (!cursor->hasCurrent() || cursor->bookmark() != zeile)
            cursor->setBookmark(zeile);
        return true;
    } catch (const db::DbError&) {
        zeile = 0;
        return false;
    }
}

}  // namespace katalog
