#include "platform/system/LocalSingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sys {

namespace {
constexpr int WaitMs = 1000;
// The running instance listens moments after it took the lock; a start that
// lost the lock gives it this long to answer.
constexpr int HandOverMs = 3000;
const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
}  // namespace

LocalSingleInstance::LocalSingleInstance(const QString& programFolder)
    : m_name(socketName(programFolder)), m_lockPath(lockPath(programFolder))
{
}

LocalSingleInstance::~LocalSingleInstance()
{
    m_server.reset();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString LocalSingleInstance::socketName(const QString& programFolder)
{
    const QByteArray folder = QDir(programFolder).canonicalPath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(folder.isEmpty() ? programFolder.toUtf8() : folder,
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    return QStringLiteral("Rondavex-%1-%2").arg(uint(getuid())).arg(QString::fromLatin1(hash));
}

QString LocalSingleInstance::lockPath(const QString& programFolder)
{
    // Where QLocalServer puts a socket given by name alone.
    return QDir::tempPath() + QLatin1Char('/') + socketName(programFolder) + QStringLiteral(".lock");
}

bool LocalSingleInstance::anotherIsRunning()
{
    if (m_lockFd < 0) {
        const QByteArray name = QFile::encodeName(m_lockPath);
        // The file stays when the instance ends: removing it would let a start
        // that opened it just before lock a file that no one else sees.
        m_lockFd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_lockFd < 0)
            m_lockFd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    if (m_lockFd < 0) {
        // No lock file to be had (a foreign file in its place): the socket alone decides.
        return raiseRunning(WaitMs);
    }
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0) {
        // An instance whose lock file a cleaner of the temporary folder took
        // away still answers on its socket.
        if (!m_server && raiseRunning(0)) {
            ::close(m_lockFd);
            m_lockFd = -1;
            return true;
        }
        listen();
        return false;
    }
    if (errno != EWOULDBLOCK)
        return raiseRunning(WaitMs);
    // The holder runs, even when it does not answer yet (still starting, or
    // waiting at a message): this start ends either way.
    raiseRunning(HandOverMs);
    return true;
}

bool LocalSingleInstance::raiseRunning(int waitMs) const
{
    const QDeadlineTimer bis(waitMs);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (socket.waitForConnected(int(qMin<qint64>(WaitMs, qMax<qint64>(1, bis.remainingTime()))))) {
            socket.write(RaiseRequest);
            socket.waitForBytesWritten(WaitMs);
            socket.disconnectFromServer();
            return true;
        }
        if (bis.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

void LocalSingleInstance::listen()
{
    if (m_server)
        return;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a crashed instance answers no one: take its place.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name))
        return;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            QObject::connect(s, &QLocalSocket::readyRead, s, [this, s] {
                // Before serve() there is no window yet; it is shown soon anyway.
                if (s->readAll().contains(RaiseRequest) && m_raise)
                    m_raise();
            });
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

void LocalSingleInstance::serve(std::function<void()> raise)
{
    m_raise = std::move(raise);
    listen();
}

}  // namespace sys
