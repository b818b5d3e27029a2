#pragma once
// The services context: everything a window reaches outside itself (message
// boxes, the clock, the per-user store, the shell, ...) comes through here, so
// that tests can hand in doubles. Each program's main builds one context.
#include "platform/system/Drives.h"
#include "platform/system/Messages.h"
#include "platform/system/Web.h"
#include "platform/system/Printer.h"
#include "platform/system/Prozesse.h"
#include "platform/system/SingleWindows.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace sys {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// The platform's per-user application settings (GetSetting / SaveSetting).
class UserStore {
public:
    virtual ~UserStore() = default;
    virtual QString getSetting(const QString& section, const QString& key, const QString& fallback = {}) const = 0;
    virtual void saveSetting(const QString& section, const QString& key, const QString& value) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file or address with its associated program.
    virtual bool open(const QString& fileOrAddress) = 0;
    // Starts a program detached, without arguments, from the given folder.
    virtual bool start(const QString& program, const QStringList& arguments = {}) = 0;
};

// The common dialogs. A cancel gives an empty result (nothing for the colour).
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A Windows colour number (red + 256 * green + 65536 * blue), or nothing on cancel.
    virtual std::optional<long> chooseColor(long initial) = 0;
    struct FontChoice {
        QString name;
        bool bold = false;
        double size = 0;
    };
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial, const QString& title = {}) = 0;
    // A file to open, or "" on cancel. filter as Qt writes it ("Bilder (*.jpg *.bmp)"),
    // matched without regard to letter case; `startName` goes into the name box.
    virtual QString openFile(const QString& title, const QString& folder, const QString& filter,
                             const QString& startName = {}) = 0;
};

// Look-ups in the desktop's own settings.
class Desktop {
public:
    virtual ~Desktop() = default;
    // The desktop's wallpaper picture, or "" when none is set or found.
    virtual QString wallpaper() const = 0;
    // The system-information program, or "" when none is installed.
    virtual QString systemInformationProgram() const = 0;
};

// The desktop's proof that the user asked for a start: with it the window of
// the running instance may take the focus from another program's.
struct Activation {
    QString startupId;        // X11 startup notification (DESKTOP_STARTUP_ID)
    QString activationToken;  // Wayland xdg-activation (XDG_ACTIVATION_TOKEN)
    bool operator==(const Activation&) const = default;
};

// One running instance per user and program folder.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when another instance runs; it has then been asked to come to the
    // front, with this start's activation. False: this one is the instance,
    // from now on for every later start.
    virtual bool anotherIsRunning() = 0;
    // This instance takes the place: later starts hand over to it. `raise` is
    // called with the later start's activation when it asks to come to the front.
    virtual void serve(std::function<void(const Activation&)> raise) = 0;
};

// What a window needs of the world. The pointers are owned by whoever built the
// context (the program's main, or a test) and outlive every window. The context
// owns the registry of windows that exist once: there is no context without it,
// and its windows go with the context, before the services that outlive it.
struct Services {
    Services() = default;
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    QString programFolder;  // the folder of Cd.ini, the catalogues and every file the program writes
    // The folder of the programs' executables, from which each starts the other
    // and its helpers; the program folder when empty (a test's context).
    QString executableFolder;
    QString title = programTitle();  // the program's own title, that of a message box without one ("Tools" for tools)
    MessageService* messages = nullptr;
    Clock* clock = nullptr;
    UserStore* userStore = nullptr;
    Shell* shell = nullptr;
    Dialogs* dialogs = nullptr;
    Desktop* desktop = nullptr;
    SingleInstance* singleInstance = nullptr;
    Drives* drives = nullptr;
    Web* web = nullptr;
    Printer* printer = nullptr;
    Prozesse* prozesse = nullptr;
    Fortschritt* fortschritt = nullptr;
    // Last, so that its windows go first. Mutable: windows get the context as
    // const, and their registry is the one part of it they change.
    mutable SingleWindows singleWindows;

    // programFolder + "/" + name
    QString file(const QString& name) const;
    // An executable of ours: executableFolder (or programFolder) + "/" + name
    QString executable(const QString& name) const;
};

// Points each service of the context at the member of the same name in `set`:
// a program's real services or a test's doubles.
template <class Set>
void wireServices(Services& services, Set& set)
{
    services.messages = &set.messages;
    services.clock = &set.clock;
    services.userStore = &set.userStore;
    services.shell = &set.shell;
    services.dialogs = &set.dialogs;
    services.desktop = &set.desktop;
    services.singleInstance = &set.singleInstance;
    services.drives = &set.drives;
    services.web = &set.web;
    services.printer = &set.printer;
    services.prozesse = &set.prozesse;
    services.fortschritt = &set.fortschritt;
}

}  // namespace sys
