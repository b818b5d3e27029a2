// Start-up, refresh and shutdown of the main window.
#include "catalogue/frmFilme.h"

#include "frame/Backup.h"
#include "frame/CdIni.h"
#include "frame/Fensterplatz.h"
#include "frame/Schemaupgrade.h"
#include "frame/Windowskatalog.h"
#include "platform/system/Aktivierung.h"
#include "platform/vb/VbRuntime.h"

namespace {

// "Erinnerungsfunktion" counts when it reads as the number 1 ("1", " 1", "01", "1,0").
bool istEins(const QString& wert)
{
    const auto zahl = vb::cdbl(wert);
    return zahl && *zahl == 1.0;
}

}  // namespace

bool frmFilme::Form_Load(bool* zweiteInstanz)
{
    if (zweiteInstanz)
        *zweiteInstanz = false;
    przMenüBilder();
    frame::przInilesen(m_services, ini);
    c.tfDBName->setText(ini.dbName);
    c.Titel->setText(ini.versionNr);
    // A catalogue of the Windows program is taken over first (on the user's
    // word); the start then goes on with the new file as with any other.
    bool uebernommen = false;
    if (!frame::przWindowsKatalog(m_services, ini.dbName, &uebernommen))
        return false;
    // A second start also makes its backup before it hands over.
    const frame::Sicherung sicherung = frame::przBackup(m_services, ini.dbName);
    c.WebBrowser1->setProperty("Offline", true);

    if (m_services.singleInstance && m_services.singleInstance->anotherIsRunning()) {
        if (zweiteInstanz)
            *zweiteInstanz = true;
        return false;
    }

    const ini::IniFile cd = frame::cdIni(m_services);
    if (ini.sortierung.isEmpty()) {
        cd.write(QStringLiteral("Funktionen"), QStringLiteral("Sortierung"), QStringLiteral("KF"));
        ini.sortierung = QStringLiteral("KF");
    }
    if (ini.sechstesFeld.isEmpty()) {
        cd.write(QStringLiteral("Funktionen"), QStringLiteral("6tes Feld"), QStringLiteral("W"));
        ini.sechstesFeld = QStringLiteral("W");
    }

    if (sicherung.ergebnis == db::CopyResult::Damaged)
        return frame::meldeBeschaedigt(m_services, ini.dbName);
    frame::Schemaupgrade upgrade(m_services, c.tfDBName->text());
    if (uebernommen)
        upgrade.nachUebernahme();
    if (!upgrade.przDBVersion())
        return false;
    datenbank = upgrade.takeDatabase();
    przDBÖffnen();
    if (datenbank && datenbank->readOnly())
        m_services.messages->msgBox(QStringLiteral("Die Datenbank \"%1\" ist schreibgeschützt.\n\n"
                                                   "Änderungen können nicht gespeichert werden.")
                                        .arg(datenbank->path()),
                                    sys::mb::Exclamation, sys::programTitle());

    tabStops = {150, 160, 225, 235, 245, 255};
    przFilterZurücksetzen();

    if (istEins(ini.erinnerungsfunktion))
        przÜberfälligeAusleihen();
    frame::fensterplatzLaden(this, m_services.userStore, frame::HauptfensterPlatz);

    if (m_services.singleInstance) {
        // With the later start's proof of the user's click, so that the
        // desktop lets the window take the focus.
        m_services.singleInstance->serve([this](const sys::Activation& start) { sys::nachVorn(*this, start); });
    }
    return true;
}

// Every step runs on its own: a failing one leaves the others to do their work.
void frmFilme::przDBÖffnen()
{
    frame::przInilesen(m_services, ini);
    c.tfDBName->setText(ini.dbName);
    setWindowTitle(titelleiste(ini.dbName));
    c.Titel->setText(ini.versionNr);
    przSprache();

    rsFilme.reset();
    rsVersion.reset();
    rsUnterordner.reset();
    datenbank.reset();
    try {
        datenbank = db::Database::open(m_services.file(ini.dbName + QStringLiteral(".mdb")));
    } catch (const db::DbError&) {
    }
    if (datenbank) {
        auto tabelle = [this](const char* name) -> std::unique_ptr<db::TableCursor> {
            try {
                return datenbank->table(QString::fromUtf8(name));
            } catch (const db::DbError&) {
                return nullptr;
            }
        };
        rsFilme = tabelle("Filme");
        rsVersion = tabelle("Version");
        rsUnterordner = tabelle("Unterordner");
    }
    przLöschen();
    try {
        przAnzahlGesamt();
    } catch (const db::DbError&) {
    }

    przBild();
    przCombosFüllen();
    if (ini.standard != QLatin1String("0")) {
        przLabel();
        przFarbe();
        przFont();
    }
    c.Speichern->setEnabled(ini.editMode != QLatin1String("1"));
    if (ini.sortierungsfunktion == QLatin1String("1"))
        przSortierungsfunktion();
    if (ini.sechstesFeld == QLatin1String("W"))
        c.lbWer(1)->setText(feldwoerter.label[5]);
    else if (ini.sechstesFeld == QLatin1String("A"))
        c.lbWer(1)->setText(QStringLiteral("Anzahl"));
    if (!ini.sortierung3.isEmpty())
        przSortierungLaden();
    if (ini.formatfilter == QLatin1String("1")) {
        for (QWidget* w : {static_cast<QWidget*>(c.optFormat), static_cast<QWidget*>(c.optQualität),
                           static_cast<QWidget*>(c.optMappe), static_cast<QWidget*>(c.optCat),
                           static_cast<QWidget*>(c.cmdClear)})
            w->setVisible(false);
    }
    beschriftungenEinpassen();
}

QString frmFilme::titelleiste(const QString& katalog)
{
    QString titel = sys::programTitle() + QStringLiteral(" - CD/DVD Katalog");
    if (!katalog.isEmpty())
        titel += QStringLiteral(" - ") + katalog;
    return titel;
}

void frmFilme::przSortierungsfunktion()
{
    for (QWidget* w : {static_cast<QWidget*>(c.optFormat), static_cast<QWidget*>(c.optQualität),
                       static_cast<QWidget*>(c.optMappe), static_cast<QWidget*>(c.optCat),
                       static_cast<QWidget*>(c.cmdClear)})
        w->setVisible(true);
}

void frmFilme::przAktualisieren()
{
    przclose();
    przDBÖffnen();
    przUnsichtbar();
}

void frmFilme::przclose()
{
    rsFilme.reset();
    rsVersion.reset();
    rsUnterordner.reset();
    datenbank.reset();
}

void frmFilme::przUnloadMe()
{
    frame::fensterplatzSichern(this, m_services.userStore, frame::HauptfensterPlatz);
    przclose();
    m_entladen = true;
    close();
}
