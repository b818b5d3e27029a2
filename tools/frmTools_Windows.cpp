// Taking a catalogue of the Windows program over as a new catalogue: the file
// from any folder (a Windows partition, a stick), the name as for "&Neue DB".
#include "tools/frmTools.h"

#include "frame/CdIni.h"
#include "frame/Windowskatalog.h"

#include <QFileInfo>

namespace {

const QString DB = QStringLiteral("DB");

}  // namespace

void frmTools::cmdWindowsKatalog_Click()
{
    const QString datei = m_services.dialogs->openFile(QStringLiteral("Windows-Katalog übernehmen"),
                                                       m_services.programFolder,
                                                       QStringLiteral("Kataloge der Windows-Fassung (*.mdb)"));
    if (datei.isEmpty())
        return;
    cmdCreateDB_Click();
    m_jetQuelle = datei;
    m_neuDB->setWindowTitle(QStringLiteral("Windows-Katalog übernehmen"));
}

void frmTools::przWindowsKatalog(const QString& name, const QString& ziel)
{
    const QString quelle = std::exchange(m_jetQuelle, QString());
    if (!frame::windowsKatalogUebernehmen(m_services, quelle, ziel, QFileInfo(quelle).fileName()))
        return;
    // Known as the second catalogue, like a new one; the current one stays.
    if (!frame::cdIni(m_services).write(DB, QStringLiteral("DB Name1"), name))
        frame::nichtGespeichert(m_services, {m_services.file(frame::CdIniName)});
    przListenNeu();
}
