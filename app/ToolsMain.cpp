// The database tools program.
#include "platform/system/ProgramContext.h"
#include "platform/system/Startoptionen.h"
#include "tools/frmTools.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const sys::Programmaufruf aufruf{
        "rondavex-tools", "Rondavex Tools",
        "Rondavex Tools pflegt die Katalogdatenbanken von Rondavex: neue Datenbank,\n"
        "Wechsel und Umbenennen der Datenbanken, Werte ersetzen, Cover-Pfade\n"
        "umstellen, Komprimieren, Windows-Kataloge übernehmen.\n",
        RONDAVEX_VERSION};
    if (const auto ende = sys::startoptionen(argc, argv, aufruf))
        return *ende;

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(RONDAVEX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(RONDAVEX_DESKTOP_ID));
    sys::ProgramContext kontext(QStringLiteral("Rondavex-Tools"), QStringLiteral("Tools"),
                                sys::ProgramContext::Instances::Any);
    if (!kontext.programFolderReady())
        return 1;

    frmTools fenster(kontext.services());
    fenster.Form_Load();
    fenster.show();
    return kontext.exec();
}
