// Cover path conversion: stored paths cut to the names below "covers".
#include "frame/CdIni.h"
#include "tests/frame/Katalogfixture.h"
#include "tests/tools/ToolsFixture.h"

#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QString Fertig = QStringLiteral("Covereinträge wurden in der DB geändert!\r\nBitte starten Sie die Rondavex neu!");
const QString SchonAusgeführt = QStringLiteral("Cover-Update schon ausgeführt!");

// Titles with Windows and Linux paths, a capital "Covers", bare names, no
// cover and an apostrophe; one sub-entry with a path.
QString gemischterKatalog(Programmordner& o)
{
    const QString pfad = o.folder.file("filme.mdb");
    auto db = katalogAnlegen(pfad, QStringLiteral("1.4.1"));
    db->execute("DELETE FROM Filme");
    const std::pair<const char*, const char*> titel[] = {
        {"Alien", "C:\\Prog\\covers\\film.jpg"},
        {"Brazil", "covers\\sub\\a.jpg"},
        {"Casablanca", "/home/nutzer/rondavex/covers/b.jpg"},
        {"Dune", "D:\\Covers\\c.jpg"},
        {"Eraserhead", "d.jpg"},
        {"Fargo", "-"},
        {"Ocean's Eleven", "C:\\RVX\\covers\\ocean.jpg"},
        {"Zorro", "/x/covers\\y/z.jpg"},
    };
    for (const auto& [t, c] : titel)
        db->execute("INSERT INTO Filme (Titel, Cover) VALUES (?, ?)", {QString::fromUtf8(t), QString::fromUtf8(c)});
    db->execute("INSERT INTO Filme (Titel) VALUES ('ohne Cover')");
    db->execute("INSERT INTO Unterordner (Titel, Titel2, Cover) VALUES ('Alien', 'Teil', 'C:\\covers\\teil.jpg')");
    return pfad;
}

std::vector<QStringList> cover(const QString& pfad)
{
    return roh(pfad, "SELECT Titel, Cover FROM Filme ORDER BY Titel");
}

TEST(Cover, CutsEveryPathAtItsMarkerAndEndsTools)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\n[Funktionen]\r\nCover Normal=1\r\n");
    const QString pfad = gemischterKatalog(o);
    const auto vorher = cover(pfad);
    auto f = o.starten();
    f->show();
    f->cmdCoversumbenennen->click();

    EXPECT_EQ(cover(pfad), (std::vector<QStringList>{{"Alien", "film.jpg"},
                                                     {"Brazil", "sub\\a.jpg"},
                                                     {"Casablanca", "b.jpg"},
                                                     {"Dune", "D:\\Covers\\c.jpg"},
                                                     {"Eraserhead", "d.jpg"},
                                                     {"Fargo", "-"},
                                                     {"Ocean's Eleven", "ocean.jpg"},
                                                     {"ohne Cover", "<null>"},
                                                     {"Zorro", "y/z.jpg"}}));
    EXPECT_EQ(rohWert(pfad, "SELECT Cover FROM Unterordner"), QStringLiteral("C:\\covers\\teil.jpg"));
    EXPECT_EQ(cover(o.folder.file("filme.old")), vorher) << "the copy holds the catalogue before";
    EXPECT_EQ(rohWert(o.folder.file("filme.old"), "PRAGMA integrity_check"), QStringLiteral("ok"));

    ASSERT_EQ(o.fake.messages.prompts(), QStringList{Fertig});
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Covereinträge geändert"));
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Exclamation);
    EXPECT_EQ(o.ini("Funktionen", "Cover Normal"), QStringLiteral("0"));
    EXPECT_EQ(o.fake.userStore.values.value("Settings/Cover Update"), QStringLiteral("1"));
    EXPECT_FALSE(f->isVisible()) << "tools ends";
    EXPECT_FALSE(QFile::exists(o.folder.file("filme.ldb")));
}

TEST(Cover, ASecondRunFindsNothingToDo)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\n[Funktionen]\r\nCover Normal=1\r\n");
    const QString pfad = gemischterKatalog(o);
    {
        auto erste = o.starten();
        erste->cmdCoversumbenennen->click();
    }
    o.fake.messages.shown.clear();
    o.fake.userStore.values.clear();
    frame::cdIni(o.fake.services).write("Funktionen", "Cover Normal", "1");
    const auto nachErstem = cover(pfad);

    auto f = o.starten();
    f->show();
    f->cmdCoversumbenennen->click();
    ASSERT_EQ(o.fake.messages.prompts(), QStringList{SchonAusgeführt});
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Cover-Update"));
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Information);
    EXPECT_EQ(o.fake.userStore.values.value("Settings/Cover Update"), QStringLiteral("1"));
    EXPECT_EQ(o.ini("Funktionen", "Cover Normal"), QStringLiteral("1"));
    EXPECT_EQ(cover(pfad), nachErstem);
    EXPECT_TRUE(f->isVisible());
}

TEST(Cover, WorksOnTheCurrentCatalogueNotTheChosenOne)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n");
    gemischterKatalog(o);
    o.katalog("musik");
    auto f = o.starten();
    wählen(f->cmbDBU, QStringLiteral("musik"));
    f->cmdCoversumbenennen->click();
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{Fertig});
    EXPECT_TRUE(QFile::exists(o.folder.file("filme.old")));
    EXPECT_FALSE(QFile::exists(o.folder.file("musik.old")));
}

TEST(Cover, ACatalogueWithoutCoversOrFileIsReportedAndToolsStays)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\n");
    o.katalog("filme");  // its covers are all "-"
    auto f = o.starten();
    f->show();
    f->cmdCoversumbenennen->click();
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{SchonAusgeführt});
    EXPECT_TRUE(f->isVisible());

    Programmordner leer("[DB]\r\nDB Name0=fehlt\r\n");
    auto g = leer.starten();
    g->show();
    g->cmdCoversumbenennen->click();
    ASSERT_EQ(leer.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(leer.fake.messages.shown[0].prompt.contains(leer.folder.file("fehlt.mdb")));
    EXPECT_TRUE(g->isVisible());
    EXPECT_EQ(leer.dateien(), QStringList{"Cd.ini"});
    EXPECT_TRUE(leer.fake.userStore.values.isEmpty());

    Programmordner text("[DB]\r\nDB Name0=text\r\n");
    text.folder.write("text.mdb", "kein Katalog\n");
    auto h = text.starten();
    h->show();
    h->cmdCoversumbenennen->click();
    ASSERT_EQ(text.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(text.fake.messages.shown[0].prompt.contains(text.folder.file("text.mdb")));
    EXPECT_TRUE(h->isVisible());
    EXPECT_EQ(text.folder.read("text.mdb"), QByteArray("kein Katalog\n"));
}

}  // namespace
