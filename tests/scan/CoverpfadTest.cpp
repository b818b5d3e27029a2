#include "scan/Coverpfad.h"

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
