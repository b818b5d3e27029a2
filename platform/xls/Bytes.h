#pragma once
// Internal to platform/xls: little-endian appends to a byte buffer.
#include <QByteArray>
#include <QtEndian>

namespace xls::detail {

inline void u8(QByteArray& b, unsigned v)
{
    b.append(char(v & 0xFF));
}

inline void u16(QByteArray& b, unsigned v)
{
    char c[2];
    qToLittleEndian<quint16>(quint16(v), c);
    b.append(c, 2);
}

inline void u32(QByteArray& b, quint32 v)
{
    char c[4];
    qToLittleEndian<quint32>(v, c);
    b.append(c, 4);
}

inline void put16(QByteArray& b, qsizetype at, unsigned v)
{
    qToLittleEndian<quint16>(quint16(v), b.data() + at);
}

inline void put32(QByteArray& b, qsizetype at, quint32 v)
{
    qToLittleEndian<quint32>(v, b.data() + at);
}

}  // namespace xls::detail
