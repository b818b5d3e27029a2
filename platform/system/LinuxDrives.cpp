#include "platform/system/LinuxDrives.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <blkid/blkid.h>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>

namespace sys {

DrivePath splitDrivePath(const QString& path)
{
    DrivePath result;
    if (path.size() < 2 || !path.at(0).isLetter() || path.at(1) != QLatin1Char(':'))
        return result;
    if (path.size() > 2 && path.at(2) != QLatin1Char('/') && path.at(2) != QLatin1Char('\\'))
        return result;
    result.letter = path.left(1).toUpper() + QLatin1Char(':');
    // "." and ".." resolved inside the drive: at its root ".." stays there.
    // Only "/" separates: a backslash is a letter of a Linux name.
    QStringList parts;
    for (const QString& part : path.mid(3).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != QLatin1String(".")) {
            parts.append(part);
        }
    }
    result.inside = parts.join(QLatin1Char('/'));
    return result;
}

QString driveLetter(const QString& text)
{
    if (text.size() == 1 && text.at(0).isLetter())
        return text.toUpper() + QLatin1Char(':');
    return splitDrivePath(text).letter;
}

namespace {

// Mountinfo writes blank, tab, line feed and backslash as "\ooo".
QString decodeMountField(const QByteArray& field)
{
    QByteArray raw;
    raw.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int value = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3 && value < 256) {
                raw.append(char(value));
                i += 3;
                continue;
            }
        }
        raw.append(c);
    }
    return QFile::decodeName(raw);
}

bool below(const QString& folder, const QString& top)
{
    return folder == top || folder.startsWith(top + QLatin1Char('/'));
}

bool systemFolder(const QString& folder)
{
    for (const char* top : {"/proc", "/sys", "/dev", "/run"})
        if (below(folder, QLatin1String(top)))
            return true;
    return false;
}

const QSet<QString>& localTypes()
{
    static const QSet<QString> types = {
        QStringLiteral("ext2"),  QStringLiteral("ext3"),    QStringLiteral("ext4"),  QStringLiteral("xfs"),
        QStringLiteral("btrfs"), QStringLiteral("vfat"),    QStringLiteral("exfat"), QStringLiteral("ntfs"),
        QStringLiteral("ntfs3"), QStringLiteral("fuseblk"), QStringLiteral("f2fs"),  QStringLiteral("tmpfs"),
        QStringLiteral("ramfs")};
    return types;
}

const QSet<QString>& networkTypes()
{
    static const QSet<QString> types = {QStringLiteral("nfs"), QStringLiteral("nfs4"), QStringLiteral("cifs"),
                                        QStringLiteral("smb3"), QStringLiteral("fuse.sshfs"),
                                        QStringLiteral("sshfs")};
    return types;
}

bool discType(const QString& fsType)
{
    return fsType == QLatin1String("iso9660") || fsType == QLatin1String("udf");
}

bool sameDevice(const MountEntry& mount, const OpticalDevice& device)
{
    return mount.major == device.major && mount.minor == device.minor;
}

QByteArray readSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(4096).trimmed();
}

}  // namespace

std::vector<MountEntry> parseMountInfo(const QByteArray& text)
{
    std::vector<MountEntry> mounts;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        // id parent major:minor root mountpoint options [optional...] - type source superoptions
        const qsizetype dash = fields.indexOf(QByteArray("-"));
        if (fields.size() < 6 || dash < 6 || dash + 2 >= fields.size())
            continue;
        const QList<QByteArray> numbers = fields.at(2).split(':');
        if (numbers.size() != 2)
            continue;
        bool majorOk = false;
        bool minorOk = false;
        MountEntry mount;
        mount.major = numbers.at(0).toUInt(&majorOk);
        mount.minor = numbers.at(1).toUInt(&minorOk);
        if (!majorOk || !minorOk)
            continue;
        mount.root = decodeMountField(fields.at(3));
        mount.mountPoint = decodeMountField(fields.at(4));
        mount.fsType = decodeMountField(fields.at(dash + 1));
        mount.source = decodeMountField(fields.at(dash + 2));
        mounts.push_back(std::move(mount));
    }
    return mounts;
}

std::optional<int> mountDriveType(const MountEntry& mount, bool removable)
{
    if (mount.mountPoint == QLatin1String("/"))
        return drivetype::Fixed;
    if (mount.root != QLatin1String("/") || systemFolder(mount.mountPoint))
        return std::nullopt;
    if (discType(mount.fsType))
        return drivetype::CdRom;
    if (networkTypes().contains(mount.fsType))
        return drivetype::Network;
    if (!localTypes().contains(mount.fsType))
        return std::nullopt;
    return removable ? drivetype::Removable : drivetype::Fixed;
}

std::vector<DriveSlot> planDrives(const std::vector<MountEntry>& mounts, const std::vector<OpticalDevice>& opticals,
                                  const std::function<bool(const MountEntry&)>& removable)
{
    // A later mount on the same folder hides the earlier one.
    std::vector<const MountEntry*> visible;
    for (const MountEntry& mount : mounts) {
        std::erase_if(visible, [&](const MountEntry* m) { return m->mountPoint == mount.mountPoint; });
        visible.push_back(&mount);
    }
    const auto onOptical = [&](const MountEntry& mount) {
        return std::any_of(opticals.begin(), opticals.end(),
                           [&](const OpticalDevice& d) { return sameDevice(mount, d); });
    };

    std::vector<DriveSlot> planned;
    QSet<QPair<unsigned, unsigned>> devices;
    const auto take = [&](const MountEntry& mount, int type) {
        const QPair<unsigned, unsigned> device(mount.major, mount.minor);
        if (devices.contains(device))
            return;
        devices.insert(device);
        DriveSlot slot;
        slot.drive.type = type;
        slot.drive.mountPoint = mount.mountPoint;
        slot.mount = mount;
        planned.push_back(std::move(slot));
    };

    for (const MountEntry* mount : visible)
        if (mount->mountPoint == QLatin1String("/"))
            take(*mount, drivetype::Fixed);
    const bool haveRoot = !planned.empty();
    std::vector<const MountEntry*> images;
    for (const MountEntry* mount : visible) {
        if (mount->mountPoint == QLatin1String("/") || onOptical(*mount))
            continue;
        const auto type = mountDriveType(*mount, removable(*mount));
        if (!type)
            continue;
        if (*type == drivetype::CdRom)
            images.push_back(mount);
        else
            take(*mount, *type);
    }
    for (const OpticalDevice& device : opticals) {
        DriveSlot slot;
        slot.drive.type = drivetype::CdRom;
        slot.optical = device;
        for (const MountEntry* mount : visible)
            if (sameDevice(*mount, device) && mount->root == QLatin1String("/")) {
                slot.mount = *mount;
                slot.drive.mountPoint = mount->mountPoint;
                break;
            }
        devices.insert({device.major, device.minor});
        planned.push_back(std::move(slot));
    }
    for (const MountEntry* mount : images)
        take(*mount, drivetype::CdRom);

    // "C:" belongs to "/"; without it the letters still start after B.
    char letter = haveRoot ? 'C' : 'D';
    std::vector<DriveSlot> lettered;
    for (DriveSlot& slot : planned) {
        if (letter > 'Z')
            break;
        slot.drive.letter = QString(QLatin1Char(letter)) + QLatin1Char(':');
        ++letter;
        lettered.push_back(std::move(slot));
    }
    return lettered;
}

qint32 serialFromUuid(const QString& uuid)
{
    QString hex;
    for (const QChar c : uuid) {
        if (hex.size() == 8)
            break;
        if (c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            hex.append(c);
    }
    if (hex.isEmpty())
        return 0;
    return qint32(hex.toUInt(nullptr, 16));
}

namespace {

std::vector<OpticalDevice> opticalDevices()
{
    static const QRegularExpression srName(QStringLiteral("^sr(\\d+)$"));
    std::vector<std::pair<int, OpticalDevice>> found;
    const QDir block(QStringLiteral("/sys/class/block"));
    for (const QString& name : block.entryList(QDir::AllEntries | QDir::System)) {
        const auto match = srName.match(name);
        if (!match.hasMatch())
            continue;
        const QList<QByteArray> numbers = readSmallFile(QStringLiteral("/sys/class/block/") + name + "/dev").split(':');
        if (numbers.size() != 2)
            continue;
        OpticalDevice device{name, numbers.at(0).toUInt(), numbers.at(1).toUInt()};
        found.emplace_back(match.captured(1).toInt(), device);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<OpticalDevice> devices;
    for (auto& entry : found)
        devices.push_back(entry.second);
    return devices;
}

// The block class folder of the disk a device lies on.
QString diskFolder(unsigned major, unsigned minor)
{
    const QString device =
        QFileInfo(QStringLiteral("/sys/dev/block/%1:%2").arg(major).arg(minor)).canonicalFilePath();
    if (device.isEmpty())
        return {};
    return QFile::exists(device + QStringLiteral("/partition")) ? QFileInfo(device).path() : device;
}

bool removableDisk(const MountEntry& mount)
{
    const QString disk = diskFolder(mount.major, mount.minor);
    return !disk.isEmpty() && readSmallFile(disk + QStringLiteral("/removable")) == "1";
}

struct Identity {
    QString label;
    QString uuid;
};

// udev writes unsafe bytes of a link name as "\xNN".
QString decodeUdevName(const QString& name)
{
    QByteArray raw = QFile::encodeName(name);
    QByteArray out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == '\\' && i + 3 < raw.size() && raw.at(i + 1) == 'x') {
            bool ok = false;
            const int value = raw.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(raw.at(i));
    }
    return QString::fromUtf8(out);
}

QString linkNameFor(const QString& folder, const QString& device)
{
    const QDir links(folder);
    for (const QFileInfo& link : links.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (link.canonicalFilePath() == device)
            return decodeUdevName(link.fileName());
    return {};
}

Identity identify(const QString& device)
{
    Identity identity;
    if (!device.startsWith(QLatin1String("/dev/")))
        return identity;
    const QByteArray path = QFile::encodeName(device);
    if (blkid_probe probe = blkid_new_probe_from_filename(path.constData())) {
        blkid_probe_enable_superblocks(probe, 1);
        blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE);
        if (blkid_do_safeprobe(probe) == 0) {
            const char* value = nullptr;
            size_t length = 0;
            if (blkid_probe_lookup_value(probe, "LABEL", &value, &length) == 0 && value)
                identity.label = QString::fromUtf8(value);
            if (blkid_probe_lookup_value(probe, "UUID", &value, &length) == 0 && value)
                identity.uuid = QString::fromUtf8(value);
        }
        blkid_free_probe(probe);
        return identity;
    }
    // A device we may not read: the links udev made for it.
    const QString canonical = QFileInfo(device).canonicalFilePath();
    identity.label = linkNameFor(QStringLiteral("/dev/disk/by-label"), canonical);
    identity.uuid = linkNameFor(QStringLiteral("/dev/disk/by-uuid"), canonical);
    return identity;
}

class DeviceHandle {
public:
    explicit DeviceHandle(const OpticalDevice& device)
        : m_fd(::open(QFile::encodeName(QStringLiteral("/dev/") + device.name).constData(),
                      O_RDONLY | O_NONBLOCK | O_CLOEXEC))
    {
    }
    ~DeviceHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    DeviceHandle(const DeviceHandle&) = delete;
    DeviceHandle& operator=(const DeviceHandle&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

bool fillSizes(const QString& folder, DriveDetails& details)
{
    struct statvfs stats {};
    if (::statvfs(QFile::encodeName(folder).constData(), &stats) != 0)
        return false;
    details.totalBytes = qint64(stats.f_blocks) * qint64(stats.f_frsize);
    details.freeBytes = qint64(stats.f_bavail) * qint64(stats.f_frsize);
    return true;
}

}  // namespace

LinuxDrives::LinuxDrives() = default;
LinuxDrives::~LinuxDrives() = default;

std::vector<DriveSlot> LinuxDrives::plan() const
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    QByteArray text;
    if (file.open(QIODevice::ReadOnly))
        text = file.readAll();
    return planDrives(parseMountInfo(text), opticalDevices(), removableDisk);
}

std::optional<DriveSlot> LinuxDrives::slot(const QString& letter) const
{
    const QString wanted = driveLetter(letter);
    if (wanted.isEmpty())
        return std::nullopt;
    for (DriveSlot& s : plan())
        if (s.drive.letter == wanted)
            return std::move(s);
    return std::nullopt;
}

QList<Drive> LinuxDrives::list()
{
    QList<Drive> drives;
    for (const DriveSlot& s : plan())
        drives.append(s.drive);
    return drives;
}

QString LinuxDrives::audioRoot(const OpticalDevice& device, qint64* totalBytes)
{
    DeviceHandle handle(device);
    cdrom_tochdr header{};
    if (handle.fd() < 0 || ::ioctl(handle.fd(), CDROM_DRIVE_STATUS, CDSL_CURRENT) != CDS_DISC_OK
        || ::ioctl(handle.fd(), CDROM_DISC_STATUS, 0) != CDS_AUDIO
        || ::ioctl(handle.fd(), CDROMREADTOCHDR, &header) != 0)
        return {};
    cdrom_tocentry leadOut{};
    leadOut.cdte_track = CDROM_LEADOUT;
    leadOut.cdte_format = CDROM_LBA;
    if (::ioctl(handle.fd(), CDROMREADTOCENTRY, &leadOut) == 0 && leadOut.cdte_addr.lba > 0)
        *totalBytes = qint64(leadOut.cdte_addr.lba) * CD_FRAMESIZE_RAW;
    if (!m_audio)
        m_audio = std::make_unique<QTemporaryDir>();
    if (!m_audio->isValid())
        return {};
    QDir folder(m_audio->filePath(device.name));
    folder.removeRecursively();
    if (!QDir().mkpath(folder.path()))
        return {};
    for (int track = header.cdth_trk0; track <= header.cdth_trk1 && track <= 99; ++track) {
        QFile file(folder.filePath(QStringLiteral("Track%1.cda").arg(track, 2, 10, QLatin1Char('0'))));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(44, '\0'));
    }
    return folder.path();
}

DriveDetails LinuxDrives::details(const QString& letter)
{
    DriveDetails details;
    const auto s = slot(letter);
    if (!s)
        return details;
    if (s->optical) {
        DeviceHandle handle(*s->optical);
        if (handle.fd() < 0 || ::ioctl(handle.fd(), CDROM_DRIVE_STATUS, CDSL_CURRENT) != CDS_DISC_OK)
            return details;
        if (!s->mount) {
            // A disc nobody mounted reads as not ready, unless it is audio.
            qint64 total = 0;
            if (audioRoot(*s->optical, &total).isEmpty())
                return details;
            details.ready = true;
            details.volumeName = QStringLiteral("Audio CD");
            details.fileSystem = QStringLiteral("CDFS");
            details.totalBytes = total;
            return details;
        }
    }
    if (!s->mount || !fillSizes(s->mount->mountPoint, details))
        return details;
    details.ready = true;
    details.fileSystem = s->mount->fsType;
    const QString device = s->optical ? QStringLiteral("/dev/") + s->optical->name : s->mount->source;
    const Identity identity = identify(device);
    details.volumeName = identity.label;
    details.serial = serialFromUuid(identity.uuid);
    return details;
}

QString LinuxDrives::folderOf(const QString& drivePath)
{
    const DrivePath path = splitDrivePath(drivePath);
    const auto s = slot(path.letter);
    if (!s)
        return {};
    QString root;
    if (s->mount) {
        root = s->mount->mountPoint;
    } else if (s->optical) {
        qint64 total = 0;
        root = audioRoot(*s->optical, &total);
        if (root.isEmpty())
            return {};
    } else {
        return {};
    }
    if (path.inside.isEmpty())
        return root;
    return root == QLatin1String("/") ? root + path.inside : root + QLatin1Char('/') + path.inside;
}

std::optional<DriveSlot> LinuxDrives::traySlot(const QString& letter) const
{
    for (DriveSlot& s : plan())
        if (s.optical && (letter.isEmpty() || s.drive.letter == driveLetter(letter)))
            return std::move(s);
    return std::nullopt;
}

void LinuxDrives::openTray(const QString& letter)
{
    const auto s = traySlot(letter);
    if (!s)
        return;
    if (s->mount) {
        // A mounted disc refuses the eject: the desktop's disk service unmounts it, or nothing happens.
        QDBusConnection bus = QDBusConnection::systemBus();
        if (!bus.isConnected())
            return;
        QDBusInterface filesystem(QStringLiteral("org.freedesktop.UDisks2"),
                                  QStringLiteral("/org/freedesktop/UDisks2/block_devices/") + s->optical->name,
                                  QStringLiteral("org.freedesktop.UDisks2.Filesystem"), bus);
        if (!filesystem.isValid())
            return;
        filesystem.setTimeout(5000);
        const QDBusMessage reply = filesystem.call(QStringLiteral("Unmount"), QVariantMap());
        if (reply.type() == QDBusMessage::ErrorMessage)
            return;
    }
    DeviceHandle handle(*s->optical);
    if (handle.fd() >= 0)
        (void)::ioctl(handle.fd(), CDROMEJECT, 0);
}

void LinuxDrives::closeTray(const QString& letter)
{
    const auto s = traySlot(letter);
    if (!s)
        return;
    DeviceHandle handle(*s->optical);
    if (handle.fd() >= 0)
        (void)::ioctl(handle.fd(), CDROMCLOSETRAY, 0);
}

}  // namespace sys
