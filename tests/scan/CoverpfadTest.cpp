#include "scan/Coverpfad.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(coverDatei, BareNamesLieInCoversFullPathsWithCoverNormal)
{
    const QString programm = QStringLiteral("/opt/Rondavex");
    EXPECT_EQ(scan::coverDatei(QStringLiteral("Titanic.jpg"), QString(), programm),
              QStringLiteral("/opt/Rondavex/covers/Titanic.jpg"));
    EXPECT_EQ(scan::coverDatei(QStringLiteral("Titanic.jpg"), QStringLiteral("0"), programm),
              QStringLiteral("/opt/Rondavex/covers/Titanic.jpg"));
    EXPECT_EQ(scan::coverDatei(QStringLiteral("/home/anna/t.jpg"), QStringLiteral("1"), programm),
              QStringLiteral("/home/anna/t.jpg"));
    EXPECT_EQ(scan::coverDatei(QStringLiteral("-"), QStringLiteral("1"), programm), QString());
    EXPECT_EQ(scan::coverDatei(QString(), QString(), programm), QString());
    EXPECT_EQ(scan::coverReferenz(QStringLiteral("/opt/Rondavex/covers/a b.jpg"), QString()),
              QStringLiteral("a b.jpg"));
    EXPECT_EQ(scan::coverReferenz(QStringLiteral("/home/anna/t.jpg"), QStringLiteral("1")),
              QStringLiteral("/home/anna/t.jpg"));
}

// A picture copied into "covers" takes the first name no entry holds: not one
// of another file, nor one of a link (a dangling one included), which stay as
// they were; a copy that fails on the way leaves nothing of itself.
TEST(coverAblegen, TakesTheFirstFreeNameAndLeavesNothingOfAFailedCopy)
{
    testing_support::TempFolder ordner;
    const QString covers = ordner.file(QStringLiteral("covers"));
    const QString quelle = ordner.write(QStringLiteral("bilder/Bild.jpg"), "neu");
    ordner.write(QStringLiteral("covers/Bild.jpg"), "alt");
    ordner.write(QStringLiteral("anderes.jpg"), "fremd");
    ASSERT_TRUE(QFile::link(ordner.file(QStringLiteral("anderes.jpg")), covers + QStringLiteral("/Bild (2).jpg")));
    ASSERT_TRUE(QFile::link(ordner.file(QStringLiteral("fort.jpg")), covers + QStringLiteral("/Bild (3).jpg")));
    QString grund;
    EXPECT_EQ(scan::coverAblegen(quelle, covers, &grund), covers + QStringLiteral("/Bild (4).jpg"))
        << grund.toStdString();
    EXPECT_EQ(ordner.read(QStringLiteral("covers/Bild (4).jpg")), "neu");
    EXPECT_EQ(ordner.read(QStringLiteral("covers/Bild.jpg")), "alt");
    EXPECT_EQ(ordner.read(QStringLiteral("anderes.jpg")), "fremd");
    EXPECT_FALSE(QFileInfo::exists(ordner.file(QStringLiteral("fort.jpg")))) << "no file made through a dangling link";

    const QString ohneEndung = ordner.write(QStringLiteral("bilder/Bild"), "ohne");
    ordner.write(QStringLiteral("covers/Bild"), "alt");
    EXPECT_EQ(scan::coverAblegen(ohneEndung, covers, &grund), covers + QStringLiteral("/Bild (2)"));

    const QString klein = ordner.file(QStringLiteral("klein"));
    QDir().mkpath(klein);
    testing_support::MountedTmpfs platte(klein, "size=64k");
    if (!platte.ok())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root): a copy that fails on the way is untested";
    const QString gross = ordner.write(QStringLiteral("bilder/gross.bmp"), QByteArray(512 * 1024, 'x'));
    grund.clear();
    EXPECT_FALSE(scan::coverAblegen(gross, klein, &grund));
    EXPECT_FALSE(grund.isEmpty());
    EXPECT_EQ(QDir(klein).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), QStringList());
}
