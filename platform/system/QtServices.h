#pragma once
// The real services of a running program.
#include "platform/system/Services.h"
#include "platform/ini/IniFile.h"

namespace sys {

class QtMessageService : public MessageService {
public:
    // defaultTitle: the title of a box that has none of its own (the program's).
    explicit QtMessageService(QString defaultTitle = programTitle()) : m_defaultTitle(std::move(defaultTitle)) {}
    int msgBox(const QString& prompt, int flags, const QString& title) override;

private:
    QString m_defaultTitle;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override;
};

// The per-user store as an INI file of our own layer.
class IniUserStore : public UserStore {
public:
    explicit IniUserStore(QString path);
    QString getSetting(const QString& section, const QString& key, const QString& fallback) const override;
    void saveSetting(const QString& section, const QString& key, const QString& value) override;

private:
    QString m_path;
};

class DesktopShell : public Shell {
public:
    bool open(const QString& fileOrAddress) override;
    bool start(const QString& program, const QStringList& arguments) override;
};

}  // namespace sys
