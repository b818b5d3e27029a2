#pragma once
// The "<name>.ldb" beside an open catalogue: every connection holds it shared;
// renaming, compacting or replacing a catalogue takes it exclusively first. The
// last one to close removes it; a stale file left by a crash blocks nothing.
#include <QString>
#include <memory>

namespace db {

class LockFile {
public:
    enum class Mode { Shared, Exclusive };

    // The lock file path for a database path: "x/filme.mdb" -> "x/filme.ldb".
    static QString pathFor(const QString& databasePath);

    // Takes the lock without waiting; nullptr when another holder prevents it
    // (or the folder does not allow the lock file).
    static std::unique_ptr<LockFile> acquire(const QString& databasePath, Mode mode);
    // As acquire; *heldByOther tells a refusal by another holder (another
    // program, or another connection of this one) apart from a folder that
    // allows no lock file.
    static std::unique_ptr<LockFile> tryAcquire(const QString& databasePath, Mode mode, bool* heldByOther);

    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    Mode mode() const { return m_mode; }
    // The lock file's own path.
    const QString& path() const { return m_path; }

private:
    LockFile(int fd, QString path, Mode mode) : m_fd(fd), m_path(std::move(path)), m_mode(mode) {}
    int m_fd;
    QString m_path;
    Mode m_mode;
};

}  // namespace db
