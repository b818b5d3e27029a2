#include "platform/system/LocalSingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace sys {

namespace {
constexpr int WaitMs = 1000;
const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
}  // namespace

LocalSingleInstance::LocalSingleInstance(const QString& programFolder) : m_name(socketName(programFolder)) {}

LocalSingleInstance::~LocalSingleInstance() = default;

QString LocalSingleInstance::socketName(const QString& programFolder)
{
    const QByteArray folder = QDir(programFolder).canonicalPath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(folder.isEmpty() ? programFolder.toUtf8() : folder,
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    return QStringLiteral("Rondavex-%1-%2").arg(uint(getuid())).arg(QString::fromLatin1(hash));
}

bool LocalSingleInstance::anotherIsRunning()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(WaitMs))
        return false;
    socket.write(RaiseRequest);
    socket.waitForBytesWritten(WaitMs);
    socket.disconnectFromServer();
    return true;
}

void LocalSingleInstance::serve(std::function<void()> raise)
{
    m_raise = std::move(raise);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a crashed instance answers no one: take its place.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name))
        return;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            QObject::connect(s, &QLocalSocket::readyRead, s, [this, s] {
                if (s->readAll().contains(RaiseRequest) && m_raise)
                    m_raise();
            });
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

}  // namespace sys
