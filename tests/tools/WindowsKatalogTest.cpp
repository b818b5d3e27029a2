// "Windows-Katalog übernehmen…": a Windows catalogue from any folder becomes a
// new catalogue of the program folder under a name typed as for "&Neue DB",
// converted by the real child program; the lists show it, nothing switches.
#include "platform/system/Dateireste.h"
#include "platform/system/QtProzesse.h"
#include "tests/frame/Katalogfixture.h"
#include "tests/support/JetKatalog.h"
#include "tests/tools/ToolsFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

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
    EXPECT_EQ(u.o.fake.dialogs.openRequests[0].filter, "Windows-Kataloge (*.mdb)");
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
    EXPECT_EQ(rohWert(u.o.folder.file("leer.mdb"), "SELECT nr FROM Version"), "1.4.1");
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

struct Gewaehlt {
    const char* name;
    // Puts the file that the dialog gives at the path.
    std::function<void(const QString&)> anlegen;
    const char* meldung;
};

class FalscheDatei : public testing::TestWithParam<Gewaehlt> {};

// A file that is no Windows catalogue is refused as what it is, before a name
// is asked for; nothing is run or written.
TEST_P(FalscheDatei, WirdAbgewiesenBevorEinNameGefragtWird)
{
    Uebernahme u;
    u.o.fake.services.prozesse = &u.o.fake.prozesse;
    const QString datei = u.windows.file("gewählt.mdb");
    GetParam().anlegen(datei);
    const QStringList vorher = u.o.dateien();
    u.o.fake.dialogs.files.push_back(datei);
    u.f->cmdWindowsKatalog->click();
    ASSERT_EQ(u.o.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(u.o.fake.messages.shown[0].prompt.startsWith(QString::fromUtf8(GetParam().meldung)))
        << u.o.fake.messages.shown[0].prompt.toStdString();
    EXPECT_EQ(u.o.fake.messages.shown[0].title, "Windows-Katalog übernehmen");
    EXPECT_TRUE(u.f->neuDB() == nullptr || !u.f->neuDB()->isVisible());
    EXPECT_TRUE(u.o.fake.prozesse.laeufe.empty());
    EXPECT_EQ(u.o.dateien(), vorher);
}

INSTANTIATE_TEST_SUITE_P(
    Dateien, FalscheDatei,
    testing::Values(
        Gewaehlt{"SchonEinKatalogVonUns",
                 [](const QString& pfad) { katalogAnlegen(pfad, QStringLiteral("1.4.1")); },
                 "\"gewählt.mdb\" ist schon ein Katalog von Rondavex und kein Windows-Katalog; er muss nicht "
                 "übernommen werden."},
        Gewaehlt{"KeineJetDatei",
                 [](const QString& pfad) {
                     QFile f(pfad);
                     f.open(QIODevice::WriteOnly);
                     f.write("Liste meiner Filme\n");
                 },
                 "\"gewählt.mdb\" ist kein Windows-Katalog: Die Datei ist keine Jet-Datenbank (Access)."},
        Gewaehlt{"Unlesbar", [](const QString& pfad) { QDir().mkpath(pfad); },
                 "\"gewählt.mdb\" kann nicht gelesen werden: "}),
    [](const testing::TestParamInfo<Gewaehlt>& i) { return std::string(i.param.name); });

// The box of a failed take-over names the file once and the cause once.
TEST(WindowsKatalog, EinFehlschlagSagtDenGrundEinmal)
{
    Uebernahme u;
    jettest::schreiben(u.windows.file("FILME.MDB"),
                       {{jettest::Tabelle{"Adressen", {{"Name", jettest::Typ::Text, 50}}, {}}, {}}});
    u.uebernehmen(QStringLiteral("neu"));
    ASSERT_EQ(u.o.fake.messages.shown.size(), 1u);
    EXPECT_EQ(u.o.fake.messages.shown[0].prompt,
              "Die Datei \"FILME.MDB\" kann nicht übernommen werden.\n\nSie ist kein Katalog: ihr fehlt die Tabelle "
              "\"Filme\".");
    EXPECT_EQ(u.o.fake.messages.shown[0].flags, sys::mb::Critical);
    EXPECT_EQ(u.o.dateien(), (QStringList{"Cd.ini", "filme.mdb"}));
    EXPECT_EQ(u.o.ini("DB", "DB Name1"), "alt");
}

// A symlink under the name that points nowhere is a name taken, refused at once.
TEST(WindowsKatalog, EinVerwaisterVerweisUnterDemNamenWirdSofortAbgewiesen)
{
    Uebernahme u;
    u.o.fake.services.prozesse = &u.o.fake.prozesse;
    ASSERT_EQ(::symlink(QFile::encodeName(u.o.folder.file("weg.mdb")).constData(),
                        QFile::encodeName(u.o.folder.file("neu.mdb")).constData()),
              0);
    u.uebernehmen(QStringLiteral("neu"));
    EXPECT_EQ(u.o.fake.messages.prompts(), QStringList{"Datenbank schon vorhanden. Bitte anderen Namen vergeben!"});
    EXPECT_TRUE(u.o.fake.prozesse.laeufe.empty());
    EXPECT_TRUE(QFileInfo(u.o.folder.file("neu.mdb")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(u.o.folder.file("weg.mdb")));
}

// tools' start clears what take-overs ended by kill -9 left, whatever their target.
TEST(WindowsKatalog, DerStartRaeumtResteGetoeteterUebernahmenAuf)
{
    QProcess p;
    p.start(QStringLiteral("/bin/true"), {});
    ASSERT_TRUE(p.waitForStarted());
    const qint64 tot = p.processId();
    p.waitForFinished();
    Programmordner o;
    o.katalog(QStringLiteral("filme"));
    for (const QString& art : sys::ImportRestarten) {
        o.folder.write(QStringLiteral(".filme.mdb.%1.%2").arg(tot).arg(art), "halb");
        o.folder.write(QStringLiteral(".Windows Filme.mdb.%1.%2").arg(tot).arg(art), "halb");
    }
    auto f = o.starten();
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb"}));
    EXPECT_TRUE(o.fake.messages.shown.empty());
}

}  // namespace
