// The walk over a real local disk: a labelled ext4 image mounted by the test,
// found through the drives service by its letter, with a tmpfs mounted inside
// it that the walk must not enter.
#include "platform/system/LinuxDrives.h"
#include "scan/Durchsuchung.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using testing_support::TempFolder;

TEST(LaufwerkDurchsuchen, WalksALocalDiskByItsDrivePathWithoutEnteringAnotherMount)
{
    TempFolder temp;
    testing_support::MountedExt4 disk(temp.file(QStringLiteral("disk")), QStringLiteral("FILME_2"));
    if (!disk.ok())
        GTEST_SKIP() << "cannot make or mount an ext4 loop image here (needs root and mkfs.ext4)";
    QDir().mkpath(disk.folder() + QStringLiteral("/Serie/Staffel 1"));
    QDir().mkpath(disk.folder() + QStringLiteral("/fremd"));
    for (const auto& [name, groesse] : {std::pair{"Serie/Staffel 1/Folge 1.avi", 3 << 20},
                                        std::pair{"Serie/Staffel 1/Folge 2.avi", 1 << 20},
                                        std::pair{"liesmich.txt", 100}}) {
        QFile datei(disk.folder() + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        ASSERT_TRUE(datei.resize(groesse));
    }
    testing_support::MountedTmpfs fremd(disk.folder() + QStringLiteral("/fremd"), "size=1m");
    ASSERT_TRUE(fremd.ok());
    QFile drin(disk.folder() + QStringLiteral("/fremd/drin.mp3"));
    ASSERT_TRUE(drin.open(QIODevice::WriteOnly));
    drin.close();

    sys::LinuxDrives drives;
    QString buchstabe;
    for (const sys::Drive& d : drives.list())
        if (d.mountPoint == disk.folder())
            buchstabe = d.letter;
    ASSERT_FALSE(buchstabe.isEmpty());
    EXPECT_EQ(drives.details(buchstabe).volumeName, QStringLiteral("FILME_2"));

    const scan::Durchsuchung d = scan::durchsuchen(drives.folderOf(buchstabe + QStringLiteral("/")));
    // ext4 keeps its "lost+found"; the tmpfs inside is listed, not entered.
    EXPECT_EQ(d.eintraege, (QStringList{QStringLiteral("fremd: 0"), QStringLiteral("liesmich.txt: 0"),
                                        QStringLiteral("lost+found: 0"), QStringLiteral("Serie: 4"),
                                        QStringLiteral("Staffel 1: 4"), QStringLiteral("Folge 1.avi: 3"),
                                        QStringLiteral("Folge 2.avi: 1")}));
    EXPECT_EQ(d.format, QStringLiteral("XVID"));
    EXPECT_EQ(d.bytes, double((3 << 20) + (1 << 20) + 100));

    const scan::Durchsuchung teil =
        scan::durchsuchen(drives.folderOf(buchstabe + QStringLiteral("/Serie/Staffel 1")));
    EXPECT_EQ(teil.namen, (QStringList{QStringLiteral("Folge 1.avi"), QStringLiteral("Folge 2.avi")}));
}
