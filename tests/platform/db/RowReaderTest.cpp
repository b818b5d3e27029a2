#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using db::RowReader;
using testing_support::TempFolder;

TEST(RowReader, StepsRowsWithTheirStorageClassesAndSources)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file(QStringLiteral("filme.mdb")));
    d->execute(QStringLiteral("CREATE TABLE Filme (Titel TEXT, Anzahl REAL, Datum TEXT, Bild BLOB)"));
    d->execute(QStringLiteral("INSERT INTO Filme VALUES ('Ärger', 2.5, '2024-03-05', x'00ff')"));
    d->execute(QStringLiteral("INSERT INTO Filme VALUES (NULL, 7, NULL, NULL)"));

    RowReader r(*d, QStringLiteral("SELECT Titel, Anzahl AS Zahl, Datum, Bild, length(Titel) FROM Filme WHERE Anzahl > ? "
                                   "ORDER BY Anzahl"),
                {1});
    EXPECT_EQ(r.columns(), (QStringList{"Titel", "Zahl", "Datum", "Bild", "length(Titel)"}));
    EXPECT_EQ(r.sourceTable(1), QStringLiteral("Filme"));
    EXPECT_EQ(r.sourceColumn(1), QStringLiteral("Anzahl"));
    EXPECT_EQ(r.sourceTable(4), QString());  // an expression has no source

    using T = RowReader::Type;
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.type(0), T::Text);
    EXPECT_EQ(QString::fromUtf8(r.utf8(0)), QStringLiteral("Ärger"));
    EXPECT_EQ(r.type(1), T::Real);
    EXPECT_EQ(r.number(1), 2.5);
    EXPECT_EQ(r.type(3), T::Blob);
    EXPECT_EQ(r.utf8(3).toByteArray(), QByteArray("\x00\xff", 2));
    EXPECT_EQ(r.type(4), T::Integer);
    EXPECT_EQ(r.value(4), QVariant(qlonglong(5)));
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.type(0), T::Null);
    EXPECT_TRUE(r.value(0).isNull());
    EXPECT_EQ(r.number(1), 7.0);
    EXPECT_FALSE(r.next());
}

TEST(RowReader, RefusesABadStatementOrWrongValueCount)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file(QStringLiteral("filme.mdb")));
    d->execute(QStringLiteral("CREATE TABLE Filme (Titel TEXT)"));
    EXPECT_THROW(RowReader(*d, QStringLiteral("SELECT * FROM gibtsnicht")), db::DbError);
    EXPECT_THROW(RowReader(*d, QStringLiteral("SELECT * FROM Filme WHERE Titel = ?")), db::DbError);
    EXPECT_THROW(RowReader(*d, QStringLiteral("SELECT * FROM Filme; DELETE FROM Filme")), db::DbError);
}
