#pragma once
// A query read forward one row at a time, for sources too large to be held in
// memory at once (exports of whole tables). The statement stays open while the
// reader lives; it belongs to one call and never outlives its database.
#include "platform/db/DbError.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>

namespace db {

class Database;
namespace detail {
class Statement;
}

class RowReader {
public:
    // Prepares and binds the query; throws DbError.
    RowReader(Database& database, const QString& sql, const QVariantList& params = {});
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    const QStringList& columns() const { return m_columns; }
    // The table and column a result column is read from, as the file names
    // them; "" for an expression.
    QString sourceTable(int column) const;
    QString sourceColumn(int column) const;

    // Steps to the next row; false past the last. Throws DbError.
    bool next();
    // A value of the current row; a null QVariant is Null.
    QVariant value(int column) const;

    // The same without conversion, for readers of many rows: the storage
    // class of a value, a number, and a text as UTF-8 bytes (valid until the
    // next step).
    enum class Type { Null, Integer, Real, Text, Blob };
    Type type(int column) const;
    double number(int column) const;
    QByteArrayView utf8(int column) const;

private:
    std::unique_ptr<detail::Statement> m_statement;
    QStringList m_columns;
};

}  // namespace db
