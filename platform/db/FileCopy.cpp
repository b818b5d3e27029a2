#include "platform/db/FileCopy.h"

#include "platform/db/DbError.h"
#include "platform/db/Integrity.h"
#include "platform/db/LockFile.h"
#include "platform/system/Dateigrund.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace db {

namespace {

constexpr int BusyTimeoutMs = 2000;
static_assert(isDamage(SQLITE_CORRUPT) && isDamage(SQLITE_NOTADB) && isDamage(SQLITE_CORRUPT_INDEX));

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash >= 0 ? path.left(slash + 1) : QString();
}

// Hidden beside the target, so that folder listings that skip dot files
// (the backup list among them) never show a half-written copy.
QString temporaryPathFor(const QString& target)
{
    const QString folder = folderOf(target);
    return folder + QLatin1Char('.') + target.mid(folder.size()) + QStringLiteral(".tmp-")
           + QString::number(::getpid());
}

void removeTemporary(const QString& temporary)
{
    QFile::remove(temporary);
    QFile::remove(temporary + QStringLiteral("-journal"));
}

// A copy that was killed leaves its temporary (and the temporary's journal)
// behind. Its name carries the process; once that process is gone, the file
// is nobody's. A copy still running in another process keeps its own.
void removeLeftovers(const QString& target)
{
    static const QRegularExpression Rest(QStringLiteral("^\\..+\\.tmp-(\\d+)(-journal)?$"));
    const QString folder = folderOf(target);
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch m = Rest.match(name);
        if (!m.hasMatch())
            continue;
        bool number = false;
        const long pid = m.captured(1).toLong(&number);
        if (!number || pid <= 0 || pid == ::getpid())
            continue;
        if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QFile::remove(dir.filePath(name));
    }
}

bool renameOver(const QString& temporary, const QString& target, QString* error)
{
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        setError(error, QStringLiteral("'%1' kann nicht ersetzt werden: %2")
                            .arg(target, sys::dateigrund(errno)));
        removeTemporary(temporary);
        return false;
    }
    return true;
}

QString sqliteMessage(sqlite3* handle, int rc)
{
    return handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
}

// Writes the source's bytes to the temporary and syncs them.
bool writeBytes(const QString& source, const QString& temporary, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("'%1' kann nicht gelesen werden: %2").arg(source, sys::dateigrund(in)));
        return false;
    }
    QFile out(temporary);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setError(error, QStringLiteral("'%1' kann nicht angelegt werden: %2").arg(temporary, sys::dateigrund(out)));
        return false;
    }
    bool ok = true;
    // The kernel copies (or clones) the bytes itself; a file system that cannot
    // do that between these two files gets them through user space.
    bool kernel = true;
    for (;;) {
        const ssize_t n = ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr, 1 << 24, 0);
        if (n > 0)
            continue;
        if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)
            && ::lseek(in.handle(), 0, SEEK_CUR) == 0)
            kernel = false;
        else
            ok = n == 0;
        break;
    }
    QByteArray chunk;
    while (ok && !kernel && !in.atEnd()) {
        chunk = in.read(1 << 20);
        // A failed read leaves nothing to write.
        if ((chunk.isEmpty() && in.error() != QFileDevice::NoError) || out.write(chunk) != chunk.size())
            ok = false;
    }
    ok = ok && in.error() == QFileDevice::NoError && out.flush() && ::fsync(out.handle()) == 0;
    const QString problem = out.error() != QFileDevice::NoError ? sys::dateigrund(out) : sys::dateigrund(in);
    out.close();
    if (!ok || out.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("Kopie von '%1' fehlgeschlagen: %2").arg(source, problem));
        return false;
    }
    return true;
}

// Copies through SQLite's backup interface into the temporary.
CopyResult backup(const QString& source, const QString& temporary, QString* error)
{
    // Read-write, so that a journal left by a crash is rolled back before the
    // copy reads a page; SQLite falls back to reading only on a file it may not write.
    sqlite3* from = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(source).constData(), &from, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        setError(error, QStringLiteral("'%1' kann nicht gelesen werden: %2").arg(source, sqliteMessage(from, rc)));
        sqlite3_close(from);
        return CopyResult::Failed;
    }
    sqlite3_busy_timeout(from, BusyTimeoutMs);
    sqlite3_extended_result_codes(from, 1);
    // The open reads nothing yet; the schema read tells a database from any other file.
    rc = sqlite3_exec(from, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        setError(error, QStringLiteral("'%1' kann nicht gelesen werden: %2").arg(source, sqliteMessage(from, rc)));
        sqlite3_close(from);
        return isDamage(rc) ? CopyResult::Damaged : CopyResult::Failed;
    }

    sqlite3* to = nullptr;
    rc = sqlite3_open_v2(QFile::encodeName(temporary).constData(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                         nullptr);
    if (rc != SQLITE_OK) {
        setError(error, QStringLiteral("'%1' kann nicht angelegt werden: %2").arg(temporary, sqliteMessage(to, rc)));
        sqlite3_close(to);
        sqlite3_close(from);
        return CopyResult::Failed;
    }
    sqlite3_busy_timeout(to, BusyTimeoutMs);

    bool ok = false;
    if (sqlite3_backup* job = sqlite3_backup_init(to, "main", from, "main")) {
        // A writer on the source makes a step busy; the busy timeouts wait for it.
        for (int attempt = 0; attempt < 5; ++attempt) {
            rc = sqlite3_backup_step(job, -1);
            if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                break;
            sqlite3_sleep(100);
        }
        sqlite3_backup_finish(job);
        // The copy of a WAL file is one too; ours keep the single file.
        ok = rc == SQLITE_DONE
             && (rc = sqlite3_exec(to, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr)) == SQLITE_OK;
    } else {
        rc = sqlite3_errcode(to);
    }
    if (!ok)
        setError(error, QStringLiteral("Kopie von '%1' fehlgeschlagen: %2").arg(source, sqliteMessage(to, rc)));
    if (sqlite3_close(to) != SQLITE_OK)
        ok = false;
    sqlite3_close(from);
    if (ok)
        return CopyResult::Copied;
    return isDamage(rc) ? CopyResult::Damaged : CopyResult::Failed;
}

bool hasCompanion(const QString& source)
{
    return QFileInfo::exists(source + QStringLiteral("-journal")) || QFileInfo::exists(source + QStringLiteral("-wal"));
}

CopyResult copyToTemporary(const QString& source, const QString& temporary, QString* error)
{
    // While no program of ours holds the catalogue and no journal or WAL lies
    // beside it, the file is at rest and its bytes are the whole database; the
    // lock keeps it so during the copy. A journal left by a crash belongs to the
    // file: copying the bytes without it would keep what was never committed.
    if (!hasCompanion(source)) {
        if (const auto ruhe = LockFile::acquire(source, LockFile::Mode::Exclusive); ruhe && !hasCompanion(source))
            return writeBytes(source, temporary, error) ? CopyResult::Copied : CopyResult::Failed;
    }
    return backup(source, temporary, error);
}

}  // namespace

CopyResult copyDatabase(const QString& source, const QString& target, QString* error)
{
    if (!QFileInfo(source).isFile()) {
        setError(error, QStringLiteral("Die Datei '%1' wurde nicht gefunden.").arg(source));
        return CopyResult::Failed;
    }
    if (!startsAsSqlite(source)) {
        setError(error, QStringLiteral("'%1' ist keine SQLite-Datenbank.").arg(source));
        return CopyResult::NotADatabase;
    }
    if (QFileInfo(source).size() == 0) {
        setError(error, QStringLiteral("'%1' ist leer.").arg(source));
        return CopyResult::Damaged;
    }
    removeLeftovers(target);
    const QString temporary = temporaryPathFor(target);
    removeTemporary(temporary);
    CopyResult result = copyToTemporary(source, temporary, error);
    if (result == CopyResult::Copied) {
        QString detail;
        switch (checkDatabaseFile(temporary, &detail)) {
        case FileHealth::Healthy:
            break;
        case FileHealth::Damaged:
        case FileHealth::NotADatabase:
            setError(error, QStringLiteral("'%1' ist beschädigt: %2").arg(source, detail));
            result = CopyResult::Damaged;
            break;
        case FileHealth::Unreadable:
            setError(error, QStringLiteral("Die Kopie von '%1' lässt sich nicht prüfen: %2").arg(source, detail));
            result = CopyResult::Failed;
            break;
        }
    }
    if (result != CopyResult::Copied) {
        removeTemporary(temporary);
        return result;
    }
    return renameOver(temporary, target, error) ? CopyResult::Copied : CopyResult::Failed;
}

bool copyFileReplacing(const QString& source, const QString& target, QString* error)
{
    removeLeftovers(target);
    const QString temporary = temporaryPathFor(target);
    if (!writeBytes(source, temporary, error)) {
        removeTemporary(temporary);
        return false;
    }
    return renameOver(temporary, target, error);
}

}  // namespace db
