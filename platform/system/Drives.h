#pragma once
// The drives of the machine as the scan window sees them: pseudo letters with a
// type, the details of one drive, the folder on disk of a drive path, and the
// tray of an optical drive.
#include <QList>
#include <QString>

namespace sys {

// The drive types of the original runtime's drive object.
namespace drivetype {
constexpr int Unknown = 0;
constexpr int Removable = 1;
constexpr int Fixed = 2;
constexpr int Network = 3;
constexpr int CdRom = 4;
constexpr int RamDisk = 5;
}  // namespace drivetype

struct Drive {
    QString letter;      // "C:", "D:", ...
    int type = drivetype::Unknown;
    QString mountPoint;  // the folder it is mounted on, "" for an optical drive without a disc
    QString label;       // the volume name when known while listing, else ""
};

struct DriveDetails {
    bool ready = false;
    QString volumeName;
    QString fileSystem;  // the mount table's name: "ext4", "udf", "iso9660", "tmpfs"
    qint32 serial = 0;   // shown signed, as the original did
    qint64 totalBytes = 0;
    qint64 freeBytes = 0;
};

// A drive path: letter, ":", "/" and the path inside the drive ("D:/",
// "C:/home/anna/Filme"); "D:\" is taken for "D:/".
struct DrivePath {
    QString letter;  // "D:"; "" when the text names no drive
    QString inside;  // "home/anna/Filme", without leading or trailing "/"
};
DrivePath splitDrivePath(const QString& path);
// The drive's letter of "D", "d:", "D:/x" ... as "D:"; "" when none.
QString driveLetter(const QString& text);

class Drives {
public:
    virtual ~Drives() = default;
    // Every drive, in collection order; readiness is not asked.
    virtual QList<Drive> list() = 0;
    // The details of one drive ("D:" or "D"); not ready when it is unknown.
    virtual DriveDetails details(const QString& letter) = 0;
    // The folder on disk of a drive path; "" when the drive is unknown or has
    // no readable root. A path never leaves its drive ("D:/.." is "D:/").
    virtual QString folderOf(const QString& drivePath) = 0;
    // Tray commands; "" names the first optical drive. Failures pass unnoticed.
    virtual void openTray(const QString& letter) = 0;
    virtual void closeTray(const QString& letter) = 0;
};

}  // namespace sys
