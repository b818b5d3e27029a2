#pragma once
// Catalogues of the Windows program (Jet ".mdb" files) taken over: both
// programs run the child program jetimport through the services, show its
// progress with "Abbrechen", and tell the user the outcome in one box. Neither
// program reads a Jet file itself.
#include "platform/system/Services.h"

#include <QString>

namespace frame {

inline const QString JetimportProgramm = QStringLiteral("jetimport");

// Whether the file begins with the Jet engine's signature (Jet 3, Jet 4, ACE).
bool istJetDatei(const QString& pfad);
// Whether the file is an SQLite database, as every catalogue of ours is.
bool istSqliteDatei(const QString& pfad);

// Converts `quelle` into the new catalogue `ziel` through jetimport. Shows the
// progress dialog, then the summary on success, or the failure box naming
// `anzeigename` (the file as the user knows it) and the cause once. True when
// `ziel` is complete; otherwise nothing of the run is left beside it.
bool windowsKatalogUebernehmen(const sys::Services& services, const QString& quelle, const QString& ziel,
                               const QString& anzeigename);

// What take-overs ended by kill -9 left in the program folder, whatever their
// target; the files of a conversion that still runs stay.
void uebernahmeresteEntfernen(const sys::Services& services);

// At start, after the leftovers of earlier take-overs are removed: when
// "<dbName>.mdb" is a Jet file, asks whether to take it over; on "Ja" renames
// it to "<dbName>.jet.mdb" and converts it into "<dbName>.mdb", renaming it
// back when that fails; "<dbName>.jet.mdb" without a "<dbName>.mdb" (a
// take-over cut off) is offered again. False when the start cannot go on
// (told already): a failed conversion, or "Nein", which the Windows file
// survives as it is. *uebernommen tells that the catalogue was taken over now.
bool przWindowsKatalog(const sys::Services& services, const QString& dbName, bool* uebernommen = nullptr);

}  // namespace frame
