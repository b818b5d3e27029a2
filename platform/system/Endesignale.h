#pragma once
// SIGTERM, SIGINT and SIGHUP end the program as the end of its event loop
// does: every object goes as at a normal end, and with it what the program
// made (the single instance's lock and socket, the catalogue's lock file).
// A signal that the program was started with ignored (SIGHUP under nohup)
// stays ignored.
#include <QObject>

#include <memory>

class QSocketNotifier;

namespace sys {

class Endesignale : public QObject {
    Q_OBJECT
public:
    // Takes the three signals over until it goes, then gives each back what
    // it did before. Needs a QCoreApplication; one at a time.
    Endesignale();
    ~Endesignale() override;
    Endesignale(const Endesignale&) = delete;
    Endesignale& operator=(const Endesignale&) = delete;

    // Runs the event loop until the program ends or one of the signals comes;
    // at once 0 when one came already while the program was starting.
    int exec();
    // The signal that came, 0 while none did.
    int empfangen() const { return m_signal; }

private:
    void lesen();

    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_signal = 0;
    bool m_laeuft = false;
};

}  // namespace sys
