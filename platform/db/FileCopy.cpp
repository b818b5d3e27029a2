#include "platform/db/FileCopy.h"

#include "platform/db/LockFile.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace db {

namespace {

constexpr int BusyTimeoutMs = 2000;

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Hidden beside the target, so that folder listings that skip dot files
// (the backup list among them) never show a half-written copy.
QString temporaryPathFor(const QString& target)
{
    const qsizetype slash = target.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash >= 0 ? target.left(slash + 1) : QString();
    const QString name = target.mid(slash + 1);
    return folder + QLatin1Char('.') + name + QStringLiteral(".tmp-") + QString::number(::getpid());
}

void removeTemporary(const QString& temporary)
{
    QFile::remove(temporary);
    QFile::remove(temporary + QStringLiteral("-journal"));
}

bool renameOver(const QString& temporary, const QString& target, QString* error)
{
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        setError(error, QStringLiteral("'%1' kann nicht ersetzt werden: %2")
                            .arg(target, QString::fromLocal8Bit(std::strerror(errno))));
        removeTemporary(temporary);
        return false;
    }
    return true;
}

QString sqliteMessage(sqlite3* handle, int rc)
{
    return handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
}

enum class BackupOutcome { Done, NotADatabase, Failed };

BackupOutcome backup(const QString& source, const QString& temporary, QString* error)
{
    sqlite3* from = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(source).constData(), &from, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        setError(error, QStringLiteral("'%1' kann nicht gelesen werden: %2").arg(source, sqliteMessage(from, rc)));
        sqlite3_close(from);
        return BackupOutcome::Failed;
    }
    sqlite3_busy_timeout(from, BusyTimeoutMs);
    // The open reads nothing yet; the schema read tells a database from any other file.
    rc = sqlite3_exec(from, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const bool notADatabase = (sqlite3_errcode(from) & 0xFF) == SQLITE_NOTADB;
        setError(error, QStringLiteral("'%1' kann nicht gelesen werden: %2").arg(source, sqliteMessage(from, rc)));
        sqlite3_close(from);
        return notADatabase ? BackupOutcome::NotADatabase : BackupOutcome::Failed;
    }

    sqlite3* to = nullptr;
    rc = sqlite3_open_v2(QFile::encodeName(temporary).constData(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                         nullptr);
    if (rc != SQLITE_OK) {
        setError(error, QStringLiteral("'%1' kann nicht angelegt werden: %2").arg(temporary, sqliteMessage(to, rc)));
        sqlite3_close(to);
        sqlite3_close(from);
        return BackupOutcome::Failed;
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
        ok = rc == SQLITE_DONE;
    }
    if (!ok)
        setError(error, QStringLiteral("Kopie von '%1' fehlgeschlagen: %2").arg(source, sqliteMessage(to, rc)));
    if (sqlite3_close(to) != SQLITE_OK)
        ok = false;
    sqlite3_close(from);
    return ok ? BackupOutcome::Done : BackupOutcome::Failed;
}

}  // namespace

bool copyDatabaseFile(const QString& source, const QString& target, QString* error)
{
    if (!QFileInfo(source).isFile()) {
        setError(error, QStringLiteral("Die Datei '%1' wurde nicht gefunden.").arg(source));
        return false;
    }
    // While no program of ours holds the catalogue, the file is at rest and a
    // plain copy is a whole database; the lock keeps it so during the copy.
    if (const auto ruhe = LockFile::acquire(source, LockFile::Mode::Exclusive))
        return copyFileReplacing(source, target, error);
    const QString temporary = temporaryPathFor(target);
    removeTemporary(temporary);
    switch (backup(source, temporary, error)) {
    case BackupOutcome::Done:
        return renameOver(temporary, target, error);
    case BackupOutcome::NotADatabase:
        removeTemporary(temporary);
        return copyFileReplacing(source, target, error);
    case BackupOutcome::Failed:
        break;
    }
    removeTemporary(temporary);
    return false;
}

bool copyFileReplacing(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("'%1' kann nicht gelesen werden: %2").arg(source, in.errorString()));
        return false;
    }
    const QString temporary = temporaryPathFor(target);
    QFile out(temporary);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setError(error, QStringLiteral("'%1' kann nicht angelegt werden: %2").arg(temporary, out.errorString()));
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
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            ok = false;
        else if (out.write(chunk) != chunk.size())
            ok = false;
    }
    ok = ok && in.error() == QFileDevice::NoError && out.flush() && ::fsync(out.handle()) == 0;
    const QString problem = out.error() != QFileDevice::NoError ? out.errorString() : in.errorString();
    out.close();
    if (!ok || out.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("Kopie von '%1' fehlgeschlagen: %2").arg(source, problem));
        removeTemporary(temporary);
        return false;
    }
    return renameOver(temporary, target, error);
}

}  // namespace db
