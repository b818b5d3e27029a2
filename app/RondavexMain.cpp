// The catalogue program.
#include "catalogue/frmFilme.h"
#include "frame/frmSplash.h"
#include "platform/system/ProgramContext.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(RONDAVEX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(RONDAVEX_DESKTOP_ID));
    const sys::ProgramContext kontext(QStringLiteral("Rondavex"), sys::programTitle(), sys::ProgramContext::Instances::One);
    if (!kontext.programFolderReady())
        return 1;

    frmFilme hauptfenster(kontext.services());
    bool zweiteInstanz = false;
    frmSplash splash(&hauptfenster, [&] { return hauptfenster.Form_Load(&zweiteInstanz); });
    if (!splash.Form_Load())
        return zweiteInstanz ? 0 : 1;
    return app.exec();
}
