#pragma once
// The lending windows' own connection to the catalogue named by the main window.
#include "platform/db/Database.h"

#include <QString>

#include <memory>

namespace sys {
struct Services;
}

namespace ausleihe {

// The catalogue file of a database name: program folder, name, ".mdb".
QString katalogPfad(const sys::Services& services, const QString& name);

// Opens the catalogue; a file that cannot be opened is reported (critical,
// naming the file and the reason) and gives nullptr.
std::unique_ptr<db::Database> katalogÖffnen(const sys::Services& services, const QString& name);

}  // namespace ausleihe
