#pragma once
// How a catalogue file looks to any SQLite program: checks with a plain
// connection of their own (none of our functions or collations).
#include <QString>

namespace db {

// Whether the file begins with SQLite's header, or with a piece of it as a
// file cut short does (an empty file included).
bool startsAsSqlite(const QString& path);

enum class FileHealth { Healthy, Damaged, NotADatabase, Unreadable };

// Reads the file once through `pragma quick_check`, read-only. A file cut short
// or with broken pages is Damaged; one without SQLite's header NotADatabase;
// Unreadable when the check itself cannot run (no access, a lock, an I/O error).
// *detail gets SQLite's first complaint.
FileHealth checkDatabaseFile(const QString& path, QString* detail = nullptr);

}  // namespace db
