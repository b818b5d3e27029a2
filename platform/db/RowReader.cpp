#include "platform/db/RowReader.h"

#include "platform/db/Database.h"
#include "platform/db/Statement.h"

namespace db {

RowReader::RowReader(Database& database, const QString& sql, const QVariantList& params)
    : m_statement(std::make_unique<detail::Statement>(database.handle(), sql))
{
    m_statement->bindAll(params);
    const int count = *m_statement ? sqlite3_column_count(m_statement->get()) : 0;
    for (int c = 0; c < count; ++c)
        m_columns << QString::fromUtf8(sqlite3_column_name(m_statement->get(), c));
}

RowReader::~RowReader() = default;

QString RowReader::sourceTable(int column) const
{
    return QString::fromUtf8(sqlite3_column_table_name(m_statement->get(), column));
}

QString RowReader::sourceColumn(int column) const
{
    return QString::fromUtf8(sqlite3_column_origin_name(m_statement->get(), column));
}

bool RowReader::next()
{
    return m_statement->step() == SQLITE_ROW;
}

QVariant RowReader::value(int column) const
{
    return m_statement->value(column);
}

RowReader::Type RowReader::type(int column) const
{
    switch (sqlite3_column_type(m_statement->get(), column)) {
    case SQLITE_INTEGER:
        return Type::Integer;
    case SQLITE_FLOAT:
        return Type::Real;
    case SQLITE_TEXT:
        return Type::Text;
    case SQLITE_BLOB:
        return Type::Blob;
    default:
        return Type::Null;
    }
}

double RowReader::number(int column) const
{
    return sqlite3_column_double(m_statement->get(), column);
}

QByteArrayView RowReader::utf8(int column) const
{
    sqlite3_stmt* st = m_statement->get();
    const char* bytes = sqlite3_column_type(st, column) == SQLITE_BLOB
                            ? static_cast<const char*>(sqlite3_column_blob(st, column))
                            : reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return QByteArrayView(bytes, sqlite3_column_bytes(st, column));
}

}  // namespace db
