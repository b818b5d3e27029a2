#include "platform/db/Database.h"
#include "platform/db/FileCopy.h"
#include "platform/db/LockFile.h"
#include "platform/db/SqlFunctions.h"
#include "tests/support/DbCode.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ZweistelligeJahre.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <functional>
#include <unistd.h>

using namespace db;
using testing_support::codeOf;
using testing_support::TempFolder;

namespace {

std::unique_ptr<Database> newDatabase(const TempFolder& folder, const QString& name = QStringLiteral("filme.mdb"))
{
    return Database::create(folder.file(name));
}

QStringList column0(const Result& r)
{
    QStringList out;
    for (int i = 0; i < r.size(); ++i)
        out << r.value(i, 0).toString();
    return out;
}

}  // namespace

TEST(Database, OpenTakesExistingDatabasesOnly)
{
    TempFolder folder;
    newDatabase(folder, QStringLiteral("good.mdb"))->execute(QStringLiteral("CREATE TABLE Version (nr TEXT)"));
    const QByteArray jet = QByteArray("\0\x01\0\0Standard Jet DB\0", 20) + QByteArray(2000, '\0');
    folder.write(QStringLiteral("jet.mdb"), jet);
    folder.write(QStringLiteral("text.mdb"), "[DB]\r\nDB Name0=filme\r\n");
    folder.write(QStringLiteral("empty.mdb"), QByteArray());
    folder.write(QStringLiteral("cut.mdb"), folder.read(QStringLiteral("good.mdb")).left(1000));
    folder.write(QStringLiteral("header.mdb"), QByteArray("SQLite for"));

    const struct {
        const char* name;
        int code;
    } rows[] = {
        {"missing.mdb", ErrFileMissing},
        {"jet.mdb", ErrNotADatabase},
        {"text.mdb", ErrNotADatabase},
        {"empty.mdb", 0},
        {"cut.mdb", ErrDamaged},
        {"header.mdb", ErrDamaged},
        {"good.mdb", 0},
    };
    for (const auto& row : rows) {
        const QString path = folder.file(QString::fromUtf8(row.name));
        try {
            auto database = Database::open(path);
            EXPECT_EQ(row.code, 0) << row.name;
            EXPECT_EQ(database->path(), path);
        } catch (const DbError& e) {
            EXPECT_EQ(e.code(), row.code) << row.name;
            EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(LockFile::pathFor(path))) << row.name;
    }
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("missing.mdb"))));
    EXPECT_EQ(folder.read(QStringLiteral("empty.mdb")).size(), 0);
    EXPECT_EQ(folder.read(QStringLiteral("jet.mdb")), jet);
    EXPECT_TRUE(Database::open(folder.file(QStringLiteral("good.mdb")))->hasTable(QStringLiteral("version")));
}

TEST(Database, CreateMakesANewFileAndRefusesAnExistingOne)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("neu.mdb"));
    {
        auto database = Database::create(path);
        EXPECT_FALSE(database->hasTable(QStringLiteral("Filme")));
    }
    EXPECT_TRUE(folder.read(QStringLiteral("neu.mdb")).startsWith("SQLite format 3"));
    EXPECT_EQ(codeOf([&] { Database::create(path); }), ErrFileExists);
    folder.write(QStringLiteral("text.mdb"), "x");
    EXPECT_EQ(codeOf([&] { Database::create(folder.file(QStringLiteral("text.mdb"))); }), ErrFileExists);
    EXPECT_EQ(folder.read(QStringLiteral("text.mdb")), QByteArray("x"));
    EXPECT_NO_THROW(Database::open(path));

    // A link is refused whether or not its target exists: a new catalogue is
    // never written through it to wherever it points.
    QDir().mkpath(folder.file(QStringLiteral("anderswo")));
    const QString target = folder.file(QStringLiteral("anderswo/ziel.mdb"));
    for (const char* link : {"dangling.mdb", "relative.mdb"}) {
        const QString linkPath = folder.file(QString::fromUtf8(link));
        const QString pointsTo = qstrcmp(link, "relative.mdb") == 0 ? QStringLiteral("anderswo/ziel.mdb") : target;
        ASSERT_EQ(::symlink(QFile::encodeName(pointsTo).constData(), QFile::encodeName(linkPath).constData()), 0);
        EXPECT_EQ(codeOf([&] { Database::create(linkPath); }), ErrFileExists) << link;
        EXPECT_FALSE(QFileInfo::exists(target)) << link;
        EXPECT_TRUE(QFileInfo(linkPath).isSymLink()) << link;
    }
}

TEST(Database, ValuesTravelAsBoundParameters)
{
    TempFolder folder;
    auto database = newDatabase(folder);
    database->execute(QStringLiteral("CREATE TABLE t (v)"));
    const QVariantList values = {QVariant(),
                                 QVariant(42),
                                 QVariant(qlonglong(1) << 40),
                                 QVariant(2.5),
                                 QVariant(QStringLiteral("Ocean's Eleven")),
                                 QVariant(QStringLiteral("Ärger im Paradies")),
                                 QVariant(QStringLiteral("'); DROP TABLE t; --")),
                                 QVariant(QByteArray("\0\x01\xff", 3)),
                                 QVariant(true),
                                 QVariant(QDate(2024, 3, 5))};
    for (const QVariant& v : values)
        database->execute(QStringLiteral("INSERT INTO t (v) VALUES (?)"), {v});

    const Result r = database->query(QStringLiteral("SELECT v, typeof(v) FROM t ORDER BY rowid"));
    ASSERT_EQ(r.size(), values.size());
    const QVariantList expected = {QVariant(),
                                   QVariant(qlonglong(42)),
                                   QVariant(qlonglong(1) << 40),
                                   QVariant(2.5),
                                   QVariant(QStringLiteral("Ocean's Eleven")),
                                   QVariant(QStringLiteral("Ärger im Paradies")),
                                   QVariant(QStringLiteral("'); DROP TABLE t; --")),
                                   QVariant(QByteArray("\0\x01\xff", 3)),
                                   QVariant(qlonglong(1)),
                                   QVariant(QStringLiteral("2024-03-05"))};
    const char* types[] = {"null", "integer", "integer", "real", "text", "text", "text", "blob", "integer", "text"};
    for (int i = 0; i < r.size(); ++i) {
        EXPECT_EQ(r.value(i, 0), expected[i]) << i;
        EXPECT_EQ(r.value(i, 0).typeId(), expected[i].typeId()) << i;
        EXPECT_EQ(r.value(i, 1).toString(), QString::fromLatin1(types[i])) << i;
    }
    EXPECT_EQ(
        database->scalar(QStringLiteral("SELECT v FROM t WHERE v = ?1 OR v = ?1"), {QStringLiteral("Ocean's Eleven")}),
        QVariant(QStringLiteral("Ocean's Eleven")));
    EXPECT_TRUE(database->scalar(QStringLiteral("SELECT v FROM t WHERE 0")).isNull());
}

TEST(Database, ErrorsCarrySqliteCodesAndResultsFindColumnsWithoutCase)
{
    TempFolder folder;
    auto database = newDatabase(folder);
    database->execute(QStringLiteral("CREATE TABLE Filme (Titel TEXT COLLATE NOCASE PRIMARY KEY, Qualität TEXT)"));
    database->execute(QStringLiteral("INSERT INTO Filme VALUES ('Matrix', '1.00')"));

    try {
        database->execute(QStringLiteral("INSERT INTO Filme VALUES ('matrix', '2.00')"));
        ADD_FAILURE() << "duplicate accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), SQLITE_CONSTRAINT_PRIMARYKEY);
        EXPECT_TRUE(e.message().contains(QStringLiteral("UNIQUE"))) << e.message().toStdString();
    }
    EXPECT_EQ(codeOf([&] { database->execute(QStringLiteral("SELEC 1")); }), SQLITE_ERROR);
    EXPECT_EQ(codeOf([&] { database->query(QStringLiteral("SELECT * FROM Fehlt")); }), SQLITE_ERROR);
    // One statement a call: a second one is refused before anything runs.
    EXPECT_EQ(codeOf([&] { database->execute(QStringLiteral("DELETE FROM Filme; DROP TABLE Filme")); }), SQLITE_ERROR);
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT COUNT(*) FROM Filme;  -- comment")).toInt(), 1);
    // Values and placeholders must agree: a missing or a surplus value is refused before anything runs.
    EXPECT_EQ(codeOf([&] { database->execute(QStringLiteral("DELETE FROM Filme WHERE Titel = ?")); }), SQLITE_RANGE);
    EXPECT_EQ(codeOf([&] {
                  database->execute(QStringLiteral("DELETE FROM Filme WHERE Titel = ?"),
                                    {QStringLiteral("Matrix"), QStringLiteral("Alien")});
              }),
              SQLITE_RANGE);
    EXPECT_EQ(codeOf([&] { database->execute(QStringLiteral("DELETE FROM Filme"), {QStringLiteral("Matrix")}); }),
              SQLITE_RANGE);
    EXPECT_EQ(codeOf([&] { database->query(QStringLiteral(" ; "), {1}); }), SQLITE_RANGE);
    EXPECT_FALSE(database->tryExecute(QStringLiteral("DELETE FROM Filme"), {1}).ok);

    const ExecResult failed = database->tryExecute(QStringLiteral("DROP TABLE Fehlt"));
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.code, SQLITE_ERROR);
    EXPECT_TRUE(failed.message.contains(QStringLiteral("Fehlt")));
    const ExecResult done =
        database->tryExecute(QStringLiteral("UPDATE Filme SET Qualität = ?"), {QStringLiteral("2.00")});
    EXPECT_TRUE(done.ok);
    EXPECT_EQ(done.changes, 1);

    const Result r = database->query(QStringLiteral("SELECT COUNT(*) AS Zähler, Qualität FROM Filme"));
    EXPECT_EQ(r.columns(), QStringList({QStringLiteral("Zähler"), QStringLiteral("Qualität")}));
    EXPECT_EQ(r.column(QStringLiteral("ZÄHLER")), 0);
    EXPECT_EQ(r.column(QStringLiteral("qualität")), 1);
    EXPECT_EQ(r.column(QStringLiteral("Zahler")), -1);
    EXPECT_EQ(r.value(0, QStringLiteral("QUALITÄT")).toString(), QStringLiteral("2.00"));
    EXPECT_EQ(codeOf([&] { r.value(0, QStringLiteral("Titel")); }), ErrUnknownField);

    EXPECT_TRUE(database->hasTable(QStringLiteral("FILME")));
    EXPECT_FALSE(database->hasTable(QStringLiteral("Unterordner")));
    EXPECT_EQ(database->columnNames(QStringLiteral("Filme")),
              QStringList({QStringLiteral("Titel"), QStringLiteral("Qualität")}));
}

TEST(Database, TransactionRollsBackUnlessCommitted)
{
    TempFolder folder;
    auto database = newDatabase(folder);
    database->execute(QStringLiteral("CREATE TABLE t (v)"));
    {
        Database::Transaction tx(*database);
        database->execute(QStringLiteral("INSERT INTO t VALUES (1)"));
        database->execute(QStringLiteral("INSERT INTO t VALUES (2)"));
    }
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 0);
    try {
        Database::Transaction tx(*database);
        database->execute(QStringLiteral("INSERT INTO t VALUES (1)"));
        database->execute(QStringLiteral("INSERT INTO fehlt VALUES (2)"));
        tx.commit();
    } catch (const DbError&) {
    }
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 0);
    {
        Database::Transaction tx(*database);
        database->execute(QStringLiteral("INSERT INTO t VALUES (3)"));
        tx.commit();
    }
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 1);
    EXPECT_EQ(Database::open(database->path())->scalar(QStringLiteral("SELECT v FROM t")).toInt(), 3);
}

TEST(Database, DscountReadsZaehlerAsA64BitCount)
{
    TempFolder folder;
    auto database = newDatabase(folder);
    database->execute(QStringLiteral("CREATE TABLE t (x REAL, s TEXT)"));
    database->execute(QStringLiteral("INSERT INTO t VALUES (1.25, '4,7'), (1.25, '1.234,5')"));
    const struct {
        const char* sql;
        long long expected;
    } rows[] = {
        {"SELECT COUNT(*) AS Zähler FROM t", 2},         {"SELECT SUM(x) AS Zähler FROM t", 2},  // 2.5 -> 2
        {"SELECT SUM(x) + 1 AS Zähler FROM t", 4},                                               // 3.5 -> 4
        {"SELECT SUM(x) AS Zähler FROM t WHERE 0", 0},                                           // Null
        {"SELECT x AS Zähler FROM t WHERE 0", 0},                                                // no row
        {"SELECT 'a' AS Titel, 7 AS ZÄHLER", 7},         {"SELECT 9 AS Anzahl", 9},
        {"SELECT SUM(denum(s)) AS Zähler FROM t", 1239}, {"SELECT -2.5 AS Zähler", -2},
        {"SELECT 3000000000 AS Zähler", 3000000000LL},
    };
    for (const auto& row : rows)
        EXPECT_EQ(dscount(*database, QString::fromUtf8(row.sql)), row.expected) << row.sql;
    EXPECT_NE(codeOf([&] { dscount(*database, QStringLiteral("SELECT 1e300 AS Zähler")); }), 0);
    EXPECT_NE(codeOf([&] { dscount(*database, QStringLiteral("SELECT 'abc' AS Zähler")); }), 0);
    EXPECT_EQ(dscount(*database, QStringLiteral("SELECT COUNT(*) AS Zähler FROM t WHERE x = ?"), {1.25}), 2);
}

TEST(GermanCollation, ComparesWithoutCaseAndWithBaseLetters)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } rows[] = {
        {"Ärger", "ärger", 0},
        {"MATRIX", "matrix", 0},
        {"Arger", "Ärger", -1},
        {"Ärger", "Bert", -1},
        {"Äb", "Ac", -1},
        {"apfel", "Arger", -1},
        {"-", "apfel", -1},
        {"Straße", "STRASSE", 1},
        {"Strasse", "Straßf", -1},
        {"Straßa", "Strasse", -1},
        {"ẞ", "ß", 0},
        {"Titel", "Titel ", -1},
        {"Titel ", "Titel A", -1},
        {"Matrix", "Matrix Reloaded", -1},
        {"Crème", "Creme", 1},
        {"Crème", "Cremf", -1},
        {"Ōsaka", "osaka", 1},
        {"", "a", -1},
        {"Zorro", "Ärger", 1},
    };
    for (const auto& row : rows) {
        const QString a = QString::fromUtf8(row.a);
        const QString b = QString::fromUtf8(row.b);
        const auto sign = [](int v) { return (v > 0) - (v < 0); };
        EXPECT_EQ(sign(germanCompare(a, b)), row.sign) << row.a << " / " << row.b;
        EXPECT_EQ(sign(germanCompare(b, a)), -row.sign) << row.b << " / " << row.a;
        const QByteArray ua = a.toUtf8();
        const QByteArray ub = b.toUtf8();
        EXPECT_EQ(sign(germanCompareUtf8(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()))), row.sign)
            << row.a << " / " << row.b;
    }
}

TEST(GermanCollation, IsOneTotalOrderOnBothEncodings)
{
    const QStringList words = {"a",  "A",  "ä",  "Ä", "ab",    "äb",     "Ab",      "b",     "ss",       "ß",
                               "SS", "st", "sr", "s", "Titel", "titel ", "Titel A", "-",     "Zorro",    "ÿ",
                               "é",  "e",  "f",  "1", "10",    "9",      "Ωmega",   "ωmega", "a\xC3\xA4"};
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const QString& x : words) {
        for (const QString& y : words) {
            const int xy = sign(germanCompare(x, y));
            const QByteArray ux = x.toUtf8();
            const QByteArray uy = y.toUtf8();
            EXPECT_EQ(sign(germanCompareUtf8(ux.constData(), int(ux.size()), uy.constData(), int(uy.size()))), xy)
                << x.toStdString() << " / " << y.toStdString();
            EXPECT_EQ(xy == 0, x.toCaseFolded() == y.toCaseFolded()) << x.toStdString() << " / " << y.toStdString();
            for (const QString& z : words) {
                if (xy <= 0 && germanCompare(y, z) <= 0) {
                    EXPECT_LE(germanCompare(x, z), 0)
                        << x.toStdString() << " " << y.toStdString() << " " << z.toStdString();
                }
            }
        }
    }
}

TEST(SqlFunctions, DeutschOrdersGroupsAndComparesWhereNamedAndNocaseStaysSqlites)
{
    TempFolder folder;
    auto database = newDatabase(folder);
    database->execute(
        QStringLiteral("CREATE TABLE Filme (Titel TEXT COLLATE NOCASE PRIMARY KEY, Cat TEXT COLLATE NOCASE)"));
    for (const char* t : {"Zorro", "Bert", "Ärger", "-", "apfel", "Arger", "Öl", "Ofen", "Straße", "Strasse"})
        database->execute(QStringLiteral("INSERT INTO Filme VALUES (?, ?)"),
                          {QString::fromUtf8(t), QString::fromUtf8(t[0] == 'B' ? "KOMÖDIE" : "Komödie")});
    EXPECT_EQ(column0(database->query(QStringLiteral("SELECT Titel FROM Filme ORDER BY Titel COLLATE DEUTSCH"))),
              QStringList({"-", "apfel", "Arger", "Ärger", "Bert", "Ofen", "Öl", "Strasse", "Straße", "Zorro"}));
    EXPECT_EQ(column0(database->query(QStringLiteral("SELECT Titel FROM Filme WHERE Titel COLLATE DEUTSCH > 'arger' "
                                                     "ORDER BY Titel COLLATE DEUTSCH DESC LIMIT 2"))),
              QStringList({"Zorro", "Straße"}));
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT Titel FROM Filme WHERE Titel = 'ÄRGER' COLLATE DEUTSCH"))
                  .toString(),
              QStringLiteral("Ärger"));
    EXPECT_EQ(database->query(QStringLiteral("SELECT Cat FROM Filme GROUP BY Cat COLLATE DEUTSCH")).size(), 1);
    EXPECT_EQ(database->query(QStringLiteral("SELECT DISTINCT Cat COLLATE DEUTSCH FROM Filme")).size(), 1);

    // NOCASE keeps SQLite's meaning on our connection: ASCII letters only.
    EXPECT_EQ(database->query(QStringLiteral("SELECT DISTINCT Cat FROM Filme")).size(), 2);
    EXPECT_TRUE(database->scalar(QStringLiteral("SELECT Titel FROM Filme WHERE Titel = 'ärger'")).isNull());
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT 'Ä' = 'ä' COLLATE NOCASE")).toInt(), 0);
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT 'MATRIX' = 'matrix' COLLATE NOCASE")).toInt(), 1);
}

// The file's key folds ASCII case; the layer refuses what only the German
// comparison finds equal, with the same error, and takes back only its write.
TEST(Database, ExecuteWithUniqueKeyRefusesGermanDuplicates)
{
    TempFolder folder;
    auto database = newDatabase(folder);
    database->execute(QStringLiteral("CREATE TABLE Filme (Titel TEXT COLLATE NOCASE PRIMARY KEY, Wer TEXT)"));
    database->execute(QStringLiteral("CREATE TABLE Liste (Name TEXT COLLATE NOCASE UNIQUE)"));
    database->execute(QStringLiteral("INSERT INTO Filme VALUES ('Matrix', '-'), ('Ärger', '-'), ('Öl', '-')"));
    database->execute(QStringLiteral("INSERT INTO Liste VALUES ('Übel')"));
    const QString insert = QStringLiteral("INSERT INTO Filme (Titel) VALUES (?)");

    const struct {
        const char* title;
        int byFile;   // a plain statement: the file's own key
        int byLayer;  // executeWithUniqueKey
    } rows[] = {
        {"MATRIX", SQLITE_CONSTRAINT_PRIMARYKEY, SQLITE_CONSTRAINT_PRIMARYKEY},
        {"ärger", 0, SQLITE_CONSTRAINT_PRIMARYKEY},
        {"öL", 0, SQLITE_CONSTRAINT_PRIMARYKEY},
        {"Arger", 0, 0},
        {"Oel", 0, 0},
    };
    for (const auto& row : rows) {
        const QString title = QString::fromUtf8(row.title);
        {
            Database::Transaction probe(*database);
            EXPECT_EQ(codeOf([&] { database->execute(insert, {title}); }), row.byFile) << row.title;
        }
        try {
            database->executeWithUniqueKey(insert, {title}, QStringLiteral("Filme"), QStringLiteral("Titel"), title);
            EXPECT_EQ(row.byLayer, 0) << row.title;
        } catch (const DbError& e) {
            EXPECT_EQ(e.code(), row.byLayer) << row.title;
            EXPECT_EQ(e.message(), QStringLiteral("UNIQUE constraint failed: Filme.Titel"));
        }
    }
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT count(*) FROM Filme")).toInt(), 5);

    // Inside a transaction of the caller's only the refused write goes; an
    // update of the row to its own key in another case is no duplicate.
    {
        Database::Transaction tx(*database);
        database->execute(QStringLiteral("UPDATE Filme SET Wer = 'Eva' WHERE Titel = 'Matrix'"));
        const QString update = QStringLiteral("UPDATE Filme SET Titel = ?1 WHERE Titel = ?2");
        EXPECT_EQ(codeOf([&] {
                      database->executeWithUniqueKey(update, {QStringLiteral("öl"), QStringLiteral("Oel")},
                                                     QStringLiteral("Filme"), QStringLiteral("Titel"),
                                                     QStringLiteral("öl"));
                  }),
                  SQLITE_CONSTRAINT_PRIMARYKEY);
        database->executeWithUniqueKey(update, {QStringLiteral("ärger"), QStringLiteral("Ärger")},
                                       QStringLiteral("Filme"), QStringLiteral("Titel"), QStringLiteral("ärger"));
        EXPECT_EQ(codeOf([&] {
                      database->executeWithUniqueKey(QStringLiteral("INSERT INTO Liste VALUES (?)"),
                                                     {QStringLiteral("ÜBEL")}, QStringLiteral("Liste"),
                                                     QStringLiteral("Name"), QStringLiteral("ÜBEL"));
                  }),
                  SQLITE_CONSTRAINT_UNIQUE);
        tx.commit();
    }
    EXPECT_EQ(column0(database->query(QStringLiteral("SELECT Titel || '/' || ifnull(Wer, '') FROM Filme ORDER BY rowid"))),
              QStringList({"Matrix/Eva", "ärger/-", "Öl/-", "Arger/", "Oel/"}));
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT count(*) FROM Liste")).toInt(), 1);
}

TEST(SqlFunctions, LikeUsesTheEngineWildcards)
{
    TempFolder folder;
    auto database = newDatabase(folder);
    database->execute(
        QStringLiteral("CREATE TABLE Filme (Titel TEXT COLLATE NOCASE, Wer TEXT COLLATE NOCASE, Qualität TEXT)"));
    const char* titles[][3] = {{"AABB", "-", "1.00"},      {"ärger im Paradies", "Max", "2.50"},
                               {"Film 31", "-", "2.0"},    {"dvd-9 Box", nullptr, "3"},
                               {"50% Rabatt", "Eva", "1"}, {"a_b", "-", "-"}};
    for (const auto& t : titles)
        database->execute(
            QStringLiteral("INSERT INTO Filme VALUES (?, ?, ?)"),
            {QString::fromUtf8(t[0]), t[1] ? QVariant(QString::fromUtf8(t[1])) : QVariant(), QString::fromUtf8(t[2])});
    const struct {
        const char* where;
        QStringList titles;
    } rows[] = {
        {"Titel like '*ab*'", {"AABB", "50% Rabatt"}},
        {"Titel like 'Ä*'", {"ärger im Paradies"}},
        {"Titel like '*PARADIES'", {"ärger im Paradies"}},
        {"Titel like 'Film #1'", {"Film 31"}},
        {"Titel like 'Film ##'", {"Film 31"}},
        {"Titel like 'DVD*'", {"dvd-9 Box"}},
        {"Titel like 'dvd%'", {}},
        {"Titel like '50%*'", {"50% Rabatt"}},
        {"Titel like 'a_b'", {"a_b"}},
        {"Titel like '[!a-c]*'", {"ärger im Paradies", "Film 31", "dvd-9 Box", "50% Rabatt"}},
        {"Titel like '[a-c]*'", {"AABB", "a_b"}},
        {"Wer not like '-'", {"ärger im Paradies", "50% Rabatt"}},
        {"Wer like '-'", {"AABB", "Film 31", "a_b"}},
        {"Qualität like '2.5*'", {"ärger im Paradies"}},
        {"Titel like ?", {"Film 31"}},
    };
    for (const auto& row : rows) {
        const QString sql =
            QStringLiteral("SELECT Titel FROM Filme WHERE %1 ORDER BY rowid").arg(QString::fromUtf8(row.where));
        const QVariantList params =
            sql.contains(QLatin1Char('?')) ? QVariantList{QStringLiteral("*3?")} : QVariantList{};
        EXPECT_EQ(column0(database->query(sql, params)), row.titles) << row.where;
    }
    EXPECT_TRUE(database->scalar(QStringLiteral("SELECT NULL LIKE '*'")).isNull());
    EXPECT_TRUE(database->scalar(QStringLiteral("SELECT 'a' LIKE NULL")).isNull());
    try {
        database->query(QStringLiteral("SELECT Titel FROM Filme WHERE Titel like '[a-b'"));
        ADD_FAILURE() << "an unclosed list ran";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), SQLITE_ERROR);
        EXPECT_TRUE(e.message().contains(QStringLiteral("Musterzeichenfolge"))) << e.message().toStdString();
    }
}

TEST(SqlFunctions, DedateAndDenumTurnTextsIntoValues)
{
    TempFolder folder;
    auto database = newDatabase(folder);
    const struct {
        const char* text;
        std::optional<QString> date;
    } dates[] = {
        {"05.03.2024", QStringLiteral("2024-03-05")},
        {"5.3.2024", QStringLiteral("2024-03-05")},
        {"29.02.2024", QStringLiteral("2024-02-29")},
        {"31.02.2024", std::nullopt},
        {"2024-03-05", std::nullopt},
        {"05.03.24", QStringLiteral("2024-03-05")},
        {"1.9.26", QStringLiteral("2026-09-01")},
        {"1.9.98", QStringLiteral("1998-09-01")},
        {"1.9.026", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : dates) {
        const QString text = QString::fromUtf8(row.text);
        EXPECT_EQ(dedate(text), row.date) << row.text;
        const QVariant sql = database->scalar(QStringLiteral("SELECT dedate(?)"), {text});
        EXPECT_EQ(sql.isNull() ? std::optional<QString>() : std::optional<QString>(sql.toString()), row.date)
            << row.text;
    }
    const struct {
        const char* text;
        std::optional<double> number;
    } numbers[] = {
        {"4,7", 4.7}, {"1.234,5", 1234.5}, {"4700", 4700},     {"0", 0},
        {" 12 ", 12}, {"-", std::nullopt}, {"", std::nullopt}, {"4,7 MB", std::nullopt},
    };
    for (const auto& row : numbers) {
        const QString text = QString::fromUtf8(row.text);
        EXPECT_EQ(denum(text), row.number) << row.text;
        const QVariant sql = database->scalar(QStringLiteral("SELECT denum(?)"), {text});
        EXPECT_EQ(sql.isNull() ? std::optional<double>() : std::optional<double>(sql.toDouble()), row.number)
            << row.text;
        if (!sql.isNull()) {
            EXPECT_EQ(sql.typeId(), QMetaType::Double);
        }
    }
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT denum(2.5) + denum(3)")).toDouble(), 5.5);
    EXPECT_TRUE(database->scalar(QStringLiteral("SELECT denum(NULL)")).isNull());
    EXPECT_TRUE(database->scalar(QStringLiteral("SELECT dedate(NULL)")).isNull());

    // Day.month.year texts compare as dates, not as texts.
    database->execute(QStringLiteral("CREATE TABLE Ausleihe (AusDT TEXT)"));
    for (const char* d : {"20.02.2023", "05.03.2024", "01.12.2023", "kein Datum"})
        database->execute(QStringLiteral("INSERT INTO Ausleihe VALUES (?)"), {QString::fromUtf8(d)});
    EXPECT_EQ(column0(database->query(
                  QStringLiteral("SELECT AusDT FROM Ausleihe WHERE dedate(AusDT) < ? ORDER BY dedate(AusDT)"),
                  {QDate(2024, 1, 1)})),
              QStringList({"20.02.2023", "01.12.2023"}));
}

// A lending date with a two-digit year, as an old catalogue stores it: our
// SQL reads it as the typed date is read, so it is overdue and sorts by its day.
class SqlDatumZweistellig : public ::testing::TestWithParam<testing_support::Zweistellig> {};

TEST_P(SqlDatumZweistellig, ComparesAndSortsByItsDay)
{
    const testing_support::Zweistellig& fall = GetParam();
    TempFolder folder;
    auto database = newDatabase(folder);
    const QString text = QString::fromUtf8(fall.text);
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT dedate(?)"), {text}).toString(),
              fall.tag.toString(Qt::ISODate));

    database->execute(QStringLiteral("CREATE TABLE Ausleihe (AusDT TEXT)"));
    const QDate nachbarn[] = {fall.tag.addDays(-1), fall.tag.addDays(1), QDate(1929, 12, 31), QDate(2030, 1, 1)};
    for (const QDate& d : nachbarn)
        database->execute(QStringLiteral("INSERT INTO Ausleihe VALUES (?)"), {d.toString(u"dd.MM.yyyy")});
    database->execute(QStringLiteral("INSERT INTO Ausleihe VALUES (?)"), {text});
    const QStringList erwartet = {QStringLiteral("31.12.1929"), fall.tag.addDays(-1).toString(u"dd.MM.yyyy"), text,
                            fall.tag.addDays(1).toString(u"dd.MM.yyyy"), QStringLiteral("01.01.2030")};
    EXPECT_EQ(column0(database->query(QStringLiteral("SELECT AusDT FROM Ausleihe ORDER BY dedate(AusDT)"))), erwartet);
    const QString vor = QStringLiteral("SELECT AusDT FROM Ausleihe WHERE dedate(AusDT) < ?");
    EXPECT_TRUE(column0(database->query(vor, {fall.tag.addDays(1)})).contains(text)) << "before the next day";
    EXPECT_FALSE(column0(database->query(vor, {fall.tag})).contains(text)) << "not before its own day";
}

INSTANTIATE_TEST_SUITE_P(Grenzen, SqlDatumZweistellig, ::testing::ValuesIn(testing_support::ZweistelligeJahre),
                         [](const auto& fall) { return testing_support::zweistelligName(fall.param); });

TEST(LockFile, SharedHoldersExcludeAnExclusiveOne)
{
    EXPECT_EQ(LockFile::pathFor(QStringLiteral("/x/filme.mdb")), QStringLiteral("/x/filme.ldb"));
    EXPECT_EQ(LockFile::pathFor(QStringLiteral("/x.y/filme")), QStringLiteral("/x.y/filme.ldb"));
    EXPECT_EQ(LockFile::pathFor(QStringLiteral("/x/a.b.mdb")), QStringLiteral("/x/a.b.ldb"));

    TempFolder folder;
    const QString path = folder.file(QStringLiteral("filme.mdb"));
    const QString ldb = folder.file(QStringLiteral("filme.ldb"));
    newDatabase(folder).reset();
    EXPECT_FALSE(QFileInfo::exists(ldb));
    {
        auto first = Database::open(path);
        EXPECT_TRUE(QFileInfo::exists(ldb));
        auto second = Database::open(path);
        EXPECT_EQ(LockFile::acquire(path, LockFile::Mode::Exclusive), nullptr);
        first.reset();
        EXPECT_TRUE(QFileInfo::exists(ldb));
        EXPECT_EQ(LockFile::acquire(path, LockFile::Mode::Exclusive), nullptr);
    }
    EXPECT_FALSE(QFileInfo::exists(ldb));
    {
        auto exclusive = LockFile::acquire(path, LockFile::Mode::Exclusive);
        ASSERT_NE(exclusive, nullptr);
        EXPECT_EQ(codeOf([&] { Database::open(path); }), ErrLocked);
        EXPECT_EQ(LockFile::acquire(path, LockFile::Mode::Shared), nullptr);
    }
    EXPECT_FALSE(QFileInfo::exists(ldb));

    // A file left behind by a crash holds no lock.
    folder.write(QStringLiteral("filme.ldb"), "stale");
    EXPECT_NE(LockFile::acquire(path, LockFile::Mode::Exclusive), nullptr);
    folder.write(QStringLiteral("filme.ldb"), "stale");
    Database::open(path).reset();
    EXPECT_FALSE(QFileInfo::exists(ldb));
}

TEST(LockFile, AFolderWithoutLockFileStillOpens)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("filme.mdb"));
    newDatabase(folder)->execute(QStringLiteral("CREATE TABLE Version (nr TEXT)"));
    // A folder entry that cannot become the lock file stands for a read-only folder.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("filme.ldb")));
    EXPECT_EQ(LockFile::acquire(path, LockFile::Mode::Shared), nullptr);
    auto database = Database::open(path);
    EXPECT_TRUE(database->hasTable(QStringLiteral("Version")));
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("filme.ldb"))).isDir());
}

TEST(FileCopy, CopiesThroughATemporaryNameAndKeepsTheTargetOnFailure)
{
    TempFolder folder;
    const QString source = folder.file(QStringLiteral("filme.mdb"));
    const QString target = folder.file(QStringLiteral("Backup/filme 09.12.2026.mdb"));
    auto database = newDatabase(folder);
    database->execute(QStringLiteral("CREATE TABLE Filme (Titel TEXT COLLATE NOCASE PRIMARY KEY)"));
    database->execute(QStringLiteral("INSERT INTO Filme VALUES ('Matrix'), ('Ärger')"));

    QString error;
    EXPECT_FALSE(copyDatabaseFile(source, target, &error));  // no Backup folder yet
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Backup")));
    folder.write(QStringLiteral("Backup/filme 09.12.2026.mdb"), "earlier copy");

    // A write that is still open is not part of the copy.
    database->execute(QStringLiteral("BEGIN IMMEDIATE"));
    database->execute(QStringLiteral("INSERT INTO Filme VALUES ('Offen')"));
    EXPECT_TRUE(copyDatabaseFile(source, target, &error)) << error.toStdString();
    database->execute(QStringLiteral("ROLLBACK"));
    {
        auto copy = Database::open(target);
        EXPECT_EQ(column0(copy->query(QStringLiteral("SELECT Titel FROM Filme ORDER BY Titel COLLATE DEUTSCH"))),
                  QStringList({"Ärger", "Matrix"}));
    }
    const QByteArray good = folder.read(QStringLiteral("Backup/filme 09.12.2026.mdb"));

    // The temporary name is taken: the copy fails and the target stays as it was.
    const QString temporary = folder.file(QStringLiteral("Backup/.filme 09.12.2026.mdb.tmp-%1").arg(::getpid()));
    ASSERT_TRUE(QDir().mkpath(temporary + QStringLiteral("/x")));
    error.clear();
    EXPECT_FALSE(copyDatabaseFile(source, target, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(folder.read(QStringLiteral("Backup/filme 09.12.2026.mdb")), good);
    EXPECT_FALSE(copyFileReplacing(source, target, &error));
    EXPECT_EQ(folder.read(QStringLiteral("Backup/filme 09.12.2026.mdb")), good);
    QDir(temporary).removeRecursively();

    EXPECT_FALSE(copyDatabaseFile(folder.file(QStringLiteral("fehlt.mdb")), target, &error));
    EXPECT_EQ(folder.read(QStringLiteral("Backup/filme 09.12.2026.mdb")), good);

    // Any other file is no database: it never replaces a copy.
    const QByteArray jet = QByteArray("\0\x01\0\0Standard Jet DB\0", 20) + QByteArray(5000, '\x7f');
    folder.write(QStringLiteral("alt.mdb"), jet);
    EXPECT_EQ(copyDatabase(folder.file(QStringLiteral("alt.mdb")), target, &error), CopyResult::NotADatabase);
    EXPECT_EQ(folder.read(QStringLiteral("Backup/filme 09.12.2026.mdb")), good);

    const QStringList left =
        QDir(folder.file(QStringLiteral("Backup"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_EQ(left, QStringList({QStringLiteral("filme 09.12.2026.mdb")}));
}
