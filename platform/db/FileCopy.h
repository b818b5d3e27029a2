#pragma once
// Whole-file copies of a catalogue (backup, ".old" copies, compaction). The copy
// is written under a temporary name beside the target and renamed over it only
// once it is complete, so a failed copy leaves the previous target in place.
#include <QString>

namespace db {

// Copies a database file. A SQLite file is copied through SQLite's backup
// interface, so the copy is always a whole database even while another
// connection writes; any other file is copied byte for byte. Returns false on
// failure (the target is then unchanged) and sets *error when given.
bool copyDatabaseFile(const QString& source, const QString& target, QString* error = nullptr);

// Copies any file through a temporary name and a rename.
bool copyFileReplacing(const QString& source, const QString& target, QString* error = nullptr);

}  // namespace db
