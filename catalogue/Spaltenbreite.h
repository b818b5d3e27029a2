#pragma once
// How many characters a text column of the current schema holds: the boxes of
// the detail panel take no more, and a refused save names the limit.
#include "frame/Katalogschema.h"

#include <cstring>

namespace katalog {

// 0 for a column that is no text column (or none of the current schema).
inline int spaltenbreite(const char* tabelle, const char* spalte)
{
    for (const frame::schema::Spalte& s : frame::schema::spalten()) {
        if (!s.bis && std::strcmp(s.tabelle, tabelle) == 0 && std::strcmp(s.name, spalte) == 0)
            return s.typ == frame::schema::Typ::Text ? s.breite : 0;
    }
    return 0;
}

}  // namespace katalog
