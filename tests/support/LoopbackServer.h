#pragma once
// A web server on 127.0.0.1 for tests: it records each request line and
// answers from a script, one answer per request in order (404 when the script
// is used up).
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QTcpServer>
#include <deque>

namespace testing_support {

struct ScriptedAnswer {
    int status = 200;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray redirectTo;  // sets "Location"
    int delayMs = 0;        // wait before answering
    bool never = false;     // read the request, answer nothing
    qsizetype cutAfter = -1;  // announce the whole body, send this many bytes, hang up

    static ScriptedAnswer with(int status, QByteArray body = {})
    {
        ScriptedAnswer a;
        a.status = status;
        a.body = std::move(body);
        return a;
    }
    ScriptedAnswer redirect(QByteArray to) const { auto a = *this; a.redirectTo = std::move(to); return a; }
    ScriptedAnswer header(QByteArray name, QByteArray value) const
    {
        auto a = *this;
        a.headers.append({std::move(name), std::move(value)});
        return a;
    }
    ScriptedAnswer delay(int ms) const { auto a = *this; a.delayMs = ms; return a; }
    ScriptedAnswer silent() const { auto a = *this; a.never = true; return a; }
    ScriptedAnswer cut(qsizetype after) const { auto a = *this; a.cutAfter = after; return a; }
};

class LoopbackServer : public QObject {
public:
    LoopbackServer();
    bool listening() const { return m_server.isListening(); }
    // "http://127.0.0.1:<port>"
    QString address() const;
    void answer(ScriptedAnswer a) { m_script.push_back(std::move(a)); }
    QStringList requestLines;  // "GET /search?... HTTP/1.1"

private:
    void serve(class QTcpSocket* socket);
    QTcpServer m_server;
    std::deque<ScriptedAnswer> m_script;
};

}  // namespace testing_support
