#include "reports/Textexport.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "reports/Dateifehler.h"
#include "tests/reports/Berichtkatalog.h"
#include "tests/support/Doubles.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

using testing_support::FakeServices;
using testing_support::TempFolder;

namespace {

struct Katalog : testing_support::Berichtkatalog {
    void titel(const QVariantList& werte) { Berichtkatalog::titel(testing_support::AlleFilmspalten, werte); }
};

TEST(Textexport, ZeilenInDeutscherTitelfolge)
{
    Katalog k;
    k.titel({"zorro", 3, "VCD", "1", "A1", "-", "-", "dt", "2023-01-31", "Western", "-", "-", "700", "-"});
    k.titel({"Ärger; im Büro", 2.5, "DVD", "2", "B7", "O'Brien", "Łódź Мир €", "dt", "2024-03-05", "Komödie",
             "05.03.2024", "/covers/ä.jpg", "4,7", "1"});
    k.titel({"abc", QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
             QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    k.titel({"", QVariant(), "", "", "", "", "", "", QVariant(), "", "", "", "", ""});
    k.titel({"Matrix", 1, "DVD-9", "-", "A1", "-", "Zeile \"eins\"", "en", "1999-12-31", "SciFi", "-", "-", "0", "-"});

    ASSERT_TRUE(reports::textexport(k.fake.messages, k.fake.services.programFolder, *k.d));
    EXPECT_EQ(k.folder.read(QStringLiteral("cds.txt")),
              QByteArray(";;;;;;;;;;;;;;\r\n"
                         "abc;;;;;;;;;;;;;;\r\n"
                         "\xC3\x84rger; im B\xC3\xBCro;2,5;DVD;2;B7;O'Brien;\xC5\x81\xC3\xB3" "d\xC5\xBA "
                         "\xD0\x9C\xD0\xB8\xD1\x80 \xE2\x82\xAC;dt;05.03.2024;Kom\xC3\xB6" "die;05.03.2024;"
                         "/covers/\xC3\xA4.jpg;4,7;1;\r\n"
                         "Matrix;1;DVD-9;-;A1;-;Zeile \"eins\";en;31.12.1999;SciFi;-;-;0;-;\r\n"
                         "zorro;3;VCD;1;A1;-;-;dt;31.01.2023;Western;-;-;700;-;\r\n"));
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(k.fake.messages.shown[0].prompt, reports::TextexportErfolg);
    EXPECT_EQ(k.fake.messages.shown[0].title, QStringLiteral("Textexport erfolgreich abgeschlossen!"));
    EXPECT_EQ(k.fake.messages.shown[0].flags, sys::mb::Information);
}

TEST(Textexport, LeererKatalogErsetztDieAlteDateiDurchEineLeere)
{
    Katalog k;
    k.folder.write(QStringLiteral("cds.txt"), "alt\r\n");
    ASSERT_TRUE(reports::textexport(k.fake.messages, k.fake.services.programFolder, *k.d));
    EXPECT_TRUE(QFileInfo::exists(k.folder.file(QStringLiteral("cds.txt"))));
    EXPECT_EQ(k.folder.read(QStringLiteral("cds.txt")), QByteArray());
}

TEST(Textexport, SpaltenInDerEigenenFolgeDerTabelle)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file(QStringLiteral("alt.mdb")));
    d->execute(QStringLiteral("CREATE TABLE Filme (Titel TEXT COLLATE NOCASE PRIMARY KEY, Info TEXT, Anzahl REAL, "
                              "Size TEXT)"));
    d->execute(QStringLiteral("INSERT INTO Filme VALUES ('B', 'i', 2, '10'), ('a', NULL, 0.25, NULL)"));
    ASSERT_TRUE(reports::textexportSchreiben(*d, folder.file(QStringLiteral("cds.txt"))));
    EXPECT_EQ(folder.read(QStringLiteral("cds.txt")), QByteArray("a;;0,25;;\r\nB;i;2;10;\r\n"));
}

TEST(Textexport, FehlschlagNenntDieDateiUndLaesstDieAlteGanz)
{
    Katalog k;
    db::Database::Transaction schreiben(*k.d);
    for (int i = 0; i < 3000; ++i)
        k.titel({QStringLiteral("Titel %1").arg(i), 1, "DVD", "1", "A1", "-", QString(200, QLatin1Char('x')), "dt",
                 "2024-03-05", "Cat", "-", "-", "700", "-"});
    schreiben.commit();
    const QString ordner = k.folder.file(QStringLiteral("voll"));
    QDir(k.folder.path()).mkdir(QStringLiteral("voll"));
    testing_support::MountedTmpfs platte(ordner, "size=64k");
    if (!platte.ok())
        GTEST_SKIP() << "no tmpfs";
    k.folder.write(QStringLiteral("voll/cds.txt"), "alt\r\n");
    FakeServices voll(ordner);
    EXPECT_FALSE(reports::textexport(voll.messages, voll.services.programFolder, *k.d));
    ASSERT_EQ(voll.messages.shown.size(), 1u);
    EXPECT_EQ(voll.messages.shown[0].prompt, reports::dateiNichtGeschrieben(QStringLiteral("cds.txt")));
    EXPECT_EQ(voll.messages.shown[0].title, QStringLiteral("Textexport"));
    EXPECT_EQ(voll.messages.shown[0].flags, sys::mb::Critical);
    EXPECT_EQ(k.folder.read(QStringLiteral("voll/cds.txt")), QByteArray("alt\r\n"));
    EXPECT_EQ(QDir(ordner).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(Textexport, FehlendeTabelleMeldetOhneDatei)
{
    TempFolder folder;
    FakeServices fake(folder.path());
    auto d = db::Database::create(folder.file(QStringLiteral("leer.mdb")));
    EXPECT_FALSE(reports::textexport(fake.messages, fake.services.programFolder, *d));
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("cds.txt"))));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].title, QStringLiteral("Textexport"));
}

}  // namespace
