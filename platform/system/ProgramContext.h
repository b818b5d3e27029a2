#pragma once
// The start of both programs: the application's name and the real services,
// wired into the one context that every window gets. Built in main, after the
// QApplication and before the first window.
#include "platform/system/DesktopSettings.h"
#include "platform/system/Endesignale.h"
#include "platform/system/LinuxDrives.h"
#include "platform/system/LocalSingleInstance.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/QtDialogs.h"
#include "platform/system/QtPrinter.h"
#include "platform/system/QtProzesse.h"
#include "platform/system/QtServices.h"
#include "platform/system/Services.h"

#include <QTranslator>

#include <memory>

namespace sys {

// Qt's own texts (standard buttons, print and file dialogs) in German,
// whatever the system's language, for as long as the result lives. Empty when
// Qt's German translations are not installed; the texts then stay English.
std::unique_ptr<QTranslator> qtTexteDeutsch();

class ProgramContext {
    // Chosen first: the single instance is named after it.
    ProgramFolderChoice m_folder;

public:
    // Only the catalogue program hands a second start over to the first;
    // the other program leaves the context's single instance empty.
    enum class Instances { One, Any };

    // applicationName: also the class of its windows (WM_CLASS), which the
    // menu entry names; title: the program's own, shown on a message box
    // without one; ownStart: what this start hands over to a running instance
    // (read before the QApplication was made). Every window gets the icon
    // that the program's menu entry shows (named by the desktop file name).
    ProgramContext(const QString& applicationName, const QString& title, Instances instances,
                   const Activation& ownStart = {});
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    const Services& services() const { return m_services; }

    // False when the program folder cannot be created or filled: the user has
    // then been told why, and the program ends with a non-zero exit status.
    bool programFolderReady() const;

    // The event loop, which SIGTERM, SIGINT and SIGHUP end as cleanly as the
    // last window does; at once 0 when one came during the start.
    int exec() { return m_endesignale.exec(); }

    // The members that wireServices looks up by name.
    QtMessageService messages;
    SystemClock clock;
    IniUserStore userStore;
    DesktopShell shell;
    QtDialogs dialogs;
    DesktopSettings desktop;
    LocalSingleInstance singleInstance;
    LinuxDrives drives;
    NetWeb web{std::chrono::seconds(30)};
    QtPrinter printer;
    QtProzesse prozesse;
    QtFortschritt fortschritt;

private:
    Endesignale m_endesignale;
    std::unique_ptr<QTranslator> m_qtTexte;
    // Last, so that its windows go before the services they use.
    Services m_services;
};

}  // namespace sys
