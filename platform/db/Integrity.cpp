#include "platform/db/Integrity.h"

#include <QFile>

#include <sqlite3.h>

namespace db {

namespace {

constexpr char Header[] = "SQLite format 3";  // with its terminating zero, the file's first 16 bytes

}  // namespace

bool startsAsSqlite(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(sizeof Header);
    return QByteArray::fromRawData(Header, sizeof Header).startsWith(start);
}

FileHealth checkDatabaseFile(const QString& path, QString* detail)
{
    auto befund = [detail](FileHealth health, const QString& text) {
        if (detail)
            *detail = text;
        return health;
    };
    if (!startsAsSqlite(path))
        return befund(FileHealth::NotADatabase, QStringLiteral("Die Datei ist keine SQLite-Datenbank."));
    // No file of ours is ever empty: an empty one was cut short.
    if (QFile(path).size() == 0)
        return befund(FileHealth::Damaged, QStringLiteral("Die Datei ist leer."));

    sqlite3* handle = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    QString problem;
    bool healthy = false;
    if (rc == SQLITE_OK) {
        sqlite3_stmt* check = nullptr;
        rc = sqlite3_prepare_v2(handle, "PRAGMA quick_check(1)", -1, &check, nullptr);
        if (rc == SQLITE_OK && (rc = sqlite3_step(check)) == SQLITE_ROW) {
            problem = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)));
            healthy = problem == QLatin1String("ok");
            rc = SQLITE_OK;
        }
        sqlite3_finalize(check);
    }
    if (rc != SQLITE_OK)
        problem = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
    const int primary = (handle ? sqlite3_errcode(handle) : rc) & 0xFF;
    sqlite3_close(handle);
    if (healthy)
        return befund(FileHealth::Healthy, {});
    if (rc != SQLITE_OK && primary != SQLITE_CORRUPT && primary != SQLITE_NOTADB)
        return befund(FileHealth::Unreadable, problem);
    return befund(FileHealth::Damaged, problem);
}

}  // namespace db
