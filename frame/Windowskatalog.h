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

// Converts `quelle` into the new catalogue `ziel` through jetimport. Shows the
// progress dialog, then the summary on success, or the failure box naming
// `anzeigename` (the file as the user knows it). True when `ziel` is complete.
bool windowsKatalogUebernehmen(const sys::Services& services, const QString& quelle, const QString& ziel,
                               const QString& anzeigename);

// At start: when "<dbName>.mdb" is a Jet file, asks whether to take it over;
// on "Ja" renames it to "<dbName>.jet.mdb" and converts it into "<dbName>.mdb",
// renaming it back when that fails; "<dbName>.jet.mdb" without a "<dbName>.mdb"
// (a take-over cut off) is offered again. False when the start cannot go on (a
// failed conversion, told already); true otherwise, "Nein" included: the
// start then goes on as with any file it cannot open.
bool przWindowsKatalog(const sys::Services& services, const QString& dbName);

}  // namespace frame
