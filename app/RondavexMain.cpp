// The catalogue program.
#include "catalogue/frmFilme.h"
#include "frame/frmSplash.h"
#include "platform/system/DesktopSettings.h"
#include "platform/system/LocalSingleInstance.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/QtDialogs.h"
#include "platform/system/QtServices.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(sys::programTitle());
    QApplication::setApplicationVersion(QStringLiteral(RONDAVEX_VERSION));

    sys::QtMessageService messages;
    sys::SystemClock clock;
    sys::IniUserStore userStore(sys::userStorePath());
    sys::DesktopShell shell;
    sys::QtDialogs dialogs;
    sys::DesktopSettings desktop;
    sys::Services services;
    services.programFolder = sys::programFolder();
    sys::LocalSingleInstance singleInstance(services.programFolder);
    services.messages = &messages;
    services.clock = &clock;
    services.userStore = &userStore;
    services.shell = &shell;
    services.dialogs = &dialogs;
    services.desktop = &desktop;
    services.singleInstance = &singleInstance;

    frmFilme hauptfenster(services);
    bool zweiteInstanz = false;
    frmSplash splash(&hauptfenster, [&] { return hauptfenster.Form_Load(&zweiteInstanz); });
    if (!splash.Form_Load())
        return zweiteInstanz ? 0 : 1;
    return app.exec();
}
