// The catalogue program.
#include "frame/Backup.h"
#include "frame/Einstellungen.h"
#include "frame/Schemaupgrade.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/QtServices.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(sys::programTitle());

    sys::QtMessageService messages;
    sys::SystemClock clock;
    sys::IniUserStore userStore(sys::userStorePath());
    sys::DesktopShell shell;
    sys::Services services;
    services.programFolder = sys::programFolder();
    services.messages = &messages;
    services.clock = &clock;
    services.userStore = &userStore;
    services.shell = &shell;

    frame::Einstellungen einstellungen;
    frame::przInilesen(services, einstellungen);
    frame::przBackup(services, einstellungen.dbName);

    frame::Schemaupgrade upgrade(services, einstellungen.dbName);
    if (!upgrade.przDBVersion())
        return 1;
    auto datenbank = upgrade.takeDatabase();

    QMainWindow fenster;
    fenster.setWindowTitle(sys::programTitle());
    fenster.resize(800, 600);
    fenster.show();
    return app.exec();
}
