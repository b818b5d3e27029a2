#pragma once
// Whole-file copies of a catalogue (backup, ".old" copies, compaction). The copy
// is written under a temporary name beside the target and renamed over it only
// once it is complete, so a failed copy leaves the previous target in place.
// Temporaries that a killed copy left in the target's folder go with the next copy.
#include <QString>

namespace db {

enum class CopyResult {
    Copied,
    Damaged,       // the source is SQLite's but not a whole, healthy database
    NotADatabase,  // the source is no SQLite file at all
    Failed,        // the source could not be read or the copy not written
};

// Copies a database file so that the copy is the whole, healthy database of the
// last commit. A file at rest (no program of ours holds it, no journal or WAL
// beside it) is copied byte for byte; otherwise through SQLite's backup
// interface, which waits for a writer and rolls back a journal left by a
// crash. The copy must pass `quick_check` before it replaces the target; on
// any other result the target is unchanged and *error (when given) says why.
CopyResult copyDatabase(const QString& source, const QString& target, QString* error = nullptr);

inline bool copyDatabaseFile(const QString& source, const QString& target, QString* error = nullptr)
{
    return copyDatabase(source, target, error) == CopyResult::Copied;
}

// Copies any file through a temporary name and a rename.
bool copyFileReplacing(const QString& source, const QString& target, QString* error = nullptr);

}  // namespace db
