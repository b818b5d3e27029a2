#pragma once
// The catalogue stores no empty field: each column has its marker for "none".
#include <QString>

namespace katalog {

// A field's text, or the empty marker of its column when the field is empty.
inline QString oder(const QString& text, const char* leer)
{
    return text.isEmpty() ? QString::fromUtf8(leer) : text;
}

}  // namespace katalog
