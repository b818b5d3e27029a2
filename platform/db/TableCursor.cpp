#include "platform/db/TableCursor.h"

#include "platform/db/Database.h"
#include "platform/db/SqlFunctions.h"
#include "platform/db/Statement.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

namespace db {

using detail::quoteIdentifier;
using detail::Statement;

namespace {

constexpr int FirstBatchRows = 256;
constexpr int MaxBatchRows = 2048;
// A move looks for other programs' commits (a statement) after this many
// moves or this much time since the last look: a scan pays little, and a move
// by hand always looks.
constexpr int MovesPerCheck = 256;
constexpr qint64 MsPerCheck = 10;
constexpr size_t NoEntry = size_t(-1);

template <class Entries>
size_t firstKeyed(const Entries& entries)
{
    return size_t(std::partition_point(entries.begin(), entries.end(),
                                       [](const auto& e) { return e.key.type == SQLITE_NULL; }) -
                  entries.begin());
}

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

int typeRank(int type)
{
    switch (type) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return 1;
    case SQLITE_TEXT:
        return 2;
    default:
        return 3;
    }
}

// SQLite's order of values, with texts in the German order: Null, numbers,
// texts, blobs.
template <class CellT>
int compareCells(const CellT& a, const char* bytesA, const CellT& b, const char* bytesB)
{
    const int ra = typeRank(a.type);
    const int rb = typeRank(b.type);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    switch (ra) {
    case 0:
        return 0;
    case 1: {
        if (a.type == SQLITE_INTEGER && b.type == SQLITE_INTEGER)
            return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
        const double x = a.type == SQLITE_INTEGER ? double(a.integer) : a.real;
        const double y = b.type == SQLITE_INTEGER ? double(b.integer) : b.real;
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 2:
        return germanCompareUtf8(bytesA + a.integer, a.size, bytesB + b.integer, b.size);
    default: {
        const int n = std::min(a.size, b.size);
        if (const int r = n > 0 ? std::memcmp(bytesA + a.integer, bytesB + b.integer, size_t(n)) : 0)
            return r < 0 ? -1 : 1;
        return a.size < b.size ? -1 : (a.size > b.size ? 1 : 0);
    }
    }
}

bool textAffinity(const QString& declaredType)
{
    const QString t = declaredType.toUpper();
    return !t.contains(QLatin1String("INT"))
           && (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")));
}

[[noreturn]] void throwNoCurrent()
{
    throw DbError(ErrNoCurrentRecord, QStringLiteral("Kein aktueller Datensatz."));
}

}  // namespace

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

void TableCursor::endEdit()
{
    m_mode = Mode::None;
}

// ---- Index order ----

TableCursor::Stamp TableCursor::stampNow(bool withDataVersion)
{
    Stamp stamp{m_db.totalChanges(), m_db.rollbacks(), m_order.stamp.dataVersion};
    if (withDataVersion) {
        stamp.dataVersion = m_db.dataVersion();
        m_movesUnchecked = 0;
        m_sinceCheck.start();
    }
    return stamp;
}

bool TableCursor::orderFresh(bool full)
{
    return m_order.built && stampNow(full) == m_order.stamp;
}

// Reads the snapshot again when the file changed since it was read, and
// finds the cursor's place in the new one.
void TableCursor::refreshOrder(bool full)
{
    if (orderFresh(full || ++m_movesUnchecked >= MovesPerCheck || m_sinceCheck.hasExpired(MsPerCheck)))
        return;
    const bool had = m_order.built;
    const Spot where = had ? spot() : Spot{};
    // The data version read before the rows: a commit in between shows next time.
    buildOrder(stampNow(true));
    if (had)
        goTo(where);
}

void TableCursor::buildOrder(const Stamp& stamp)
{
    // Read aside, so that a failed read leaves the old order and place intact.
    Order o;
    o.generation = m_order.generation + 1;
    Statement st(m_db.handle(), QStringLiteral("SELECT rowid, %1 FROM %2")
                                    .arg(quoteIdentifier(m_columns[m_indexColumn]), m_quotedTable));
    st.bindAll({});
    while (st.step() == SQLITE_ROW)
        o.entries.push_back(Entry{sqlite3_column_int64(st.get(), 0), readCell(sqlite3_column_value(st.get(), 1), o.bytes)});
    const char* bytes = o.bytes.data();
    std::sort(o.entries.begin(), o.entries.end(), [bytes](const Entry& a, const Entry& b) {
        const int c = compareCells(a.key, bytes, b.key, bytes);
        return c != 0 ? c < 0 : a.rowid < b.rowid;
    });
    o.firstKey = firstKeyed(o.entries);
    o.stamp = stamp;
    o.built = true;
    m_order = std::move(o);
}

TableCursor::Key TableCursor::keyAt(size_t entry) const
{
    Key key{m_order.entries[entry].key, std::string()};
    if (key.cell.type == SQLITE_TEXT || key.cell.type == SQLITE_BLOB) {
        key.bytes.assign(m_order.bytes.data() + key.cell.integer, size_t(key.cell.size));
        key.cell.integer = 0;
    }
    return key;
}

// A seek key as SQLite compares it with the column: a number sought in a
// text column is compared as its text.
TableCursor::Key TableCursor::keyFrom(const QVariant& value) const
{
    Key key;
    const auto text = [&key](const QByteArray& utf8, int type) {
        key.cell.type = type;
        key.bytes.assign(utf8.constData(), size_t(utf8.size()));
        key.cell.size = int(utf8.size());
    };
    switch (detail::bindingOf(value)) {
    case detail::Binding::Null:
        break;
    case detail::Binding::Integer:
        if (m_textKey) {
            text(QByteArray::number(value.toLongLong()), SQLITE_TEXT);
        } else {
            key.cell.type = SQLITE_INTEGER;
            key.cell.integer = value.toLongLong();
        }
        break;
    case detail::Binding::Real:
        if (m_textKey) {
            char* rendered = sqlite3_mprintf("%!.15g", value.toDouble());
            text(QByteArray(rendered), SQLITE_TEXT);
            sqlite3_free(rendered);
        } else {
            key.cell.type = SQLITE_FLOAT;
            key.cell.real = value.toDouble();
        }
        break;
    case detail::Binding::Blob:
        text(value.toByteArray(), SQLITE_BLOB);
        break;
    case detail::Binding::Text:
        text(detail::textOf(value).toUtf8(), SQLITE_TEXT);
        break;
    }
    return key;
}

// The first entry not before (key, rowid).
size_t TableCursor::lowerBound(const Cell& key, const char* bytes, long long rowid) const
{
    const char* own = m_order.bytes.data();
    const auto found = std::lower_bound(m_order.entries.begin(), m_order.entries.end(), 0,
                                        [&](const Entry& e, int) {
                                            const int c = compareCells(e.key, own, key, bytes);
                                            return c != 0 ? c < 0 : e.rowid < rowid;
                                        });
    return size_t(found - m_order.entries.begin());
}

// Among the keyed entries: the first whose key is not less than `key`, or
// (upper) the first whose key is greater.
size_t TableCursor::keyBound(const Key& key, bool upper) const
{
    const char* own = m_order.bytes.data();
    const char* bytes = key.bytes.data();
    const auto begin = m_order.entries.begin() + std::ptrdiff_t(m_order.firstKey);
    const auto found = std::partition_point(begin, m_order.entries.end(), [&](const Entry& e) {
        const int c = compareCells(e.key, own, key.cell, bytes);
        return upper ? c <= 0 : c < 0;
    });
    return size_t(found - m_order.entries.begin());
}

TableCursor::Spot TableCursor::spot() const
{
    Spot where;
    where.place = m_place;
    if (m_place == Place::Row) {
        where.key = keyAt(m_pos);
        where.rowid = m_order.entries[m_pos].rowid;
    } else if (m_place == Place::Gap) {
        where.key = m_gapKey;
        where.rowid = m_gapRowid;
    }
    return where;
}

// Puts the cursor where `where` stood; a row that is gone leaves a gap there.
void TableCursor::goTo(const Spot& where)
{
    m_place = where.place;
    if (where.place == Place::Row) {
        const size_t i = lowerBound(where.key.cell, where.key.bytes.data(), where.rowid);
        if (i < m_order.entries.size() && m_order.entries[i].rowid == where.rowid) {
            m_pos = i;
            return;
        }
        m_place = Place::Gap;
    }
    if (m_place == Place::Gap) {
        m_gapKey = where.key;
        m_gapRowid = where.rowid;
    }
}

void TableCursor::placeOrdered(size_t entry)
{
    m_pos = entry;
    m_place = Place::Row;
    m_bof = m_eof = false;
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

void TableCursor::stepOrdered(bool next)
{
    refreshOrder(false);
    const size_t count = m_order.entries.size();
    size_t entry = count;  // none
    switch (m_place) {
    case Place::Row:
        if (next ? m_pos + 1 < count : m_pos > 0)
            entry = next ? m_pos + 1 : m_pos - 1;
        break;
    case Place::Gap: {
        const size_t i = lowerBound(m_gapKey.cell, m_gapKey.bytes.data(), m_gapRowid);
        if (next) {
            entry = i < count && m_order.entries[i].rowid == m_gapRowid ? i + 1 : i;
        } else if (i > 0) {
            entry = i - 1;
        }
        break;
    }
    case Place::BeforeFirst:
        entry = next ? 0 : count;
        break;
    case Place::AfterLast:
        entry = !next && count > 0 ? count - 1 : count;
        break;
    }
    if (entry >= count) {
        reachEnd(next);
        return;
    }
    placeOrdered(entry);
    coverCurrent(next);
}

void TableCursor::seekOrdered(const QString& op, const Key& key, Place missing)
{
    refreshOrder(true);
    m_firstPending = false;
    // Null equals nothing, and a Null key is never found.
    size_t entry = m_order.entries.size();
    if (key.cell.type != SQLITE_NULL) {
        if (op == QLatin1String("=")) {
            const size_t i = keyBound(key, false);
            if (i < m_order.entries.size() &&
                compareCells(m_order.entries[i].key, m_order.bytes.data(), key.cell, key.bytes.data()) == 0)
                entry = i;
        } else if (op == QLatin1String(">=") || op == QLatin1String(">")) {
            entry = keyBound(key, op == QLatin1String(">"));
        } else {
            const size_t i = keyBound(key, op == QLatin1String("<="));
            if (i > m_order.firstKey)
                entry = i - 1;
        }
    }
    m_nextBatchRows = FirstBatchRows;
    if (entry < m_order.entries.size()) {
        placeOrdered(entry);
        m_noMatch = false;
        // Lookups read the row found and seldom move on from it.
        coverCurrent(missing != Place::BeforeFirst, 1);
        return;
    }
    m_noMatch = true;
    m_place = missing;
    m_gapKey = key;
    m_gapRowid = LLONG_MIN;
    m_bof = m_eof = false;
}

bool TableCursor::orderHasDuplicate(const Key& key, long long exceptRowid) const
{
    for (size_t i = keyBound(key, false); i < m_order.entries.size(); ++i) {
        const Entry& e = m_order.entries[i];
        if (compareCells(e.key, m_order.bytes.data(), key.cell, key.bytes.data()) != 0)
            return false;
        if (e.rowid != exceptRowid)
            return true;
    }
    return false;
}

// The German duplicate check of every unique column that the write sets to a
// text; from the snapshot when it is current, else by a scan of the table.
void TableCursor::refuseDuplicates(bool patchable)
{
    const long long except = m_mode == Mode::Edit ? m_editRowid : 0;
    for (const int column : m_uniqueColumns) {
        const QVariant& value = m_buffer[size_t(column)];
        if (!m_touched[size_t(column)] || value.typeId() != QMetaType::QString || value.isNull())
            continue;
        bool duplicate = false;
        if (patchable && column == m_indexColumn)
            duplicate = orderHasDuplicate(keyFrom(value), except);
        else
            duplicate = m_db.hasGermanDuplicate(m_table, m_columns[column], value, except);
        if (duplicate)
            throw keyViolation(m_table, m_columns[column], column == m_pkColumn);
    }
}

// Puts this cursor's own write into the snapshot: the row leaves its old place
// and, unless deleted, takes the place of its key as now stored.
size_t TableCursor::patchOrder(long long rowid, bool removed, const Spot& after)
{
    Order& o = m_order;
    // Stale until the patch is whole.
    o.stamp.changes = -1;
    size_t old = o.entries.size();
    if (m_place == Place::Row && m_pos < o.entries.size() && o.entries[m_pos].rowid == rowid)
        old = m_pos;
    else
        old = size_t(std::find_if(o.entries.begin(), o.entries.end(), [rowid](const Entry& e) { return e.rowid == rowid; }) -
                     o.entries.begin());
    if (old < o.entries.size())
        o.entries.erase(o.entries.begin() + std::ptrdiff_t(old));
    // The place is taken before the entries move, then found again.
    size_t inserted = NoEntry;
    if (!removed) {
        Batch row;
        if (!loadRow(rowid, row))
            return NoEntry;
        Entry e{rowid, row.cells[size_t(row.slot[size_t(m_indexColumn)])]};
        if (e.key.type == SQLITE_TEXT || e.key.type == SQLITE_BLOB) {
            const long long offset = qint64(o.bytes.size());
            o.bytes.append(row.bytes.data() + e.key.integer, size_t(e.key.size));
            e.key.integer = offset;
        }
        inserted = lowerBound(e.key, o.bytes.data(), rowid);
        o.entries.insert(o.entries.begin() + std::ptrdiff_t(inserted), e);
    }
    o.firstKey = firstKeyed(o.entries);
    o.stamp.changes = m_db.totalChanges();
    ++o.generation;
    goTo(after);
    return inserted;
}

// ---- Positioning ----

void TableCursor::settle()
{
    if (!m_firstPending)
        return;
    refreshOrder(true);
    m_firstPending = false;
    if (m_order.entries.empty()) {
        m_place = Place::BeforeFirst;
        m_bof = m_eof = true;
        return;
    }
    placeOrdered(0);
    coverCurrent(true);
}

// Cursors are never const objects: the const readers only see them through const references.
void TableCursor::settle() const
{
    const_cast<TableCursor*>(this)->settle();
}

void TableCursor::setIndex(const QString& name)
{
    int column = -1;
    if (!name.isEmpty()) {
        const auto found = m_indexColumns.constFind(name.toCaseFolded());
        if (found == m_indexColumns.constEnd())
            throw DbError(ErrUnknownIndex, QStringLiteral("'%1' ist kein Index der Tabelle '%2'.").arg(name, m_table));
        column = found.value();
    }
    endEdit();
    m_indexName = name;
    if (column != m_indexColumn) {
        m_order = Order();
        m_batchGeneration = -1;
    }
    m_indexColumn = column;
    m_textKey = column >= 0 && textAffinity(m_columnTypes[column]);
    m_wantedChanged = true;
    m_firstPending = false;
    if (ordered()) {
        m_place = Place::BeforeFirst;
        m_nextBatchRows = FirstBatchRows;
        if (orderFresh(true)) {
            if (!m_order.entries.empty()) {
                placeOrdered(0);
                coverCurrent(true);
            } else {
                m_bof = m_eof = true;
            }
            return;
        }
        // Sorting every key is the dear part; it waits for the first use.
        m_order.built = false;
        if (m_db.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1)").arg(m_quotedTable)).toBool()) {
            m_firstPending = true;
            m_bof = m_eof = false;
        } else {
            m_bof = m_eof = true;
        }
        return;
    }
    // Lookups set the index right before a seek, so one row is enough here.
    if (fetchEnd(true, 1)) {
        m_bof = m_eof = false;
    } else {
        m_place = Place::BeforeFirst;
        m_bof = m_eof = true;
    }
}

void TableCursor::seek(const QString& op, const QVariant& key)
{
    if (m_indexColumn < 0)
        throw DbError(ErrUnknownIndex, QStringLiteral("Für diese Operation ist kein aktueller Index gesetzt."));
    Place missing = Place::Gap;
    if (op == QLatin1String("=")) {
    } else if (op == QLatin1String("<") || op == QLatin1String("<=")) {
        missing = Place::BeforeFirst;
    } else if (op == QLatin1String(">") || op == QLatin1String(">=")) {
        missing = Place::AfterLast;
    } else {
        throw DbError(SQLITE_MISUSE, QStringLiteral("Ungültiger Vergleich für Seek: '%1'").arg(op));
    }
    endEdit();
    seekOrdered(op, keyFrom(key), missing);
}

void TableCursor::moveFirst()
{
    endEdit();
    if (ordered()) {
        refreshOrder(true);
        m_firstPending = false;
        m_nextBatchRows = FirstBatchRows;
        if (!m_order.entries.empty()) {
            placeOrdered(0);
            coverCurrent(true);
            return;
        }
    } else if (fetchEnd(true, FirstBatchRows)) {
        m_bof = m_eof = false;
        return;
    }
    m_place = Place::BeforeFirst;
    m_bof = m_eof = true;
    throwNoCurrent();
}

void TableCursor::moveLast()
{
    endEdit();
    if (ordered()) {
        refreshOrder(true);
        m_firstPending = false;
        m_nextBatchRows = FirstBatchRows;
        if (!m_order.entries.empty()) {
            placeOrdered(m_order.entries.size() - 1);
            coverCurrent(false);
            return;
        }
    } else if (fetchEnd(false, FirstBatchRows)) {
        m_bof = m_eof = false;
        return;
    }
    m_place = Place::AfterLast;
    m_bof = m_eof = true;
    throwNoCurrent();
}

void TableCursor::moveNext()
{
    step(true);
}

void TableCursor::movePrevious()
{
    step(false);
}

void TableCursor::reachEnd(bool next)
{
    m_place = next ? Place::AfterLast : Place::BeforeFirst;
    m_eof = next;
    m_bof = !next;
}

void TableCursor::step(bool next)
{
    settle();
    if (next ? m_eof : m_bof)
        throwNoCurrent();
    endEdit();
    if (ordered()) {
        stepOrdered(next);
        return;
    }
    if (m_place == Place::Row && !batchStale()) {
        if (next == m_batch.forward) {
            if (m_pos + 1 < m_batch.size()) {
                ++m_pos;
                return;
            }
            if (m_batch.complete) {
                reachEnd(next);
                return;
            }
        } else if (m_pos > 0) {
            --m_pos;
            return;
        }
    }

    const int limit = m_nextBatchRows;
    m_nextBatchRows = std::min(m_nextBatchRows * 2, MaxBatchRows);
    bool found = false;
    switch (m_place) {
    case Place::Row: {
        const Anchor anchor = currentAnchor();
        found = fetch(next, &anchor, limit);
        break;
    }
    case Place::Gap: {
        const Anchor anchor = m_gap;
        found = fetch(next, &anchor, limit);
        break;
    }
    case Place::BeforeFirst:
        found = next && fetch(true, nullptr, limit);
        break;
    case Place::AfterLast:
        found = !next && fetch(false, nullptr, limit);
        break;
    }
    if (found) {
        m_bof = m_eof = false;
        return;
    }
    reachEnd(next);
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

void TableCursor::setField(const QString& name, const QVariant& value)
{
    const int column = requireColumn(name);
    if (m_mode == Mode::None)
        throw DbError(ErrUpdateWithoutEdit, QStringLiteral("Aktualisieren ohne AddNew oder Edit."));
    m_buffer[size_t(column)] = value;
    m_touched[size_t(column)] = true;
}

void TableCursor::addNew()
{
    m_mode = Mode::AddNew;
    m_buffer.assign(size_t(m_columns.size()), QVariant());
    m_touched.assign(size_t(m_columns.size()), false);
    m_editRowid = 0;
}

void TableCursor::edit()
{
    settle();
    if (m_place != Place::Row)
        throwNoCurrent();
    // Reading the whole row for the buffer adds no column to later batches.
    const bool inBatch = !ordered() && m_batch.width == int(m_columns.size());
    const Batch& source = inBatch ? m_batch : wholeCurrentRow();
    const size_t row = inBatch ? m_pos : 0;
    std::vector<QVariant> values;
    values.reserve(size_t(m_columns.size()));
    for (int c = 0; c < m_columns.size(); ++c)
        values.push_back(cellValue(source, row, c));
    m_mode = Mode::Edit;
    m_buffer = std::move(values);
    m_touched.assign(size_t(m_columns.size()), false);
    m_editRowid = currentRowid();
}

void TableCursor::update()
{
    settle();
    if (m_mode == Mode::None)
        throw DbError(ErrUpdateWithoutEdit, QStringLiteral("Aktualisieren ohne AddNew oder Edit."));
    QStringList names;
    QVariantList values;
    for (int c = 0; c < m_columns.size(); ++c) {
        if (!m_touched[size_t(c)])
            continue;
        names << quoteIdentifier(m_columns[c]);
        values << m_buffer[size_t(c)];
    }
    const bool adding = m_mode == Mode::AddNew;
    if (!adding && names.isEmpty()) {
        m_lastModified = m_editRowid;
        m_mode = Mode::None;
        if (!ordered())
            reloadEdited();
        return;
    }

    QString sql;
    if (adding && names.isEmpty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_quotedTable);
    } else if (adding) {
        // Only the fields that were set, so that the columns' defaults apply.
        QStringList marks;
        for (qsizetype i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(m_quotedTable, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    } else {
        QStringList sets;
        for (const QString& n : std::as_const(names))
            sets << n + QStringLiteral(" = ?");
        values << m_editRowid;
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(m_quotedTable, sets.join(QStringLiteral(", ")));
    }

    // The check and the write in one transaction, so that no other program
    // writes the duplicate in between.
    Database::Transaction transaction(m_db, Database::Join::Open);
    const bool patchable = ordered() && orderFresh(true);
    refuseDuplicates(patchable);
    const Stamp before = m_order.stamp;
    m_db.execute(sql, values);
    const long long rowid = adding ? m_db.lastInsertRowid() : m_editRowid;
    transaction.commit();
    m_lastModified = rowid;
    m_mode = Mode::None;

    if (ordered()) {
        // After AddNew the current row stays where it was; an edited row stays
        // current, wherever its key has moved it to.
        const Spot where = spot();
        size_t entry = NoEntry;
        if (patchable && m_db.totalChanges() == before.changes + 1 && m_db.rollbacks() == before.rollbacks) {
            entry = patchOrder(rowid, false, where);
        } else {
            m_order.stamp.changes = -1;
            refreshOrder(false);
        }
        if (adding)
            return;
        m_nextBatchRows = FirstBatchRows;
        if (entry != NoEntry) {
            placeOrdered(entry);
            coverCurrent(true);
        } else {
            try {
                setBookmark(rowid);
            } catch (const DbError&) {
                m_place = Place::BeforeFirst;
            }
        }
        return;
    }
    if (!adding)
        reloadEdited();
}

// Without an index: the edited row stays current, read afresh.
void TableCursor::reloadEdited()
{
    Batch batch;
    if (loadRow(m_editRowid, batch)) {
        m_batch = std::move(batch);
        m_pos = 0;
        m_place = Place::Row;
        m_bof = m_eof = false;
    } else {
        m_place = Place::BeforeFirst;
    }
    m_nextBatchRows = FirstBatchRows;
}

void TableCursor::cancelUpdate()
{
    if (m_mode == Mode::None)
        throw DbError(ErrUpdateWithoutEdit, QStringLiteral("Aktualisieren ohne AddNew oder Edit."));
    m_mode = Mode::None;
}

void TableCursor::deleteCurrent()
{
    settle();
    if (m_place != Place::Row)
        throwNoCurrent();
    endEdit();
    const long long rowid = currentRowid();
    if (!ordered()) {
        m_db.execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(m_quotedTable), {rowid});
        // The next move starts from where the deleted row stood.
        m_place = Place::Gap;
        m_gap = Anchor{rowid};
        return;
    }
    const bool patchable = orderFresh(true);
    const Stamp before = m_order.stamp;
    Spot gap = spot();
    gap.place = Place::Gap;
    m_db.execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(m_quotedTable), {rowid});
    if (patchable && m_db.totalChanges() == before.changes + 1 && m_db.rollbacks() == before.rollbacks) {
        patchOrder(rowid, true, gap);
    } else {
        goTo(gap);
        m_order.stamp.changes = -1;
    }
}

long long TableCursor::recordCount()
{
    return m_db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(m_quotedTable)).toLongLong();
}

long long TableCursor::bookmark() const
{
    settle();
    if (m_place != Place::Row)
        throwNoCurrent();
    return currentRowid();
}

void TableCursor::setBookmark(long long rowid)
{
    Batch batch;
    if (!loadRow(rowid, batch))
        throwNoCurrent();
    endEdit();
    m_nextBatchRows = FirstBatchRows;
    if (ordered()) {
        refreshOrder(false);
        m_firstPending = false;
        const Cell& key = batch.cells[size_t(batch.slot[size_t(m_indexColumn)])];
        const size_t i = lowerBound(key, batch.bytes.data(), rowid);
        if (i >= m_order.entries.size() || m_order.entries[i].rowid != rowid) {
            // Written by another program since the snapshot was read.
            refreshOrder(true);
            const size_t again = lowerBound(key, batch.bytes.data(), rowid);
            if (again >= m_order.entries.size() || m_order.entries[again].rowid != rowid)
                throwNoCurrent();
            placeOrdered(again);
        } else {
            placeOrdered(i);
        }
        coverCurrent(true);
        return;
    }
    m_batch = std::move(batch);
    m_pos = 0;
    m_place = Place::Row;
    m_bof = m_eof = false;
}

}  // namespace db
