#pragma once
// Catalogue files as they stood at each schema version, with a few titles.
#include "frame/Katalogschema.h"
#include "platform/db/Database.h"

#include <QString>
#include <memory>

namespace testing_support {

struct Titel {
    const char* titel;
    double anzahl;
    const char* format;
    const char* info;
};

// Three titles: one with an apostrophe, one with umlauts, one whose Info is "007".
const Titel* beispielTitel(int* anzahl);

// Creates <folder>/<name>.mdb at the version and fills it with the three titles
// (only the columns the version has). The Design row of old versions gets the
// values given (Bild, Laden) and the field words "Mappe".."Anzahl".
std::unique_ptr<db::Database> katalogAnlegen(const QString& pfad, const QString& version,
                                             frame::schema::Herkunft herkunft = frame::schema::Herkunft::Hauptprogramm,
                                             const QString& bild = QStringLiteral("space"),
                                             const QString& laden = QStringLiteral("-"));

// "name type pk" of each column, sorted by name, for comparing two schemas
// whatever the column order (names are matched without regard to case).
QStringList spaltenBeschreibung(db::Database& datenbank, const QString& tabelle);

}  // namespace testing_support
