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
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {

namespace {
constexpr int WaitMs = 1000;
// The running instance listens moments after it took the lock; a start that
// lost the lock gives it this long to answer.
constexpr int HandOverMs = 3000;
// Names under the temporary folder tried before a start gives up on one of its own.
constexpr int TempFolderNames = 16;
// A request is a few short lines; a peer that sends more is not one of ours.
constexpr qsizetype MaxRequest = 4096;
const QByteArray Raise = QByteArrayLiteral("raise");
const QByteArray StartupId = QByteArrayLiteral("startup-id");
const QByteArray ActivationToken = QByteArrayLiteral("activation-token");

// A folder of this user's alone: a folder itself (no link to one), ours, and
// closed to everyone else.
bool ownFolder(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool own = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
                     && (st.st_mode & (S_IRWXG | S_IRWXO)) == 0;
    ::close(fd);
    return own;
}

// The user at the other end of a connected local socket is this one.
bool peerIsUs(qintptr socket)
{
    struct ucred cred {};
    socklen_t length = sizeof cred;
    return socket >= 0 && ::getsockopt(int(socket), SOL_SOCKET, SO_PEERCRED, &cred, &length) == 0
           && length == sizeof cred && cred.uid == ::geteuid();
}

// The open file `fd` is what `path` names now.
bool isFileAt(int fd, const QString& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(QFile::encodeName(path).constData(), &named) == 0
           && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

QString folderHash(const QString& programFolder)
{
    const QByteArray folder = QDir(programFolder).canonicalPath().toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(folder.isEmpty() ? programFolder.toUtf8() : folder, QCryptographicHash::Sha1)
            .toHex()
            .left(16));
}

}  // namespace

LocalSingleInstance::LocalSingleInstance(const QString& programFolder, Activation ownStart)
    : m_socketPath(socketPath(programFolder)), m_ownStart(std::move(ownStart))
{
    if (!m_socketPath.isEmpty())
        m_lockPath = m_socketPath + QStringLiteral(".lock");
}

LocalSingleInstance::~LocalSingleInstance()
{
    // The socket first, so that a start that takes the lock after us finds no
    // one to hand over to. Closing removes the socket's file.
    m_server.reset();
    releaseLock();
}

QString LocalSingleInstance::runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && ownFolder(runtime))
        return QDir::cleanPath(runtime);
    const QString base = QDir::cleanPath(QDir::tempPath()) + QStringLiteral("/Rondavex-") + QString::number(::getuid());
    for (int n = 0; n < TempFolderNames; ++n) {
        const QString folder = n == 0 ? base : base + QLatin1Char('-') + QString::number(n);
        // Made with no rights for others; one that exists is used only when it is ours alone.
        if (::mkdir(QFile::encodeName(folder).constData(), S_IRWXU) != 0 && errno != EEXIST)
            continue;
        if (ownFolder(folder))
            return folder;
    }
    return {};
}

QString LocalSingleInstance::socketPath(const QString& programFolder)
{
    const QString folder = runtimeFolder();
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("/Rondavex-") + folderHash(programFolder);
}

QString LocalSingleInstance::lockPath(const QString& programFolder)
{
    const QString socket = socketPath(programFolder);
    return socket.isEmpty() ? QString() : socket + QStringLiteral(".lock");
}

QByteArray LocalSingleInstance::request(const Activation& activation)
{
    QByteArray bytes = Raise + '\n';
    if (!activation.startupId.isEmpty())
        bytes += StartupId + ' ' + activation.startupId.toUtf8().toPercentEncoding() + '\n';
    if (!activation.activationToken.isEmpty())
        bytes += ActivationToken + ' ' + activation.activationToken.toUtf8().toPercentEncoding() + '\n';
    return bytes + '\n';
}

std::optional<Activation> LocalSingleInstance::parseRequest(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.front() != Raise)
        return std::nullopt;
    Activation activation;
    for (qsizetype i = 1; i < lines.size() && !lines[i].isEmpty(); ++i) {
        const qsizetype blank = lines[i].indexOf(' ');
        if (blank < 0)
            continue;
        const QByteArray key = lines[i].left(blank);
        const QString value = QString::fromUtf8(QByteArray::fromPercentEncoding(lines[i].mid(blank + 1)));
        if (key == StartupId)
            activation.startupId = value;
        else if (key == ActivationToken)
            activation.activationToken = value;
    }
    return activation;
}

LocalSingleInstance::Lock LocalSingleInstance::takeLock()
{
    // A lock file is removed by the instance that ends while it still holds
    // it: a start that opened the old file before then finds, once it has the
    // lock, that the name means another file now, and tries again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::open(QFile::encodeName(m_lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                              S_IRUSR | S_IWUSR);
        if (fd < 0)
            return Lock::Unavailable;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            ::close(fd);
            return held ? Lock::Held : Lock::Unavailable;
        }
        if (isFileAt(fd, m_lockPath)) {
            m_lockFd = fd;
            return Lock::Taken;
        }
        ::close(fd);
    }
    return Lock::Unavailable;
}

void LocalSingleInstance::releaseLock()
{
    if (m_lockFd < 0)
        return;
    if (isFileAt(m_lockFd, m_lockPath))
        ::unlink(QFile::encodeName(m_lockPath).constData());
    ::close(m_lockFd);
    m_lockFd = -1;
}

bool LocalSingleInstance::anotherIsRunning()
{
    if (m_lockFd >= 0 || m_socketPath.isEmpty())
        return false;
    const QDeadlineTimer bis(HandOverMs);
    for (;;) {
        switch (takeLock()) {
        case Lock::Unavailable:
            // No lock to be had in our own folder: nothing of ours runs there.
            return false;
        case Lock::Taken:
            // An instance whose lock file someone removed still answers on its socket.
            if (handOver(0)) {
                releaseLock();
                return true;
            }
            listen();
            return false;
        case Lock::Held:
            if (handOver(int(qMin<qint64>(WaitMs, qMax<qint64>(1, bis.remainingTime())))))
                return true;
            // The holder runs, even when it does not answer yet (still
            // starting): this start ends either way. One that was just ending
            // has given up its lock by the next round.
            if (bis.hasExpired())
                return true;
            QThread::msleep(20);
            break;
        }
    }
}

bool LocalSingleInstance::handOver(int waitMs) const
{
    const QDeadlineTimer bis(waitMs);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(int(qMin<qint64>(WaitMs, qMax<qint64>(1, bis.remainingTime()))))) {
            // A listener of another user is no instance of ours, wherever it sits.
            if (!peerIsUs(socket.socketDescriptor()))
                return false;
            socket.write(request(m_ownStart));
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
    // A socket file left by an instance that was killed answers no one (and
    // one of another user is no instance of ours): take its place.
    QLocalServer::removeServer(m_socketPath);
    if (!m_server->listen(m_socketPath))
        return;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            if (!peerIsUs(s->socketDescriptor())) {
                s->abort();
                s->deleteLater();
                continue;
            }
            QObject::connect(s, &QLocalSocket::readyRead, s, [this, s] { answer(s); });
            QObject::connect(s, &QLocalSocket::disconnected, s, [this, s] {
                answer(s);
                s->deleteLater();
            });
        }
    });
}

void LocalSingleInstance::answer(QLocalSocket* socket)
{
    if (socket->property("rdxDone").toBool())
        return;
    // The request so far, kept with its socket until it is whole (an empty
    // line ends it; a start of an older kind just goes after "raise").
    const QByteArray bytes = socket->property("rdxRequest").toByteArray() + socket->readAll();
    if (bytes.size() > MaxRequest) {
        socket->setProperty("rdxDone", true);
        socket->abort();
        return;
    }
    socket->setProperty("rdxRequest", bytes);
    if (!bytes.contains("\n\n") && socket->state() == QLocalSocket::ConnectedState)
        return;
    socket->setProperty("rdxDone", true);
    // Before serve() there is no window yet; it is shown soon anyway.
    if (const auto activation = parseRequest(bytes); activation && m_raise)
        m_raise(*activation);
}

void LocalSingleInstance::serve(std::function<void(const Activation&)> raise)
{
    m_raise = std::move(raise);
    listen();
}

}  // namespace sys
