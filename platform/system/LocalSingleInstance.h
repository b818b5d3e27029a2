#pragma once
// One running instance per user and program folder. The decision is an
// exclusive lock on a file named after both, so that of several starts at the
// same moment exactly one goes on; it then listens on a local socket of the
// same name, through which a later start asks it to come to the front.
#include "platform/system/Services.h"

#include <memory>

class QLocalServer;

namespace sys {

class LocalSingleInstance : public SingleInstance {
public:
    explicit LocalSingleInstance(const QString& programFolder);
    ~LocalSingleInstance() override;
    LocalSingleInstance(const LocalSingleInstance&) = delete;
    LocalSingleInstance& operator=(const LocalSingleInstance&) = delete;

    // The first start takes the lock (held until this object goes) and answers
    // later starts from then on, also while it is still busy starting.
    bool anotherIsRunning() override;
    void serve(std::function<void()> raise) override;

    // The socket's name for a folder (user, program and a hash of the folder).
    static QString socketName(const QString& programFolder);
    // The lock file beside the socket.
    static QString lockPath(const QString& programFolder);

private:
    bool raiseRunning(int waitMs) const;
    void listen();

    QString m_name;
    QString m_lockPath;
    int m_lockFd = -1;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_raise;
};

}  // namespace sys
