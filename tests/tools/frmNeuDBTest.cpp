// Creating a catalogue: the name window, the file it makes, and its failures.
#include "frame/CdIni.h"
#include "frame/Schemaupgrade.h"
#include "tests/tools/ToolsFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <sys/mount.h>

using namespace testing_support;

namespace {

const QString Erfolg = QStringLiteral(
    "Datenbank erfolgreich generiert! Bitte wechseln Sie die DB wenn Sie die Neue benutzen wollen.");

void tippen(QLineEdit* feld, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent taste(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(feld, &taste);
    }
}

void enter(QLineEdit* feld)
{
    QKeyEvent taste(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(feld, &taste);
}

void erstellen(frmTools& f, const QString& name)
{
    f.tfDBNameNeu1->setText(name);
    f.przCreateDB1();
}

TEST(Erstellen, TypedNameBecomesAWholeCatalogueThatStockSqliteReads)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=alt\r\n");
    auto f = o.starten();
    f->cmdCreateDB->click();
    frmNeuDB* fenster = f->neuDB();
    ASSERT_NE(fenster, nullptr);
    ASSERT_TRUE(fenster->isVisible());
    EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Neue Datenbank erstellen"));
    tippen(fenster->tfDBNameNeu, QStringLiteral("Neu_ä-Kat 2"));
    EXPECT_EQ(fenster->tfDBNameNeu->text(), QStringLiteral("NeuKat 2"));
    enter(fenster->tfDBNameNeu);

    EXPECT_FALSE(fenster->isVisible()) << "the name window closes";
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{Erfolg});
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("DB Genrierung erfolgreich!"));
    EXPECT_EQ(o.ini("DB", "DB Name1"), QStringLiteral("NeuKat 2"));
    EXPECT_EQ(o.ini("DB", "DB Name0"), QStringLiteral("filme"));
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "NeuKat 2.mdb"})) << "no temporary or lock file stays";

    const QString pfad = o.folder.file("NeuKat 2.mdb");
    EXPECT_EQ(rohWert(pfad, "PRAGMA integrity_check"), QStringLiteral("ok"));
    std::vector<QStringList> tabellen = roh(pfad, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    EXPECT_EQ(tabellen, (std::vector<QStringList>{{"Ausleihe"}, {"Filme"}, {"Unterordner"}, {"Version"}}));
    QStringList spalten;
    for (const QStringList& z : roh(pfad, "PRAGMA table_info(Filme)"))
        spalten << z[1];
    EXPECT_EQ(spalten, (QStringList{"Titel", "Anzahl", "Format", "Qualität", "Mappe", "Wer", "Info", "Dten", "Datum",
                                    "Cat", "Ausdatum", "Cover", "Size", "Unterordner"}));
    EXPECT_EQ(roh(pfad, "SELECT nr FROM Version"), (std::vector<QStringList>{{"1.4.1"}}));
    // Titel is unique without regard to case, as stock SQLite sees it too.
    EXPECT_EQ(rohWert(pfad, "SELECT count(*) FROM pragma_index_list('Filme') WHERE \"unique\" = 1"),
              QStringLiteral("1"));
    auto db = db::Database::open(pfad);
    db->execute("INSERT INTO Filme (Titel) VALUES ('Matrix')");
    EXPECT_FALSE(db->tryExecute("INSERT INTO Filme (Titel) VALUES ('MATRIX')").ok);
}

// Made at the main program's schema: its start opens the file as any current
// catalogue, with no upgrade box and no ".old" copy.
TEST(Erstellen, TheMainProgramOpensTheNewFileWithoutAnUpgrade)
{
    Programmordner o;
    auto f = o.starten();
    erstellen(*f, QStringLiteral("neu"));
    ASSERT_EQ(o.fake.messages.prompts(), QStringList{Erfolg});
    o.fake.messages.shown.clear();
    const QString pfad = o.folder.file("neu.mdb");

    frame::Schemaupgrade upgrade(o.fake.services, QStringLiteral("neu"));
    ASSERT_TRUE(upgrade.przDBVersion()) << o.fake.messages.prompts().join('|').toStdString();
    EXPECT_TRUE(o.fake.messages.shown.empty()) << o.fake.messages.prompts().join('|').toStdString();
    EXPECT_EQ(upgrade.gelesenVersion(), QStringLiteral("1.4.1"));
    auto datenbank = upgrade.takeDatabase();
    ASSERT_TRUE(datenbank);
    datenbank->execute("INSERT INTO Unterordner (Titel, Titel2, Mappe, Wer) VALUES ('a', 'b', 'M1', 'Jürgen')");
    datenbank->execute("INSERT INTO Ausleihe (Titel, Wer) VALUES ('a', 'Jürgen')");
    datenbank.reset();
    EXPECT_FALSE(QFile::exists(o.folder.file("neu.old")));
    EXPECT_EQ(rohWert(pfad, "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(o.ini("Version", "DB Version"), QString()) << "no step ran";
}

struct Abgelehnt {
    const char* name;
    QString eingabe;
    QString meldung;
    QString titel;
};

void PrintTo(const Abgelehnt& a, std::ostream* os)
{
    *os << a.name;
}

class ErstellenAbgelehnt : public testing::TestWithParam<Abgelehnt> {};

TEST_P(ErstellenAbgelehnt, LeavesFilesAndSettingsAsTheyWere)
{
    const Abgelehnt& a = GetParam();
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n");
    o.katalog("filme");
    const QByteArray iniVorher = o.folder.read("Cd.ini");
    const QByteArray filmeVorher = o.folder.read("filme.mdb");
    auto f = o.starten();
    erstellen(*f, a.eingabe);
    ASSERT_EQ(o.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(o.fake.messages.shown[0].prompt.startsWith(a.meldung)) << o.fake.messages.shown[0].prompt.toStdString();
    EXPECT_EQ(o.fake.messages.shown[0].title, a.titel);
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Exclamation);
    EXPECT_EQ(o.folder.read("Cd.ini"), iniVorher);
    EXPECT_EQ(o.folder.read("filme.mdb"), filmeVorher);
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb"}));
}

INSTANTIATE_TEST_SUITE_P(
    Namen, ErstellenAbgelehnt,
    testing::Values(
        Abgelehnt{"Vorhanden", "filme", "Datenbank schon vorhanden. Bitte anderen Namen vergeben!",
                  "DB existiert bereits!"},
        Abgelehnt{"VorhandenMitBlanks", "  filme ", "Datenbank schon vorhanden.", "DB existiert bereits!"},
        Abgelehnt{"Leer", "", "Sie sollten schon einen neuen DB Namen angeben!", "neuen DB Namen eingeben bitte!"},
        Abgelehnt{"NurBlanks", "   ", "Sie sollten schon einen neuen DB Namen angeben!",
                  "neuen DB Namen eingeben bitte!"},
        Abgelehnt{"EingefuegterSchraegstrich", "../weg", "Der DB Name \"../weg\" enthält Zeichen",
                  "neuen DB Namen eingeben bitte!"},
        Abgelehnt{"EingefuegterUmlaut", "Fülle", "Der DB Name \"Fülle\" enthält Zeichen",
                  "neuen DB Namen eingeben bitte!"}),
    [](const testing::TestParamInfo<Abgelehnt>& fall) { return std::string(fall.param.name); });

TEST(Erstellen, BlanksAroundTheNameAreDropped)
{
    Programmordner o;
    auto f = o.starten();
    erstellen(*f, QStringLiteral("  neu 2  "));
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{Erfolg});
    EXPECT_TRUE(QFile::exists(o.folder.file("neu 2.mdb")));
    EXPECT_EQ(o.ini("DB", "DB Name1"), QStringLiteral("neu 2"));
}

TEST(Erstellen, SettingsThatCannotBeWrittenAreReported)
{
    Programmordner o;
    QFile::remove(o.folder.file("Cd.ini"));
    ASSERT_TRUE(QDir(o.folder.path()).mkdir("Cd.ini"));  // a folder in its place: no write can succeed
    auto f = o.starten();
    erstellen(*f, QStringLiteral("neu"));
    ASSERT_EQ(o.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(o.fake.messages.shown[0].prompt.contains(QStringLiteral("nicht in")));
    EXPECT_NE(o.fake.messages.shown[0].prompt, Erfolg);
    EXPECT_TRUE(QFile::exists(o.folder.file("neu.mdb")));
}

TEST(Erstellen, AFullDiskLeavesNoFile)
{
    KleinesLaufwerk lw("size=64k");
    if (!lw.bereit)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    FakeServices fake(lw.pfad);
    fake.services.title = QStringLiteral("Tools");
    QFile ini(lw.pfad + "/Cd.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[DB]\r\nDB Name0=filme\r\n");
    ini.close();
    // Fill the disk up to a few kilobytes.
    lw.füllen(6);

    frmTools f(fake.services);
    f.Form_Load();
    erstellen(f, QStringLiteral("neu"));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].prompt.startsWith(QStringLiteral("Die Datenbank \"") + lw.pfad + "/neu.mdb"))
        << fake.messages.shown[0].prompt.toStdString();
    EXPECT_EQ(QDir(lw.pfad).entryList(QDir::Files | QDir::Hidden), (QStringList{"Cd.ini", "füllung"}));
    EXPECT_TRUE(frame::cdIni(fake.services).read("DB", "DB Name1").isEmpty());
}

TEST(Erstellen, AReadOnlyFolderLeavesNoFileAndSaysWhy)
{
    KleinesLaufwerk lw("size=1m");
    if (!lw.bereit)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    FakeServices fake(lw.pfad);
    QFile ini(lw.pfad + "/Cd.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[DB]\r\nDB Name0=filme\r\n");
    ini.close();
    ASSERT_EQ(::mount(nullptr, QFile::encodeName(lw.pfad).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);

    frmTools f(fake.services);
    f.Form_Load();
    erstellen(f, QStringLiteral("neu"));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_FALSE(fake.messages.shown[0].prompt.contains(QStringLiteral("schon vorhanden")));
    EXPECT_TRUE(fake.messages.shown[0].prompt.contains(lw.pfad + "/neu.mdb"));
    EXPECT_EQ(QDir(lw.pfad).entryList(QDir::Files | QDir::Hidden), QStringList{"Cd.ini"});
}

}  // namespace
