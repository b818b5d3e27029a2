#include "platform/db/FileRename.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace db {

namespace {

bool fail(int* errorNumber)
{
    if (errorNumber)
        *errorNumber = errno;
    return false;
}

}  // namespace

bool renameNoReplace(const QString& from, const QString& to, int* errorNumber)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return fail(errorNumber);
    // A file system without the flag: a second name, then the old one goes.
    // link() refuses an existing target just as well.
    if (::link(source.constData(), target.constData()) != 0)
        return fail(errorNumber);
    if (::unlink(source.constData()) != 0) {
        const int saved = errno;
        ::unlink(target.constData());
        errno = saved;
        return fail(errorNumber);
    }
    return true;
}

bool renameReplacing(const QString& from, const QString& to, int* errorNumber)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return fail(errorNumber);
}

bool syncToDisk(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}


}  // namespace db
