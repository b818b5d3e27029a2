// AddNew, Edit, Update and Delete, with the German duplicate check of the
// unique columns.
#include "platform/db/TableCursor.h"

#include "platform/db/Database.h"
#include "platform/db/Statement.h"
#include "platform/db/TableCursor_Internal.h"

#include <sqlite3.h>

#include <utility>

namespace db {

using namespace cursor;
using detail::quoteIdentifier;

void TableCursor::endEdit()
{
    m_mode = Mode::None;
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

}  // namespace db
