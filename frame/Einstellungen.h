#pragma once
// The main window's settings values: what its reader przInilesen takes from
// "Cd.ini" at every start and every refresh. Each value is kept exactly as
// stored; its users compare it exactly ("1", "KF", "W", ...).
#include "frame/Aussehen.h"
#include "platform/system/Services.h"

#include <QString>

namespace frame {

// The look keys of [Design] ("Default", "TextFarbe", ...) come from Look.
struct Einstellungen : Look {
    QString iniPfad;  // full path of "Cd.ini"

    QString versionNr;  // [Version] "Nr": caption of the label Titel
    QString dbName;     // [DB] "DB Name0": text of tfDBName
    QString dbVersion;  // [DB] "DB Version": kept, not used

    // [Design]
    QString bild;
    QString sprache;
    QString deutsch;
    QString englisch;
    QString deuEngl;

    // [Funktionen]
    QString editMode;
    QString sortierung;
    QString sortierungsfunktion;
    QString sechstesFeld;  // "6tes Feld"

    QString film;  // [URL] "Film"

    // [Funktionen]
    QString sortierung3;
    QString ausleiherListe;
    QString erinnerungsfunktion;
    QString erinnerungsintervall;
    QString formatfilter;
};

// Reads the main window's keys into `werte`. An empty "Backcolor" is written
// back as "16777215" (white); the value read stays "" until the next reading.
void przInilesen(const sys::Services& services, Einstellungen& werte);

}  // namespace frame
