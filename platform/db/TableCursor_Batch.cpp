// Reading rows: batches of the columns read so far, in rowid order or for the
// entries ahead in index order, and the whole row when a field needs it.
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

namespace {

// Opens a read transaction unless one is open; ends only its own.
class ReadTransaction {
public:
    explicit ReadTransaction(sqlite3* db) : m_db(db), m_own(sqlite3_get_autocommit(db) != 0)
    {
        if (m_own)
            m_own = sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~ReadTransaction()
    {
        if (m_own)
            sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    sqlite3* m_db;
    bool m_own;
};

}  // namespace

QString TableCursor::orderBy(bool ascending) const
{
    return ascending ? QStringLiteral(" ORDER BY rowid") : QStringLiteral(" ORDER BY rowid DESC");
}

QVariant TableCursor::variantOf(const Cell& cell, const std::string& bytes)
{
    switch (cell.type) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(cell.integer));
    case SQLITE_FLOAT:
        return QVariant(cell.real);
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(bytes.data() + cell.integer, cell.size));
    case SQLITE_BLOB:
        return QVariant(QByteArray(bytes.data() + cell.integer, cell.size));
    default:
        return QVariant();
    }
}

QVariant TableCursor::cellValue(const Batch& batch, size_t row, int column) const
{
    return variantOf(batch.cells[row * size_t(batch.width) + size_t(batch.slot[size_t(column)])], batch.bytes);
}

long long TableCursor::currentRowid() const
{
    return ordered() ? m_order.entries[m_pos].rowid : m_batch.rowids[m_pos];
}

QVariant TableCursor::currentValue(int column) const
{
    if (!m_wanted[size_t(column)]) {
        m_wanted[size_t(column)] = 1;
        m_wantedChanged = true;
    }
    if (!ordered()) {
        if (m_batch.slot[size_t(column)] >= 0)
            return cellValue(m_batch, m_pos, column);
        return cellValue(wholeCurrentRow(), 0, column);
    }
    const Entry& entry = m_order.entries[m_pos];
    if (column == m_indexColumn)
        return variantOf(entry.key, m_order.bytes);
    if (batchHolds(m_pos) && m_batch.slot[size_t(column)] >= 0)
        return cellValue(m_batch, m_pos - m_batchFrom, column);
    return cellValue(wholeCurrentRow(), 0, column);
}

// The current row with every column; read once for all the fields that the
// batch does not hold.
const TableCursor::Batch& TableCursor::wholeCurrentRow() const
{
    const long long rowid = currentRowid();
    if (m_wholeRow.size() != 1 || m_wholeRow.rowids[0] != rowid || m_wholeRow.changes != m_db.totalChanges()) {
        if (!loadRow(rowid, m_wholeRow)) {
            m_wholeRow = Batch();
            throwNoCurrent();
        }
    }
    return m_wholeRow;
}

const QString& TableCursor::selectWanted() const
{
    if (m_wantedChanged) {
        m_wantedList.clear();
        QStringList quoted;
        for (int c = 0; c < m_columns.size(); ++c) {
            if (m_wanted[size_t(c)] || c == m_indexColumn) {
                m_wantedList.push_back(c);
                quoted << quoteIdentifier(m_columns[c]);
            }
        }
        m_selectWanted = QStringLiteral("SELECT rowid%1%2 FROM %3")
                             .arg(quoted.isEmpty() ? QString() : QStringLiteral(", "),
                                  quoted.join(QStringLiteral(", ")), m_quotedTable);
        m_wantedChanged = false;
    }
    return m_selectWanted;
}

void TableCursor::startBatch(Batch& batch, bool allColumns) const
{
    batch.rowids.clear();
    batch.cells.clear();
    batch.bytes.clear();
    batch.slot.assign(size_t(m_columns.size()), -1);
    batch.width = 0;
    if (allColumns) {
        for (int c = 0; c < m_columns.size(); ++c)
            batch.slot[size_t(c)] = batch.width++;
    } else {
        selectWanted();
        for (int c : m_wantedList)
            batch.slot[size_t(c)] = batch.width++;
    }
    batch.forward = true;
    batch.complete = false;
    batch.changes = m_db.totalChanges();
}

TableCursor::Anchor TableCursor::currentAnchor() const
{
    return Anchor{m_batch.rowids[m_pos]};
}

TableCursor::Cell TableCursor::readCell(sqlite3_value* v, std::string& bytes)
{
    Cell cell;
    cell.type = sqlite3_value_type(v);
    switch (cell.type) {
    case SQLITE_INTEGER:
        cell.integer = sqlite3_value_int64(v);
        break;
    case SQLITE_FLOAT:
        cell.real = sqlite3_value_double(v);
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const void* data =
            cell.type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_value_text(v)) : sqlite3_value_blob(v);
        cell.size = sqlite3_value_bytes(v);
        cell.integer = qint64(bytes.size());
        if (cell.size > 0)
            bytes.append(static_cast<const char*>(data), size_t(cell.size));
        break;
    }
    default:
        break;
    }
    return cell;
}

void TableCursor::appendRow(sqlite3_stmt* s, Batch& into)
{
    into.rowids.push_back(sqlite3_column_int64(s, 0));
    for (int c = 1; c <= into.width; ++c)
        into.cells.push_back(readCell(sqlite3_column_value(s, c), into.bytes));
}

int TableCursor::readRows(const QString& sql, const QVariantList& params, Batch& into) const
{
    Statement st(m_db.handle(), sql);
    st.bindAll(params);
    int count = 0;
    while (st.step() == SQLITE_ROW) {
        appendRow(st.get(), into);
        ++count;
    }
    return count;
}

// Without an index: reads the rows that follow `after` (or from the very
// start) in the read direction.
bool TableCursor::fetch(bool forward, const Anchor* after, int limit)
{
    // Reads into the spare buffers, whose memory stays from batch to batch.
    Batch& batch = m_spare;
    startBatch(batch, false);
    batch.forward = forward;
    const QString& select = selectWanted();
    const QString order = orderBy(forward);
    const QString limitClause = QStringLiteral(" LIMIT ?");
    int read = 0;
    if (!after) {
        read = readRows(select + order + limitClause, {limit}, batch);
    } else {
        const QString where = forward ? QStringLiteral(" WHERE rowid > ?") : QStringLiteral(" WHERE rowid < ?");
        read = readRows(select + where + order + limitClause, {after->rowid, limit}, batch);
    }
    batch.complete = read < limit;
    if (read == 0)
        return false;
    std::swap(m_batch, m_spare);
    m_pos = 0;
    m_place = Place::Row;
    return true;
}

bool TableCursor::fetchEnd(bool first, int limit)
{
    m_nextBatchRows = FirstBatchRows;
    return fetch(first, nullptr, limit);
}

bool TableCursor::loadRow(long long rowid, Batch& into) const
{
    startBatch(into, true);
    return readRows(m_selectAll + QStringLiteral(" WHERE rowid = ?"), {rowid}, into) > 0;
}

bool TableCursor::batchStale() const
{
    return m_db.totalChanges() != m_batch.changes;
}

// Reads the columns read so far for the rows ahead, unless only the key is
// wanted (the snapshot holds it).
void TableCursor::coverCurrent(bool forward, size_t rows)
{
    if (m_place != Place::Row)
        return;
    selectWanted();
    if (m_wantedList.size() <= 1)
        return;
    if (batchHolds(m_pos) && !batchStale())
        return;
    const size_t count = m_order.entries.size();
    size_t n = rows;
    if (n == 0) {
        n = size_t(m_nextBatchRows);
        m_nextBatchRows = std::min(m_nextBatchRows * 2, MaxBatchRows);
    }
    const size_t from = forward ? m_pos : (m_pos + 1 >= n ? m_pos + 1 - n : 0);
    const size_t to = forward ? std::min(count, m_pos + n) : m_pos + 1;
    // One lookup by rowid each: the rows lie anywhere in the table. A row that
    // another program deleted is left empty and read as missing. One read
    // transaction for them all spares each lookup taking the file's lock.
    m_batchGeneration = -1;  // until the batch is whole
    startBatch(m_batch, false);
    const ReadTransaction reading(m_db.handle());
    Statement st(m_db.handle(), selectWanted() + QStringLiteral(" WHERE rowid = ?"));
    for (size_t i = from; i < to; ++i) {
        sqlite3_bind_int64(st.get(), 1, m_order.entries[i].rowid);
        if (st.step() == SQLITE_ROW) {
            appendRow(st.get(), m_batch);
        } else {
            m_batch.rowids.push_back(0);
            m_batch.cells.resize(m_batch.cells.size() + size_t(m_batch.width));
        }
        sqlite3_reset(st.get());
    }
    m_batchFrom = from;
    m_batchGeneration = m_order.generation;
}

bool TableCursor::batchHolds(size_t entry) const
{
    return m_batchGeneration == m_order.generation && entry >= m_batchFrom && entry - m_batchFrom < m_batch.size() &&
           m_batch.rowids[entry - m_batchFrom] == m_order.entries[entry].rowid;
}

}  // namespace db
