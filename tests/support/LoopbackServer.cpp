#include "tests/support/LoopbackServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace testing_support {

LoopbackServer::LoopbackServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

QString LoopbackServer::address() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

void LoopbackServer::serve(QTcpSocket* socket)
{
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
        buffer->append(socket->readAll());
        if (!buffer->contains("\r\n\r\n") || buffer->isNull())
            return;
        requestLines.append(QString::fromLatin1(buffer->left(buffer->indexOf("\r\n"))));
        buffer->clear();
        ScriptedAnswer a;
        if (!m_script.empty()) {
            a = std::move(m_script.front());
            m_script.pop_front();
        } else {
            a.status = 404;
            a.body = "<html><body>nicht da</body></html>";
        }
        if (a.never)
            return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) + " Scripted\r\n";
        head += "Content-Length: " + QByteArray::number(a.body.size()) + "\r\nConnection: close\r\n";
        if (!a.redirectTo.isEmpty())
            head += "Location: " + a.redirectTo + "\r\n";
        for (const auto& [name, value] : a.headers)
            head += name + ": " + value + "\r\n";
        head += "\r\n";
        const QByteArray body = a.cutAfter >= 0 ? a.body.left(a.cutAfter) : a.body;
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(a.delayMs, this, [guarded, head, body] {
            if (!guarded)
                return;
            guarded->write(head);
            guarded->write(body);
            guarded->disconnectFromHost();
        });
    });
}

}  // namespace testing_support
