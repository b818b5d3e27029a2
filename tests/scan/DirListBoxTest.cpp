// The folder list over folders presented as drives.
#include "platform/vb/DirListBox.h"
#include "tests/support/FakeDrives.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using testing_support::TempFolder;

TEST(DirListBox, ListsSubFoldersInWalkOrderWithoutLinksAndStaysInItsDrive)
{
    TempFolder temp;
    for (const char* ordner : {"b", "B", "a", "ä", "a/innen"})
        QDir().mkpath(temp.file(QString::fromUtf8(ordner)));
    temp.write("datei.txt", "x");
    QFile::link(temp.file("a"), temp.file("verweis"));
    testing_support::FakeDrives drives;
    drives.discs.push_back({"D:", sys::drivetype::CdRom, true, "X", "udf", 0, 0, 0, temp.path()});

    vb::DirListBox dir(&drives);
    int wechsel = 0;
    QObject::connect(&dir, &vb::DirListBox::Change, [&wechsel] { ++wechsel; });
    dir.setPath("D:/");
    EXPECT_EQ(dir.Path(), "D:/");
    QStringList unter;
    for (int i = 0; i < dir.ListCount(); ++i)
        unter << dir.List(i);
    EXPECT_EQ(unter, (QStringList{"D:/a", "D:/B", "D:/b", "D:/ä"}));

    dir.setPath("D:/a");
    EXPECT_EQ(dir.List(0), "D:/a/innen");
    dir.setPath(dir.Path() + "/..");
    dir.setPath(dir.Path() + "/..");
    EXPECT_EQ(dir.Path(), "D:/") << "never above the drive's root";
    dir.setPath("D:/");
    EXPECT_EQ(wechsel, 5) << "every path set from code raises Change, the same one too";

    dir.setPath("Q:/");
    EXPECT_EQ(dir.ListCount(), 0);
}
