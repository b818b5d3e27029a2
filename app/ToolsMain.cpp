// The database tools program.
#include "platform/system/ProgramContext.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const sys::ProgramContext kontext(QStringLiteral("tools"), sys::ProgramContext::Instances::Any);

    QMainWindow fenster;
    fenster.setWindowTitle(QStringLiteral("Tools"));
    fenster.resize(640, 480);
    fenster.show();
    return app.exec();
}
