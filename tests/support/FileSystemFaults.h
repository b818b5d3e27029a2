#pragma once
// File-system faults set up for real. Most need root (as CI runs); each tells
// whether it could be set up, so that a test skips itself when it cannot.
#include <QByteArray>
#include <QString>
#include <functional>
#include <ostream>
#include <string>

namespace testing_support {

// A small tmpfs mounted on an existing folder for the object's lifetime.
class MountedTmpfs {
public:
    MountedTmpfs(const QString& folder, const char* options);
    ~MountedTmpfs();
    MountedTmpfs(const MountedTmpfs&) = delete;
    MountedTmpfs& operator=(const MountedTmpfs&) = delete;
    bool ok() const { return m_ok; }
    bool remountReadOnly();

private:
    QByteArray m_folder;
    QByteArray m_options;
    bool m_ok = false;
};

// A small labelled ext4 image (16 MB, beside the folder) mounted on a new
// folder through a loop device for the object's lifetime. Needs root and mkfs.ext4.
class MountedExt4 {
public:
    MountedExt4(const QString& folder, const QString& label);
    ~MountedExt4();
    MountedExt4(const MountedExt4&) = delete;
    MountedExt4& operator=(const MountedExt4&) = delete;
    bool ok() const { return m_ok; }
    const QString& folder() const { return m_folder; }

private:
    QString m_folder;
    bool m_ok = false;
};

// A file marked immutable (chattr +i) for the object's lifetime.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString& path);
    ~ImmutableFile();
    ImmutableFile(const ImmutableFile&) = delete;
    ImmutableFile& operator=(const ImmutableFile&) = delete;
    bool ok() const { return m_ok; }

private:
    QByteArray m_path;
    bool m_ok = false;
};

// While it lives, the first `times` renames onto `target` (all for -1), with
// or without replacing (the layer's renames, Qt's), fail with `error` and
// change nothing; every other rename works as ever. One at a time.
class FailingRename {
public:
    FailingRename(const QString& target, int error, int times = -1);
    ~FailingRename();
    FailingRename(const FailingRename&) = delete;
    FailingRename& operator=(const FailingRename&) = delete;
    // The renames it refused so far.
    int refused() const;
};

// A database file's bytes as a crash or a failing disk leaves them.
enum class Damage { CutToHalf, CutInTheHeader, Empty, BrokenPagesInTheMiddle };
QByteArray damaged(const QByteArray& database, Damage how);
// A name for test lists: "CutToHalf", ...
std::string damageName(Damage how);
inline void PrintTo(Damage how, std::ostream* os)
{
    *os << damageName(how);
}

// Runs `check` in a child process under a user to whom file modes apply
// (a child of root becomes "nobody"); gives its exit code, or -1 when the
// child could not be started or could not drop its rights.
int runUnprivileged(const std::function<int()>& check);

}  // namespace testing_support
