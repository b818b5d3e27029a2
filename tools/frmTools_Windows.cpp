// Taking a catalogue of the Windows program over as a new catalogue: the file
// from any folder (a Windows partition, a stick), the name as for "&Neue DB".
#include "tools/frmTools.h"

#include "frame/CdIni.h"
#include "frame/Windowskatalog.h"
#include "platform/system/Dateigrund.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString DB = QStringLiteral("DB");

}  // namespace

void frmTools::cmdWindowsKatalog_Click()
{
    const QString titel = QStringLiteral("Windows-Katalog übernehmen");
    const QString datei =
        m_services.dialogs->openFile(titel, m_services.programFolder, QStringLiteral("Windows-Kataloge (*.mdb)"));
    if (datei.isEmpty())
        return;
    // Refused before a name is asked for: the child would only find the same.
    const QString name = QFileInfo(datei).fileName();
    if (QFile lesbar(datei); !lesbar.open(QIODevice::ReadOnly)) {
        meldung(QStringLiteral("\"%1\" kann nicht gelesen werden: %2").arg(name, sys::dateigrund(lesbar)),
                sys::mb::Exclamation, titel);
        return;
    }
    if (frame::istSqliteDatei(datei)) {
        meldung(QStringLiteral("\"%1\" ist schon ein Katalog von Rondavex und kein Windows-Katalog; er muss nicht "
                               "übernommen werden.")
                    .arg(name),
                sys::mb::Exclamation, titel);
        return;
    }
    if (!frame::istJetDatei(datei)) {
        meldung(QStringLiteral("\"%1\" ist kein Windows-Katalog: Die Datei ist keine Jet-Datenbank (Access).").arg(name),
                sys::mb::Exclamation, titel);
        return;
    }
    cmdCreateDB_Click();
    m_jetQuelle = datei;
    m_neuDB->setWindowTitle(titel);
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
