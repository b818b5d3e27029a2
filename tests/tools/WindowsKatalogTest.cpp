// "Windows-Katalog übernehmen…": a Windows catalogue from any folder becomes a
// new catalogue of the program folder under a name typed as for "&Neue DB",
// converted by the real child program; the lists show it, nothing switches.
#include "platform/system/QtProzesse.h"
#include "tests/support/JetKatalog.h"
#include "tests/tools/ToolsFixture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct Uebernahme {
    Uebernahme() : o("[DB]\r\nDB Name0=filme\r\nDB Name1=alt\r\n")
    {
        o.fake.services.prozesse = &prozesse;
        o.fake.services.executableFolder = QStringLiteral(RDX_PROGRAM_DIR);
        jettest::KatalogInhalt inhalt;
        inhalt.filme = {jettest::Film{.Titel = "Das Boot"}, jettest::Film{.Titel = "Die Brücke"}};
        jettest::katalog(windows.file("FILME.MDB"), QStringLiteral("1.3.4"), inhalt);
        o.katalog(QStringLiteral("filme"));
        f = o.starten();
    }
    // Clicks the button, picks the file in the dialog, types the name and Enter.
    void uebernehmen(const QString& name)
    {
        o.fake.dialogs.files.push_back(windows.file("FILME.MDB"));
        f->cmdWindowsKatalog->click();
        ASSERT_NE(f->neuDB(), nullptr);
        ASSERT_TRUE(f->neuDB()->isVisible());
        EXPECT_EQ(f->neuDB()->windowTitle(), "Windows-Katalog übernehmen");
        tippenImFokus(f->neuDB()->tfDBNameNeu, name + QStringLiteral("\r"));
    }
    TempFolder windows;  // a mounted Windows partition, a stick
    Programmordner o;
    sys::QtProzesse prozesse;
    std::unique_ptr<frmTools> f;
};

TEST(WindowsKatalog, WirdUnterDemGetipptenNamenZumZweitenKatalog)
{
    Uebernahme u;
    const QByteArray vorher = u.windows.read("FILME.MDB");
    u.uebernehmen(QStringLiteral("Windows_ Filme-"));

    ASSERT_EQ(u.o.fake.dialogs.openRequests.size(), 1u);
    EXPECT_EQ(u.o.fake.dialogs.openRequests[0].filter, "Kataloge der Windows-Fassung (*.mdb)");
    ASSERT_EQ(u.o.fake.messages.shown.size(), 1u) << u.o.fake.messages.prompts().join('\n').toStdString();
    EXPECT_TRUE(u.o.fake.messages.shown[0].prompt.startsWith("Übernahme des Windows-Katalogs"));
    const QString katalog = u.o.folder.file("Windows Filme.mdb");
    EXPECT_EQ(rohWert(katalog, "SELECT group_concat(Titel, '|') FROM Filme"), "Das Boot|Die Brücke");
    EXPECT_EQ(rohWert(katalog, "SELECT nr FROM Version"), "1.3.4");
    EXPECT_EQ(u.o.ini("DB", "DB Name1"), "Windows Filme");
    EXPECT_EQ(u.o.ini("DB", "DB Name0"), "filme") << "it does not switch";
    EXPECT_EQ(einträge(u.f->cmbDBU), (QStringList{"filme", "Windows Filme"}));
    EXPECT_EQ(einträge(u.f->cmbDB), (QStringList{"filme", "Windows Filme"}));
    EXPECT_EQ(u.o.dateien(), (QStringList{"Cd.ini", "Windows Filme.import.txt", "Windows Filme.mdb", "filme.mdb"}));
    EXPECT_EQ(u.windows.read("FILME.MDB"), vorher);
}

TEST(WindowsKatalog, EinVorhandenerNameWirdAbgewiesen)
{
    Uebernahme u;
    const QByteArray vorher = u.o.folder.read("filme.mdb");
    u.uebernehmen(QStringLiteral("filme"));
    EXPECT_EQ(u.o.fake.messages.prompts(), QStringList{"Datenbank schon vorhanden. Bitte anderen Namen vergeben!"});
    EXPECT_TRUE(u.o.fake.prozesse.laeufe.empty());
    EXPECT_EQ(u.o.folder.read("filme.mdb"), vorher);
    EXPECT_EQ(u.o.ini("DB", "DB Name1"), "alt");
}

TEST(WindowsKatalog, AbbrechenImDateidialogTutNichts)
{
    Uebernahme u;
    u.f->cmdWindowsKatalog->click();
    EXPECT_TRUE(u.f->neuDB() == nullptr || !u.f->neuDB()->isVisible());
    EXPECT_TRUE(u.o.fake.messages.shown.empty());
}

TEST(WindowsKatalog, DanachFragtNeueDBWiederNachEinerLeerenDatenbank)
{
    Uebernahme u;
    u.o.fake.dialogs.files.push_back(u.windows.file("FILME.MDB"));
    u.f->cmdWindowsKatalog->click();
    u.f->neuDB()->close();
    u.f->cmdCreateDB->click();
    EXPECT_EQ(u.f->neuDB()->windowTitle(), "Neue Datenbank erstellen");
    tippenImFokus(u.f->neuDB()->tfDBNameNeu, QStringLiteral("leer\r"));
    EXPECT_EQ(rohWert(u.o.folder.file("leer.mdb"), "SELECT nr FROM Version"), "1.1.6");
    EXPECT_EQ(rohWert(u.o.folder.file("leer.mdb"), "SELECT count(*) FROM Filme"), "0");
}

TEST(WindowsKatalog, DerKnopfZeigtSeineBeschriftungGanz)
{
    Uebernahme u;
    u.f->show();
    QApplication::processEvents();
    EXPECT_TRUE(u.f->cmdWindowsKatalog->isVisible());
    EXPECT_EQ(u.f->cmdWindowsKatalog->text(), "Windows-Katalog übernehmen…");
    EXPECT_GE(u.f->cmdWindowsKatalog->width(), u.f->cmdWindowsKatalog->sizeHint().width()) << "the caption is cut";
    const QByteArray ordner = qgetenv("RDX_SCREENSHOTS");
    if (!ordner.isEmpty())
        u.f->grab().save(QString::fromLocal8Bit(ordner) + QStringLiteral("/frmTools_Windows.png"));
}

}  // namespace
