#pragma once
// One running instance per user and program folder, through a local socket
// named after both: a later start asks the running one to come to the front.
#include "platform/system/Services.h"

#include <memory>

class QLocalServer;

namespace sys {

class LocalSingleInstance : public SingleInstance {
public:
    explicit LocalSingleInstance(const QString& programFolder);
    ~LocalSingleInstance() override;

    bool anotherIsRunning() override;
    void serve(std::function<void()> raise) override;

    // The socket's name for a folder (user, program and a hash of the folder).
    static QString socketName(const QString& programFolder);

private:
    QString m_name;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_raise;
};

}  // namespace sys
