#pragma once
// Settings and language files with the rules of the Windows private-profile
// calls: section and key names found whatever their case, blanks around names
// and values dropped, one pair of enclosing quotes dropped, the first of
// duplicate keys wins, a missing file, section or key reads as "".
//
// A file that is valid UTF-8 is read as UTF-8, any other as Windows-1252, and is
// written back in the encoding and with the line ends it was read with; a new
// file is UTF-8 with CR LF. Writing one key changes only that key's line and
// keeps every other byte; the file is replaced through a temporary name, so a
// reader never sees half a file and a failed write leaves the old file whole.
// A write reads the file and replaces it under an exclusive lock on "<file>.lock"
// beside it, so that two programs writing keys at once lose none; reading takes no
// lock.
#include <QString>

namespace ini {

// The read buffer of the original calls: a value is cut to bufferLength - 1.
constexpr int DefaultBuffer = 200;

class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return m_path; }

    // GetPrivateProfileString with "" as default and a buffer of bufferLength
    // characters: at most bufferLength - 1 characters come back.
    QString read(const QString& section, const QString& key, int bufferLength = DefaultBuffer) const;

    // WritePrivateProfileString of one key. False when nothing was written: a
    // name or value with a line break, a value the file's encoding cannot hold,
    // a file or folder that cannot be written, a full disk, or a lock that
    // another writer keeps for more than a few seconds. True without writing
    // when the file already holds the value. On failure *errorNumber gets the
    // cause as an errno value (EINVAL for a line break or an unusable name,
    // EILSEQ for a value the encoding cannot hold, ETIMEDOUT for the lock).
    bool write(const QString& section, const QString& key, const QString& value, int* errorNumber = nullptr) const;

private:
    bool writeKey(const QString& section, const QString& key, const QString& value, int& error) const;

    QString m_path;
};

}  // namespace ini
