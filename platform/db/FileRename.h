#pragma once
// Renames of catalogue files. A rename onto a name that exists is refused (as
// on the original's file system), so a second catalogue can never be lost by
// renaming or creating another onto its name.
#include <QString>

namespace db {

// Renames without ever replacing: fails with EEXIST when `to` exists, also
// when it appears in the meantime. False on failure; *errorNumber gets errno.
bool renameNoReplace(const QString& from, const QString& to, int* errorNumber = nullptr);

// Renames over an existing target in one step. False on failure (errno as above).
bool renameReplacing(const QString& from, const QString& to, int* errorNumber = nullptr);

// Writes a file's data, or a folder's entries, to the disk. False on failure.
bool syncToDisk(const QString& path);

}  // namespace db
