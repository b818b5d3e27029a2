#include "platform/system/LinuxDrives.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>


using testing_support::MountedTmpfs;
using testing_support::TempFolder;

namespace {

// Lines as a container with a CD, a USB stick, a share and the usual pseudo file systems shows them.
const QByteArray Mountinfo =
    "21 1 0:19 / / rw,relatime - overlay overlay rw,lowerdir=/l\n"
    "22 21 0:20 / /proc rw,nosuid - proc proc rw\n"
    "23 21 0:21 / /sys rw - sysfs sysfs rw\n"
    "24 21 0:5 / /dev rw - devtmpfs udev rw\n"
    "25 21 0:22 / /run rw - tmpfs tmpfs rw\n"
    "26 21 8:2 / /home rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "27 21 8:2 /anna/Filme /srv/filme rw - ext4 /dev/sda2 rw\n"
    "28 21 11:0 / /media/anna/MY\\040MOVIE rw master:7 - iso9660 /dev/sr0 ro\n"
    "29 21 8:17 / /media/anna/STICK rw - vfat /dev/sdb1 rw\n"
    "30 21 0:40 / /mnt/share rw - cifs //server/share rw\n"
    "31 21 7:0 / /mnt/image rw - udf /dev/loop0 ro\n"
    "32 21 0:41 / /mnt/ram rw - tmpfs tmpfs rw\n"
    "33 21 0:42 / /mnt/ram rw - tmpfs tmpfs rw\n"
    "34 21 8:2 / /backup rw - ext4 /dev/sda2 rw\n"
    "35 23 0:23 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
    "kaputt\n"
    "36 21 x:y / /mnt/bad rw - ext4 /dev/bad rw\n";

std::vector<sys::OpticalDevice> oneBurner()
{
    return {{QStringLiteral("sr0"), 11, 0}, {QStringLiteral("sr1"), 11, 1}};
}

bool onStick(const sys::MountEntry& m)
{
    return m.major == 8 && m.minor == 17;
}

}  // namespace

TEST(parseMountInfo, ReadsNumbersSubTreeDecodedFolderTypeAndSourceAndSkipsBrokenLines)
{
    const auto mounts = sys::parseMountInfo(Mountinfo);
    ASSERT_EQ(mounts.size(), 15u);
    EXPECT_EQ(mounts[6].major, 8u);
    EXPECT_EQ(mounts[6].root, QStringLiteral("/anna/Filme"));
    EXPECT_EQ(mounts[7].mountPoint, QStringLiteral("/media/anna/MY MOVIE"));
    EXPECT_EQ(mounts[7].fsType, QStringLiteral("iso9660"));
    EXPECT_EQ(mounts[7].source, QStringLiteral("/dev/sr0"));
    EXPECT_EQ(mounts[7].minor, 0u);
    EXPECT_EQ(mounts[9].source, QStringLiteral("//server/share"));
    // A backslash and a tab in a folder name arrive decoded.
    const auto odd = sys::parseMountInfo("40 21 0:50 / /mnt/a\\134b\\011c rw - tmpfs tmpfs rw");
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].mountPoint, QStringLiteral("/mnt/a\\b\tc"));
}

TEST(planDrives, GivesCToTheRootThenLocalDisksThenOpticalDrivesThenImages)
{
    const auto planned = sys::planDrives(sys::parseMountInfo(Mountinfo), oneBurner(), onStick);
    QStringList rows;
    for (const auto& s : planned)
        rows << s.drive.letter + QLatin1Char(' ') + QString::number(s.drive.type) + QLatin1Char(' ')
                    + s.drive.mountPoint;
    // /srv/filme is a bind mount of a folder, /backup the same device again,
    // the two tmpfs on /mnt/ram one folder (the later one shows), /proc and
    // /run and cgroups no drives; the burned disc is sr0's, not an image.
    EXPECT_EQ(rows, (QStringList{QStringLiteral("C: 2 /"), QStringLiteral("D: 2 /home"),
                                 QStringLiteral("E: 1 /media/anna/STICK"), QStringLiteral("F: 3 /mnt/share"),
                                 QStringLiteral("G: 2 /mnt/ram"), QStringLiteral("H: 4 /media/anna/MY MOVIE"),
                                 QStringLiteral("I: 4 "), QStringLiteral("J: 4 /mnt/image")}));
    EXPECT_EQ(planned[4].mount->minor, 42u);
    ASSERT_TRUE(planned[6].optical);
    EXPECT_EQ(planned[6].optical->name, QStringLiteral("sr1"));
    EXPECT_FALSE(planned[6].mount);
}

TEST(planDrives, StopsAtZ)
{
    QByteArray text = "1 0 0:1 / / rw - ext4 /dev/root rw\n";
    for (int i = 0; i < 30; ++i)
        text += QByteArray::number(i + 2) + " 1 0:" + QByteArray::number(100 + i) + " / /mnt/r" + QByteArray::number(i)
                + " rw - tmpfs tmpfs rw\n";
    const auto planned = sys::planDrives(sys::parseMountInfo(text), {}, [](const sys::MountEntry&) { return false; });
    ASSERT_EQ(planned.size(), 24u);
    EXPECT_EQ(planned.front().drive.letter, QStringLiteral("C:"));
    EXPECT_EQ(planned.back().drive.letter, QStringLiteral("Z:"));
}

struct UuidFall {
    const char* name;
    const char* uuid;
    qint32 serial;
};

class serialFromUuid : public ::testing::TestWithParam<UuidFall> {};

TEST_P(serialFromUuid, TakesTheFirstEightHexDigitsAsSigned32Bits)
{
    EXPECT_EQ(sys::serialFromUuid(QString::fromLatin1(GetParam().uuid)), GetParam().serial);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, serialFromUuid,
    ::testing::Values(UuidFall{"Ext4", "1b4e28ba-2fa1-11d2-883f-0016d3cca427", 0x1b4e28ba},
                      UuidFall{"HighBitShownNegative", "f00dbeef-0000", qint32(0xf00dbeefu)},
                      UuidFall{"VfatWithDash", "ABCD-1234", qint32(0xabcd1234u)},
                      UuidFall{"IsoDateDigits", "2026-12-10-13-35-01-00", 0x20261210},
                      UuidFall{"Short", "7F", 0x7f}, UuidFall{"None", "", 0}),
    [](const auto& fall) { return std::string(fall.param.name); });

TEST(splitDrivePath, TakesLetterAndInsideInEitherSlash)
{
    EXPECT_EQ(sys::splitDrivePath(QStringLiteral("d:/")).letter, QStringLiteral("D:"));
    EXPECT_EQ(sys::splitDrivePath(QStringLiteral("C:/home/anna/Filme/")).inside, QStringLiteral("home/anna/Filme"));
    EXPECT_EQ(sys::splitDrivePath(QStringLiteral("D:\\VIDEO_TS")).inside, QStringLiteral("VIDEO_TS"));
    EXPECT_EQ(sys::splitDrivePath(QStringLiteral("C:/a\\b")).inside, QStringLiteral("a\\b"));
    EXPECT_EQ(sys::splitDrivePath(QStringLiteral("D:")).letter, QStringLiteral("D:"));
    EXPECT_TRUE(sys::splitDrivePath(QStringLiteral("/home")).letter.isEmpty());
    EXPECT_TRUE(sys::splitDrivePath(QStringLiteral("DX/")).letter.isEmpty());
    EXPECT_EQ(sys::driveLetter(QStringLiteral("e")), QStringLiteral("E:"));
    EXPECT_EQ(sys::splitDrivePath(QStringLiteral("D:/a/./b/../../../c//d")).inside, QStringLiteral("c/d"));
}

// ------------------------------------------------------------ the real machine

namespace {

const sys::Drive* driveOn(const QList<sys::Drive>& drives, const QString& folder)
{
    for (const sys::Drive& d : drives)
        if (d.mountPoint == folder)
            return &d;
    return nullptr;
}

}  // namespace

TEST(LinuxDrives, ListsAMountedTmpfsAsALocalDiskWithItsSizesAndFolders)
{
    TempFolder temp;
    const QString folder = temp.file(QStringLiteral("ram"));
    QDir().mkpath(folder + QStringLiteral("/sub"));
    MountedTmpfs tmpfs(folder, "size=4m");
    if (!tmpfs.ok())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    QDir().mkpath(folder + QStringLiteral("/Filme/Teil 1"));

    sys::LinuxDrives drives;
    const QList<sys::Drive> list = drives.list();
    ASSERT_FALSE(list.isEmpty());
    EXPECT_EQ(list.front().letter, QStringLiteral("C:"));
    EXPECT_EQ(list.front().mountPoint, QStringLiteral("/"));
    const sys::Drive* ram = driveOn(list, folder);
    ASSERT_TRUE(ram) << "the tmpfs is no drive";
    EXPECT_EQ(ram->type, sys::drivetype::Fixed);

    const sys::DriveDetails details = drives.details(ram->letter);
    EXPECT_TRUE(details.ready);
    EXPECT_EQ(details.fileSystem, QStringLiteral("tmpfs"));
    EXPECT_EQ(details.volumeName, QString());
    EXPECT_EQ(details.serial, 0);
    struct statvfs stats {};
    ASSERT_EQ(::statvfs(QFile::encodeName(folder).constData(), &stats), 0);
    EXPECT_EQ(details.totalBytes, qint64(stats.f_blocks) * qint64(stats.f_frsize));
    EXPECT_EQ(details.totalBytes, 4 * 1024 * 1024);

    EXPECT_EQ(drives.folderOf(ram->letter + QStringLiteral("/")), folder);
    EXPECT_EQ(drives.folderOf(ram->letter + QStringLiteral("/Filme/Teil 1")), folder + QStringLiteral("/Filme/Teil 1"));
    EXPECT_EQ(drives.folderOf(ram->letter + QStringLiteral("/../..")), folder);
    EXPECT_EQ(drives.folderOf(QStringLiteral("C:/home")), QStringLiteral("/home"));
    EXPECT_EQ(drives.folderOf(QStringLiteral("C:/")), QStringLiteral("/"));
    EXPECT_FALSE(drives.details(QStringLiteral("A:")).ready);
    EXPECT_TRUE(drives.folderOf(QStringLiteral("A:/")).isEmpty());
}

TEST(LinuxDrives, ReadsTheLabelAndSerialOfAnExt4LoopImage)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a loop image needs root";
    TempFolder temp;
    testing_support::MountedExt4 disk(temp.file(QStringLiteral("ext4")), QStringLiteral("MY_MOVIE_2"));
    if (!disk.ok())
        GTEST_SKIP() << "cannot make or mount an ext4 loop image here";

    sys::LinuxDrives drives;
    const sys::Drive* drive = nullptr;
    const QList<sys::Drive> list = drives.list();
    drive = driveOn(list, disk.folder());
    ASSERT_TRUE(drive);
    EXPECT_EQ(drive->type, sys::drivetype::Fixed);
    const sys::DriveDetails details = drives.details(drive->letter);
    EXPECT_TRUE(details.ready);
    EXPECT_EQ(details.fileSystem, QStringLiteral("ext4"));
    EXPECT_EQ(details.volumeName, QStringLiteral("MY_MOVIE_2"));

    // The serial is the UUID's start, as blkid reads it from the device (not
    // from its cache, which may still hold an earlier image of a reused loop device).
    FILE* pipe = ::popen(("blkid -p -s UUID -o value \"$(findmnt -n -o SOURCE '" + QFile::encodeName(disk.folder())
                          + "')\"")
                             .constData(),
                         "r");
    ASSERT_TRUE(pipe);
    char buffer[128] = {};
    const size_t n = fread(buffer, 1, sizeof buffer - 1, pipe);
    ::pclose(pipe);
    const QString uuid = QString::fromLatin1(buffer, qsizetype(n)).trimmed();
    ASSERT_FALSE(uuid.isEmpty());
    EXPECT_EQ(details.serial, qint32(uuid.left(8).toUInt(nullptr, 16)));
    struct statvfs stats {};
    ASSERT_EQ(::statvfs(QFile::encodeName(disk.folder()).constData(), &stats), 0);
    EXPECT_EQ(details.freeBytes, qint64(stats.f_bavail) * qint64(stats.f_frsize));
}

TEST(LinuxDrives, TrayCommandsWithoutAnOpticalDriveDoNothing)
{
    sys::LinuxDrives drives;
    bool optical = false;
    for (const sys::Drive& d : drives.list())
        optical = optical || (d.type == sys::drivetype::CdRom && d.mountPoint.isEmpty());
    if (optical)
        GTEST_SKIP() << "this machine has an optical drive; its tray is not ours to move";
    drives.openTray(QString());
    drives.closeTray(QStringLiteral("C:"));
    SUCCEED();
}
