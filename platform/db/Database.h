#pragma once
// The catalogue's database layer over the SQLite C API. One Database is one
// connection to one file. The file names only SQLite's own collations, so that
// any SQLite program reads, checks and writes it alike; every connection of
// ours adds the collation DEUTSCH (case ignored, "Ärger" = "ärger", umlauts
// with their base letters, "ß" as "ss") for the statements that name it,
// like() with the original engine's wildcards, dedate() for day.month.year
// texts and denum() for decimal-comma number texts. Values always travel as
// bound parameters.
#include "platform/db/DbError.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <vector>

struct sqlite3;

namespace db {

class TableCursor;
class LockFile;

// A query's rows, read completely into memory so that no statement stays open
// between calls. A null QVariant is Null.
class Result {
public:
    Result() = default;
    Result(QStringList columns, std::vector<std::vector<QVariant>> rows)
        : m_columns(std::move(columns)), m_rows(std::move(rows)) {}

    const QStringList& columns() const { return m_columns; }
    int size() const { return int(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    // Column index by name, matched without regard to case; -1 when absent.
    int column(const QString& name) const;
    const QVariant& value(int row, int column) const { return m_rows[size_t(row)][size_t(column)]; }
    // Throws DbError(ErrUnknownField) for a name that is not a column.
    const QVariant& value(int row, const QString& name) const;
    const std::vector<QVariant>& row(int row) const { return m_rows[size_t(row)]; }

private:
    QStringList m_columns;
    std::vector<std::vector<QVariant>> m_rows;
};

// The outcome of a statement run with its errors ignored.
struct ExecResult {
    bool ok = false;
    int code = 0;
    QString message;
    int changes = 0;
};

class Database {
public:
    // Opens an existing file for reading and writing, or for reading only when
    // the file or its folder may not be written; never creates one.
    // Throws DbError: ErrFileMissing, ErrNotADatabase, ErrDamaged, or SQLite's code.
    static std::unique_ptr<Database> open(const QString& path);
    // As open, holding the ".ldb" exclusively for the connection's life, so that
    // no other program of ours has the file open meanwhile. ErrLocked when one has.
    static std::unique_ptr<Database> openExclusive(const QString& path);
    // Opens an existing file whose lock the caller already holds exclusively
    // (for a compaction), without a lock of its own: two locks of one process
    // on different descriptors would refuse each other. Throws as open, and
    // ErrLocked when `exclusiveLock` is not the exclusive lock of this path.
    static std::unique_ptr<Database> openHolding(const QString& path, const LockFile& exclusiveLock);
    // Creates a new, empty database file; refuses (ErrFileExists) when the path exists.
    static std::unique_ptr<Database> create(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }
    // True when changes cannot be saved: the file, its folder or its file system
    // does not allow writing (as the file system and SQLite see it, not only the mode bits).
    bool readOnly() const;

    // Runs one statement; throws DbError on failure.
    void execute(const QString& sql, const QVariantList& params = {});
    // Runs one statement and reports instead of throwing.
    ExecResult tryExecute(const QString& sql, const QVariantList& params = {}) noexcept;
    // Runs a query and reads all of its rows.
    Result query(const QString& sql, const QVariantList& params = {});
    // The first column of the first row; Null when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});

    // The file's unique keys fold ASCII case only. These refuse a text that
    // equals another row's value of the unique column in the German comparison
    // ("Ärger" beside "ärger") with the error of a key violation.
    // refuseGermanDuplicate checks before a write (the row `exceptRowid` is the
    // one being changed) and belongs in the write's transaction;
    // executeWithUniqueKey runs an INSERT or UPDATE that writes `value` into the
    // column and checks afterwards, in one transaction (joining an open one).
    bool hasGermanDuplicate(const QString& table, const QString& column, const QVariant& value,
                            long long exceptRowid = 0);
    void refuseGermanDuplicate(const QString& table, const QString& column, const QVariant& value,
                               long long exceptRowid = 0);
    void executeWithUniqueKey(const QString& sql, const QVariantList& params, const QString& table,
                              const QString& column, const QVariant& value);

    // A table-type recordset on the table (throws when the table is missing).
    std::unique_ptr<TableCursor> table(const QString& name);

    bool hasTable(const QString& name);
    QStringList columnNames(const QString& table);

    // Rows changed by this connection since it was opened (any statement or cursor).
    long long totalChanges() const;
    long long lastInsertRowid() const;
    // Transactions and savepoints rolled back on this connection: their writes
    // are gone although totalChanges() counted them.
    long long rollbacks() const { return m_rollbacks; }
    // Changes with every commit of another connection (PRAGMA data_version).
    long long dataVersion();

    // A transaction: commit() makes it whole; leaving it uncommitted rolls back.
    // Joining, it becomes part of a transaction that is already open (and
    // commit() leaves that to its owner), or opens one of its own.
    enum class Join { No, Open };
    class Transaction {
    public:
        explicit Transaction(Database& db, Join join = Join::No);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        Database& m_db;
        bool m_done = false;
    };

    sqlite3* handle() const { return m_db; }

private:
    Database(sqlite3* handle, QString path, std::unique_ptr<LockFile> lock);
    static std::unique_ptr<Database> openLocked(const QString& path, bool exclusive);
    static void onRollback(void* self);
    static int authorize(void* self, int action, const char* detail1, const char*, const char*, const char*);
    static std::unique_ptr<Database> openWithLock(const QString& path, std::unique_ptr<LockFile> lock);
    sqlite3* m_db = nullptr;
    QString m_path;
    std::unique_ptr<LockFile> m_lock;
    long long m_rollbacks = 0;
};

// The error of a refused duplicate key, as SQLite gives it.
DbError keyViolation(const QString& table, const QString& column, bool primaryKey);

// Runs a counting or summing query whose single result column is "Zähler" and
// gives the number as a 64-bit count (halves rounded to even, Null as 0).
long long dscount(Database& database, const QString& sql, const QVariantList& params = {});

}  // namespace db
