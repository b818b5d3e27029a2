#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "platform/db/TableCursor.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace frame;
using testing_support::TempFolder;

TEST(Katalogschema, TablesFollowTheVersions)
{
    EXPECT_EQ(schema::tabellen("1.0.8"), QStringList({"Filme", "Version", "Design"}));
    EXPECT_EQ(schema::tabellen("1.1.6"), QStringList({"Filme", "Version"}));
    EXPECT_EQ(schema::tabellen("1.3.4"), QStringList({"Filme", "Version", "Ausleihe"}));
    EXPECT_EQ(schema::tabellen("1.4.1"), QStringList({"Filme", "Version", "Ausleihe", "Unterordner"}));

    QStringList filme;
    for (const auto& s : schema::spalten("Filme", "1.4.1"))
        filme << QString::fromUtf8(s.name);
    EXPECT_EQ(filme, QStringList({"Titel", "Anzahl", "Format", "Qualität", "Mappe", "Wer", "Info", "Dten", "Datum",
                                  "Cat", "AusDatum", "Cover", "Size", "Unterordner"}));
    EXPECT_EQ(schema::spalten("Unterordner", "1.4").size(), 10u);
    EXPECT_EQ(schema::spalten("Unterordner", "1.4.1").size(), 12u);
    EXPECT_EQ(schema::spalten("Filme", "1.0.8").size(), 10u);
}

TEST(Katalogschema, AFreshCatalogueKeepsTheStoredValuesAndRefusesWhatItsColumnsCannotHold)
{
    TempFolder folder;
    auto datenbank = db::Database::create(folder.file("filme.mdb"));
    schema::anlegen(*datenbank, schema::AktuelleVersion);
    EXPECT_EQ(datenbank->scalar("SELECT nr FROM Version").toString(), "1.4.1");

    auto filme = datenbank->table("Filme");
    filme->addNew();
    filme->setField("Titel", "Matrix");
    filme->setField("Anzahl", 2.0);
    filme->setField("Info", "007");
    filme->setField("Size", "0");
    filme->update();
    EXPECT_EQ(datenbank->scalar("SELECT typeof(Info) || ':' || Info FROM Filme").toString(), "text:007");

    struct Fall {
        const char* spalte;
        QVariant wert;
    };
    const Fall zuLang[] = {
        {"Titel", QString(51, 'x')}, {"Qualität", "12345"}, {"Format", QString(11, 'D')}, {"Cat", QString(21, 'k')},
    };
    for (const auto& f : zuLang) {
        filme->addNew();
        filme->setField("Titel", f.spalte == QLatin1String("Titel") ? f.wert : QVariant("Neu"));
        filme->setField(f.spalte, f.wert);
        EXPECT_THROW(filme->update(), db::DbError) << f.spalte;
        filme->cancelUpdate();
    }
    filme->addNew();
    filme->setField("Titel", "MATRIX");
    EXPECT_THROW(filme->update(), db::DbError) << "titles are unique without regard to case";
    filme->cancelUpdate();
    EXPECT_EQ(filme->recordCount(), 1);

    auto unter = datenbank->table("Unterordner");
    unter->setIndex("Titel2");
    for (const char* t : {"Ärger", "ärger"}) {
        unter->addNew();
        unter->setField("Titel", "Matrix");
        unter->setField("Titel2", t);
        if (QString::fromUtf8(t) == "ärger")
            EXPECT_THROW(unter->update(), db::DbError);
        else
            unter->update();
    }
}

TEST(Katalogschema, ASixteenBitColumnHoldsExactlyTheSixteenBitRange)
{
    TempFolder folder;
    auto datenbank = db::Database::create(folder.file("filme.mdb"));
    schema::anlegen(*datenbank, schema::AktuelleVersion);
    const std::pair<int, bool> faelle[] = {{32767, true}, {-32768, true}, {32768, false}, {-32769, false}};
    for (const auto& [anzahl, passt] : faelle) {
        const db::ExecResult r = datenbank->tryExecute("INSERT INTO Unterordner (Titel, Titel2, Anzahl) VALUES (?,?,?)",
                                                       {"Matrix", QString::number(anzahl), anzahl});
        EXPECT_EQ(r.ok, passt) << anzahl << ": " << r.message.toStdString();
    }
    EXPECT_EQ(datenbank->scalar("SELECT group_concat(Anzahl) FROM Unterordner ORDER BY Anzahl").toString(),
              "32767,-32768");
}

TEST(Katalogschema, ToolsWritesAusdatumInItsOwnSpelling)
{
    TempFolder folder;
    auto datenbank = db::Database::create(folder.file("neu.mdb"));
    schema::anlegen(*datenbank, "1.1.6", schema::Herkunft::Tools);
    EXPECT_TRUE(datenbank->columnNames("Filme").contains("Ausdatum"));
    EXPECT_FALSE(datenbank->hasTable("Design"));
    EXPECT_EQ(datenbank->scalar("SELECT nr FROM Version").toString(), "1.1.6");
}
