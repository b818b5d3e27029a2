#include "platform/db/TableCursor.h"

#include "platform/db/Database.h"
#include "platform/db/Statement.h"

#include <sqlite3.h>

#include <algorithm>
#include <utility>

namespace db {

using detail::quoteIdentifier;
using detail::Statement;

namespace {

constexpr int FirstBatchRows = 256;
constexpr int MaxBatchRows = 2048;

[[noreturn]] void throwNoCurrent()
{
    throw DbError(ErrNoCurrentRecord, QStringLiteral("Kein aktueller Datensatz."));
}

}  // namespace

TableCursor::TableCursor(Database& db, const QString& table) : m_db(db), m_table(table)
{
    int pkColumn = -1;
    int pkCount = 0;
    {
        Statement st(m_db.handle(), QStringLiteral("SELECT name, pk FROM pragma_table_info(?1) ORDER BY cid"));
        st.bindAll({table});
        while (st.step() == SQLITE_ROW) {
            const QString name = st.value(0).toString();
            if (st.value(1).toLongLong() > 0) {
                pkColumn = int(m_columns.size());
                ++pkCount;
            }
            m_columns << name;
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
    const QLatin1String direction = ascending ? QLatin1String("") : QLatin1String(" DESC");
    if (m_indexColumn < 0)
        return QStringLiteral(" ORDER BY rowid") + direction;
    const QString column = quoteIdentifier(m_columns[m_indexColumn]);
    return QStringLiteral(" ORDER BY ") + column + direction + QStringLiteral(", rowid") + direction;
}

QVariant TableCursor::cellValue(const Batch& batch, size_t row, int column) const
{
    const Cell& cell = batch.cells[row * size_t(batch.width) + size_t(batch.slot[size_t(column)])];
    switch (cell.type) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(cell.integer));
    case SQLITE_FLOAT:
        return QVariant(cell.real);
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(batch.bytes.data() + cell.integer, cell.size));
    case SQLITE_BLOB:
        return QVariant(QByteArray(batch.bytes.data() + cell.integer, cell.size));
    default:
        return QVariant();
    }
}

QVariant TableCursor::currentValue(int column) const
{
    if (!m_wanted[size_t(column)]) {
        m_wanted[size_t(column)] = 1;
        m_wantedChanged = true;
    }
    if (m_batch.slot[size_t(column)] >= 0)
        return cellValue(m_batch, m_pos, column);
    return cellValue(wholeCurrentRow(), 0, column);
}

// The current row with every column; read once for all the fields that the
// batch does not hold.
const TableCursor::Batch& TableCursor::wholeCurrentRow() const
{
    const long long rowid = m_batch.rowids[m_pos];
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
    Anchor anchor;
    anchor.rowid = m_batch.rowids[m_pos];
    if (m_indexColumn >= 0)
        anchor.key = cellValue(m_batch, m_pos, m_indexColumn);
    return anchor;
}

int TableCursor::readRows(const QString& sql, const QVariantList& params, Batch& into) const
{
    Statement st(m_db.handle(), sql);
    st.bindAll(params);
    sqlite3_stmt* s = st.get();
    const int columns = into.width;
    int count = 0;
    while (st.step() == SQLITE_ROW) {
        into.rowids.push_back(sqlite3_column_int64(s, 0));
        for (int c = 1; c <= columns; ++c) {
            sqlite3_value* v = sqlite3_column_value(s, c);
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
                cell.integer = qint64(into.bytes.size());
                if (cell.size > 0)
                    into.bytes.append(static_cast<const char*>(data), size_t(cell.size));
                break;
            }
            default:
                break;
            }
            into.cells.push_back(cell);
        }
        ++count;
    }
    return count;
}

// Reads the rows that follow `after` (or from the very start) in the read
// direction. Rows with a Null key come first in ascending order; the row value
// comparison leaves them out, so they are read in a part of their own.
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
    } else if (m_indexColumn < 0) {
        const QString where = forward ? QStringLiteral(" WHERE rowid > ?") : QStringLiteral(" WHERE rowid < ?");
        read = readRows(select + where + order + limitClause, {after->rowid, limit}, batch);
    } else {
        const QString column = quoteIdentifier(m_columns[m_indexColumn]);
        const QString nullRowids = QStringLiteral(" ORDER BY rowid") + (forward ? QString() : QStringLiteral(" DESC"));
        if (after->key.isNull()) {
            const QString where =
                QStringLiteral(" WHERE ") + column +
                (forward ? QStringLiteral(" IS NULL AND rowid > ?") : QStringLiteral(" IS NULL AND rowid < ?"));
            read = readRows(select + where + nullRowids + limitClause, {after->rowid, limit}, batch);
            if (forward && read < limit)
                read += readRows(
                    select + QStringLiteral(" WHERE ") + column + QStringLiteral(" IS NOT NULL") + order + limitClause,
                    {limit - read}, batch);
        } else {
            // Index columns are unique, so a key that is not Null has no ties.
            const QString where = QStringLiteral(" WHERE ") + column +
                                  (forward ? QStringLiteral(" > ?") : QStringLiteral(" < ?"));
            read = readRows(select + where + order + limitClause, {after->key, limit}, batch);
            if (!forward && read < limit)
                read += readRows(
                    select + QStringLiteral(" WHERE ") + column + QStringLiteral(" IS NULL") + nullRowids + limitClause,
                    {limit - read}, batch);
        }
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
    m_indexColumn = column;
    m_wantedChanged = true;
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
    bool ascending = true;
    Place missing = Place::Gap;
    if (op == QLatin1String("=")) {
    } else if (op == QLatin1String("<") || op == QLatin1String("<=")) {
        ascending = false;
        missing = Place::BeforeFirst;
    } else if (op == QLatin1String(">") || op == QLatin1String(">=")) {
        missing = Place::AfterLast;
    } else {
        throw DbError(SQLITE_MISUSE, QStringLiteral("Ungültiger Vergleich für Seek: '%1'").arg(op));
    }
    endEdit();
    // The comparison takes the column's declared collation, as the order does.
    Batch batch;
    startBatch(batch, false);
    batch.forward = ascending;
    const QString sql = selectWanted() + QStringLiteral(" WHERE ") + quoteIdentifier(m_columns[m_indexColumn]) +
                        QLatin1Char(' ') + op + QStringLiteral(" ?") + orderBy(ascending) + QStringLiteral(" LIMIT 1");
    m_nextBatchRows = FirstBatchRows;
    if (readRows(sql, {key}, batch) > 0) {
        m_batch = std::move(batch);
        m_pos = 0;
        m_place = Place::Row;
        m_noMatch = false;
        m_bof = m_eof = false;
        return;
    }
    m_noMatch = true;
    m_place = missing;
    m_gap = Anchor{key, 0};
    m_bof = m_eof = false;
}

void TableCursor::moveFirst()
{
    endEdit();
    if (fetchEnd(true, FirstBatchRows)) {
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
    if (fetchEnd(false, FirstBatchRows)) {
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
    if (next ? m_eof : m_bof)
        throwNoCurrent();
    endEdit();
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
    if (m_place != Place::Row)
        throwNoCurrent();
    // Reading the whole row for the buffer adds no column to later batches.
    const bool inBatch = m_batch.width == int(m_columns.size());
    const Batch& source = inBatch ? m_batch : wholeCurrentRow();
    const size_t row = inBatch ? m_pos : 0;
    std::vector<QVariant> values;
    values.reserve(size_t(m_columns.size()));
    for (int c = 0; c < m_columns.size(); ++c)
        values.push_back(cellValue(source, row, c));
    m_mode = Mode::Edit;
    m_buffer = std::move(values);
    m_touched.assign(size_t(m_columns.size()), false);
    m_editRowid = m_batch.rowids[m_pos];
}

void TableCursor::update()
{
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

    if (m_mode == Mode::AddNew) {
        // Only the fields that were set, so that the columns' defaults apply.
        QString sql;
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_quotedTable);
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(m_quotedTable, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
        m_db.execute(sql, values);
        m_lastModified = m_db.lastInsertRowid();
        m_mode = Mode::None;
        return;
    }

    if (!names.isEmpty()) {
        QStringList sets;
        for (const QString& n : std::as_const(names))
            sets << n + QStringLiteral(" = ?");
        values << m_editRowid;
        m_db.execute(
            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(m_quotedTable, sets.join(QStringLiteral(", "))),
            values);
    }
    m_lastModified = m_editRowid;
    m_mode = Mode::None;
    // The edited row stays current, wherever its key has moved it to.
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
    if (m_place != Place::Row)
        throwNoCurrent();
    endEdit();
    const Anchor anchor = currentAnchor();
    m_db.execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(m_quotedTable), {anchor.rowid});
    // The next move starts from where the deleted row stood.
    m_place = Place::Gap;
    m_gap = anchor;
}

long long TableCursor::recordCount()
{
    return m_db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(m_quotedTable)).toLongLong();
}

long long TableCursor::bookmark() const
{
    if (m_place != Place::Row)
        throwNoCurrent();
    return m_batch.rowids[m_pos];
}

void TableCursor::setBookmark(long long rowid)
{
    Batch batch;
    if (!loadRow(rowid, batch))
        throwNoCurrent();
    endEdit();
    m_batch = std::move(batch);
    m_pos = 0;
    m_place = Place::Row;
    m_bof = m_eof = false;
    m_nextBatchRows = FirstBatchRows;
}

}  // namespace db
