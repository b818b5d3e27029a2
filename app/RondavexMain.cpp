// The catalogue program.
#include "catalogue/frmFilme.h"
#include "frame/frmSplash.h"
#include "platform/system/Aktivierung.h"
#include "platform/system/ProgramContext.h"
#include "platform/system/Startoptionen.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const sys::Programmaufruf aufruf{
        "rondavex", "Rondavex",
        "Rondavex führt den Katalog einer Sammlung von CDs und DVDs: Titel und die\n"
        "Dateien gescannter Discs, Cover, Filminformationen aus dem Netz, Verleih,\n"
        "Statistiken, Berichte und Druck. Ein zweiter Start, während Rondavex\n"
        "läuft, holt das laufende Fenster nach vorn.\n",
        RONDAVEX_VERSION};
    if (const auto ende = sys::startoptionen(argc, argv, aufruf))
        return *ende;
    const sys::Activation start = sys::activationOfThisStart();

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(RONDAVEX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(RONDAVEX_DESKTOP_ID));
    sys::ProgramContext kontext(QStringLiteral("Rondavex"), sys::programTitle(), sys::ProgramContext::Instances::One,
                                start);
    if (!kontext.programFolderReady())
        return 1;

    frmFilme hauptfenster(kontext.services());
    bool zweiteInstanz = false;
    frmSplash splash(&hauptfenster, [&] { return hauptfenster.Form_Load(&zweiteInstanz); });
    if (!splash.Form_Load())
        return zweiteInstanz ? 0 : 1;
    return kontext.exec();
}
