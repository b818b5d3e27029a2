#pragma once
// Doubles of the services: they record every call and answer from a script.
// A message box that the script did not expect fails the test instead of
// blocking it.
#include "platform/system/Services.h"
#include "tests/support/FakeDrives.h"
#include "platform/system/Spaltenregel.h"
#include "tests/support/QtPrinters.h"

#include <chrono>

#include <QHash>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <utility>
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

// Answers the dialogs from a script: each queue is taken from the front; an
// empty queue answers as a cancel. Every call is recorded.
class FakeDialogs : public sys::Dialogs {
public:
    std::optional<long> chooseColor(long initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial, const QString& title = {}) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter,
                     const QString& startName = {}) override;

    std::deque<std::optional<long>> colors;
    std::deque<std::optional<FontChoice>> fonts;
    std::deque<QString> files;
    QStringList calls;  // "color", "font [<title>]", "open <folder>"
    struct OpenRequest {
        QString title, folder, filter, startName;
    };
    std::vector<OpenRequest> openRequests;
};

class FakeDesktop : public sys::Desktop {
public:
    QString wallpaper() const override { return wallpaperPath; }
    QString systemInformationProgram() const override { return systemInformation; }
    QString wallpaperPath;
    QString systemInformation;
};

class FakeSingleInstance : public sys::SingleInstance {
public:
    bool anotherIsRunning() override { return running; }
    void serve(std::function<void(const sys::Activation&)> raise) override
    {
        raiseHandler = std::move(raise);
        served = true;
    }
    bool running = false;
    bool served = false;
    std::function<void(const sys::Activation&)> raiseHandler;
};

// A printer that records what it prints: each document as its lines of
// (column, text) items, placed by the column rule over a width table (by
// default one column a character, as a monospaced font would give).
class FakePrinter : public sys::Printer {
public:
    using Zeile = std::vector<std::pair<int, QString>>;

    bool print(int spalte, const QString& text, const QTextOption& layout) override;
    bool newLine() override;
    bool endDoc() override;
    Einrichtung setup() override;
    QFont font() override { return QFont(); }
    bool eingerichtet() override { return !keinDrucker; }

    // The width of a text in columns; read when a job starts.
    sys::Spaltenregel::Breite breite = [](const QString& text) { return double(text.size()); };
    // No printer is set up: jobs cannot start, until a choice in the dialog.
    bool keinDrucker = false;
    // Jobs cannot start, though a printer is set up.
    bool failAtStart = false;
    // The printer fails at the item with this number (from 0) of a job; -1 never.
    int failAtItem = -1;
    // The lines of the running document, and every ended one (an ended
    // document without lines brought out no page).
    std::vector<Zeile> zeilen;
    std::vector<std::vector<Zeile>> dokumente;
    int endDocs = 0;
    // Answers of the printer dialog, from the front; empty answers as a cancel.
    std::deque<Einrichtung> setups;
    int setupCalls = 0;

private:
    bool starten();
    std::optional<sys::Spaltenregel> m_regel;
    bool m_zeileOffen = false;
    bool m_gescheitert = false;
    int m_items = 0;
};

// Child processes from a script: each run is recorded and answered by the
// next entry (its output lines, then its end); without one it is not started.
class FakeProzesse : public sys::Prozesse {
public:
    struct Antwort {
        QStringList zeilen;
        sys::Programmende ende;
    };
    sys::Programmende ausfuehren(const sys::Programmlauf& lauf) override;
    std::deque<Antwort> antworten;
    std::vector<sys::Programmlauf> laeufe;
};

// The progress dialog: records what it showed; `abbrechenNach` cancels once
// that many texts have been set (-1 never).
class FakeFortschritt : public sys::Fortschritt {
public:
    std::unique_ptr<sys::Fortschrittsanzeige> zeigen(const QString& titel, const QString& text) override;
    QStringList titel;
    QStringList texte;
    int offen = 0;  // dialogs shown now
    int abbrechenNach = -1;
};

// A services context over a folder, wired to the doubles above.
struct FakeServices {
    explicit FakeServices(const QString& folder);
    FakeMessages messages;
    FakeClock clock;
    FakeUserStore userStore;
    FakeShell shell;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeSingleInstance singleInstance;
    FakeDrives drives;
    // The real web service, with a short limit: tests talk to a server on 127.0.0.1.
    sys::NetWeb web{std::chrono::seconds(3)};
    FakePrinter printer;
    FakeProzesse prozesse;
    FakeFortschritt fortschritt;
    // Last, so that its windows go before the doubles they use.
    sys::Services services;
};

}  // namespace testing_support
