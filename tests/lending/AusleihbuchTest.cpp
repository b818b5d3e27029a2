// The log rules on a small catalogue, read back by a stock SQLite connection.
#include "frame/Katalogschema.h"
#include "lending/Ausleihbuch.h"
#include "platform/db/Database.h"
#include "platform/db/SqlFunctions.h"
#include "tests/support/RohSqlite.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using testing_support::roh;
using testing_support::rohWert;

namespace {

const QString Heute = QStringLiteral("10.12.2026");

struct Zeile {
    const char* titel;
    const char* mappe;
    const char* wer;
};

class Ausleihbuch : public ::testing::Test {
protected:
    void SetUp() override
    {
        pfad = folder.file(QStringLiteral("filme.mdb"));
        d = db::Database::create(pfad);
        frame::schema::anlegen(*d, frame::schema::AktuelleVersion);
    }
    void titel(std::initializer_list<Zeile> zeilen)
    {
        for (const Zeile& z : zeilen)
            d->execute(QStringLiteral("INSERT INTO Filme (Titel, Mappe, Wer, AusDatum, Anzahl) VALUES (?,?,?,'-',1)"),
                       {QString::fromUtf8(z.titel), QString::fromUtf8(z.mappe), QString::fromUtf8(z.wer)});
    }
    void log(const char* titel, const char* wer, const char* aus, const char* ein)
    {
        d->execute(QStringLiteral("INSERT INTO Ausleihe (Titel, Wer, AusDT, EinDT) VALUES (?,?,?,?)"),
                   {QString::fromUtf8(titel), QString::fromUtf8(wer), QString::fromUtf8(aus),
                    ein ? QVariant(QString::fromUtf8(ein)) : QVariant()});
    }
    std::vector<QStringList> ausleihe() const
    {
        return roh(pfad, QStringLiteral("SELECT Titel, Wer, AusDT, EinDT FROM Ausleihe ORDER BY rowid"));
    }
    std::vector<QStringList> filme() const
    {
        return roh(pfad, QStringLiteral("SELECT Titel, Wer FROM Filme ORDER BY rowid"));
    }
    void gesund() const { EXPECT_EQ(rohWert(pfad, QStringLiteral("pragma integrity_check")), "ok"); }

    testing_support::TempFolder folder;
    QString pfad;
    std::unique_ptr<db::Database> d;
};

// --- The return of one title: rows before and the panel's title and borrower -> rows after.
struct Rückgabefall {
    const char* name;
    const char* titel;  // as the panel shows it
    const char* wer;
    std::vector<std::vector<const char*>> vorher;  // Titel, Wer, AusDT, EinDT (nullptr: Null)
    std::vector<QStringList> nachher;
};

class Rückgabe : public Ausleihbuch, public ::testing::WithParamInterface<Rückgabefall> {};

TEST_P(Rückgabe, SchliesstJedeOffeneZeileDesTitelsUnterDemLeiher)
{
    const Rückgabefall& f = GetParam();
    for (const auto& z : f.vorher)
        log(z[0], z[1], z[2], z[3]);
    ausleihe::rückgabeEintragen(*d, QString::fromUtf8(f.titel), QString::fromUtf8(f.wer), Heute);
    EXPECT_EQ(ausleihe(), f.nachher);
    gesund();
}

const Rückgabefall Rückgabefälle[] = {
    {"GleicherTagNeuVerliehen", "Alien", "Bernd",
     {{"Alien", "Bernd", "10.12.2026", "10.12.2026"}, {"Alien", "Bernd", "10.12.2026", nullptr}},
     {{"Alien", "Bernd", "10.12.2026", "10.12.2026"}, {"Alien", "Bernd", "10.12.2026", "10.12.2026"}}},
    {"MitDerMappeVerliehenDatumStrich", "Alien", "Bernd",
     {{"Alien", "Bernd", "-", nullptr}},
     {{"Alien", "Bernd", "-", "10.12.2026"}}},
    {"FruehereZeilenBehaltenIhrDatum", "Alien", "Bernd",
     {{"Alien", "Bernd", "01.01.2025", "02.02.2025"}, {"Alien", "Carla", "03.03.2025", nullptr},
      {"Alien", "Bernd", "04.04.2026", nullptr}},
     {{"Alien", "Bernd", "01.01.2025", "02.02.2025"}, {"Alien", "Carla", "03.03.2025", "<null>"},
      {"Alien", "Bernd", "04.04.2026", "10.12.2026"}}},
    {"ApostrophUndUmlautInAndererSchreibung", "Ärger's Film", "O'Neil",
     {{"ärger's film", "o'neil", "01.12.2026", nullptr}, {"x' or 'a'='a", "O'Neil", "01.12.2026", nullptr}},
     {{"ärger's film", "o'neil", "01.12.2026", "10.12.2026"}, {"x' or 'a'='a", "O'Neil", "01.12.2026", "<null>"}}},
};

INSTANTIATE_TEST_SUITE_P(Fälle, Rückgabe, ::testing::ValuesIn(Rückgabefälle),
                         [](const auto& fall) { return std::string(fall.param.name); });

TEST_F(Ausleihbuch, RückgabeBefreitNurDieUnterordnerDesLeihers)
{
    titel({{"Matrix", "A", "Bernd"}});
    d->execute(QStringLiteral("INSERT INTO Unterordner (Titel, Titel2, Wer) VALUES ('matrix', 'Teil 1', 'bernd'), "
                              "('Matrix', 'Teil 2', 'Carla'), ('Matrix 2', 'Teil 3', 'Bernd')"));
    ausleihe::unterordnerZurück(*d, QStringLiteral("Matrix"), QStringLiteral("Bernd"));
    EXPECT_EQ(roh(pfad, QStringLiteral("SELECT Titel2, Wer FROM Unterordner ORDER BY rowid")),
              (std::vector<QStringList>{{"Teil 1", "-"}, {"Teil 2", "Carla"}, {"Teil 3", "Bernd"}}));
}

TEST_F(Ausleihbuch, AusleiheNimmtDenGespeichertenDatensatz)
{
    titel({{"Ocean's Eleven", "A", "Anna"}});
    d->execute(QStringLiteral("UPDATE Filme SET AusDatum = '09.12.2026'"));
    ausleihe::ausleiheEintragen(*d, d->scalar(QStringLiteral("SELECT rowid FROM Filme")).toLongLong());
    EXPECT_EQ(ausleihe(), (std::vector<QStringList>{{"Ocean's Eleven", "Anna", "09.12.2026", "<null>"}}));
}

TEST_F(Ausleihbuch, EinLeiherÜberZwanzigZeichenWirdNichtProtokolliert)
{
    titel({{"Alien", "A", "Maximilian Mustermann"}});
    EXPECT_THROW(ausleihe::ausleiheEintragen(*d, d->scalar(QStringLiteral("SELECT rowid FROM Filme")).toLongLong()),
                 db::DbError);
    EXPECT_TRUE(ausleihe().empty());
}

TEST_F(Ausleihbuch, KeinLeiher)
{
    EXPECT_TRUE(ausleihe::keinLeiher({}));
    EXPECT_TRUE(ausleihe::keinLeiher(QStringLiteral("-")));
    EXPECT_FALSE(ausleihe::keinLeiher(QStringLiteral("--")));
}

TEST_F(Ausleihbuch, HistorieZähltOhneGroßschreibung)
{
    log("Ärger", "Bernd", "01.01.2025", "02.01.2025");
    log("ärger", "Carla", "01.02.2025", nullptr);
    log("Ärger 2", "Carla", "01.02.2025", nullptr);
    EXPECT_EQ(ausleihe::historieZählen(*d, QStringLiteral("ÄRGER")), 2);
    EXPECT_EQ(ausleihe::historieZählen(*d, QStringLiteral("x' or 'a'='a")), 0);
    EXPECT_EQ(d->query(ausleihe::historieSql(), {QStringLiteral("ärger")}).size(), 2);
}

// --- A folder: the titles' states -> Filme.Wer and the new rows.
TEST_F(Ausleihbuch, MappeAusleihenProtokolliertNurDieVerliehenenTitel)
{
    titel({{"Eins", "F'1", "-"}, {"Zwei", "f'1", "-"}, {"Drei", "F'1", "Carla"}, {"Vier", "F'1", "Bernd"},
           {"Fünf", "G", "-"}});
    // Earlier lendings of the same titles to the same borrower, long returned.
    log("Eins", "Bernd", "01.01.2025", "02.01.2025");
    log("Vier", "bernd", "01.03.2025", "02.03.2025");
    log("Vier", "Bernd", "01.11.2026", nullptr);
    ausleihe::mappeAusleihen(*d, QStringLiteral("F'1"), QStringLiteral("Bernd"), Heute);
    EXPECT_EQ(filme(), (std::vector<QStringList>{{"Eins", "Bernd"}, {"Zwei", "Bernd"}, {"Drei", "Carla"},
                                                  {"Vier", "Bernd"}, {"Fünf", "-"}}));
    EXPECT_EQ(ausleihe(), (std::vector<QStringList>{{"Eins", "Bernd", "01.01.2025", "02.01.2025"},
                                                    {"Vier", "bernd", "01.03.2025", "02.03.2025"},
                                                    {"Vier", "Bernd", "01.11.2026", "<null>"},
                                                    {"Eins", "Bernd", Heute, "<null>"},
                                                    {"Zwei", "Bernd", Heute, "<null>"}}));

    ausleihe::mappeZurück(*d, QStringLiteral("f'1"), QStringLiteral("bernd"), QStringLiteral("11.12.2026"));
    EXPECT_EQ(filme(), (std::vector<QStringList>{{"Eins", "-"}, {"Zwei", "-"}, {"Drei", "Carla"}, {"Vier", "-"},
                                                  {"Fünf", "-"}}));
    EXPECT_EQ(ausleihe(), (std::vector<QStringList>{{"Eins", "Bernd", "01.01.2025", "02.01.2025"},
                                                    {"Vier", "bernd", "01.03.2025", "02.03.2025"},
                                                    {"Vier", "Bernd", "01.11.2026", "11.12.2026"},
                                                    {"Eins", "Bernd", Heute, "11.12.2026"},
                                                    {"Zwei", "Bernd", Heute, "11.12.2026"}}))
        << "the rows returned before keep their dates";
    gesund();
}

TEST_F(Ausleihbuch, MappeVonEinemDerNichtsHatÄndertNichts)
{
    titel({{"Eins", "F", "Carla"}});
    log("Eins", "Carla", "01.11.2026", nullptr);
    ausleihe::mappeZurück(*d, QStringLiteral("F"), QStringLiteral("Bernd"), Heute);
    EXPECT_EQ(filme(), (std::vector<QStringList>{{"Eins", "Carla"}}));
    EXPECT_EQ(ausleihe(), (std::vector<QStringList>{{"Eins", "Carla", "01.11.2026", "<null>"}}));
}

TEST_F(Ausleihbuch, EineVerweigerteSchreibungMittenInDerMappeLässtAllesWieEsWar)
{
    titel({{"Eins", "F", "-"}, {"Zwei", "F", "-"}});
    d->execute(QStringLiteral("CREATE TRIGGER nein BEFORE UPDATE ON Filme WHEN NEW.Titel = 'Zwei' "
                              "BEGIN SELECT RAISE(ABORT, 'nein'); END"));
    EXPECT_THROW(ausleihe::mappeAusleihen(*d, QStringLiteral("F"), QStringLiteral("Bernd"), Heute), db::DbError);
    EXPECT_EQ(filme(), (std::vector<QStringList>{{"Eins", "-"}, {"Zwei", "-"}}));
    EXPECT_TRUE(ausleihe().empty());
    gesund();
}

}  // namespace

// A process killed while it lends and returns folders leaves both tables in
// agreement: a title is out exactly when it has an open row.
TEST_F(Ausleihbuch, EinAbgebrochenerProzessLässtFilmeUndLogEinig)
{
    {
        db::Database::Transaction t(*d);
        for (int i = 0; i < 2000; ++i)
            d->execute(QStringLiteral("INSERT INTO Filme (Titel, Mappe, Wer, AusDatum, Anzahl) VALUES (?,?,'-','-',1)"),
                       {QStringLiteral("Titel %1").arg(i), QStringLiteral("M%1").arg(i / 10)});
        t.commit();
    }
    d.reset();
    const pid_t kind = fork();
    if (kind < 0)
        GTEST_SKIP() << "no fork";
    if (kind == 0) {
        auto eigene = db::Database::open(pfad);
        for (int runde = 0;; ++runde) {
            for (int m = 0; m < 200; ++m) {
                const QString mappe = QStringLiteral("M%1").arg(m);
                if (runde % 2 == 0)
                    ausleihe::mappeAusleihen(*eigene, mappe, QStringLiteral("Bernd"), Heute);
                else
                    ausleihe::mappeZurück(*eigene, mappe, QStringLiteral("Bernd"), Heute);
            }
        }
    }
    usleep(300 * 1000);
    kill(kind, SIGKILL);
    int status = 0;
    waitpid(kind, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    // The next opening rolls an unfinished lending back (a stock reader, read
    // only, could not).
    ASSERT_NO_THROW(db::Database::open(pfad)->query(QStringLiteral("SELECT count(*) FROM Filme")));
    gesund();
    EXPECT_EQ(rohWert(pfad, QStringLiteral("SELECT count(*) FROM Filme f WHERE (f.Wer <> '-') <> EXISTS "
                                           "(SELECT 1 FROM Ausleihe a WHERE a.Titel = f.Titel AND a.EinDT IS NULL)")),
              "0");
    EXPECT_NE(rohWert(pfad, QStringLiteral("SELECT count(*) FROM Ausleihe")), "0") << "the child got to work";
}
