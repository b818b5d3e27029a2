#pragma once
// A table-type recordset: a current row that outlives calls, ordered by an
// index ("PrimaryKey" = the table's primary key column, an index named after a
// unique column such as "Titel2", or none = the order rows were added in).
//
// An index orders and compares texts in the German way (collation DEUTSCH),
// which the file's own indexes do not know: the order is a sorted snapshot of
// every row's key and rowid, read on first use (not when the index is set:
// a count or a seek right after needs no first row) and read again when the
// file changed. Its own writes are put into the snapshot in place; any other write
// of the connection, a rollback, or another program's commit make it be read
// again. Every move sees this connection's writes; seeks, MoveFirst/MoveLast
// and a move after a pause of a few milliseconds or a few hundred moves also
// see other programs' commits.
//
// Without an index, rows are fetched in batches in rowid order. Either way no
// statement stays open between calls, so other connections are never blocked.
//
// Update refuses a text that equals another row's value of a unique column in
// the German comparison ("Ärger" beside "ärger"), with the key violation's
// error, in the transaction of the write.
#include "platform/db/DbError.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <string>
#include <vector>

struct sqlite3_stmt;
struct sqlite3_value;

namespace db {

class Database;

class TableCursor {
public:
    TableCursor(Database& db, const QString& table);

    const QString& tableName() const { return m_table; }
    const QStringList& columns() const { return m_columns; }

    // Selects the order; resets the position to the first row (or none).
    // Throws ErrUnknownIndex for a name that fits no key of the table.
    void setIndex(const QString& name);
    const QString& index() const { return m_indexName; }

    // Seek with "=", "<", "<=", ">=" or ">" on the index's column. Leaves the
    // cursor on the row found, or with NoMatch set and no current row.
    void seek(const QString& op, const QVariant& key);
    bool noMatch() const { return m_noMatch; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool hasCurrent() const { return m_firstPending || m_place == Place::Row; }

    // The field of the current row, or of the edit buffer during AddNew/Edit.
    // Throws ErrNoCurrentRecord without a current row, ErrUnknownField for a
    // name that is not a column (matched without regard to case).
    QVariant field(const QString& name) const;
    void setField(const QString& name, const QVariant& value);

    void addNew();
    void edit();
    // Writes the buffer. After AddNew the current row stays where it was; the
    // new row is lastModified(). Throws DbError when the row is refused.
    void update();
    void cancelUpdate();
    // Deletes the current row; afterwards there is no current row until a move.
    void deleteCurrent();

    long long recordCount();
    // Rowid of the row last added or changed through this cursor (0 = none).
    long long lastModified() const { return m_lastModified; }
    long long bookmark() const;
    void setBookmark(long long rowid);

private:
    enum class Mode { None, AddNew, Edit };
    // Where the cursor stands: on a row, or between rows without one (after a
    // delete or a seek that found nothing), or before the first / after the last.
    enum class Place { Row, Gap, BeforeFirst, AfterLast };

    // One value as read; texts and blobs live in the batch's byte buffer and
    // become QVariants only when a field is read.
    struct Cell {
        int type = 5;  // SQLITE_NULL
        int size = 0;
        long long integer = 0;  // INTEGER, or the offset of a text or blob
        double real = 0;
    };
    // Rows with the columns read so far through this cursor (and always the
    // index column); a field outside them is read with its whole row. Without
    // an index the rows are in the order read, ascending or descending rowid.
    struct Batch {
        std::vector<long long> rowids;
        std::vector<Cell> cells;  // rowids.size() x width
        std::string bytes;
        std::vector<int> slot;    // column -> place in a row's cells, -1 = not read
        int width = 0;
        bool forward = true;
        bool complete = false;   // nothing follows in the read direction
        long long changes = -1;  // the connection's totalChanges() when read
        size_t size() const { return rowids.size(); }
    };
    struct Anchor {
        long long rowid = 0;
    };
    // A key with bytes of its own: a seek key, or a place in the order that
    // outlives a new snapshot.
    struct Key {
        Cell cell;
        std::string bytes;
    };
    struct Entry {
        long long rowid;
        Cell key;  // a text or blob lies in Order::bytes
    };
    // What the snapshot was read after: this connection's changes and
    // rollbacks, and the file's data version (other connections' commits).
    struct Stamp {
        long long changes = -1;
        long long rollbacks = -1;
        long long dataVersion = -1;
        bool operator==(const Stamp&) const = default;
    };
    // Every row's key and rowid in index order: Null keys first, then the
    // German order of the keys, ties by rowid.
    struct Order {
        std::vector<Entry> entries;
        std::string bytes;
        size_t firstKey = 0;  // the entries before it have a Null key
        Stamp stamp;
        long long generation = 0;
        bool built = false;
    };
    // A place in the order by key, so that it can be found in a new snapshot.
    struct Spot {
        Place place = Place::BeforeFirst;
        Key key;
        long long rowid = 0;
    };

    // An index orders the rows; without one, rowid order.
    bool ordered() const { return m_indexColumn >= 0; }

    // TableCursor.cpp: the columns and their lookup by name.
    int columnIndex(const QString& name) const;
    int lookUpColumn(const QString& name) const;
    int requireColumn(const QString& name) const;

    // TableCursor_Snapshot.cpp: the German-order snapshot.
    Stamp stampNow(bool withDataVersion);
    bool orderFresh(bool full);
    void refreshOrder(bool full);
    void buildOrder(const Stamp& stamp);
    Spot spot() const;
    void goTo(const Spot& where);
    size_t lowerBound(const Cell& key, const char* bytes, long long rowid) const;
    size_t keyBound(const Key& key, bool upper) const;
    Key keyAt(size_t entry) const;
    Key keyFrom(const QVariant& value) const;
    size_t patchOrder(long long rowid, bool removed, const Spot& after);

    // TableCursor_Batch.cpp: reading rows, in batches or whole.
    QString orderBy(bool ascending) const;
    static QVariant variantOf(const Cell& cell, const std::string& bytes);
    QVariant cellValue(const Batch& batch, size_t row, int column) const;
    long long currentRowid() const;
    QVariant currentValue(int column) const;
    const Batch& wholeCurrentRow() const;
    Anchor currentAnchor() const;
    const QString& selectWanted() const;
    void startBatch(Batch& batch, bool allColumns) const;
    static Cell readCell(sqlite3_value* value, std::string& bytes);
    static void appendRow(sqlite3_stmt* statement, Batch& into);
    int readRows(const QString& sql, const QVariantList& params, Batch& into) const;
    bool fetch(bool forward, const Anchor* after, int limit);
    bool fetchEnd(bool first, int limit);
    bool loadRow(long long rowid, Batch& into) const;
    bool batchStale() const;
    void coverCurrent(bool forward, size_t rows = 0);
    bool batchHolds(size_t entry) const;

    // TableCursor_Moves.cpp: the moves and seeks in either order.
    void settle();
    void settle() const;
    void moveToEnd(bool first);
    void step(bool next);
    void reachEnd(bool next);
    void stepOrdered(bool next);
    void seekOrdered(const QString& op, const Key& key, Place missing);
    void placeOrdered(size_t entry);

    // TableCursor_Writes.cpp: the writes and their duplicate checks.
    void endEdit();
    void reloadEdited();
    bool orderHasDuplicate(const Key& key, long long exceptRowid) const;
    void refuseDuplicates(bool patchable);

    Database& m_db;
    QString m_table;
    QString m_quotedTable;
    QStringList m_columns;
    QStringList m_columnTypes;  // as declared
    QHash<QString, int> m_columnByLowerName;  // the exact and the case-folded names
    mutable QString m_lastName;               // the name last looked up, and its column
    mutable int m_lastColumn = -1;
    QHash<QString, int> m_indexColumns;       // case-folded index or column name -> column
    std::vector<int> m_uniqueColumns;          // the primary key's and the unique indexes' columns
    int m_pkColumn = -1;
    bool m_textKey = true;                     // the index column has text affinity
    QString m_selectAll;                       // SELECT rowid, <every column> FROM <table>
    QString m_indexName;
    int m_indexColumn = -1;  // -1: rowid order

    // The columns that batches read: those read through field() so far.
    mutable std::vector<char> m_wanted;
    mutable QString m_selectWanted;
    mutable std::vector<int> m_wantedList;
    mutable bool m_wantedChanged = true;

    Order m_order;
    // The index was set on a table with rows: the cursor stands on the first
    // row in index order, found when it is first used (until then the place
    // says BeforeFirst, the state that a failed read leaves consistent).
    bool m_firstPending = false;
    int m_movesUnchecked = 0;
    QElapsedTimer m_sinceCheck;  // since the last look at other programs' commits
    long long m_batchGeneration = -1;  // the order a batch of index order was read for
    size_t m_batchFrom = 0;            // ... and the entry of its first row

    // Without an index, the rows in read direction; with one, the rows of the
    // entries from m_batchFrom on. Either holds the columns read so far.
    Batch m_batch;
    Batch m_spare;
    mutable Batch m_wholeRow;  // the current row with every column, when a field needed it
    size_t m_pos = 0;
    Place m_place = Place::BeforeFirst;
    Anchor m_gap;
    Key m_gapKey;  // the gap's place in index order
    long long m_gapRowid = 0;
    int m_nextBatchRows = 256;
    bool m_bof = true;
    bool m_eof = true;
    bool m_noMatch = false;

    Mode m_mode = Mode::None;
    std::vector<QVariant> m_buffer;
    std::vector<bool> m_touched;
    long long m_editRowid = 0;
    long long m_lastModified = 0;
};

}  // namespace db
