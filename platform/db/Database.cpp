#include "platform/db/Database.h"

#include "platform/db/Integrity.h"
#include "platform/db/LockFile.h"
#include "platform/db/RowReader.h"
#include "platform/db/SqlFunctions.h"
#include "platform/db/Statement.h"
#include "platform/db/TableCursor.h"
#include "platform/vb/VbRuntime.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <unistd.h>

namespace db {

using detail::Statement;

namespace {

constexpr int BusyTimeoutMs = 2000;
// A connection belongs to one thread at a time (the UI thread), so SQLite's
// per-call mutex is only cost: a scan reads every column of every row.
constexpr int ThreadFlags = SQLITE_OPEN_NOMUTEX;

[[noreturn]] void throwAndClose(sqlite3* handle, int fallbackCode = SQLITE_CANTOPEN)
{
    const int code = handle ? sqlite3_extended_errcode(handle) : fallbackCode;
    const QString message = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QStringLiteral("out of memory");
    sqlite3_close(handle);
    throw DbError(code, message);
}

void configure(sqlite3* handle)
{
    sqlite3_busy_timeout(handle, BusyTimeoutMs);
    sqlite3_extended_result_codes(handle, 1);
    registerSqlFunctions(handle);
}

}  // namespace

int Result::column(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const QVariant& Result::value(int row, const QString& name) const
{
    const int c = column(name);
    if (c < 0)
        throw DbError(ErrUnknownField, QStringLiteral("Element in dieser Auflistung nicht gefunden: %1").arg(name));
    return value(row, c);
}

Database::Database(sqlite3* handle, QString path, std::unique_ptr<LockFile> lock)
    : m_db(handle), m_path(std::move(path)), m_lock(std::move(lock))
{
    sqlite3_rollback_hook(m_db, &Database::onRollback, this);
    sqlite3_set_authorizer(m_db, &Database::authorize, this);
}

void Database::onRollback(void* self)
{
    ++static_cast<Database*>(self)->m_rollbacks;
}

// Sees every statement as it is prepared; a statement of ours runs right after.
// The rollback hook misses ROLLBACK TO, which undoes writes just the same.
int Database::authorize(void* self, int action, const char* detail1, const char*, const char*, const char*)
{
    if (action == SQLITE_SAVEPOINT && detail1 && std::strcmp(detail1, "ROLLBACK") == 0)
        ++static_cast<Database*>(self)->m_rollbacks;
    return SQLITE_OK;
}

Database::~Database()
{
    // Statements of ours never outlive a call; close_v2 still copes with a
    // cursor that is destroyed after its database.
    sqlite3_close_v2(m_db);
}

std::unique_ptr<Database> Database::open(const QString& path)
{
    return openLocked(path, false);
}

std::unique_ptr<Database> Database::openExclusive(const QString& path)
{
    return openLocked(path, true);
}

std::unique_ptr<Database> Database::openLocked(const QString& path, bool exclusive)
{
    if (!QFileInfo::exists(path))
        throw DbError(ErrFileMissing, QStringLiteral("Die Datei '%1' wurde nicht gefunden.").arg(path));

    bool heldByOther = false;
    std::unique_ptr<LockFile> lock =
        LockFile::tryAcquire(path, exclusive ? LockFile::Mode::Exclusive : LockFile::Mode::Shared, &heldByOther);
    if (!lock && heldByOther)
        throw DbError(ErrLocked,
                      exclusive ? QStringLiteral("Die Datei '%1' ist in einem anderen Programm geöffnet.").arg(path)
                                : QStringLiteral("Die Datei '%1' wird von einem anderen Programm exklusiv verwendet.")
                                      .arg(path));
    return openWithLock(path, std::move(lock));
}

std::unique_ptr<Database> Database::openHolding(const QString& path, const LockFile& exclusiveLock)
{
    if (!QFileInfo::exists(path))
        throw DbError(ErrFileMissing, QStringLiteral("Die Datei '%1' wurde nicht gefunden.").arg(path));
    if (exclusiveLock.mode() != LockFile::Mode::Exclusive || exclusiveLock.path() != LockFile::pathFor(path))
        throw DbError(ErrLocked, QStringLiteral("Die Datei '%1' ist nicht exklusiv gesperrt.").arg(path));
    return openWithLock(path, nullptr);
}

std::unique_ptr<Database> Database::openWithLock(const QString& path, std::unique_ptr<LockFile> lock)
{
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, SQLITE_OPEN_READWRITE | ThreadFlags, nullptr) !=
        SQLITE_OK)
        throwAndClose(handle);
    configure(handle);

    // SQLite reads the file only when it first needs to; the schema read shows
    // at once whether this is a database at all. An empty file is an empty
    // database and stays untouched by this read.
    sqlite3_stmt* probe = nullptr;
    int rc = sqlite3_prepare_v2(handle, "SELECT count(*) FROM sqlite_master", -1, &probe, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(probe);
        if (rc == SQLITE_ROW)
            rc = SQLITE_OK;
    }
    sqlite3_finalize(probe);
    if (rc != SQLITE_OK) {
        const int primary = sqlite3_errcode(handle) & 0xFF;
        if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT) {
            sqlite3_close(handle);
            if (primary == SQLITE_CORRUPT || startsAsSqlite(path))
                throw DbError(ErrDamaged, QStringLiteral("Die Datei '%1' ist beschädigt.").arg(path));
            throw DbError(ErrNotADatabase, QStringLiteral("Die Datei '%1' ist keine Datenbank.").arg(path));
        }
        throwAndClose(handle);
    }
    sqlite3_exec(handle, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    // The index order reads rows by rowid, all over the file: a cache that holds
    // a large catalogue (pages are only taken as they are read) spares a system
    // call per row.
    sqlite3_exec(handle, "PRAGMA cache_size=-32768", nullptr, nullptr, nullptr);
    return std::unique_ptr<Database>(new Database(handle, path, std::move(lock)));
}

std::unique_ptr<Database> Database::create(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        throw DbError(ErrFileExists, QStringLiteral("Die Datei '%1' ist bereits vorhanden.").arg(path));

    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | ThreadFlags, nullptr) != SQLITE_OK)
        throwAndClose(handle);
    configure(handle);
    // Writing the header makes the new file a database that any tool recognises.
    if (sqlite3_exec(handle, "PRAGMA journal_mode=DELETE; PRAGMA user_version=0", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        const DbError error(sqlite3_extended_errcode(handle), QString::fromUtf8(sqlite3_errmsg(handle)));
        sqlite3_close(handle);
        QFile::remove(path);
        throw error;
    }
    std::unique_ptr<LockFile> lock = LockFile::acquire(path, LockFile::Mode::Shared);
    return std::unique_ptr<Database>(new Database(handle, path, std::move(lock)));
}

bool Database::readOnly() const
{
    if (sqlite3_db_readonly(m_db, "main") == 1)
        return true;
    // Every write needs its rollback journal beside the file.
    return ::access(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(), W_OK) != 0;
}

void Database::execute(const QString& sql, const QVariantList& params)
{
    Statement st(m_db, sql);
    st.bindAll(params);
    while (st.step() == SQLITE_ROW) {
    }
}

ExecResult Database::tryExecute(const QString& sql, const QVariantList& params) noexcept
{
    ExecResult result;
    try {
        execute(sql, params);
        result.ok = true;
        result.changes = sqlite3_changes(m_db);
    } catch (const DbError& e) {
        result.code = e.code();
        result.message = e.message();
    } catch (const std::exception& e) {
        result.code = SQLITE_ERROR;
        result.message = QString::fromUtf8(e.what());
    } catch (...) {
        result.code = SQLITE_ERROR;
    }
    return result;
}

Result Database::query(const QString& sql, const QVariantList& params)
{
    RowReader reader(*this, sql, params);
    const int count = int(reader.columns().size());
    std::vector<std::vector<QVariant>> rows;
    while (reader.next()) {
        std::vector<QVariant> row;
        row.reserve(size_t(count));
        for (int c = 0; c < count; ++c)
            row.push_back(reader.value(c));
        rows.push_back(std::move(row));
    }
    return Result(reader.columns(), std::move(rows));
}

QVariant Database::scalar(const QString& sql, const QVariantList& params)
{
    Statement st(m_db, sql);
    st.bindAll(params);
    if (st.step() != SQLITE_ROW || sqlite3_column_count(st.get()) == 0)
        return QVariant();
    return st.value(0);
}

namespace {

bool isText(const QVariant& value)
{
    return value.typeId() == QMetaType::QString && !value.isNull();
}

bool isPrimaryKey(Database& database, const QString& table, const QString& column)
{
    const Result pk = database.query(QStringLiteral("SELECT name FROM pragma_table_info(?1) WHERE pk > 0"), {table});
    return pk.size() == 1 && pk.value(0, 0).toString().compare(column, Qt::CaseInsensitive) == 0;
}

}  // namespace

DbError keyViolation(const QString& table, const QString& column, bool primaryKey)
{
    return DbError(primaryKey ? SQLITE_CONSTRAINT_PRIMARYKEY : SQLITE_CONSTRAINT_UNIQUE,
                   QStringLiteral("UNIQUE constraint failed: %1.%2").arg(table, column));
}

bool Database::hasGermanDuplicate(const QString& table, const QString& column, const QVariant& value,
                                  long long exceptRowid)
{
    if (!isText(value))
        return false;
    Statement st(m_db, QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?1%3 AND rowid <> ?2 LIMIT 1")
                             .arg(detail::quoteIdentifier(table), detail::quoteIdentifier(column), kollation()));
    st.bindAll({value, exceptRowid});
    return st.step() == SQLITE_ROW;
}

void Database::refuseGermanDuplicate(const QString& table, const QString& column, const QVariant& value,
                                     long long exceptRowid)
{
    if (hasGermanDuplicate(table, column, value, exceptRowid))
        throw keyViolation(table, column, isPrimaryKey(*this, table, column));
}

void Database::executeWithUniqueKey(const QString& sql, const QVariantList& params, const QString& table,
                                    const QString& column, const QVariant& value)
{
    Transaction transaction(*this, Join::Open);
    // A savepoint takes back just this write inside a transaction of the caller's.
    execute(QStringLiteral("SAVEPOINT unique_key"));
    try {
        execute(sql, params);
        if (isText(value) && dscount(*this,
                                     QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?1%3")
                                         .arg(detail::quoteIdentifier(table), detail::quoteIdentifier(column),
                                              kollation()),
                                     {value}) > 1)
            throw keyViolation(table, column, isPrimaryKey(*this, table, column));
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK TO unique_key; RELEASE unique_key", nullptr, nullptr, nullptr);
        throw;
    }
    execute(QStringLiteral("RELEASE unique_key"));
    transaction.commit();
}

std::unique_ptr<TableCursor> Database::table(const QString& name)
{
    return std::make_unique<TableCursor>(*this, name);
}

bool Database::hasTable(const QString& name)
{
    return !scalar(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE"),
                   {name})
                .isNull();
}

QStringList Database::columnNames(const QString& table)
{
    QStringList names;
    Statement st(m_db, QStringLiteral("SELECT name FROM pragma_table_info(?1) ORDER BY cid"));
    st.bindAll({table});
    while (st.step() == SQLITE_ROW)
        names << st.value(0).toString();
    return names;
}

long long Database::totalChanges() const
{
    return sqlite3_total_changes64(m_db);
}

long long Database::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_db);
}

long long Database::dataVersion()
{
    return scalar(QStringLiteral("PRAGMA data_version")).toLongLong();
}

Database::Transaction::Transaction(Database& db, Join join) : m_db(db)
{
    if (join == Join::Open && !sqlite3_get_autocommit(m_db.handle())) {
        m_done = true;
        return;
    }
    m_db.execute(QStringLiteral("BEGIN IMMEDIATE"));
}

Database::Transaction::~Transaction()
{
    if (!m_done)
        sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Database::Transaction::commit()
{
    if (m_done)
        return;
    m_db.execute(QStringLiteral("COMMIT"));
    m_done = true;
}

long long dscount(Database& database, const QString& sql, const QVariantList& params)
{
    const Result result = database.query(sql, params);
    if (result.empty() || result.columns().isEmpty())
        return 0;
    int column = result.column(QStringLiteral("Zähler"));
    if (column < 0)
        column = 0;
    const QVariant& v = result.value(0, column);
    double number = 0;
    switch (v.typeId()) {
    case QMetaType::LongLong:
        number = double(v.toLongLong());
        break;
    case QMetaType::Double:
        number = v.toDouble();
        break;
    case QMetaType::QString: {
        const std::optional<double> parsed = vb::cdbl(v.toString());
        if (!parsed)
            throw DbError(SQLITE_MISMATCH, QStringLiteral("Typen unverträglich: '%1'").arg(v.toString()));
        number = *parsed;
        break;
    }
    default:
        if (v.isNull())
            return 0;
        throw DbError(SQLITE_MISMATCH, QStringLiteral("Typen unverträglich"));
    }
    const std::optional<long long> count = vb::roundHalfEven(number);
    if (!count)
        throw DbError(SQLITE_RANGE, QStringLiteral("Überlauf"));
    return *count;
}

}  // namespace db
