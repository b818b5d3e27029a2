// The database tools program.
#include "platform/system/Services.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tools"));
    QMainWindow fenster;
    fenster.setWindowTitle(QStringLiteral("Tools"));
    fenster.resize(640, 480);
    fenster.show();
    return app.exec();
}
