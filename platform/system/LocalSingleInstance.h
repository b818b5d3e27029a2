#pragma once
// One running instance per user and program folder. The decision is an
// exclusive lock on a file named after the folder, so that of several starts
// at the same moment exactly one goes on; it then listens on a local socket of
// the same name, through which a later start asks it to come to the front.
// Both lie in a folder that only this user can enter, and a peer of another
// user is never believed: no one else can answer in our place or hold our lock.
#include "platform/system/Services.h"

#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace sys {

class LocalSingleInstance : public SingleInstance {
public:
    // ownStart: what this start hands over when another instance runs.
    explicit LocalSingleInstance(const QString& programFolder, Activation ownStart = {});
    // Removes the lock file and the socket that this instance made.
    ~LocalSingleInstance() override;
    LocalSingleInstance(const LocalSingleInstance&) = delete;
    LocalSingleInstance& operator=(const LocalSingleInstance&) = delete;

    // The first start takes the lock (held until this object goes) and answers
    // later starts from then on, also while it is still busy starting. Without
    // a folder of our own for the lock, every start goes on alone.
    bool anotherIsRunning() override;
    void serve(std::function<void(const Activation&)> raise) override;

    // The folder of the lock and the socket: $XDG_RUNTIME_DIR when it is a
    // folder of this user's alone (owned, no rights for others, no link);
    // otherwise "Rondavex-<uid>" under the temporary folder, made with mode
    // 0700 (or the first "Rondavex-<uid>-<n>" that is ours when someone else
    // put something under that name). Empty when no such folder can be had.
    static QString runtimeFolder();
    // The socket's path for a program folder (a hash of the folder) in
    // runtimeFolder(); empty when there is none.
    static QString socketPath(const QString& programFolder);
    // The lock file beside the socket.
    static QString lockPath(const QString& programFolder);

    // What a later start writes to the running one, and what the running one
    // reads from it (nullopt: not a request to come to the front).
    static QByteArray request(const Activation& activation);
    static std::optional<Activation> parseRequest(const QByteArray& bytes);

private:
    enum class Lock { Taken, Held, Unavailable };
    Lock takeLock();
    void releaseLock();
    bool handOver(int waitMs) const;
    void listen();
    void answer(QLocalSocket* socket);

    QString m_socketPath;
    QString m_lockPath;
    Activation m_ownStart;
    int m_lockFd = -1;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void(const Activation&)> m_raise;
};

}  // namespace sys
