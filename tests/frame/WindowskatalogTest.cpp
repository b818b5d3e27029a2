// Taking a Windows catalogue over at start, through the real child program:
// the question, the rename that is the only change to the Windows file and
// is taken back on failure, the progress dialog and its cancel, the one box
// of a failure (a crash of the child included) that names the cause once, the
// summary, "Nein", and the leftovers of runs that were killed.
#include "frame/Windowskatalog.h"

#include "platform/db/LockFile.h"
#include "platform/system/Dateireste.h"
#include "platform/system/QtProzesse.h"
#include "tests/support/Doubles.h"
#include "tests/support/JetKatalog.h"
#include "tests/support/RohSqlite.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

using namespace testing_support;

namespace {

const QString Frage = QStringLiteral(
    "Der Katalog \"filme.mdb\" stammt aus der Windows-Fassung. Jetzt übernehmen? Die Windows-Datei bleibt unverändert "
    "als \"filme.jet.mdb\" erhalten.");

QString nein(const QString& datei)
{
    return QStringLiteral("Der Windows-Katalog \"%1\" bleibt, wie er ist. Rondavex kann ihn erst öffnen, wenn er "
                          "übernommen ist; beim nächsten Start fragt Rondavex wieder. Das Programm \"tools\" kann ihn "
                          "auch unter einem anderen Namen übernehmen (\"Windows-Katalog übernehmen…\").\n\n"
                          "Rondavex wird beendet.")
        .arg(datei);
}

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

// "Nein" leaves everything as it is, says what that means and ends the start.
TEST(Windowskatalog, NeinLaesstAllesWieEsIstUndSagtWasDasHeisst)
{
    Windowsordner w;
    w.fake.messages.answer(sys::mb::No);
    bool uebernommen = true;
    EXPECT_FALSE(frame::przWindowsKatalog(w.fake.services, "filme", &uebernommen));
    EXPECT_FALSE(uebernommen);
    ASSERT_EQ(w.fake.messages.shown.size(), 2u);
    EXPECT_EQ(w.fake.messages.shown[1].prompt, nein("filme.mdb"));
    EXPECT_EQ(w.fake.messages.shown[1].flags, sys::mb::Information);
    EXPECT_TRUE(w.fake.prozesse.laeufe.empty());
    EXPECT_EQ(w.folder.read("filme.mdb"), w.original);
    EXPECT_EQ(w.dateien(), QStringList{"filme.mdb"});
}

TEST(Windowskatalog, NachDerUebernahmeFragtDerNaechsteStartNichts)
{
    Windowsordner w;
    w.fake.messages.answer(sys::mb::Yes);
    bool uebernommen = false;
    ASSERT_TRUE(frame::przWindowsKatalog(w.fake.services, "filme", &uebernommen));
    EXPECT_TRUE(uebernommen);
    const QByteArray katalog = w.folder.read("filme.mdb");
    w.fake.messages.shown.clear();

    // A catalogue of ours beside the kept Windows file.
    EXPECT_TRUE(frame::przWindowsKatalog(w.fake.services, "filme", &uebernommen));
    EXPECT_FALSE(uebernommen);
    EXPECT_TRUE(w.fake.messages.shown.empty()) << w.fake.messages.prompts().join('|').toStdString();
    EXPECT_EQ(w.folder.read("filme.mdb"), katalog);
    EXPECT_EQ(w.folder.read("filme.jet.mdb"), w.original);
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
    // A word of the cause that the box says once; what it never shows.
    const char* einmal = nullptr;
    const char* nie = nullptr;
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
    EXPECT_TRUE(meldung.startsWith("Die Datei \"filme.mdb\" kann nicht übernommen werden.\n\n")) << meldung.toStdString();
    EXPECT_TRUE(meldung.contains(QString::fromUtf8(GetParam().grund))) << meldung.toStdString();
    if (GetParam().einmal) {
        EXPECT_EQ(meldung.count(QString::fromUtf8(GetParam().einmal)), 1) << meldung.toStdString();
    }
    if (GetParam().nie) {
        EXPECT_FALSE(meldung.contains(QString::fromUtf8(GetParam().nie))) << meldung.toStdString();
    }
    EXPECT_EQ(w.fake.messages.shown[1].flags, sys::mb::Critical);
    EXPECT_EQ(w.folder.read("filme.mdb"), vorher);
    EXPECT_EQ(w.dateien(), QStringList{"filme.mdb"});
}

// A child's script that makes every temporary file of a run for its target
// ($2) under its own number, then ends with `ende`.
QByteArray restdateienUnd(const QByteArray& ende)
{
    QByteArray s = "echo 'Zeilen 1 von 3'\nrest=\"$(dirname \"$2\")/.$(basename \"$2\").$$\"\n";
    for (const QString& art : sys::ImportRestarten)
        s += "echo halb > \"$rest." + art.toUtf8() + "\"\n";
    return s + ende + "\n";
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
                   "Sie ist kein Katalog: ihr fehlt die Tabelle \"Filme\".", "kein Katalog"},
        Fehlschlag{"Abgeschnitten",
                   [](Windowsordner& w) { w.folder.write("filme.mdb", w.original.left(w.original.size() - 100)); },
                   "abgeschnitten", "beschädigt"},
        // What libmdb writes before the cause is noise: the last line is the cause.
        Fehlschlag{"LaermVorDemGrund",
                   [](Windowsordner& w) {
                       kindAlsSkript(w, "echo 'Zeilen 1 von 3'\necho 'Unknown type 18' >&2\n"
                                        "echo 'mdb_read_table: page 4 out of range' >&2\n"
                                        "printf 'Sie ist beschädigt: Seite 4 fehlt.\\n\\n' >&2\nexit 1\n");
                   },
                   "Sie ist beschädigt: Seite 4 fehlt.", "beschädigt", "Unknown type"},
        // Status 0 is no success without the new file.
        Fehlschlag{"NullOhneZiel", [](Windowsordner& w) { kindAlsSkript(w, "echo 'Zeilen 3 von 3'\nexit 0\n"); },
                   "Das Einlesen endete, ohne die neue Datei zu schreiben."},
        // A child that crashes as libmdb may on a damaged file, or is killed,
        // after it began its temporary files: nothing of them stays.
        Fehlschlag{"AbsturzDesKindes",
                   [](Windowsordner& w) { kindAlsSkript(w, restdateienUnd("kill -SEGV $$")); },
                   "Das Einlesen ist abgestürzt (Signal 11, Speicherzugriffsfehler); die Datei ist vermutlich "
                   "beschädigt."},
        Fehlschlag{"KindGetoetet", [](Windowsordner& w) { kindAlsSkript(w, restdateienUnd("kill -KILL $$")); },
                   "Das Einlesen wurde von außen beendet (Signal 9)."},
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

namespace {

// The number of a process that ran and is gone.
qint64 totePid()
{
    QProcess p;
    p.start(QStringLiteral("/bin/true"), {});
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

QString rest(const QString& ziel, qint64 pid, const QString& art)
{
    return QStringLiteral(".%1.%2.%3").arg(ziel).arg(pid).arg(art);
}

void zurueckdatieren(const QString& pfad, int sekunden)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-sekunden), QFileDevice::FileModificationTime));
}

// The start clears, whatever their target, the leftovers of runs whose
// process is gone, and of a number that another process got since; the files
// of processes that still run, an open catalogue's lock and other files stay.
TEST(Uebernahmereste, DerStartRaeumtAufWasToteLaeufeLiessen)
{
    TempFolder folder;
    FakeServices fake(folder.path());
    folder.write("filme.mdb", QByteArray("SQLite format 3\0", 16));
    const qint64 tot = totePid();
    QStringList weg;
    for (const QString& ziel : {QStringLiteral("filme.mdb"), QStringLiteral("Alte Filme 2.mdb")})
        for (const QString& art : sys::ImportRestarten)
            weg << folder.write(rest(ziel, tot, art), "halb");

    QProcess lebt;
    lebt.start(QStringLiteral("/bin/sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(lebt.waitForStarted());
    QThread::msleep(50);
    const QStringList bleibt = {
        folder.write(rest("musik.mdb", lebt.processId(), "jetimport"), "läuft"),
        folder.write(rest("musik.mdb", lebt.processId(), "ldb"), ""),
        folder.write(".filme.mdb.12.andere", "fremd"),
        folder.write("filme.jet.mdb", "Windows"),
        folder.write(rest("filme.mdb", tot, "jetimport.alt"), "fremd"),
    };
    // Written long before the living process began: its number was another's then.
    const QString vergeben = folder.write(rest("jazz.mdb", lebt.processId(), "jetimport"), "alt");
    zurueckdatieren(vergeben, 3600);
    weg << vergeben;
    // A catalogue whose name looks like a leftover, held open by a program.
    const QString seltsam = QStringLiteral(".x.mdb.%1").arg(tot);
    folder.write(seltsam + ".mdb", "");
    const auto offen = db::LockFile::acquire(folder.file(seltsam + ".mdb"), db::LockFile::Mode::Shared);
    ASSERT_TRUE(offen);
    ASSERT_EQ(QFileInfo(offen->path()).fileName(), seltsam + ".ldb");

    EXPECT_TRUE(frame::przWindowsKatalog(fake.services, "filme"));
    for (const QString& d : weg)
        EXPECT_FALSE(QFile::exists(d)) << d.toStdString();
    for (const QString& d : bleibt)
        EXPECT_TRUE(QFile::exists(d)) << d.toStdString();
    EXPECT_TRUE(QFile::exists(offen->path()));
    EXPECT_TRUE(fake.messages.shown.empty());
    lebt.kill();
    lebt.waitForFinished();
}

// For real: a take-over of one target ended by kill -9 leaves its files until
// the next start; a conversion of another target that runs meanwhile keeps
// its files and finishes.
TEST(Uebernahmereste, EinMitKillBeendeterLaufVerschwindetBeimNaechstenStartEinLaufenderNicht)
{
    TempFolder quelle;
    jettest::KatalogInhalt inhalt;
    for (int i = 0; i < 60000; ++i)
        inhalt.filme.push_back(jettest::Film{.Titel = QStringLiteral("Film %1").arg(i)});
    jettest::katalog(quelle.file("w.mdb"), QStringLiteral("1.4.1"), inhalt);
    TempFolder folder;
    FakeServices fake(folder.path());
    folder.write("filme.mdb", QByteArray("SQLite format 3\0", 16));
    const QString programm = QStringLiteral(RDX_PROGRAM_DIR "/jetimport");

    auto bisZurErstenZeile = [](QProcess& p) {
        p.waitForStarted();
        while (p.state() == QProcess::Running && !p.canReadLine())
            p.waitForReadyRead(100);
    };
    QProcess getoetet;
    getoetet.start(programm, {quelle.file("w.mdb"), folder.file("alt.mdb")});
    bisZurErstenZeile(getoetet);
    ASSERT_EQ(getoetet.state(), QProcess::Running) << "zu früh fertig";
    ::kill(pid_t(getoetet.processId()), SIGKILL);
    getoetet.waitForFinished();
    const QStringList liegenGeblieben = QDir(folder.path()).entryList({".alt.mdb.*"}, QDir::Files | QDir::Hidden);
    ASSERT_FALSE(liegenGeblieben.isEmpty());

    QProcess laeuft;
    laeuft.start(programm, {quelle.file("w.mdb"), folder.file("neu.mdb")});
    bisZurErstenZeile(laeuft);
    ASSERT_EQ(laeuft.state(), QProcess::Running) << "zu früh fertig";
    const QStringList seine = QDir(folder.path()).entryList({".neu.mdb.*"}, QDir::Files | QDir::Hidden);
    ASSERT_FALSE(seine.isEmpty());

    EXPECT_TRUE(frame::przWindowsKatalog(fake.services, "filme"));
    EXPECT_TRUE(QDir(folder.path()).entryList({".alt.mdb.*"}, QDir::Files | QDir::Hidden).isEmpty());
    for (const QString& d : seine)
        EXPECT_TRUE(QFile::exists(folder.file(d))) << d.toStdString();

    ASSERT_TRUE(laeuft.waitForFinished(120000));
    EXPECT_EQ(laeuft.exitCode(), 0) << laeuft.readAllStandardError().toStdString();
    EXPECT_EQ(rohWert(folder.file("neu.mdb"), "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"filme.mdb", "neu.import.txt", "neu.mdb"}));
}

}  // namespace
