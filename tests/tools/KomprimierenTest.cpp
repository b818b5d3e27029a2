// Compaction: the lock, the one-day rule, the ".bak" and ".tmp" files.
#include "platform/db/LockFile.h"
#include "platform/system/Dateigrund.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/frame/Katalogfixture.h"
#include "tests/tools/ToolsFixture.h"

#include <QFile>
#include <QTimeZone>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <cerrno>

using namespace testing_support;

namespace {

const QString Gesperrt = QStringLiteral(
    "Bitte die DB Komprimierung nur ausführen, wenn die Tools extra gestartet werden (Rondavex bzw. DB darf nicht "
    "geöffnet sein!)");
const QString Erfolg = QStringLiteral("DB erfolgreich komprimiert");
const QString NichtNötig = QStringLiteral("Komprimierung nicht nötig!");

// A catalogue "filme" with many titles of which every other is deleted again,
// so that compaction has pages to give back.
QString löchrigerKatalog(Programmordner& o)
{
    const QString pfad = o.folder.file("filme.mdb");
    auto db = katalogAnlegen(pfad, QStringLiteral("1.4.1"));
    db::Database::Transaction t(*db);
    for (int i = 0; i < 400; ++i)
        db->execute("INSERT INTO Filme (Titel, Info) VALUES (?, ?)",
                    {QStringLiteral("Titel %1").arg(i), QString(200, QLatin1Char('x'))});
    db->execute("DELETE FROM Filme WHERE rowid % 2 = 0");
    t.commit();
    return pfad;
}

std::unique_ptr<frmTools> gewählt(Programmordner& o)
{
    auto f = o.starten();
    wählen(f->cmbDBU, QStringLiteral("filme"));
    return f;
}

void alterSetzen(const QString& pfad, const QDateTime& wann)
{
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
    ASSERT_TRUE(datei.setFileTime(wann, QFileDevice::FileModificationTime));
}

TEST(Komprimieren, CompactsAndKeepsTheFileBeforeAsBak)
{
    Programmordner o;
    const QString pfad = löchrigerKatalog(o);
    const QByteArray vorher = o.folder.read("filme.mdb");
    const auto zeilen = roh(pfad, "SELECT * FROM Filme ORDER BY Titel");
    auto f = gewählt(o);
    f->cmdKomp->click();

    ASSERT_EQ(o.fake.messages.prompts(), QStringList{Erfolg});
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Information);
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Tools"));
    EXPECT_EQ(o.folder.read("filme.mdb.bak"), vorher);
    EXPECT_LT(o.folder.read("filme.mdb").size(), vorher.size());
    EXPECT_EQ(roh(pfad, "SELECT * FROM Filme ORDER BY Titel"), zeilen);
    EXPECT_EQ(rohWert(pfad, "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb", "filme.mdb.bak"})) << "no .tmp or .ldb stays";
}

struct Alter {
    const char* name;
    double tage;  // age of the .bak against the clock
    bool läuft;
};

void PrintTo(const Alter& a, std::ostream* os)
{
    *os << a.name;
}

class EinTagesRegel : public testing::TestWithParam<Alter> {};

TEST_P(EinTagesRegel, AYoungBakSkipsTheWork)
{
    const Alter& a = GetParam();
    Programmordner o;
    const QDateTime jetzt(QDate(2026, 12, 9), QTime(10, 0), Qt::UTC);
    o.fake.clock.set(jetzt);
    löchrigerKatalog(o);
    o.folder.write("filme.mdb.bak", "alte Kopie");
    alterSetzen(o.folder.file("filme.mdb.bak"), jetzt.addSecs(qint64(-a.tage * 86400)));
    const QByteArray vorher = o.folder.read("filme.mdb");
    auto f = gewählt(o);
    f->cmdKomp->click();
    if (a.läuft) {
        EXPECT_EQ(o.fake.messages.prompts(), QStringList{Erfolg});
        EXPECT_EQ(o.folder.read("filme.mdb.bak"), vorher);
    } else {
        ASSERT_EQ(o.fake.messages.prompts(), QStringList{NichtNötig});
        EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Keine Komprimierung nötig"));
        EXPECT_EQ(o.folder.read("filme.mdb"), vorher);
        EXPECT_EQ(o.folder.read("filme.mdb.bak"), QByteArray("alte Kopie"));
    }
    EXPECT_FALSE(QFile::exists(o.folder.file("filme.mdb.tmp")));
}

INSTANTIATE_TEST_SUITE_P(Bak, EinTagesRegel,
                         testing::Values(Alter{"EineStunde", 1.0 / 24, false}, Alter{"FastEinTag", 0.99, false},
                                         Alter{"EinUndEinHalberTag", 1.5, true}, Alter{"EinJahr", 365, true}),
                         [](const testing::TestParamInfo<Alter>& fall) { return std::string(fall.param.name); });

TEST(Komprimieren, CompactingTwiceWithinADaySkipsTheSecond)
{
    Programmordner o;
    löchrigerKatalog(o);
    // The bak of the first run keeps the catalogue's last write time: "now".
    o.fake.clock.set(QDateTime::currentDateTimeUtc());
    auto f = gewählt(o);
    f->cmdKomp->click();
    f->cmdKomp->click();
    EXPECT_EQ(o.fake.messages.prompts(), (QStringList{Erfolg, NichtNötig}));
}

TEST(Komprimieren, RefusedWhileAnotherProgramHoldsTheCatalogue)
{
    Programmordner o;
    löchrigerKatalog(o);
    const QByteArray vorher = o.folder.read("filme.mdb");
    auto hauptprogramm = db::Database::open(o.folder.file("filme.mdb"));
    auto f = gewählt(o);
    f->cmdKomp->click();
    ASSERT_EQ(o.fake.messages.prompts(), QStringList{Gesperrt});
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::OkOnly);
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Tools"));
    hauptprogramm.reset();
    EXPECT_EQ(o.folder.read("filme.mdb"), vorher);
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb"}));
}

TEST(Komprimieren, LeftoversOfACrashBlockNothing)
{
    Programmordner o;
    const QString pfad = löchrigerKatalog(o);
    o.folder.write("filme.mdb.tmp", "halb geschrieben");
    o.folder.write("filme.ldb", "");  // nobody holds it
    auto f = gewählt(o);
    f->cmdKomp->click();
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{Erfolg});
    EXPECT_EQ(rohWert(pfad, "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb", "filme.mdb.bak"}));
}

// The compacted file cannot take the catalogue's name: the catalogue comes
// back from ".bak" under its name as it was, and no ".tmp" stays.
TEST(Komprimieren, AFailingFinalRenamePutsTheCatalogueBackFromBak)
{
    Programmordner o;
    const QString pfad = löchrigerKatalog(o);
    const QByteArray vorher = o.folder.read("filme.mdb");
    auto f = gewählt(o);
    FailingRename fehlt(pfad, EIO, 1);
    f->cmdKomp->click();

    EXPECT_EQ(fehlt.refused(), 1);
    ASSERT_EQ(o.fake.messages.shown.size(), 1u) << o.fake.messages.prompts().join('|').toStdString();
    EXPECT_TRUE(o.fake.messages.shown[0].prompt.startsWith("Die Datenbank \"" + pfad + "\" wurde nicht komprimiert:"))
        << o.fake.messages.shown[0].prompt.toStdString();
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("DB Komprimieren"));
    EXPECT_EQ(o.folder.read("filme.mdb"), vorher);
    EXPECT_EQ(rohWert(pfad, "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb"}));
}

// Nor can the catalogue go back: the message says where it is now.
TEST(Komprimieren, ACatalogueThatCannotGoBackIsNamedWhereItIs)
{
    Programmordner o;
    const QString pfad = löchrigerKatalog(o);
    const QByteArray vorher = o.folder.read("filme.mdb");
    auto f = gewählt(o);
    FailingRename fehlt(pfad, EIO);
    f->cmdKomp->click();

    EXPECT_EQ(fehlt.refused(), 2);
    ASSERT_EQ(o.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(o.fake.messages.shown[0].prompt.endsWith(
        "\r\nDie Datenbank liegt jetzt unter \"" + pfad + ".bak\" und konnte nicht zurückbenannt werden: "
        + sys::dateigrund(EIO)))
        << o.fake.messages.shown[0].prompt.toStdString();
    EXPECT_EQ(o.folder.read("filme.mdb.bak"), vorher);
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb.bak"}));
}

TEST(Komprimieren, AFileThatIsNoDatabaseStaysAsItWas)
{
    Programmordner o;
    o.folder.write("filme.mdb", "Standard Jet DB\n");
    o.folder.write("filme.mdb.bak", "ältere Kopie");
    alterSetzen(o.folder.file("filme.mdb.bak"), QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC));
    auto f = gewählt(o);
    f->cmdKomp->click();
    ASSERT_EQ(o.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(o.fake.messages.shown[0].prompt.contains(o.folder.file("filme.mdb")));
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("DB Komprimieren"));
    EXPECT_EQ(o.folder.read("filme.mdb"), QByteArray("Standard Jet DB\n"));
    EXPECT_EQ(o.folder.read("filme.mdb.bak"), QByteArray("ältere Kopie"));
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb", "filme.mdb.bak"}));
}

TEST(Komprimieren, WithoutAChosenCatalogueAsksForOne)
{
    Programmordner o;
    löchrigerKatalog(o);
    auto f = o.starten();
    f->cmdKomp->click();
    ASSERT_EQ(o.fake.messages.prompts(), QStringList{"Bitte wählen Sie eine zu komprimierende Datenbank!"});
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("DB Komprimieren"));
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Exclamation);
}

TEST(Komprimieren, AMissingFileOrAPasswordFailsWithAMessage)
{
    Programmordner o;
    auto f = o.starten();
    EXPECT_FALSE(f->DBCompact(o.folder.file("fehlt.mdb"), QString(), 1));
    EXPECT_FALSE(f->DBCompact(o.folder.file("fehlt.mdb"), QStringLiteral("geheim"), 1));
    ASSERT_EQ(o.fake.messages.shown.size(), 2u);
    EXPECT_TRUE(o.fake.messages.shown[0].prompt.contains(o.folder.file("fehlt.mdb")));
    EXPECT_EQ(o.dateien(), QStringList{"Cd.ini"});
}

TEST(Komprimieren, FileExistsOnlyForFiles)
{
    TempFolder t;
    t.write("a.mdb", "x");
    EXPECT_TRUE(frmTools::FileExists(t.file("a.mdb")));
    EXPECT_FALSE(frmTools::FileExists(t.path()));
    EXPECT_FALSE(frmTools::FileExists(t.file("b.mdb")));
    EXPECT_FALSE(frmTools::FileExists(QString()));
}

}  // namespace

namespace {

TEST(Komprimieren, AFullDiskLeavesTheCatalogueAndItsBakAsTheyWere)
{
    KleinesLaufwerk lw("size=512k");
    if (!lw.bereit)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    FakeServices fake(lw.pfad);
    fake.services.title = QStringLiteral("Tools");
    const QString pfad = lw.pfad + "/filme.mdb";
    {
        auto db = katalogAnlegen(pfad, QStringLiteral("1.4.1"));
        db::Database::Transaction t(*db);
        for (int i = 0; i < 600; ++i)
            db->execute("INSERT INTO Filme (Titel, Info) VALUES (?, ?)",
                        {QStringLiteral("Titel %1").arg(i), QString(400, QLatin1Char('x'))});
        t.commit();
    }
    QFile bak(pfad + ".bak");
    ASSERT_TRUE(bak.open(QIODevice::WriteOnly));
    bak.write("alte Kopie");
    bak.close();
    alterSetzen(pfad + ".bak", QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC));
    // What is left of the disk cannot hold a second copy.
    lw.füllen(64);
    QFile katalog(pfad);
    ASSERT_TRUE(katalog.open(QIODevice::ReadOnly));
    const QByteArray vorher = katalog.readAll();
    katalog.close();

    frmTools f(fake.services);
    f.Form_Load();
    EXPECT_FALSE(f.DBCompact(pfad, QString(), 1));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].prompt.contains(pfad));
    ASSERT_TRUE(katalog.open(QIODevice::ReadOnly));
    EXPECT_EQ(katalog.readAll(), vorher);
    ASSERT_TRUE(bak.open(QIODevice::ReadOnly));
    EXPECT_EQ(bak.readAll(), QByteArray("alte Kopie"));
    EXPECT_FALSE(QFile::exists(pfad + ".tmp"));
}

}  // namespace
