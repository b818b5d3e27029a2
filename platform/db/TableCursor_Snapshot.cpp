// The German-order snapshot: every row's key and rowid, sorted, read again
// when the file changed, patched in place after the cursor's own writes.
#include "platform/db/TableCursor.h"

#include "platform/db/Database.h"
#include "platform/db/SqlFunctions.h"
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

// A move looks for other programs' commits (a statement) after this many
// moves or this much time since the last look: a scan pays little, and a move
// by hand always looks.
constexpr int MovesPerCheck = 256;
constexpr qint64 MsPerCheck = 10;

template <class Entries>
size_t firstKeyed(const Entries& entries)
{
    return size_t(std::partition_point(entries.begin(), entries.end(),
                                       [](const auto& e) { return e.key.type == SQLITE_NULL; }) -
                  entries.begin());
}

}  // namespace

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

// Puts this cursor's own write into the snapshot: the row leaves its old place
// and, unless deleted, takes the place of its key as now stored.
size_t TableCursor::patchOrder(long long rowid, bool removed, const Spot& after)
{
    Order& o = m_order;
    // Stale until the patch is whole.
    o.stamp.changes = -1;
    const bool onRow = m_place == Place::Row && m_pos < o.entries.size() && o.entries[m_pos].rowid == rowid;
    const size_t old =
        onRow ? m_pos
              : size_t(std::find_if(o.entries.begin(), o.entries.end(), [rowid](const Entry& e) { return e.rowid == rowid; }) -
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

}  // namespace db
