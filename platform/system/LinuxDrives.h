#pragma once
// The drives of a Linux machine: the mount table for the file systems, the
// block class for the optical drives, statvfs for the sizes, libblkid for the
// labels, and the cdrom ioctls for the disc state and the tray.
#include "platform/system/Drives.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace sys {

// One line of /proc/self/mountinfo.
struct MountEntry {
    unsigned major = 0;
    unsigned minor = 0;
    QString root;        // the mounted sub-tree, "/" for a whole file system
    QString mountPoint;  // octal escapes decoded
    QString fsType;
    QString source;      // "/dev/sda1", "tmpfs", "server:/share"
};

// Parses the text of a mountinfo file; lines it cannot read are passed over.
std::vector<MountEntry> parseMountInfo(const QByteArray& text);

// The type a mount gives its drive, or nothing when it is no drive (pseudo
// file systems, the system's own folders, bind mounts of a sub-tree).
// removable: the mount's disk says so in /sys/block/<disk>/removable.
std::optional<int> mountDriveType(const MountEntry& mount, bool removable);

struct OpticalDevice {
    QString name;  // "sr0"
    unsigned major = 0;
    unsigned minor = 0;
};

// One drive with what the service needs to answer for it.
struct DriveSlot {
    Drive drive;
    std::optional<MountEntry> mount;       // the file system shown as the drive
    std::optional<OpticalDevice> optical;  // set for an optical drive
};

// The letters: "C:" for "/", then the other file systems in mount order, then
// the optical drives, then mounted disc images; A and B never, nothing past Z.
// Each device counts once; a mount over an earlier one on the same folder hides it.
std::vector<DriveSlot> planDrives(const std::vector<MountEntry>& mounts, const std::vector<OpticalDevice>& opticals,
                                  const std::function<bool(const MountEntry&)>& removable);

// The serial shown for a UUID: its first eight hex digits as 32 bits, signed.
qint32 serialFromUuid(const QString& uuid);

class LinuxDrives : public Drives {
public:
    LinuxDrives();
    ~LinuxDrives() override;
    QList<Drive> list() override;
    DriveDetails details(const QString& letter) override;
    QString folderOf(const QString& drivePath) override;
    void openTray(const QString& letter) override;
    void closeTray(const QString& letter) override;

private:
    std::vector<DriveSlot> plan() const;
    std::optional<DriveSlot> slot(const QString& letter) const;
    std::optional<DriveSlot> traySlot(const QString& letter) const;
    // The root of an audio CD in the drive: a folder of "TrackNN.cda" files,
    // made anew; "" when the drive holds no audio CD.
    QString audioRoot(const OpticalDevice& device, qint64* totalBytes);

    std::unique_ptr<QTemporaryDir> m_audio;
};

}  // namespace sys
