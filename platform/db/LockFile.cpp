#include "platform/db/LockFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace db {

QString LockFile::pathFor(const QString& databasePath)
{
    const qsizetype slash = databasePath.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = databasePath.lastIndexOf(QLatin1Char('.'));
    // Only a dot inside the file name (not its first character) starts a suffix.
    if (dot > slash + 1)
        return databasePath.left(dot) + QStringLiteral(".ldb");
    return databasePath + QStringLiteral(".ldb");
}

std::unique_ptr<LockFile> LockFile::acquire(const QString& databasePath, Mode mode)
{
    return tryAcquire(databasePath, mode, nullptr);
}

std::unique_ptr<LockFile> LockFile::tryAcquire(const QString& databasePath, Mode mode, bool* heldByOther)
{
    if (heldByOther)
        *heldByOther = false;
    const QString path = pathFor(databasePath);
    const QByteArray name = QFile::encodeName(path);
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;

    // The last holder removes the file while it holds it exclusively; whoever
    // opened that file just before must notice and start over on a new one.
    for (int attempt = 0; attempt < 10; ++attempt) {
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
            fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);  // a read-only folder with an existing file
        if (fd < 0)
            return nullptr;
        if (::flock(fd, operation) != 0) {
            const int err = errno;
            ::close(fd);
            if (heldByOther)
                *heldByOther = err == EWOULDBLOCK;
            return nullptr;
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && ::stat(name.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino)
            return std::unique_ptr<LockFile>(new LockFile(fd, path, mode));
        ::close(fd);
    }
    return nullptr;
}

LockFile::~LockFile()
{
    // Whoever can take it exclusively is the last one: the file goes with it.
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
}

}  // namespace db
