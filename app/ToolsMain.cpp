// The database tools program.
#include "platform/system/ProgramFolder.h"
#include "platform/system/QtServices.h"
#include "tools/frmTools.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tools"));

    const QString titel = QStringLiteral("Tools");
    sys::QtMessageService messages(titel);
    sys::SystemClock clock;
    sys::IniUserStore userStore(sys::userStorePath());
    sys::DesktopShell shell;
    sys::Services services;
    services.programFolder = sys::programFolder();
    services.title = titel;
    services.messages = &messages;
    services.clock = &clock;
    services.userStore = &userStore;
    services.shell = &shell;

    frmTools fenster(services);
    fenster.Form_Load();
    fenster.show();
    return app.exec();
}
