#include "platform/db/Database.h"
#include "platform/db/TableCursor.h"
#include "tests/support/DbCode.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

using namespace db;
using testing_support::codeOf;
using testing_support::TempFolder;

namespace {

QString padded(const QString& key)
{
    return key.leftJustified(100, QLatin1Char(' '), true);
}

class Cursor : public ::testing::Test {
protected:
    void SetUp() override
    {
        database = Database::create(folder.file(QStringLiteral("filme.mdb")));
        database->execute(
            QStringLiteral("CREATE TABLE Filme (Titel TEXT COLLATE NOCASE PRIMARY KEY CHECK (length(Titel) <= 50), "
                           "Anzahl REAL DEFAULT 0, Wer TEXT COLLATE NOCASE DEFAULT '-', Info TEXT COLLATE NOCASE)"));
        database->execute(
            QStringLiteral("CREATE TABLE Unterordner (Titel TEXT COLLATE NOCASE, "
                           "Titel2 TEXT COLLATE NOCASE CONSTRAINT Titel2 PRIMARY KEY CHECK (length(Titel2) <= 100))"));
    }

    void add(const QStringList& titles)
    {
        for (const QString& t : titles)
            database->execute(QStringLiteral("INSERT INTO Filme (Titel) VALUES (?)"), {t});
    }

    // The current title, or where the cursor stands without one.
    static QString where(const TableCursor& c)
    {
        if (c.hasCurrent())
            return c.field(QStringLiteral("Titel")).toString();
        return c.bof() && c.eof() ? QStringLiteral("<BOF+EOF>")
               : c.bof()          ? QStringLiteral("<BOF>")
               : c.eof()          ? QStringLiteral("<EOF>")
                                  : QStringLiteral("<none>");
    }

    static QStringList scan(TableCursor& c, bool forward)
    {
        QStringList out;
        forward ? c.moveFirst() : c.moveLast();
        while (forward ? !c.eof() : !c.bof()) {
            out << c.field(QStringLiteral("Titel")).toString();
            forward ? c.moveNext() : c.movePrevious();
        }
        return out;
    }

    QStringList column(const QString& sql)
    {
        const Result r = database->query(sql);
        QStringList out;
        for (int i = 0; i < r.size(); ++i)
            out << r.value(i, 0).toString();
        return out;
    }

    TempFolder folder;
    std::unique_ptr<Database> database;
};

}  // namespace

TEST_F(Cursor, AnEmptyTableHasNoCurrentRecord)
{
    auto filme = database->table(QStringLiteral("Filme"));
    EXPECT_EQ(filme->columns(), QStringList({"Titel", "Anzahl", "Wer", "Info"}));
    EXPECT_TRUE(filme->bof());
    EXPECT_TRUE(filme->eof());
    EXPECT_FALSE(filme->hasCurrent());
    EXPECT_EQ(filme->recordCount(), 0);

    const std::pair<const char*, std::function<void()>> actions[] = {
        {"moveFirst", [&] { filme->moveFirst(); }},
        {"moveLast", [&] { filme->moveLast(); }},
        {"moveNext", [&] { filme->moveNext(); }},
        {"movePrevious", [&] { filme->movePrevious(); }},
        {"field", [&] { filme->field(QStringLiteral("Titel")); }},
        {"edit", [&] { filme->edit(); }},
        {"deleteCurrent", [&] { filme->deleteCurrent(); }},
        {"bookmark", [&] { filme->bookmark(); }},
        {"setBookmark", [&] { filme->setBookmark(1); }},
    };
    for (const auto& [name, action] : actions) {
        try {
            action();
            ADD_FAILURE() << name << " did not throw";
        } catch (const DbError& e) {
            EXPECT_EQ(e.code(), ErrNoCurrentRecord) << name;
            EXPECT_EQ(e.message(), QStringLiteral("Kein aktueller Datensatz.")) << name;
        }
        EXPECT_TRUE(filme->bof() && filme->eof()) << name;
    }
    EXPECT_EQ(codeOf([&] { filme->update(); }), ErrUpdateWithoutEdit);
    EXPECT_EQ(codeOf([&] { filme->setField(QStringLiteral("Titel"), QStringLiteral("x")); }), ErrUpdateWithoutEdit);
    EXPECT_EQ(codeOf([&] { filme->cancelUpdate(); }), ErrUpdateWithoutEdit);
    EXPECT_EQ(codeOf([&] { filme->field(QStringLiteral("Fehlt")); }), ErrUnknownField);
    EXPECT_EQ(codeOf([&] { filme->seek(QStringLiteral("<="), QStringLiteral("x")); }), ErrUnknownIndex);  // no index

    for (const char* index : {"PrimaryKey", "primarykey", "Titel", "TITEL", ""})
        EXPECT_NO_THROW(filme->setIndex(QString::fromUtf8(index))) << index;
    for (const char* index : {"Wer", "Fehlt", "Titel2"})
        EXPECT_EQ(codeOf([&] { filme->setIndex(QString::fromUtf8(index)); }), ErrUnknownIndex) << index;
    filme->setIndex(QStringLiteral("PrimaryKey"));
    filme->seek(QStringLiteral("<="), padded(QStringLiteral("Matrix")));
    EXPECT_TRUE(filme->noMatch());
    EXPECT_FALSE(filme->hasCurrent());

    EXPECT_EQ(codeOf([&] { database->table(QStringLiteral("Fehlt")); }), SQLITE_ERROR);
    auto unterordner = database->table(QStringLiteral("Unterordner"));
    EXPECT_NO_THROW(unterordner->setIndex(QStringLiteral("Titel2")));
    EXPECT_EQ(codeOf([&] { unterordner->setIndex(QStringLiteral("Titel")); }), ErrUnknownIndex);
}

TEST_F(Cursor, MovesStopAtBofAndEofAsDaoDoes)
{
    add({"Bert", "Arger", "Zorro", "Ärger", "apfel"});
    auto filme = database->table(QStringLiteral("Filme"));
    EXPECT_EQ(where(*filme), QStringLiteral("Bert"));  // opened on the first row added
    EXPECT_EQ(scan(*filme, true), QStringList({"Bert", "Arger", "Zorro", "Ärger", "apfel"}));
    filme->setIndex(QStringLiteral("PrimaryKey"));
    EXPECT_EQ(where(*filme), QStringLiteral("apfel"));

    enum Op { First, Last, Next, Previous };
    const struct {
        Op op;
        const char* expected;  // the title, a position, or "throws"
    } steps[] = {
        {Next, "Arger"},      {Next, "Ärger"},  {Previous, "Arger"}, {First, "apfel"},   {Previous, "<BOF>"},
        {Previous, "throws"}, {Next, "apfel"},  {Last, "Zorro"},     {Previous, "Bert"}, {Next, "Zorro"},
        {Next, "<EOF>"},      {Next, "throws"}, {Previous, "Zorro"}, {Next, "<EOF>"},    {First, "apfel"},
    };
    int i = 0;
    for (const auto& s : steps) {
        const int code = codeOf([&] {
            switch (s.op) {
            case First:
                filme->moveFirst();
                break;
            case Last:
                filme->moveLast();
                break;
            case Next:
                filme->moveNext();
                break;
            case Previous:
                filme->movePrevious();
                break;
            }
        });
        const QString got = code == ErrNoCurrentRecord ? QStringLiteral("throws") : where(*filme);
        EXPECT_EQ(got, QString::fromUtf8(s.expected)) << "step " << i;
        ++i;
    }
    EXPECT_EQ(scan(*filme, true), QStringList({"apfel", "Arger", "Ärger", "Bert", "Zorro"}));
    EXPECT_EQ(scan(*filme, false), QStringList({"Zorro", "Bert", "Ärger", "Arger", "apfel"}));
    EXPECT_EQ(filme->recordCount(), 5);
}

TEST_F(Cursor, SeekFindsTitlesWithTheBlankPaddedKey)
{
    add({"Matrix Reloaded", "Mask", "Abba", "Matrix", "Matrix 2", "Ärger", "Zorro"});
    auto filme = database->table(QStringLiteral("Filme"));
    filme->setIndex(QStringLiteral("PrimaryKey"));
    const struct {
        const char* op;
        QString key;
        const char* found;     // nullptr: NoMatch
        const char* next;      // after MoveNext
        const char* previous;  // after a fresh seek and MovePrevious
    } rows[] = {
        {"<=", padded("Matrix"), "Matrix", "Matrix 2", "Mask"},
        {"<=", padded("Mat"), "Mask", "Matrix", "Ärger"},
        {"<=", padded("matrix reloaded"), "Matrix Reloaded", "Zorro", "Matrix 2"},
        {"<=", padded("A"), nullptr, "Abba", "<BOF>"},
        {"<=", padded("Zzz"), "Zorro", "<EOF>", "Matrix Reloaded"},
        {"<=", padded("ärger"), "Ärger", "Mask", "Abba"},
        {"=", "MATRIX", "Matrix", "Matrix 2", "Mask"},
        {"=", "ärger", "Ärger", "Mask", "Abba"},
        {"=", "Matri", nullptr, "Matrix", "Mask"},
        {"=", padded("Matrix"), nullptr, "Matrix 2", "Matrix"},
        {">=", "Matrix ", "Matrix 2", "Matrix Reloaded", "Matrix"},
        {">=", "matrix", "Matrix", "Matrix 2", "Mask"},
        {">", "Matrix", "Matrix 2", "Matrix Reloaded", "Matrix"},
        {"<", "Matrix", "Mask", "Matrix", "Ärger"},
        {">=", "Zz", nullptr, "<EOF>", "Zorro"},
        {"<", "Abba", nullptr, "Abba", "<BOF>"},
    };
    for (const auto& row : rows) {
        const QString op = QString::fromUtf8(row.op);
        const std::string label = std::string(row.op) + " '" + row.key.trimmed().toStdString() + "'";
        filme->seek(op, row.key);
        EXPECT_EQ(filme->noMatch(), row.found == nullptr) << label;
        EXPECT_EQ(where(*filme), row.found ? QString::fromUtf8(row.found) : QStringLiteral("<none>")) << label;
        filme->moveNext();
        EXPECT_EQ(where(*filme), QString::fromUtf8(row.next)) << label;
        filme->seek(op, row.key);
        filme->movePrevious();
        EXPECT_EQ(where(*filme), QString::fromUtf8(row.previous)) << label;
    }

    database->execute(
        QStringLiteral("INSERT INTO Unterordner VALUES ('Matrix', 'Matrix CD 1'), ('Matrix', 'Matrix CD 2')"));
    auto unterordner = database->table(QStringLiteral("Unterordner"));
    unterordner->setIndex(QStringLiteral("Titel2"));
    unterordner->seek(QStringLiteral("<="), padded(QStringLiteral("matrix cd 2")));
    ASSERT_TRUE(unterordner->hasCurrent());
    EXPECT_EQ(unterordner->field(QStringLiteral("titel2")).toString(), QStringLiteral("Matrix CD 2"));
}

TEST_F(Cursor, AddsSeeksEditsAndDeletesTitlesWithQuotesAndUmlauts)
{
    add({"Bert", "Zorro"});
    auto filme = database->table(QStringLiteral("Filme"));
    filme->setIndex(QStringLiteral("PrimaryKey"));
    filme->moveLast();
    ASSERT_EQ(where(*filme), QStringLiteral("Zorro"));

    const QString ocean = QStringLiteral("Ocean's Eleven");
    const QString aerger = QStringLiteral("Ärger im Paradies");
    long long rowids[2] = {};
    int i = 0;
    for (const QString& title : {ocean, aerger}) {
        filme->addNew();
        filme->setField(QStringLiteral("Titel"), title);
        filme->setField(QStringLiteral("ANZAHL"), 2);
        EXPECT_EQ(filme->field(QStringLiteral("Titel")).toString(), title);  // the buffer
        filme->update();
        // DAO leaves the current row where it was before AddNew.
        EXPECT_EQ(where(*filme), QStringLiteral("Zorro"));
        rowids[i] = filme->lastModified();
        EXPECT_EQ(rowids[i], database->lastInsertRowid());
        filme->setBookmark(rowids[i]);
        EXPECT_EQ(where(*filme), title);
        EXPECT_EQ(filme->field(QStringLiteral("Wer")).toString(), QStringLiteral("-"));  // the column default
        EXPECT_EQ(filme->field(QStringLiteral("Anzahl")), QVariant(2.0));
        EXPECT_TRUE(filme->field(QStringLiteral("Info")).isNull());
        filme->moveLast();
        ++i;
    }
    EXPECT_EQ(scan(*filme, true), QStringList({"Ärger im Paradies", "Bert", "Ocean's Eleven", "Zorro"}));

    filme->seek(QStringLiteral("<="), padded(QStringLiteral("ocean's eleven")));
    ASSERT_EQ(where(*filme), ocean);
    EXPECT_EQ(filme->bookmark(), rowids[0]);
    filme->seek(QStringLiteral("<="), padded(QStringLiteral("ÄRGER IM PARADIES")));
    ASSERT_EQ(where(*filme), aerger);

    // Renaming moves the row in the order; the cursor follows it.
    filme->edit();
    filme->setField(QStringLiteral("Titel"), QStringLiteral("Ärger im Paradies (Ocean's Cut)"));
    filme->update();
    EXPECT_EQ(where(*filme), QStringLiteral("Ärger im Paradies (Ocean's Cut)"));
    EXPECT_EQ(filme->lastModified(), rowids[1]);
    filme->moveNext();
    EXPECT_EQ(where(*filme), QStringLiteral("Bert"));

    filme->seek(QStringLiteral("="), ocean);
    filme->deleteCurrent();
    EXPECT_FALSE(filme->hasCurrent());
    EXPECT_EQ(codeOf([&] { filme->field(QStringLiteral("Titel")); }), ErrNoCurrentRecord);
    EXPECT_EQ(codeOf([&] { filme->deleteCurrent(); }), ErrNoCurrentRecord);
    filme->moveNext();
    EXPECT_EQ(where(*filme), QStringLiteral("Zorro"));
    filme->seek(QStringLiteral("="), QStringLiteral("Zorro"));
    filme->deleteCurrent();
    filme->movePrevious();
    EXPECT_EQ(where(*filme), QStringLiteral("Bert"));
    EXPECT_EQ(codeOf([&] { filme->setBookmark(rowids[0]); }), ErrNoCurrentRecord);
    EXPECT_EQ(where(*filme), QStringLiteral("Bert"));
    EXPECT_EQ(column(QStringLiteral("SELECT Titel FROM Filme ORDER BY Titel COLLATE DEUTSCH")),
              QStringList({"Ärger im Paradies (Ocean's Cut)", "Bert"}));
    EXPECT_EQ(filme->recordCount(), 2);
}

TEST_F(Cursor, RefusedRowsKeepTheEditBuffer)
{
    add({"Matrix"});
    auto filme = database->table(QStringLiteral("Filme"));
    filme->setIndex(QStringLiteral("PrimaryKey"));

    const struct {
        const char* title;
        int code;
    } rows[] = {
        {"MATRIX", SQLITE_CONSTRAINT_PRIMARYKEY},
        {"matrix", SQLITE_CONSTRAINT_PRIMARYKEY},
        {"123456789012345678901234567890123456789012345678901", SQLITE_CONSTRAINT_CHECK},
        {"Ä23456789012345678901234567890123456789012345678901", SQLITE_CONSTRAINT_CHECK},
    };
    for (const auto& row : rows) {
        filme->addNew();
        filme->setField(QStringLiteral("Titel"), QString::fromUtf8(row.title));
        EXPECT_EQ(codeOf([&] { filme->update(); }), row.code) << row.title;
        EXPECT_EQ(filme->field(QStringLiteral("Titel")).toString(), QString::fromUtf8(row.title));  // still editing
        filme->cancelUpdate();
        EXPECT_EQ(where(*filme), QStringLiteral("Matrix"));
    }
    filme->addNew();
    filme->setField(QStringLiteral("Titel"), QStringLiteral("12345678901234567890123456789012345678901234567890"));
    filme->setField(QStringLiteral("Info"), QStringLiteral("007"));
    filme->update();
    EXPECT_EQ(filme->recordCount(), 2);

    filme->setBookmark(filme->lastModified());
    const QVariant info = filme->field(QStringLiteral("Info"));
    EXPECT_EQ(info.typeId(), QMetaType::QString);
    EXPECT_EQ(info.toString(), QStringLiteral("007"));

    // A refused rename leaves the row as it was.
    filme->edit();
    filme->setField(QStringLiteral("Titel"), QStringLiteral("matrix"));
    EXPECT_EQ(codeOf([&] { filme->update(); }), SQLITE_CONSTRAINT_PRIMARYKEY);
    filme->cancelUpdate();
    EXPECT_EQ(where(*filme), QStringLiteral("12345678901234567890123456789012345678901234567890"));
    EXPECT_EQ(column(QStringLiteral("SELECT Titel FROM Filme ORDER BY rowid")),
              QStringList({"Matrix", "12345678901234567890123456789012345678901234567890"}));
}

TEST_F(Cursor, EditWritesOnlyTheFieldsItChanged)
{
    add({"Matrix"});
    auto filme = database->table(QStringLiteral("Filme"));
    filme->edit();
    EXPECT_EQ(filme->field(QStringLiteral("Wer")).toString(), QStringLiteral("-"));
    database->execute(QStringLiteral("UPDATE Filme SET Wer = 'Max' WHERE Titel = 'Matrix'"));
    filme->setField(QStringLiteral("Anzahl"), 3.5);
    filme->update();
    EXPECT_EQ(filme->field(QStringLiteral("Wer")).toString(), QStringLiteral("Max"));  // read again after the update
    EXPECT_EQ(filme->field(QStringLiteral("Anzahl")).toDouble(), 3.5);

    // A move leaves an edit unsaved.
    filme->edit();
    filme->setField(QStringLiteral("Anzahl"), 9);
    filme->moveFirst();
    EXPECT_EQ(codeOf([&] { filme->update(); }), ErrUpdateWithoutEdit);
    EXPECT_EQ(database->scalar(QStringLiteral("SELECT Anzahl FROM Filme")).toDouble(), 3.5);
}

TEST_F(Cursor, ScansInBatchesAndSeesTheConnectionsWrites)
{
    {
        Database::Transaction tx(*database);
        for (int i = 0; i < 1500; ++i) {
            const QString base = (i % 3 == 0   ? QStringLiteral("Ärger %1")
                                  : i % 3 == 1 ? QStringLiteral("arger %1")
                                               : QStringLiteral("Zorro %1"));
            database->execute(QStringLiteral("INSERT INTO Filme (Titel) VALUES (?)"), {base.arg((i * 7919) % 1500)});
        }
        tx.commit();
    }
    auto filme = database->table(QStringLiteral("Filme"));
    EXPECT_EQ(scan(*filme, true), column(QStringLiteral("SELECT Titel FROM Filme ORDER BY rowid")));
    filme->setIndex(QStringLiteral("PrimaryKey"));
    const QStringList ordered = column(QStringLiteral("SELECT Titel FROM Filme ORDER BY Titel COLLATE DEUTSCH"));
    EXPECT_EQ(scan(*filme, true), ordered);
    QStringList reversed(ordered.rbegin(), ordered.rend());
    EXPECT_EQ(scan(*filme, false), reversed);

    // Writes of the connection during a scan show at the next move.
    filme->moveFirst();
    for (int i = 0; i < 300; ++i)
        filme->moveNext();
    const QString current = filme->field(QStringLiteral("Titel")).toString();
    ASSERT_EQ(current, ordered[300]);
    database->execute(QStringLiteral("INSERT INTO Filme (Titel) VALUES (?)"), {current + QStringLiteral(" (neu)")});
    database->execute(QStringLiteral("DELETE FROM Filme WHERE Titel = ?"), {ordered[301]});
    database->execute(QStringLiteral("UPDATE Filme SET Wer = 'Eva' WHERE Titel = ?"), {ordered[302]});
    filme->moveNext();
    EXPECT_EQ(where(*filme), current + QStringLiteral(" (neu)"));
    filme->moveNext();
    EXPECT_EQ(where(*filme), ordered[302]);
    EXPECT_EQ(filme->field(QStringLiteral("Wer")).toString(), QStringLiteral("Eva"));
    filme->movePrevious();
    filme->movePrevious();
    EXPECT_EQ(where(*filme), current);
}

TEST_F(Cursor, AUniqueColumnWithNullsOrdersThemFirst)
{
    database->execute(QStringLiteral("CREATE TABLE Liste (Name TEXT COLLATE NOCASE, Nr INTEGER)"));
    database->execute(QStringLiteral("CREATE UNIQUE INDEX NameIndex ON Liste (Name)"));
    Database::Transaction tx(*database);
    QStringList expected;
    for (int i = 0; i < 3; ++i) {
        database->execute(QStringLiteral("INSERT INTO Liste VALUES (NULL, ?)"), {i});
        expected << QStringLiteral("null %1").arg(i);
    }
    QStringList names;
    for (int i = 0; i < 600; ++i)
        names << QStringLiteral("n%1").arg(599 - i, 3, 10, QLatin1Char('0'));
    for (const QString& n : names)
        database->execute(QStringLiteral("INSERT INTO Liste VALUES (?, 0)"), {n});
    database->execute(QStringLiteral("INSERT INTO Liste VALUES (NULL, 3)"));
    expected << QStringLiteral("null 3");
    tx.commit();
    std::sort(names.begin(), names.end());
    expected += names;

    auto liste = database->table(QStringLiteral("Liste"));
    const auto label = [&] {
        const QVariant n = liste->field(QStringLiteral("Name"));
        return n.isNull() ? QStringLiteral("null %1").arg(liste->field(QStringLiteral("Nr")).toInt()) : n.toString();
    };
    for (const char* index : {"NameIndex", "Name"}) {
        liste->setIndex(QString::fromUtf8(index));
        QStringList forward;
        while (!liste->eof()) {
            forward << label();
            liste->moveNext();
        }
        EXPECT_EQ(forward, expected) << index;
        QStringList backward;
        liste->moveLast();
        while (!liste->bof()) {
            backward << label();
            liste->movePrevious();
        }
        EXPECT_EQ(backward, QStringList(expected.rbegin(), expected.rend())) << index;
    }
}

// Without an index as with one, a move after a delete goes on from the place
// of the deleted row: never back to either end.
TEST_F(Cursor, AMoveAfterADeleteGoesOnFromTheDeletedRow)
{
    QStringList added;
    for (int i = 0; i < 600; ++i)
        added << QStringLiteral("T%1").arg((i * 7) % 600, 3, 10, QLatin1Char('0'));
    QStringList sorted = added;
    std::sort(sorted.begin(), sorted.end());
    const struct {
        const char* index;
        const QStringList& order;
    } orders[] = {{"", added}, {"PrimaryKey", sorted}};
    const auto at = [](const QStringList& order, int i) {
        return i < 0 ? QStringLiteral("<BOF>") : i >= order.size() ? QStringLiteral("<EOF>") : order[i];
    };
    for (const auto& [index, order] : orders) {
        for (const int position : {0, 1, 2, 255, 256, 300, 598, 599}) {
            for (const bool next : {true, false}) {
                const std::string label = std::string(index[0] ? index : "table order") + ", row " +
                                          std::to_string(position) + (next ? ", MoveNext" : ", MovePrevious");
                database->execute(QStringLiteral("DELETE FROM Filme"));
                {
                    Database::Transaction tx(*database);
                    add(added);
                    tx.commit();
                }
                auto filme = database->table(QStringLiteral("Filme"));
                filme->setIndex(QString::fromUtf8(index));
                filme->moveFirst();
                for (int i = 0; i < position; ++i)
                    filme->moveNext();
                ASSERT_EQ(where(*filme), order[position]) << label;
                filme->deleteCurrent();
                const int step = next ? 1 : -1;
                next ? filme->moveNext() : filme->movePrevious();
                EXPECT_EQ(where(*filme), at(order, position + step)) << label;
                if (filme->hasCurrent()) {
                    next ? filme->moveNext() : filme->movePrevious();
                    EXPECT_EQ(where(*filme), at(order, position + 2 * step)) << label;
                }
            }
        }
    }
}

// Null keys stand before every other key in the order, yet no seek finds
// them: not a seek for Null, nor a "<" or "<=" below the smallest key.
TEST_F(Cursor, SeeksNeverFindARowWithANullKey)
{
    database->execute(QStringLiteral("CREATE TABLE Liste (Name TEXT COLLATE NOCASE, Nr INTEGER)"));
    database->execute(QStringLiteral("CREATE UNIQUE INDEX NameIndex ON Liste (Name)"));
    database->execute(QStringLiteral("INSERT INTO Liste VALUES (NULL, 1), ('b', 2), (NULL, 3), ('d', 4)"));
    auto liste = database->table(QStringLiteral("Liste"));
    liste->setIndex(QStringLiteral("NameIndex"));
    const struct {
        const char* op;
        QVariant key;
        const char* found;  // nullptr: NoMatch
    } rows[] = {
        {"<=", QStringLiteral("a"), nullptr},
        {"<", QStringLiteral("a"), nullptr},
        {"<", QStringLiteral("b"), nullptr},
        {"<=", QStringLiteral(""), nullptr},
        {"=", QStringLiteral(""), nullptr},
        {"<=", 5, nullptr},
        {"<=", QStringLiteral("b"), "b"},
        {"<", QStringLiteral("c"), "b"},
        {">=", QStringLiteral("a"), "b"},
        {"=", QVariant(), nullptr},
        {"<=", QVariant(), nullptr},
        {"<", QVariant(), nullptr},
        {">=", QVariant(), nullptr},
        {">", QVariant(), nullptr},
        {"=", QVariant(QMetaType::fromType<QString>()), nullptr},
        {">=", QVariant(QMetaType::fromType<QString>()), nullptr},
    };
    for (const auto& row : rows) {
        const std::string label = std::string(row.op) + " " +
                                  (row.key.isNull() ? std::string("Null") : "'" + row.key.toString().toStdString() + "'");
        liste->moveLast();
        liste->seek(QString::fromUtf8(row.op), row.key);
        EXPECT_EQ(liste->noMatch(), row.found == nullptr) << label;
        EXPECT_EQ(liste->hasCurrent() ? liste->field(QStringLiteral("Name")).toString() : QStringLiteral("<none>"),
                  row.found ? QString::fromUtf8(row.found) : QStringLiteral("<none>"))
            << label;
    }
}

namespace {

// A connection as any other SQLite program has it: none of our functions.
class PlainConnection {
public:
    explicit PlainConnection(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << path.toStdString();
        sqlite3_busy_timeout(m_db, 2000);
    }
    ~PlainConnection() { sqlite3_close(m_db); }
    PlainConnection(const PlainConnection&) = delete;
    PlainConnection& operator=(const PlainConnection&) = delete;

    // The first column of each row, as text; an error as "error: <message>".
    QStringList query(const char* sql, const QString& parameter = QString())
    {
        QStringList out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK)
            return {QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(m_db))};
        const QByteArray utf8 = parameter.toUtf8();
        if (sqlite3_bind_parameter_count(st) > 0)
            sqlite3_bind_text(st, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        if (rc != SQLITE_DONE)
            out << QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(st);
        return out;
    }

private:
    sqlite3* m_db = nullptr;
};

const QStringList GermanTitles = {"Ärger", "Öl", "Übel", "Zorro", "Straße", "Strasse", "Café", "Cafe",
                                  "Œuvre", "ärgerlich", "Arger", "apfel", "Ölfeld", "ß"};

}  // namespace

TEST_F(Cursor, OurWritesLeaveAFileThatAnySqliteProgramChecksAndSearches)
{
    auto filme = database->table(QStringLiteral("Filme"));
    filme->setIndex(QStringLiteral("PrimaryKey"));
    for (const QString& title : GermanTitles) {
        filme->addNew();
        filme->setField(QStringLiteral("Titel"), title + QStringLiteral(" (alt)"));
        filme->update();
    }
    // Renamed through the cursor, so that every row also moves in the index.
    for (const QString& title : GermanTitles) {
        filme->seek(QStringLiteral("="), title + QStringLiteral(" (ALT)"));
        ASSERT_TRUE(filme->hasCurrent()) << title.toStdString();
        filme->edit();
        filme->setField(QStringLiteral("Titel"), title);
        filme->update();
    }
    filme->seek(QStringLiteral("="), QStringLiteral("ß"));
    filme->deleteCurrent();
    auto unterordner = database->table(QStringLiteral("Unterordner"));
    unterordner->setIndex(QStringLiteral("Titel2"));
    for (const char* titel2 : {"Übel CD 1", "Straße CD 1", "Öl CD 2"}) {
        unterordner->addNew();
        unterordner->setField(QStringLiteral("Titel"), QStringLiteral("Übel"));
        unterordner->setField(QStringLiteral("Titel2"), QString::fromUtf8(titel2));
        unterordner->update();
    }

    PlainConnection plain(database->path());
    EXPECT_EQ(plain.query("PRAGMA integrity_check"), QStringList({"ok"}));
    for (const QString& title : GermanTitles) {
        const QStringList found = plain.query("SELECT Titel FROM Filme WHERE Titel = ?1", title);
        EXPECT_EQ(found, title == QStringLiteral("ß") ? QStringList() : QStringList({title})) << title.toStdString();
    }
    for (const char* titel2 : {"Übel CD 1", "Straße CD 1", "Öl CD 2"})
        EXPECT_EQ(plain.query("SELECT Titel2 FROM Unterordner WHERE Titel2 = ?1", QString::fromUtf8(titel2)).size(), 1)
            << titel2;
    // The schema names nothing but SQLite's own.
    EXPECT_EQ(plain.query("SELECT count(*) FROM sqlite_master WHERE sql LIKE '%DEUTSCH%'"), QStringList({"0"}));
}

TEST_F(Cursor, RowsOfAnotherProgramAreFoundInGermanOrder)
{
    add({"Arger", "Bert", "Zorro"});
    auto filme = database->table(QStringLiteral("Filme"));
    filme->setIndex(QStringLiteral("PrimaryKey"));
    ASSERT_EQ(where(*filme), QStringLiteral("Arger"));  // the order is read

    PlainConnection plain(database->path());
    for (const char* title : {"Ärger", "apfel", "Öl", "Straße", "Übel"})
        ASSERT_EQ(plain.query("INSERT INTO Filme (Titel) VALUES (?1)", QString::fromUtf8(title)), QStringList());

    // A move after a pause sees the other program's rows.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    filme->moveNext();
    EXPECT_EQ(where(*filme), QStringLiteral("Ärger"));

    const struct {
        const char* op;
        const char* key;
        const char* found;
    } seeks[] = {
        {"=", "öl", "Öl"},          {"=", "ÜBEL", "Übel"},     {"<=", "Strassf", "Straße"},
        {">", "arger", "Ärger"},    {"<", "Arger", "apfel"},   {">=", "OL", "Öl"},
        {"=", "Oel", nullptr},      {"<=", "B", "Ärger"},
    };
    for (const auto& s : seeks) {
        filme->seek(QString::fromUtf8(s.op), QString::fromUtf8(s.key));
        EXPECT_EQ(where(*filme), s.found ? QString::fromUtf8(s.found) : QStringLiteral("<none>"))
            << s.op << " " << s.key;
    }
    const QStringList german = {"apfel", "Arger", "Ärger", "Bert", "Öl", "Straße", "Übel", "Zorro"};
    EXPECT_EQ(scan(*filme, true), german);
    EXPECT_EQ(scan(*filme, false), QStringList(german.rbegin(), german.rend()));

    // A row the other program deleted is passed over; one it renamed moves.
    filme->seek(QStringLiteral("="), QStringLiteral("Bert"));
    ASSERT_EQ(plain.query("DELETE FROM Filme WHERE Titel = 'Öl'"), QStringList());
    ASSERT_EQ(plain.query("UPDATE Filme SET Titel = 'Aal' WHERE Titel = 'Straße'"), QStringList());
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    filme->moveNext();
    EXPECT_EQ(where(*filme), QStringLiteral("Übel"));
    filme->moveFirst();
    EXPECT_EQ(where(*filme), QStringLiteral("Aal"));

    // Its rows take part in the duplicate check at once, even without a move.
    ASSERT_EQ(plain.query("INSERT INTO Filme (Titel) VALUES ('Ödland')"), QStringList());
    filme->addNew();
    filme->setField(QStringLiteral("Titel"), QStringLiteral("ödland"));
    EXPECT_EQ(codeOf([&] { filme->update(); }), SQLITE_CONSTRAINT_PRIMARYKEY);
}

// The German duplicate check, through the order's snapshot (an index is set)
// and through a scan of the table (none is).
TEST_F(Cursor, UpdateRefusesKeysThatDifferOnlyInGermanCase)
{
    add({"Matrix", "Ärger", "Bert"});
    database->execute(QStringLiteral("INSERT INTO Unterordner VALUES ('Matrix', 'Öl CD 1')"));
    database->execute(QStringLiteral("CREATE TABLE Liste (Name TEXT COLLATE NOCASE UNIQUE, Nr INTEGER)"));
    database->execute(QStringLiteral("INSERT INTO Liste VALUES ('Übel', 1)"));

    enum Action { AddNew, EditBert, EditAerger };
    const struct {
        const char* table;
        const char* column;
        Action action;
        const char* value;
        int code;
    } rows[] = {
        {"Filme", "Titel", AddNew, "ärger", SQLITE_CONSTRAINT_PRIMARYKEY},
        {"Filme", "Titel", AddNew, "MATRIX", SQLITE_CONSTRAINT_PRIMARYKEY},  // the file's own key
        {"Filme", "Titel", AddNew, "Arger", 0},
        {"Filme", "Titel", EditBert, "ÄRGER", SQLITE_CONSTRAINT_PRIMARYKEY},
        {"Filme", "Titel", EditAerger, "ärger", 0},  // its own key in another case
        {"Unterordner", "Titel2", AddNew, "öl cd 1", SQLITE_CONSTRAINT_PRIMARYKEY},
        {"Liste", "Name", AddNew, "ÜBEL", SQLITE_CONSTRAINT_UNIQUE},
    };
    for (const bool indexed : {true, false}) {
        for (const auto& row : rows) {
            const std::string label = std::string(indexed ? "indexed " : "") + row.table + " " + row.value;
            Database::Transaction scratch(*database);  // each case starts from the same rows
            auto cursor = database->table(QString::fromUtf8(row.table));
            cursor->setIndex(indexed ? QString::fromUtf8(row.column) : QString());
            if (row.action == AddNew) {
                cursor->addNew();
            } else {
                cursor->setIndex(QStringLiteral("PrimaryKey"));
                cursor->seek(QStringLiteral("="), row.action == EditBert ? QStringLiteral("Bert") : QStringLiteral("Ärger"));
                const long long rowid = cursor->bookmark();
                cursor->setIndex(indexed ? QString::fromUtf8(row.column) : QString());
                cursor->setBookmark(rowid);
                cursor->edit();
            }
            cursor->setField(QString::fromUtf8(row.column), QString::fromUtf8(row.value));
            try {
                cursor->update();
                EXPECT_EQ(row.code, 0) << label;
            } catch (const DbError& e) {
                EXPECT_EQ(e.code(), row.code) << label;
                EXPECT_EQ(e.message(), QStringLiteral("UNIQUE constraint failed: %1.%2")
                                           .arg(QString::fromUtf8(row.table), QString::fromUtf8(row.column)))
                    << label;
            }
        }
    }
    EXPECT_EQ(column(QStringLiteral("SELECT Titel FROM Filme ORDER BY rowid")),
              QStringList({"Matrix", "Ärger", "Bert"}));
}

// A write taken back by a rollback leaves no trace in the order.
TEST_F(Cursor, ARolledBackWriteLeavesTheOrderAsTheFileHasIt)
{
    add({"Arger", "Bert", "Zorro"});
    auto filme = database->table(QStringLiteral("Filme"));
    filme->setIndex(QStringLiteral("PrimaryKey"));
    for (const bool savepoint : {false, true}) {
        {
            Database::Transaction tx(*database);
            if (savepoint)
                database->execute(QStringLiteral("SAVEPOINT s"));
            filme->addNew();
            filme->setField(QStringLiteral("Titel"), QStringLiteral("Ärger"));
            filme->update();
            filme->seek(QStringLiteral("="), QStringLiteral("Bert"));
            filme->deleteCurrent();
            EXPECT_EQ(scan(*filme, true), QStringList({"Arger", "Ärger", "Zorro"}));
            if (savepoint) {
                database->execute(QStringLiteral("ROLLBACK TO s"));
                database->execute(QStringLiteral("RELEASE s"));
                EXPECT_EQ(scan(*filme, true), QStringList({"Arger", "Bert", "Zorro"}));
                tx.commit();
            }
        }
        EXPECT_EQ(scan(*filme, true), QStringList({"Arger", "Bert", "Zorro"})) << savepoint;
        filme->seek(QStringLiteral("="), QStringLiteral("ärger"));
        EXPECT_TRUE(filme->noMatch());
    }
}

namespace {

// What a use right after setIndex does, and where the cursor then stands.
struct ErsteNutzung {
    const char* name;
    std::function<void(TableCursor&)> tun;
    const char* danach;  // where the cursor stands afterwards
};

// Each use once on a fresh index (its order read by that use) and once on an
// order already read (a seek before).
class RightAfterSetIndex : public Cursor, public ::testing::WithParamInterface<std::tuple<ErsteNutzung, bool>> {};

}  // namespace

TEST_P(RightAfterSetIndex, TheCursorStandsOnTheFirstRowInGermanOrder)
{
    const auto& [nutzung, gelesen] = GetParam();
    add({"Bert", "Ärger", "apfel", "Zorro"});
    auto filme = database->table(QStringLiteral("Filme"));
    if (gelesen) {
        filme->setIndex(QStringLiteral("PrimaryKey"));
        filme->seek(QStringLiteral("="), padded(QStringLiteral("Zorro")));
    }
    filme->setIndex(QStringLiteral("PrimaryKey"));
    EXPECT_TRUE(filme->hasCurrent());
    EXPECT_FALSE(filme->bof() || filme->eof());
    nutzung.tun(*filme);
    EXPECT_EQ(where(*filme), QString::fromUtf8(nutzung.danach));
}

INSTANTIATE_TEST_SUITE_P(
    Uses, RightAfterSetIndex,
    testing::Combine(
        testing::Values(
            ErsteNutzung{"Field", [](TableCursor&) {}, "apfel"},
            ErsteNutzung{"MoveNext", [](TableCursor& c) { c.moveNext(); }, "Ärger"},
            ErsteNutzung{"MovePrevious", [](TableCursor& c) { c.movePrevious(); }, "<BOF>"},
            ErsteNutzung{"MoveLast", [](TableCursor& c) { c.moveLast(); }, "Zorro"},
            ErsteNutzung{"Seek", [](TableCursor& c) { c.seek(QStringLiteral(">="), QStringLiteral("B")); }, "Bert"},
            ErsteNutzung{"Bookmark",
                         [](TableCursor& c) {
                             const long long apfel = c.bookmark();
                             c.moveLast();
                             c.setBookmark(apfel);
                         },
                         "apfel"},
            ErsteNutzung{"Edit",
                         [](TableCursor& c) {
                             c.edit();
                             c.setField(QStringLiteral("Titel"), QStringLiteral("Zwerg"));
                             c.update();
                             c.moveNext();
                         },
                         "<EOF>"},
            ErsteNutzung{"AddNew",
                         [](TableCursor& c) {
                             c.addNew();
                             c.setField(QStringLiteral("Titel"), QStringLiteral("Aal"));
                             c.update();
                         },
                         "apfel"},
            ErsteNutzung{"Delete",
                         [](TableCursor& c) {
                             c.deleteCurrent();
                             c.moveNext();
                         },
                         "Ärger"}),
        testing::Bool()),
    [](const testing::TestParamInfo<std::tuple<ErsteNutzung, bool>>& fall) {
        return std::string(std::get<0>(fall.param).name) + (std::get<1>(fall.param) ? "OnAnOrderRead" : "OnAFreshIndex");
    });
