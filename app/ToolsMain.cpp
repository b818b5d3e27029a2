// The database tools program.
#include "platform/system/ProgramContext.h"
#include "tools/frmTools.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral(RONDAVEX_DESKTOP_ID));
    const sys::ProgramContext kontext(QStringLiteral("tools"), QStringLiteral("Tools"), sys::ProgramContext::Instances::Any);
    if (!kontext.programFolderReady())
        return 1;

    frmTools fenster(kontext.services());
    fenster.Form_Load();
    fenster.show();
    return app.exec();
}
