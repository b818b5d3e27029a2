#pragma once
// Small pieces the writing procedures of the main window share.
#include "platform/db/SqlFunctions.h"

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

}  // namespace katalog
