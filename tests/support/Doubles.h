#pragma once
// Doubles of the services: they record every call and answer from a script.
// A message box that the script did not expect fails the test instead of
// blocking it.
#include "platform/system/Services.h"
#include "tests/support/QtPrinters.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace testing_support {

struct ShownMessage {
    QString prompt;
    int flags = 0;
    QString title;
};

class FakeMessages : public sys::MessageService {
public:
    int msgBox(const QString& prompt, int flags, const QString& title) override;

    // Answers for the coming boxes, in order. Boxes whose flags ask only for OK
    // (no buttons beyond OK) need no answer and get mb::Ok.
    void answer(int result) { m_answers.push_back(result); }
    // Fails the test on any box whose flags need an answer it was not given.
    std::vector<ShownMessage> shown;
    QStringList prompts() const;

private:
    std::deque<int> m_answers;
};

class FakeClock : public sys::Clock {
public:
    explicit FakeClock(QDateTime when = QDateTime(QDate(2026, 12, 9), QTime(10, 0))) : m_now(std::move(when)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& when) { m_now = when; }

private:
    QDateTime m_now;
};

class FakeUserStore : public sys::UserStore {
public:
    QString getSetting(const QString& section, const QString& key, const QString& fallback) const override;
    void saveSetting(const QString& section, const QString& key, const QString& value) override;
    QHash<QString, QString> values;  // "section/key" -> value
};

class FakeShell : public sys::Shell {
public:
    bool open(const QString& fileOrAddress) override;
    bool start(const QString& program, const QStringList& arguments) override;
    QStringList opened;
    QStringList started;
    bool succeed = true;
};

// A services context over a folder, wired to the doubles above.
struct FakeServices {
    explicit FakeServices(const QString& folder);
    FakeMessages messages;
    FakeClock clock;
    FakeUserStore userStore;
    FakeShell shell;
    sys::Services services;
};

}  // namespace testing_support
