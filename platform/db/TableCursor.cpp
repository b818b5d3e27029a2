// The table's shape: its columns and the keys it can be ordered by; a field
// by name, and the count of rows.
#include "platform/db/TableCursor.h"

#include "platform/db/Database.h"
#include "platform/db/Statement.h"
#include "platform/db/TableCursor_Internal.h"

#include <sqlite3.h>

#include <algorithm>
#include <utility>

namespace db {

using namespace cursor;
using detail::quoteIdentifier;
using detail::Statement;

TableCursor::TableCursor(Database& db, const QString& table) : m_db(db), m_table(table)
{
    int pkColumn = -1;
    int pkCount = 0;
    QStringList types;
    {
        Statement st(m_db.handle(), QStringLiteral("SELECT name, pk, type FROM pragma_table_info(?1) ORDER BY cid"));
        st.bindAll({table});
        while (st.step() == SQLITE_ROW) {
            const QString name = st.value(0).toString();
            if (st.value(1).toLongLong() > 0) {
                pkColumn = int(m_columns.size());
                ++pkCount;
            }
            m_columns << name;
            types << st.value(2).toString();
        }
    }
    if (m_columns.isEmpty())
        throw DbError(SQLITE_ERROR, QStringLiteral("Die Tabelle '%1' wurde nicht gefunden.").arg(table));

    for (int i = 0; i < m_columns.size(); ++i)
        m_columnByLowerName.insert(m_columns[i], i);
    for (int i = 0; i < m_columns.size(); ++i)
        if (!m_columnByLowerName.contains(m_columns[i].toCaseFolded()))
            m_columnByLowerName.insert(m_columns[i].toCaseFolded(), i);

    // The keys a table-type recordset can be ordered by: the primary key (also
    // under the name "PrimaryKey") and every unique single-column index, by the
    // index's name or its column's name.
    if (pkCount == 1) {
        m_pkColumn = pkColumn;
        m_indexColumns.insert(QStringLiteral("primarykey"), pkColumn);
        m_indexColumns.insert(m_columns[pkColumn].toCaseFolded(), pkColumn);
    }
    {
        Statement list(m_db.handle(),
                       QStringLiteral("SELECT name FROM pragma_index_list(?1) WHERE \"unique\" AND NOT partial"));
        list.bindAll({table});
        QStringList unique;
        while (list.step() == SQLITE_ROW)
            unique << list.value(0).toString();
        for (const QString& index : unique) {
            Statement info(m_db.handle(), QStringLiteral("SELECT name FROM pragma_index_info(?1)"));
            info.bindAll({index});
            QStringList parts;
            while (info.step() == SQLITE_ROW)
                parts << info.value(0).toString();
            if (parts.size() != 1)
                continue;
            const int column = columnIndex(parts[0]);
            if (column < 0)
                continue;
            if (!m_indexColumns.contains(index.toCaseFolded()))
                m_indexColumns.insert(index.toCaseFolded(), column);
            m_indexColumns.insert(m_columns[column].toCaseFolded(), column);
        }
    }

    for (const int column : std::as_const(m_indexColumns))
        if (std::find(m_uniqueColumns.begin(), m_uniqueColumns.end(), column) == m_uniqueColumns.end())
            m_uniqueColumns.push_back(column);
    m_columnTypes = types;

    m_quotedTable = quoteIdentifier(table);
    QStringList quoted;
    for (const QString& c : std::as_const(m_columns))
        quoted << quoteIdentifier(c);
    m_selectAll = QStringLiteral("SELECT rowid, %1 FROM %2").arg(quoted.join(QStringLiteral(", ")), m_quotedTable);
    m_wanted.assign(size_t(m_columns.size()), 0);

    // Opened as DAO opens a table: on its first row in the order rows were added.
    setIndex(QString());
}

int TableCursor::columnIndex(const QString& name) const
{
    // A loop reading the same field passes the same literal each time.
    if (name.constData() == m_lastName.constData() && name.size() == m_lastName.size())
        return m_lastColumn;
    const int column = lookUpColumn(name);
    m_lastName = name;
    m_lastColumn = column;
    return column;
}

int TableCursor::lookUpColumn(const QString& name) const
{
    const auto exact = m_columnByLowerName.constFind(name);
    if (exact != m_columnByLowerName.constEnd())
        return exact.value();
    return m_columnByLowerName.value(name.toCaseFolded(), -1);
}

int TableCursor::requireColumn(const QString& name) const
{
    const int c = columnIndex(name);
    if (c < 0)
        throw DbError(ErrUnknownField, QStringLiteral("Element in dieser Auflistung nicht gefunden: %1").arg(name));
    return c;
}

QVariant TableCursor::field(const QString& name) const
{
    settle();
    const int column = requireColumn(name);
    if (m_mode != Mode::None)
        return m_buffer[size_t(column)];
    if (m_place != Place::Row)
        throwNoCurrent();
    return currentValue(column);
}

long long TableCursor::recordCount()
{
    return m_db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(m_quotedTable)).toLongLong();
}

}  // namespace db
