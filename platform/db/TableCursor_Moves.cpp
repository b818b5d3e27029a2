// Seek, the moves, and the place they leave the cursor on.
#include "platform/db/TableCursor.h"

#include "platform/db/Database.h"
#include "platform/db/TableCursor_Internal.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <utility>

namespace db {

using namespace cursor;

namespace {

bool textAffinity(const QString& declaredType)
{
    const QString t = declaredType.toUpper();
    return !t.contains(QLatin1String("INT"))
           && (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")));
}

}  // namespace

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

void TableCursor::moveFirst()
{
    moveToEnd(true);
}

void TableCursor::moveLast()
{
    moveToEnd(false);
}

void TableCursor::moveToEnd(bool first)
{
    endEdit();
    if (ordered()) {
        refreshOrder(true);
        m_firstPending = false;
        m_nextBatchRows = FirstBatchRows;
        if (!m_order.entries.empty()) {
            placeOrdered(first ? 0 : m_order.entries.size() - 1);
            coverCurrent(first);
            return;
        }
    } else if (fetchEnd(first, FirstBatchRows)) {
        m_bof = m_eof = false;
        return;
    }
    m_place = first ? Place::BeforeFirst : Place::AfterLast;
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

void TableCursor::placeOrdered(size_t entry)
{
    m_pos = entry;
    m_place = Place::Row;
    m_bof = m_eof = false;
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
