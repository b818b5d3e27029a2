#pragma once
// Programs of ours run as child processes (the catalogue conversion), and the
// progress dialog that shows such a run: each behind a narrow interface of
// the services context, so that tests hand in doubles.
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

namespace sys {

// How a child process ended.
struct Programmende {
    enum class Art {
        Beendet,         // ended by itself with `code`
        Signal,          // ended by the signal `code` (a crash)
        Zeitlimit,       // wrote nothing for longer than its limit and was ended
        Abgebrochen,     // ended on the caller's request (one that completed first counts as Beendet)
        NichtGestartet,  // could not be started (`fehler` says why)
    };
    Art art = Art::NichtGestartet;
    int code = 0;
    QString fehlerausgabe;  // everything it wrote on standard error
    QString fehler;         // why it could not be started
    bool erfolgreich() const { return art == Art::Beendet && code == 0; }
};

struct Programmlauf {
    QString programm;
    QStringList argumente;
    // A run that writes no line for longer than this is taken for hung and ended.
    std::chrono::milliseconds stille{std::chrono::seconds(60)};
    // Each line of its standard output, as it comes (without the line end).
    std::function<void(const QString&)> zeile;
    // Asked a few times a second while it runs; true ends the run.
    std::function<bool()> abbrechen;
};

class Prozesse {
public:
    virtual ~Prozesse() = default;
    // Runs the program to its end; the caller's windows keep working meanwhile.
    virtual Programmende ausfuehren(const Programmlauf& lauf) = 0;
};

// A modal progress dialog with a button "Abbrechen".
class Fortschrittsanzeige {
public:
    virtual ~Fortschrittsanzeige() = default;
    // The text under the title and the bar's position (0 .. maximum; maximum 0: no bar yet).
    virtual void setzen(const QString& text, long long wert, long long maximum) = 0;
    // True once the user asked to cancel.
    virtual bool abgebrochen() const = 0;
};

class Fortschritt {
public:
    virtual ~Fortschritt() = default;
    // Shows the dialog until the result goes.
    virtual std::unique_ptr<Fortschrittsanzeige> zeigen(const QString& titel, const QString& text) = 0;
};

}  // namespace sys
