#pragma once
// Bytes as a Jet file stores them, written out by hand in tests.
#include <QByteArray>
#include <QString>

#include <initializer_list>

namespace jettest {

inline QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray out;
    for (int x : b)
        out.append(char(x));
    return out;
}

// A text's UTF-16 units, little-endian, as Jet stores text uncompressed.
inline QByteArray utf16le(const QString& s)
{
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

}  // namespace jettest
