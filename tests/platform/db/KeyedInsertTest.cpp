#include "platform/db/KeyedInsert.h"
#include "platform/db/SqlFunctions.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using testing_support::TempFolder;

namespace {

std::unique_ptr<db::Database> tabelle(const TempFolder& folder)
{
    auto d = db::Database::create(folder.file(QStringLiteral("filme.mdb")));
    d->execute(QStringLiteral("CREATE TABLE U (Titel TEXT, Titel2 TEXT COLLATE NOCASE UNIQUE CHECK(length(Titel2)<=10))"));
    d->execute(QStringLiteral("INSERT INTO U VALUES ('A', 'Ärger'), ('A', 'Straße'), ('A', NULL)"));
    return d;
}

}  // namespace

TEST(KeyedInsert, KnowsStoredAndNewKeysInTheGermanComparison)
{
    TempFolder folder;
    auto d = tabelle(folder);
    db::KeyedInsert ins(*d, QStringLiteral("U"), {QStringLiteral("Titel"), QStringLiteral("Titel2")},
                        QStringLiteral("Titel2"));
    EXPECT_TRUE(ins.taken(QStringLiteral("ärger")));
    EXPECT_TRUE(ins.taken(QStringLiteral("STRAßE")));
    EXPECT_FALSE(ins.taken(QStringLiteral("Strasse"))) << "ß and ss differ where the letters tie";
    EXPECT_FALSE(ins.taken(QStringLiteral("Arger"))) << "equal on the base letters only is no duplicate";
    ins.insert({QStringLiteral("B"), QStringLiteral("Öl")});
    EXPECT_TRUE(ins.taken(QStringLiteral("öl")));
    ins.insert({QStringLiteral("B"), QVariant()});
    ins.insert({QStringLiteral("B"), QVariant()});
    EXPECT_EQ(d->scalar(QStringLiteral("SELECT count(*) FROM U")).toInt(), 6);
}

TEST(KeyedInsert, RefusesATakenKeyAndWhatTheFileRefuses)
{
    TempFolder folder;
    auto d = tabelle(folder);
    db::KeyedInsert ins(*d, QStringLiteral("U"), {QStringLiteral("Titel"), QStringLiteral("Titel2")},
                        QStringLiteral("Titel2"));
    try {
        ins.insert({QStringLiteral("B"), QStringLiteral("ÄRGER")});
        FAIL() << "a German duplicate was stored";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.code(), SQLITE_CONSTRAINT_UNIQUE);
    }
    EXPECT_THROW(ins.insert({QStringLiteral("B"), QStringLiteral("elf Zeichen")}), db::DbError);
    ins.insert({QStringLiteral("B"), QStringLiteral("Neu")});
    EXPECT_THROW(ins.insert({QStringLiteral("B"), QStringLiteral("NEU")}), db::DbError);
    EXPECT_EQ(d->scalar(QStringLiteral("SELECT count(*) FROM U")).toInt(), 4);
}

// A value is bound again only when it changes: every row must still get its own.
TEST(KeyedInsert, EachRowKeepsItsOwnValuesWhenOnlySomeChange)
{
    TempFolder folder;
    auto d = tabelle(folder);
    d->execute(QStringLiteral("CREATE TABLE V (Titel2 TEXT UNIQUE, Wer TEXT, Size)"));
    db::KeyedInsert ins(*d, QStringLiteral("V"), {QStringLiteral("Titel2"), QStringLiteral("Wer"), QStringLiteral("Size")},
                        QStringLiteral("Titel2"));
    ins.insert({QStringLiteral("a"), QStringLiteral("-"), 1});
    ins.insert({QStringLiteral("b"), QStringLiteral("-"), 1});
    ins.insert({QStringLiteral("c"), QVariant(), QStringLiteral("1")});
    EXPECT_THROW(ins.insert({QStringLiteral("A"), QStringLiteral("x"), 2}), db::DbError);
    ins.insert({QStringLiteral("d"), QString(QLatin1String("")), QVariant()});
    ins.insert({QStringLiteral("e"), QStringLiteral("-"), 1});
    EXPECT_FALSE(ins.taken(QStringLiteral("f")));
    EXPECT_THROW(ins.insert({QStringLiteral("E"), QStringLiteral("-"), 1}), db::DbError)
        << "a key found free before is no pass for another";
    const QString alle = d->scalar(QStringLiteral("SELECT group_concat(Titel2 || '|' || ifnull(Wer, 'NULL') || '|' || "
                                                  "ifnull(Size, 'NULL') || '|' || typeof(Size), ';') FROM V"))
                             .toString();
    EXPECT_EQ(alle, QStringLiteral("a|-|1|integer;b|-|1|integer;c|NULL|1|text;d||NULL|null;e|-|1|integer"));
}

TEST(GermanEqualityHash, EqualTextsHashAlikeFromEitherEncoding)
{
    for (const char* paar : {"Ärger|äRGER", "Öl|öl", "MATRIX|matrix", "ǅ|ǆ"}) {
        const QStringList t = QString::fromUtf8(paar).split(u'|');
        ASSERT_EQ(db::germanCompare(t[0], t[1]), 0);
        EXPECT_EQ(db::germanEqualityHash(t[0]), db::germanEqualityHash(t[1])) << paar;
        const QByteArray u = t[1].toUtf8();
        EXPECT_EQ(db::germanEqualityHash(t[0]), db::germanEqualityHashUtf8(u.constData(), int(u.size()))) << paar;
    }
}

// Rows bound value by value: an empty text stays a text beside Null, a taken
// key is refused before it is written, and the QVariant rows that follow
// carry none of the values bound before.
TEST(KeyedInsert, WertFuerWertGebundeneZeilen)
{
    TempFolder folder;
    auto d = tabelle(folder);
    d->execute(QStringLiteral("CREATE TABLE V (a TEXT, b REAL, k TEXT COLLATE NOCASE UNIQUE)"));
    db::KeyedInsert ins(*d, QStringLiteral("V"), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("k")},
                        QStringLiteral("k"));
    ins.bindText(0, QByteArrayView());
    ins.bindReal(1, 0.1);
    ins.bindText(2, QByteArrayView("Ärger"));
    ins.insertBound(QStringLiteral("Ärger"));
    ins.bindNull(0);
    ins.bindInteger(1, 7);
    ins.bindText(2, QByteArrayView("ärger"));
    EXPECT_THROW(ins.insertBound(QStringLiteral("ärger")), db::DbError);
    ins.insert({QStringLiteral("x"), QVariant(), QStringLiteral("Öl")});
    ins.bindBlob(0, QByteArrayView("\x01\x02", 2));
    ins.bindNull(1);
    ins.bindNull(2);
    ins.insertBound(QString());
    const db::Result r = d->query(QStringLiteral("SELECT typeof(a), a, b, k FROM V ORDER BY rowid"));
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r.value(0, 0).toString(), "text");
    EXPECT_EQ(r.value(0, 1).toString(), "");
    EXPECT_EQ(r.value(0, 2).toDouble(), 0.1);
    EXPECT_EQ(r.value(1, 1).toString(), "x");
    EXPECT_TRUE(r.value(1, 2).isNull()) << "the refused row's 7 is not carried on";
    EXPECT_EQ(r.value(2, 0).toString(), "blob");
    EXPECT_TRUE(r.value(2, 3).isNull());
}
