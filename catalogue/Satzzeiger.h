#pragma once
// Placing the main window's recordsets on a row, and cleaning up after a
// write that failed.
#include "platform/db/TableCursor.h"

namespace katalog {

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
