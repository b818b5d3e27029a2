#pragma once
// Readable Qt values in test failures.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < l.size(); ++i)
        *os << (i ? ", \"" : "\"") << l[i].toStdString() << '"';
    *os << '}';
}

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << "bytes(" << b.size() << ") \"" << b.left(200).toStdString() << '"';
}

inline void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << (v.isNull() ? std::string("Null") : v.typeName() + std::string(":") + v.toString().toStdString());
}
