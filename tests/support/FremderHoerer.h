#pragma once
// A process of another user ("nobody") that listens on a local socket, as a
// user who wants to block our start would: it binds the socket in a folder of
// its own, which we then move to `socketPath`, and it may hold a lock on
// `lockPath` (in a folder it can write). It counts the connections it takes
// and ends when the object goes. Needs root; ok() tells whether it runs.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

class FremderHoerer {
public:
    static constexpr uid_t Nobody = 65534;

    explicit FremderHoerer(const QString& socketPath, const QString& lockPath = {})
    {
        if (::geteuid() != 0)
            return;
        // The child's own folder, in which it may bind.
        char vorlage[] = "/tmp/rdx-fremd-XXXXXX";
        if (!::mkdtemp(vorlage) || ::chown(vorlage, Nobody, Nobody) != 0)
            return;
        m_eigenerOrdner = QString::fromLocal8Bit(vorlage);
        const QByteArray gebunden = QFile::encodeName(m_eigenerOrdner + "/s");
        const QByteArray sperre = QFile::encodeName(lockPath);
        if (::pipe(m_pipe) != 0)
            return;
        m_pid = ::fork();
        if (m_pid < 0)
            return;
        if (m_pid == 0)
            kind(gebunden, sperre);
        ::close(m_pipe[1]);
        m_pipe[1] = -1;
        char bereit = 0;
        if (::read(m_pipe[0], &bereit, 1) != 1 || bereit != 'r')
            return;
        ::fcntl(m_pipe[0], F_SETFL, O_NONBLOCK);
        m_ok = ::rename(gebunden.constData(), QFile::encodeName(socketPath).constData()) == 0;
    }
    ~FremderHoerer()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        for (int fd : m_pipe)
            if (fd >= 0)
                ::close(fd);
        if (!m_eigenerOrdner.isEmpty())
            QDir(m_eigenerOrdner).removeRecursively();
    }
    FremderHoerer(const FremderHoerer&) = delete;
    FremderHoerer& operator=(const FremderHoerer&) = delete;

    bool ok() const { return m_ok; }
    // The connections it took so far.
    int verbindungen()
    {
        char c = 0;
        while (::read(m_pipe[0], &c, 1) == 1)
            ++m_verbindungen;
        return m_verbindungen;
    }

private:
    [[noreturn]] void kind(const QByteArray& gebunden, const QByteArray& sperre)
    {
        ::close(m_pipe[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            ::_exit(1);
        if (!sperre.isEmpty()) {
            const int fd = ::open(sperre.constData(), O_RDWR | O_CREAT, 0644);
            if (fd < 0 || ::flock(fd, LOCK_EX) != 0)
                ::_exit(2);
        }
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        std::strncpy(adresse.sun_path, gebunden.constData(), sizeof adresse.sun_path - 1);
        if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) != 0 || ::listen(s, 8) != 0)
            ::_exit(3);
        // Anyone may connect, as a socket meant to catch others' starts would allow.
        ::chmod(gebunden.constData(), 0777);
        if (::write(m_pipe[1], "r", 1) != 1)
            ::_exit(4);
        for (;;) {
            const int c = ::accept(s, nullptr, nullptr);
            if (c < 0)
                continue;
            char puffer[4096];
            [[maybe_unused]] const ssize_t gelesen = ::read(c, puffer, sizeof puffer);
            ::close(c);
            [[maybe_unused]] const ssize_t gemeldet = ::write(m_pipe[1], "c", 1);
        }
    }

    QString m_eigenerOrdner;
    int m_pipe[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_ok = false;
    int m_verbindungen = 0;
};

// A folder of "nobody" beside the machine's temporary folders, where the other
// user can reach it; removed with everything in it when the object goes. Needs
// root; ok() tells whether it belongs to nobody.
class FremderOrdner {
public:
    FremderOrdner()
    {
        char vorlage[] = "/tmp/rdx-fremd-laufzeit-XXXXXX";
        if (!::mkdtemp(vorlage))
            return;
        m_pfad = QString::fromLocal8Bit(vorlage);
        m_ok = ::chown(vorlage, FremderHoerer::Nobody, FremderHoerer::Nobody) == 0;
    }
    ~FremderOrdner()
    {
        if (!m_pfad.isEmpty())
            QDir(m_pfad).removeRecursively();
    }
    FremderOrdner(const FremderOrdner&) = delete;
    FremderOrdner& operator=(const FremderOrdner&) = delete;

    bool ok() const { return m_ok; }
    const QString& pfad() const { return m_pfad; }

private:
    QString m_pfad;
    bool m_ok = false;
};

}  // namespace testing_support
