#pragma once
// The daily copy of the catalogue at every start: "Backup/<dd.MM.yyyy> <name>.bak"
// in the program folder, then only the five newest files of the folder remain.
// Nothing is reported; every failure leaves the start going on.
#include "platform/system/Services.h"

#include <QString>

namespace frame {

inline constexpr int BackupsBehalten = 5;

// Copies the catalogue <dbName>.mdb, then prunes. The day's earlier copy is
// replaced only once the new copy is complete.
void przBackup(const sys::Services& services, const QString& dbName);

// Keeps the five files of the backup folder with the latest change times
// (equal times: the name decides) and deletes every other one.
void przBackupListe(const sys::Services& services);

// The file name of the copy made on a day.
QString backupName(const QDate& tag, const QString& dbName);

}  // namespace frame
