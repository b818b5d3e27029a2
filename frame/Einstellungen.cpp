#include "frame/Einstellungen.h"

#include "frame/CdIni.h"

namespace frame {

namespace {

struct Schluessel {
    const char* section;
    const char* key;
    QString Einstellungen::*wert;
};

// The keys of przInilesen besides the look, in their reading order.
const Schluessel Lesefolge[] = {
    {"Version", "Nr", &Einstellungen::versionNr},
    {"DB", "DB Name0", &Einstellungen::dbName},
    {"DB", "DB Version", &Einstellungen::dbVersion},
    {"Design", "Bild", &Einstellungen::bild},
    {"Design", "Sprache", &Einstellungen::sprache},
    {"Design", "Deutsch", &Einstellungen::deutsch},
    {"Design", "Englisch", &Einstellungen::englisch},
    {"Design", "DeuEngl", &Einstellungen::deuEngl},
    {"Funktionen", "Edit Mode", &Einstellungen::editMode},
    {"Funktionen", "Sortierung", &Einstellungen::sortierung},
    {"Funktionen", "Sortierungsfunktion", &Einstellungen::sortierungsfunktion},
    {"Funktionen", "6tes Feld", &Einstellungen::sechstesFeld},
    {"URL", "Film", &Einstellungen::film},
    {"Funktionen", "Sortierung3", &Einstellungen::sortierung3},
    {"Funktionen", "AusleiherListe", &Einstellungen::ausleiherListe},
    {"Funktionen", "Erinnerungsfunktion", &Einstellungen::erinnerungsfunktion},
    {"Funktionen", "Erinnerungsintervall", &Einstellungen::erinnerungsintervall},
    {"Funktionen", "Formatfilter", &Einstellungen::formatfilter},
};

}  // namespace

void przInilesen(const sys::Services& services, Einstellungen& werte)
{
    const ini::IniFile datei = cdIni(services);
    werte.iniPfad = datei.path();
    static_cast<Look&>(werte) = Look::lesen(datei);
    if (werte.backcolor.isEmpty())
        datei.write(QStringLiteral("Design"), QStringLiteral("Backcolor"), QStringLiteral("16777215"));
    for (const auto& s : Lesefolge)
        werte.*(s.wert) = datei.read(QString::fromUtf8(s.section), QString::fromUtf8(s.key));
}

}  // namespace frame
