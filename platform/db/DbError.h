#pragma once
#include <QString>
#include <stdexcept>

namespace db {

// Error codes of our own, beside SQLite's result codes (which are all below 1000).
enum DbErrorCode : int {
    ErrNoCurrentRecord = 3021,  // a move or field read without a current row
    ErrFileMissing = 3024,      // open of a file that does not exist
    ErrNotADatabase = 3343,     // the file is no database of ours
    ErrDamaged = 3049,          // the file is a database, but damaged or cut short
    ErrNoDatabase = 3420,       // no open database
    ErrUpdateWithoutEdit = 3020,
    ErrUnknownIndex = 3800,
    ErrUnknownField = 3265,
    ErrFileExists = 3204,
    ErrLocked = 3045,           // another program holds the file exclusively or shared
    ErrCopy = 3051,
};

// Whether an error code says that the file is damaged: ours, or SQLite's
// SQLITE_CORRUPT (11) or SQLITE_NOTADB (26) under any of their extended codes.
constexpr bool isDamage(int code)
{
    return code == ErrDamaged || (code < 1000 && ((code & 0xFF) == 11 || (code & 0xFF) == 26));
}

// Whether an error code says that the file may not be written: SQLite's
// SQLITE_READONLY (8) under any of its extended codes.
constexpr bool isReadOnly(int code)
{
    return code < 1000 && (code & 0xFF) == 8;
}

class DbError : public std::runtime_error {
public:
    DbError(int code, const QString& message)
        : std::runtime_error(message.toStdString()), m_code(code), m_message(message) {}
    int code() const { return m_code; }
    const QString& message() const { return m_message; }

private:
    int m_code;
    QString m_message;
};

}  // namespace db
