#pragma once
// The start of both programs: the application's name and the real services,
// wired into the one context that every window gets. Built in main, after the
// QApplication and before the first window.
#include "platform/system/DesktopSettings.h"
#include "platform/system/LinuxDrives.h"
#include "platform/system/LocalSingleInstance.h"
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
public:
    // Only the catalogue program hands a second start over to the first;
    // the other program leaves the context's single instance empty.
    enum class Instances { One, Any };

    // title: the program's own, shown on a message box without one.
    ProgramContext(const QString& applicationName, const QString& title, Instances instances);
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    const Services& services() const { return m_services; }

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
    // Last, so that the windows go before the services they use.
    SingleWindows singleWindows;

private:
    std::unique_ptr<QTranslator> m_qtTexte;
    Services m_services;
};

}  // namespace sys
