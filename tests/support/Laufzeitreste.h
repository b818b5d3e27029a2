#pragma once
// What the single instance leaves in its runtime folder, and what a killed
// instance leaves there: every name in a folder, sockets included, and a
// socket file that no one listens on.
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace testing_support {

// Every name in the folder, sockets included.
inline QStringList eintraege(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A socket file at `path` that no one listens on any more, as a killed instance leaves it.
inline bool staleSocket(const QString& path)
{
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::strncpy(address.sun_path, name.constData(), sizeof address.sun_path - 1);
    const bool bound = s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (s >= 0)
        ::close(s);
    return bound;
}

}  // namespace testing_support
