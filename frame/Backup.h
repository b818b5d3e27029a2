#pragma once
// The daily copy of the catalogue at every start: "Backup/<dd.MM.yyyy> <name>.bak"
// in the program folder, then only the five newest copies of the folder remain.
// The start goes on whatever the copy's result; the result tells it whether the
// catalogue was found damaged.
//
// A copy that is not a whole, healthy database never replaces a backup. A
// damaged catalogue (cut short, broken pages) is kept instead under a name of
// its own, "<dd.MM.yyyy> <name>.defekt", for whoever wants to rescue what is
// left of it; such copies never count among the five backups and never push
// one out (they are pruned among themselves, the five newest staying).
#include "platform/db/FileCopy.h"
#include "platform/system/Services.h"

#include <QString>

namespace frame {

inline constexpr int BackupsBehalten = 5;

struct Sicherung {
    db::CopyResult ergebnis = db::CopyResult::Failed;
    QString grund;  // why the copy was not made
};

// Copies the catalogue <dbName>.mdb, then prunes. The day's earlier copy is
// replaced only by a complete, healthy copy.
Sicherung przBackup(const sys::Services& services, const QString& dbName);

// Keeps the five backup files of the folder with the latest change times
// (equal times: the name decides) and deletes every other one; likewise the
// damaged catalogues' copies among themselves.
void przBackupListe(const sys::Services& services);

// The file names of the copies made on a day.
QString backupName(const QDate& tag, const QString& dbName);
QString defektName(const QDate& tag, const QString& dbName);

// The catalogue's newest backup in the folder (full path), "" when there is none.
QString neuestesBackup(const sys::Services& services, const QString& dbName);

// Tells the user that the catalogue is damaged, naming it and its newest
// backup; the start cannot go on. Always false.
bool meldeBeschaedigt(const sys::Services& services, const QString& dbName);

}  // namespace frame
