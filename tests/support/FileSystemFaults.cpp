#include "tests/support/FileSystemFaults.h"

#include <QDir>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr int DropFailed = 99;
constexpr uid_t Nobody = 65534;

bool setImmutable(const QByteArray& path, bool on)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// The drives' pseudo letters follow the mount table, so a test that mounts
// and then reads letters would see another test process's mounts come and go:
// mounts are held by one test process at a time.
int g_sperren = 0;
int g_sperrdatei = -1;

void einhaengenSperren()
{
    if (g_sperren++ > 0)
        return;
    g_sperrdatei = ::open("/tmp/rondavex-tests-mounts.lock", O_CREAT | O_RDWR | O_CLOEXEC, 0666);
    if (g_sperrdatei >= 0)
        ::flock(g_sperrdatei, LOCK_EX);
}

void einhaengenFreigeben()
{
    if (--g_sperren > 0 || g_sperrdatei < 0)
        return;
    ::flock(g_sperrdatei, LOCK_UN);
    ::close(g_sperrdatei);
    g_sperrdatei = -1;
}

// The rename that FailingRename refuses: the target's path (absolute, as the
// callers name it) and the error.
std::mutex g_umbenennenSperre;
std::atomic<bool> g_umbenennenFehlt{false};
QByteArray g_umbenennenZiel;
int g_umbenennenFehler = 0;
int g_umbenennenMal = -1;
int g_umbenennenVerweigert = 0;

bool umbenennenVerweigern(const char* ziel)
{
    if (!g_umbenennenFehlt.load())
        return false;
    const std::lock_guard<std::mutex> sperre(g_umbenennenSperre);
    if (!g_umbenennenFehlt.load() || g_umbenennenZiel != ziel
        || (g_umbenennenMal >= 0 && g_umbenennenVerweigert >= g_umbenennenMal))
        return false;
    ++g_umbenennenVerweigert;
    errno = g_umbenennenFehler;
    return true;
}

}  // namespace

FailingRename::FailingRename(const QString& target, int error, int times)
{
    const std::lock_guard<std::mutex> sperre(g_umbenennenSperre);
    g_umbenennenZiel = QFile::encodeName(target);
    g_umbenennenFehler = error;
    g_umbenennenMal = times;
    g_umbenennenVerweigert = 0;
    g_umbenennenFehlt = true;
}

FailingRename::~FailingRename()
{
    g_umbenennenFehlt = false;
}

int FailingRename::refused() const
{
    const std::lock_guard<std::mutex> sperre(g_umbenennenSperre);
    return g_umbenennenVerweigert;
}

MountedExt4::MountedExt4(const QString& folder, const QString& label) : m_folder(folder)
{
    einhaengenSperren();
    if (::geteuid() != 0 || !QDir().mkpath(folder))
        return;
    const QByteArray image = QFile::encodeName(folder + QStringLiteral(".img"));
    const QByteArray commands = "truncate -s 16M '" + image + "' && mkfs.ext4 -q -F -L '" + label.toUtf8() + "' '"
                                + image + "' >/dev/null 2>&1 && mount -o loop '" + image + "' '"
                                + QFile::encodeName(folder) + "' 2>/dev/null";
    m_ok = std::system(commands.constData()) == 0;
}

MountedExt4::~MountedExt4()
{
    if (m_ok)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    einhaengenFreigeben();
}

MountedTmpfs::MountedTmpfs(const QString& folder, const char* options)
    : m_folder(QFile::encodeName(folder)), m_options(options)
{
    einhaengenSperren();
    m_ok = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, m_options.constData()) == 0;
}

MountedTmpfs::~MountedTmpfs()
{
    if (m_ok)
        ::umount2(m_folder.constData(), MNT_DETACH);
    einhaengenFreigeben();
}

bool MountedTmpfs::remountReadOnly()
{
    return m_ok
           && ::mount("tmpfs", m_folder.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, m_options.constData()) == 0;
}

ImmutableFile::ImmutableFile(const QString& path) : m_path(QFile::encodeName(path))
{
    m_ok = setImmutable(m_path, true);
}

ImmutableFile::~ImmutableFile()
{
    if (m_ok)
        setImmutable(m_path, false);
}

QByteArray damaged(const QByteArray& database, Damage how)
{
    constexpr qsizetype Seite = 4096;
    switch (how) {
    case Damage::CutToHalf:
        return database.left(database.size() / 2);
    case Damage::CutInTheHeader:
        return database.left(10);
    case Damage::Empty:
        return {};
    case Damage::BrokenPagesInTheMiddle: {
        QByteArray d = database;
        const qsizetype mitte = d.size() / 2 / Seite * Seite;
        d.replace(mitte, 2 * Seite, QByteArray(2 * Seite, '\xab'));
        return d;
    }
    }
    return database;
}

std::string damageName(Damage how)
{
    switch (how) {
    case Damage::CutToHalf:
        return "CutToHalf";
    case Damage::CutInTheHeader:
        return "CutInTheHeader";
    case Damage::Empty:
        return "Empty";
    case Damage::BrokenPagesInTheMiddle:
        return "BrokenPagesInTheMiddle";
    }
    return {};
}

int runUnprivileged(const std::function<int()>& check)
{
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            ::_exit(DropFailed);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == DropFailed)
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace testing_support

// Stand in for the C library's renames in every test program that links
// these faults; without a fault each is the system call itself.
extern "C" int renameat2(int olddirfd, const char* oldpath, int newdirfd, const char* newpath,
                         unsigned int flags) noexcept
{
    if (testing_support::umbenennenVerweigern(newpath))
        return -1;
    return int(::syscall(SYS_renameat2, olddirfd, oldpath, newdirfd, newpath, flags));
}

extern "C" int rename(const char* oldpath, const char* newpath) noexcept
{
    if (testing_support::umbenennenVerweigern(newpath))
        return -1;
    return int(::syscall(SYS_renameat2, AT_FDCWD, oldpath, AT_FDCWD, newpath, 0U));
}
