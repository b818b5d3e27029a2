#include "lending/Katalogverbindung.h"

#include "platform/db/DbError.h"
#include "platform/system/Services.h"

namespace ausleihe {

QString katalogPfad(const sys::Services& services, const QString& name)
{
    return services.file(name + QStringLiteral(".mdb"));
}

std::unique_ptr<db::Database> katalogÖffnen(const sys::Services& services, const QString& name)
{
    const QString pfad = katalogPfad(services, name);
    try {
        return db::Database::open(pfad);
    } catch (const db::DbError& e) {
        services.messages->msgBox(
            QStringLiteral("Die Datenbank \"%1\" kann nicht geöffnet werden.\n\n%2").arg(pfad, e.message()),
            sys::mb::Critical);
        return nullptr;
    }
}

}  // namespace ausleihe
