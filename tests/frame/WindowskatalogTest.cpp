// Taking a Windows catalogue over at start, through the real child program:
// the question, the rename that is the only change to the Windows file and
// is taken back on failure, the progress dialog and its cancel, the one box
// of a failure (a crash of the child included), the summary.
#include "frame/Windowskatalog.h"

#include "platform/system/QtProzesse.h"
#include "tests/support/Doubles.h"
#include "tests/support/JetKatalog.h"
#include "tests/support/RohSqlite.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testing_support;

namespace {

const QString Frage = QStringLiteral(
    "Der Katalog \"filme.mdb\" stammt aus der Windows-Fassung. Jetzt übernehmen? Die Windows-Datei bleibt unverändert "
    "als \"filme.jet.mdb\" erhalten.");

// A program folder whose "filme.mdb" is a catalogue of the Windows program,
// with the real jetimport beside the tests' programs.
struct Windowsordner {
    explicit Windowsordner(int titel = 3) : fake(folder.path())
    {
        fake.services.executableFolder = QStringLiteral(RDX_PROGRAM_DIR);
        fake.services.prozesse = &prozesse;
        jettest::KatalogInhalt inhalt;
        for (int i = 0; i < titel; ++i)
            inhalt.filme.push_back(jettest::Film{.Titel = QStringLiteral("Film %1 über Straßen").arg(i)});
        jettest::katalog(folder.file("filme.mdb"), QStringLiteral("1.0.8"), inhalt);
        original = folder.read("filme.mdb");
        zeit = QFileInfo(folder.file("filme.mdb")).lastModified();
    }
    QStringList dateien() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
    TempFolder folder;
    FakeServices fake;
    sys::QtProzesse prozesse;
    QByteArray original;
    QDateTime zeit;
};

TEST(Windowskatalog, ErkenntDieSignaturDerEngine)
{
    Windowsordner w;
    EXPECT_TRUE(frame::istJetDatei(w.folder.file("filme.mdb")));
    w.folder.write("sqlite.mdb", QByteArray("SQLite format 3\0", 16) + QByteArray(100, '\0'));
    EXPECT_FALSE(frame::istJetDatei(w.folder.file("sqlite.mdb")));
    EXPECT_FALSE(frame::istJetDatei(w.folder.file("fehlt.mdb")));
}

TEST(Windowskatalog, JaBenenntUmWandeltUmUndZeigtDieZusammenfassung)
{
    Windowsordner w;
    w.fake.messages.answer(sys::mb::Yes);
    ASSERT_TRUE(frame::przWindowsKatalog(w.fake.services, "filme"));

    ASSERT_EQ(w.fake.messages.shown.size(), 2u);
    EXPECT_EQ(w.fake.messages.shown[0].prompt, Frage);
    EXPECT_EQ(w.fake.messages.shown[0].flags, sys::mb::YesNo | sys::mb::Question);
    EXPECT_EQ(w.fake.messages.shown[1].prompt, QString::fromUtf8(w.folder.read("filme.import.txt")));
    EXPECT_TRUE(w.fake.messages.shown[1].prompt.contains("  Filme: 3\n"));
    EXPECT_EQ(w.fake.fortschritt.titel, QStringList{"Windows-Katalog übernehmen"});
    EXPECT_TRUE(w.fake.fortschritt.texte.contains("Zeilen 4 von 5") || w.fake.fortschritt.texte.contains("Zeilen 5 von 5"));
    EXPECT_EQ(w.fake.fortschritt.offen, 0);

    EXPECT_EQ(w.folder.read("filme.jet.mdb"), w.original);
    EXPECT_EQ(QFileInfo(w.folder.file("filme.jet.mdb")).lastModified(), w.zeit);
    EXPECT_EQ(rohWert(w.folder.file("filme.mdb"), "SELECT nr FROM Version"), "1.0.8");
    EXPECT_EQ(rohWert(w.folder.file("filme.mdb"), "SELECT group_concat(Titel, '|') FROM Filme"),
              "Film 0 über Straßen|Film 1 über Straßen|Film 2 über Straßen");
    EXPECT_EQ(w.dateien(), (QStringList{"filme.import.txt", "filme.jet.mdb", "filme.mdb"}));
}

TEST(Windowskatalog, NeinLaesstAllesWieEsIst)
{
    Windowsordner w;
    w.fake.messages.answer(sys::mb::No);
    EXPECT_TRUE(frame::przWindowsKatalog(w.fake.services, "filme"));
    EXPECT_EQ(w.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(w.fake.prozesse.laeufe.empty());
    EXPECT_EQ(w.folder.read("filme.mdb"), w.original);
    EXPECT_EQ(w.dateien(), QStringList{"filme.mdb"});
}

TEST(Windowskatalog, EinKatalogDerNichtJetIstWirdNichtGefragt)
{
    TempFolder folder;
    FakeServices fake(folder.path());
    folder.write("filme.mdb", QByteArray("SQLite format 3\0", 16));
    EXPECT_TRUE(frame::przWindowsKatalog(fake.services, "filme"));
    EXPECT_TRUE(fake.messages.shown.empty());
}

struct Fehlschlag {
    const char* name;
    // Prepares the folder: the Windows file, the child program.
    std::function<void(Windowsordner&)> vorbereiten;
    const char* grund;
};

class Fehlgeschlagen : public testing::TestWithParam<Fehlschlag> {};

// One box naming the file and the cause; the Windows file back under its
// name as it was; nothing else in the folder; the start cannot go on.
TEST_P(Fehlgeschlagen, EineMeldungUndDieUmbenennungIstZurueck)
{
    Windowsordner w;
    GetParam().vorbereiten(w);
    const QByteArray vorher = w.folder.read("filme.mdb");
    w.fake.messages.answer(sys::mb::Yes);
    EXPECT_FALSE(frame::przWindowsKatalog(w.fake.services, "filme"));
    ASSERT_EQ(w.fake.messages.shown.size(), 2u);
    const QString meldung = w.fake.messages.shown[1].prompt;
    EXPECT_TRUE(meldung.startsWith("Die Datei \"filme.mdb\" ist beschädigt oder kein Katalog: ")) << meldung.toStdString();
    EXPECT_TRUE(meldung.contains(QString::fromUtf8(GetParam().grund))) << meldung.toStdString();
    EXPECT_EQ(w.fake.messages.shown[1].flags, sys::mb::Critical);
    EXPECT_EQ(w.folder.read("filme.mdb"), vorher);
    EXPECT_EQ(w.dateien(), QStringList{"filme.mdb"});
}

void kindAlsSkript(Windowsordner& w, const QByteArray& skript)
{
    static TempFolder programme;  // outlives the run
    const QString pfad = programme.write("jetimport", "#!/bin/sh\n" + skript);
    ::chmod(QFile::encodeName(pfad).constData(), 0755);
    w.fake.services.executableFolder = programme.path();
}

INSTANTIATE_TEST_SUITE_P(
    Gruende, Fehlgeschlagen,
    testing::Values(
        Fehlschlag{"KeinKatalog",
                   [](Windowsordner& w) {
                       jettest::schreiben(w.folder.file("filme.mdb"),
                                          {{jettest::Tabelle{"Adressen", {{"Name", jettest::Typ::Text, 50}}, {}}, {}}});
                   },
                   "Sie ist kein Katalog: ihr fehlt die Tabelle \"Filme\"."},
        Fehlschlag{"Abgeschnitten",
                   [](Windowsordner& w) { w.folder.write("filme.mdb", w.original.left(w.original.size() - 100)); },
                   "abgeschnitten"},
        // A child that crashes as libmdb may on a damaged file.
        Fehlschlag{"AbsturzDesKindes",
                   [](Windowsordner& w) { kindAlsSkript(w, "echo 'Zeilen 1 von 3'\nkill -SEGV $$\n"); },
                   "Das Einlesen ist abgestürzt (Signal 11"},
        Fehlschlag{"KindFehlt",
                   [](Windowsordner& w) { w.fake.services.executableFolder = w.folder.file("nirgends"); },
                   "kann nicht gestartet werden"}),
    [](const testing::TestParamInfo<Fehlschlag>& i) { return std::string(i.param.name); });

TEST(Windowskatalog, AbbrechenImDialogSchreibtNichts)
{
    Windowsordner w(60000);
    // Cancelled at the child's first line, which it prints at its first row:
    // the conversion has begun and is far from done, however fast the machine.
    w.fake.fortschritt.abbrechenNach = 2;
    w.fake.messages.answer(sys::mb::Yes);
    EXPECT_FALSE(frame::przWindowsKatalog(w.fake.services, "filme"));
    ASSERT_EQ(w.fake.messages.shown.size(), 2u);
    EXPECT_EQ(w.fake.messages.shown[1].prompt,
              "Die Übernahme von \"filme.mdb\" wurde abgebrochen. Es wurde nichts geschrieben.");
    EXPECT_EQ(w.folder.read("filme.mdb"), w.original);
    EXPECT_EQ(w.dateien(), QStringList{"filme.mdb"});
}

TEST(Windowskatalog, EineVorhandeneJetKopieWirdNichtUeberschrieben)
{
    Windowsordner w;
    w.folder.write("filme.jet.mdb", "frühere Kopie");
    w.fake.messages.answer(sys::mb::Yes);
    EXPECT_FALSE(frame::przWindowsKatalog(w.fake.services, "filme"));
    EXPECT_EQ(w.folder.read("filme.jet.mdb"), "frühere Kopie");
    EXPECT_EQ(w.folder.read("filme.mdb"), w.original);
    ASSERT_EQ(w.fake.messages.shown.size(), 2u);
    EXPECT_TRUE(w.fake.messages.shown[1].prompt.contains("kann nicht in \"filme.jet.mdb\" umbenannt werden"));
}

}  // namespace

namespace {

// A start killed during the take-over left the Windows file renamed and no
// catalogue: the next start offers it again.
TEST(Windowskatalog, EineAbgebrocheneUebernahmeWirdWiederAngeboten)
{
    Windowsordner w;
    ASSERT_TRUE(QFile::rename(w.folder.file("filme.mdb"), w.folder.file("filme.jet.mdb")));
    w.fake.messages.answer(sys::mb::Yes);
    ASSERT_TRUE(frame::przWindowsKatalog(w.fake.services, "filme"));
    EXPECT_EQ(w.fake.messages.shown[0].prompt, Frage);
    EXPECT_EQ(w.folder.read("filme.jet.mdb"), w.original);
    EXPECT_EQ(rohWert(w.folder.file("filme.mdb"), "SELECT count(*) FROM Filme"), "3");
}

}  // namespace
