// The program jetimport run for real, as both programs run it: its progress,
// its status and message, and what it leaves when it is killed, runs out of
// disk or finds a read-only folder. The source is never changed.
#include "jetimport/Umwandlung.h"
#include "platform/system/Dateireste.h"
#include "tests/jetimport/Windowskatalog.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/RohSqlite.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace jetimporttest;
using testing_support::TempFolder;

namespace {

const QString Programm = QStringLiteral(RDX_PROGRAM_DIR "/jetimport");

struct Lauf {
    int status = -1;
    bool absturz = false;
    QStringList zeilen;
    QString fehler;
};

Lauf ausfuehren(const QString& quelle, const QString& ziel)
{
    QProcess p;
    p.start(Programm, {quelle, ziel});
    Lauf l;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << "jetimport endete nicht";
    }
    l.status = p.exitCode();
    l.absturz = p.exitStatus() == QProcess::CrashExit;
    l.zeilen = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    l.fehler = QString::fromUtf8(p.readAllStandardError()).trimmed();
    return l;
}

// A catalogue big enough that a run takes a while: n titles with a sub-entry
// and a lending each, memos on pages of their own now and then.
void grosserKatalog(const QString& pfad, int n)
{
    int f = 0, u = 0, a = 0;
    jettest::KatalogQuelle q;
    q.film = [&](jettest::Film& film) {
        if (f >= n)
            return false;
        film = jettest::Film{.Titel = QStringLiteral("Titel %1 mit Ümlaut").arg(f), .Anzahl = double(f % 7),
                             .Info = f % 50 == 0 ? memo(9000) : QStringLiteral("kurz %1").arg(f)};
        ++f;
        return true;
    };
    q.unterordner = [&](jettest::Unterordner& s) {
        if (u >= n)
            return false;
        s = jettest::Unterordner{.Titel = QStringLiteral("Titel %1 mit Ümlaut").arg(u),
                                 .Titel2 = QStringLiteral("Datei %1.avi").arg(u)};
        ++u;
        return true;
    };
    q.ausleihe = [&](jettest::Ausleihe& l) {
        if (a >= n / 4)
            return false;
        l = jettest::Ausleihe{.Titel = QStringLiteral("Titel %1 mit Ümlaut").arg(a), .Wer = "Jürgen",
                              .AusDT = "01.02.2003", .EinDT = a % 2 ? jettest::Wert() : jettest::Wert("03.02.2003")};
        ++a;
        return true;
    };
    jettest::katalog(pfad, QStringLiteral("1.4.1"), q);
}

QStringList dateien(const QString& ordner)
{
    return QDir(ordner).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

struct Stand {
    QByteArray bytes;
    QDateTime geaendert;
    explicit Stand(const QString& pfad) : geaendert(QFileInfo(pfad).lastModified())
    {
        QFile f(pfad);
        f.open(QIODevice::ReadOnly);
        bytes = f.readAll();
    }
    bool operator==(const Stand&) const = default;
};

TEST(Jetimport, ZeigtSeinenFortschrittUndEndetMitNullWennDasZielGanzIst)
{
    TempFolder quelle;
    TempFolder ziel;
    grosserKatalog(quelle.file("w.mdb"), 20000);
    const Stand vorher(quelle.file("w.mdb"));
    const Lauf l = ausfuehren(quelle.file("w.mdb"), ziel.file("filme.mdb"));
    ASSERT_EQ(l.status, 0) << l.fehler.toStdString();
    EXPECT_EQ(l.fehler, "");
    ASSERT_GE(l.zeilen.size(), 2);
    const QRegularExpression form(QStringLiteral("^Zeilen (\\d+) von 45001$"));
    long long zuletzt = -1;
    for (const QString& z : l.zeilen) {
        const auto t = form.match(z);
        ASSERT_TRUE(t.hasMatch()) << z.toStdString();
        EXPECT_GE(t.captured(1).toLongLong(), zuletzt);
        zuletzt = t.captured(1).toLongLong();
    }
    EXPECT_EQ(l.zeilen.last(), "Zeilen 45001 von 45001");
    EXPECT_EQ(testing_support::rohWert(ziel.file("filme.mdb"), "SELECT count(*) FROM Unterordner"), "20000");
    EXPECT_EQ(dateien(ziel.path()), (QStringList{"filme.import.txt", "filme.mdb"}));
    EXPECT_TRUE(Stand(quelle.file("w.mdb")) == vorher) << "die Quelle ist unverändert, auch ihre Zeit";
}

struct Kaputt {
    const char* name;
    std::function<QByteArray(const QByteArray&)> machen;
};

class KaputteQuelle : public testing::TestWithParam<Kaputt> {};

// A file cut short or filled with noise after a whole first page: refused
// with a message, or at worst a crash of the child; never a target.
TEST_P(KaputteQuelle, GibtKeinZielUndEinenGrund)
{
    TempFolder ordner;
    grosserKatalog(ordner.file("gut.mdb"), 3000);
    const QByteArray kaputt = GetParam().machen(ordner.read("gut.mdb"));
    const QString quelle = ordner.write("q.mdb", kaputt);
    const Lauf l = ausfuehren(quelle, ordner.file("filme.mdb"));
    EXPECT_TRUE(l.absturz || l.status != 0);
    if (!l.absturz) {
        EXPECT_EQ(l.status, 1);
        EXPECT_TRUE(l.fehler.contains("beschädigt") || l.fehler.contains("kein Katalog")) << l.fehler.toStdString();
    }
    sys::resteEntfernen(ordner.file("filme.mdb"), {"jetimport", "jetimport-journal", "ldb", "bericht"});
    EXPECT_EQ(dateien(ordner.path()), (QStringList{"gut.mdb", "q.mdb"}));
    EXPECT_EQ(ordner.read("q.mdb"), kaputt);
}

INSTANTIATE_TEST_SUITE_P(
    Dateien, KaputteQuelle,
    testing::Values(Kaputt{"Halbiert", [](const QByteArray& b) { return b.left(b.size() / 2 / 4096 * 4096); }},
                    Kaputt{"MittenInDerSeite", [](const QByteArray& b) { return b.left(b.size() / 2 + 1000); }},
                    Kaputt{"RauschenNachDemKopf",
                           [](const QByteArray& b) {
                               QByteArray r = b.left(4096);
                               QRandomGenerator zufall(22);
                               while (r.size() < b.size())
                                   r.append(char(zufall.bounded(256)));
                               return r;
                           }},
                    Kaputt{"SeitenGeleert",
                           [](const QByteArray& b) {
                               QByteArray r = b;
                               for (qsizetype i = 3 * 4096; i < r.size(); i += 3 * 4096)
                                   std::fill(r.begin() + i, r.begin() + qMin(i + 4096, r.size()), '\0');
                               return r;
                           }}),
    [](const testing::TestParamInfo<Kaputt>& i) { return std::string(i.param.name); });

class Getoetet : public testing::TestWithParam<int> {};

// kill -9 after so many progress lines (0: as soon as it runs): no target,
// and nothing that the next run trips over; the next run succeeds and clears
// what the killed one left.
TEST_P(Getoetet, HinterlaesstNichtsWorueberDerNaechsteLaufStolpert)
{
    TempFolder quelle;
    TempFolder ziel;
    grosserKatalog(quelle.file("w.mdb"), 80000);
    const Stand vorher(quelle.file("w.mdb"));
    QProcess p;
    p.start(Programm, {quelle.file("w.mdb"), ziel.file("filme.mdb")});
    ASSERT_TRUE(p.waitForStarted());
    int zeilen = 0;
    while (zeilen < GetParam() && p.state() == QProcess::Running) {
        if (p.canReadLine()) {
            p.readLine();
            ++zeilen;
        } else {
            p.waitForReadyRead(100);
        }
    }
    ASSERT_EQ(p.state(), QProcess::Running) << "zu früh fertig";
    ::kill(pid_t(p.processId()), SIGKILL);
    p.waitForFinished();
    EXPECT_FALSE(QFile::exists(ziel.file("filme.mdb")));
    EXPECT_FALSE(QFile::exists(ziel.file("filme.import.txt")));

    const Lauf zweiter = ausfuehren(quelle.file("w.mdb"), ziel.file("filme.mdb"));
    ASSERT_EQ(zweiter.status, 0) << zweiter.fehler.toStdString();
    EXPECT_EQ(dateien(ziel.path()), (QStringList{"filme.import.txt", "filme.mdb"}));
    EXPECT_EQ(testing_support::rohWert(ziel.file("filme.mdb"), "PRAGMA integrity_check"), "ok");
    EXPECT_TRUE(Stand(quelle.file("w.mdb")) == vorher);
}

INSTANTIATE_TEST_SUITE_P(Momente, Getoetet, testing::Values(0, 1, 2, 4),
                         [](const testing::TestParamInfo<int>& i) { return "NachZeilen" + std::to_string(i.param); });

// The program that started it killed with kill -9: the child ends too, as on
// a cancel, instead of finishing on its own.
TEST(Jetimport, EndetWennSeinStarterGetoetetWird)
{
    TempFolder quelle;
    TempFolder ziel;
    grosserKatalog(quelle.file("w.mdb"), 80000);
    QProcess starter;
    starter.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\" \"$2\"; exit 0"),
                                              Programm, quelle.file("w.mdb"), ziel.file("filme.mdb")});
    ASSERT_TRUE(starter.waitForReadyRead(20000)) << "kein Fortschritt";
    ::kill(pid_t(starter.processId()), SIGKILL);
    starter.waitForFinished();
    // The child has its parent's death as a cancel: it removes what it wrote.
    for (int i = 0; i < 100 && !dateien(ziel.path()).isEmpty(); ++i)
        QThread::msleep(100);
    EXPECT_TRUE(dateien(ziel.path()).isEmpty()) << dateien(ziel.path()).join(' ').toStdString();
}

TEST(Jetimport, EinVollerDatentraegerGibtEinenGrundUndKeinZiel)
{
    TempFolder quelle;
    TempFolder ziel;
    testing_support::MountedTmpfs tmpfs(ziel.path(), "size=256k");
    if (!tmpfs.ok())
        GTEST_SKIP() << "kein tmpfs (nicht root?)";
    grosserKatalog(quelle.file("w.mdb"), 5000);
    const Lauf l = ausfuehren(quelle.file("w.mdb"), ziel.file("filme.mdb"));
    EXPECT_EQ(l.status, 1);
    EXPECT_TRUE(l.fehler.contains("Der Datenträger ist voll.")) << l.fehler.toStdString();
    EXPECT_TRUE(dateien(ziel.path()).isEmpty()) << dateien(ziel.path()).join(' ').toStdString();
}

TEST(Jetimport, EinSchreibgeschuetzterOrdnerGibtEinenGrundUndKeinZiel)
{
    TempFolder quelle;
    TempFolder ziel;
    testing_support::MountedTmpfs tmpfs(ziel.path(), "size=4m");
    if (!tmpfs.ok() || !tmpfs.remountReadOnly())
        GTEST_SKIP() << "kein tmpfs (nicht root?)";
    grosserKatalog(quelle.file("w.mdb"), 100);
    const Lauf l = ausfuehren(quelle.file("w.mdb"), ziel.file("filme.mdb"));
    EXPECT_EQ(l.status, 1);
    EXPECT_TRUE(l.fehler.contains("schreibgeschützt")) << l.fehler.toStdString();
    EXPECT_TRUE(dateien(ziel.path()).isEmpty());
}

TEST(Jetimport, EinVorhandenesZielBleibtUndDerStatusIstNichtNull)
{
    TempFolder ordner;
    grosserKatalog(ordner.file("w.mdb"), 10);
    ordner.write("filme.mdb", "mein Katalog");
    const Lauf l = ausfuehren(ordner.file("w.mdb"), ordner.file("filme.mdb"));
    EXPECT_EQ(l.status, 1);
    EXPECT_TRUE(l.fehler.contains("gibt es schon")) << l.fehler.toStdString();
    EXPECT_EQ(ordner.read("filme.mdb"), "mein Katalog");
}

TEST(Jetimport, DieQuelleWirdNurGelesen)
{
    // A source that nobody may write: the conversion still works.
    TempFolder ordner;
    grosserKatalog(ordner.file("w.mdb"), 200);
    ASSERT_EQ(::chmod(QFile::encodeName(ordner.file("w.mdb")).constData(), 0444), 0);
    testing_support::ImmutableFile fest(ordner.file("w.mdb"));
    const Stand vorher(ordner.file("w.mdb"));
    const Lauf l = ausfuehren(ordner.file("w.mdb"), ordner.file("filme.mdb"));
    EXPECT_EQ(l.status, 0) << l.fehler.toStdString();
    EXPECT_TRUE(Stand(ordner.file("w.mdb")) == vorher);
}

// The first line comes with the first row, not only once the first 200 ms are
// over: a file done sooner shows its start too.
TEST(Jetimport, DieErsteFortschrittszeileKommtMitDerErstenZeile)
{
    TempFolder quelle;
    TempFolder ziel;
    grosserKatalog(quelle.file("w.mdb"), 4);
    const Lauf l = ausfuehren(quelle.file("w.mdb"), ziel.file("filme.mdb"));
    ASSERT_EQ(l.status, 0) << l.fehler.toStdString();
    ASSERT_GE(l.zeilen.size(), 2) << l.zeilen.join('|').toStdString();
    EXPECT_EQ(l.zeilen.first(), "Zeilen 1 von 10");
    EXPECT_EQ(l.zeilen.last(), "Zeilen 10 von 10");
}

// Another program puts a file under the target's name while the conversion
// runs: it stays, and nothing of the run is left beside it, the report none.
TEST(Jetimport, EinZielDasWaehrendDesLaufsEntstehtBleibtUnberuehrt)
{
    TempFolder quelle;
    TempFolder ziel;
    grosserKatalog(quelle.file("w.mdb"), 80000);
    QProcess p;
    p.start(Programm, {quelle.file("w.mdb"), ziel.file("filme.mdb")});
    ASSERT_TRUE(p.waitForStarted());
    while (p.state() == QProcess::Running && !p.canReadLine())
        p.waitForReadyRead(100);
    ASSERT_EQ(p.state(), QProcess::Running) << "zu früh fertig";
    ziel.write("filme.mdb", "ein anderer Katalog");
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 1);
    const QString fehler = QString::fromUtf8(p.readAllStandardError()).trimmed();
    EXPECT_EQ(fehler, "Die Datei \"" + ziel.file("filme.mdb") + "\" gibt es inzwischen; sie wird nicht überschrieben.");
    EXPECT_EQ(ziel.read("filme.mdb"), "ein anderer Katalog");
    EXPECT_EQ(dateien(ziel.path()), QStringList{"filme.mdb"});
}

// A symlink under the target's name that points nowhere is a name taken:
// refused before the source is read, and nothing is made where it points.
TEST(Jetimport, EinVerwaisterVerweisUnterDemZielnamenWirdSofortAbgewiesen)
{
    TempFolder quelle;
    TempFolder ziel;
    grosserKatalog(quelle.file("w.mdb"), 10);
    ASSERT_EQ(::symlink(QFile::encodeName(ziel.file("nirgends.mdb")).constData(),
                        QFile::encodeName(ziel.file("filme.mdb")).constData()),
              0);
    const Lauf l = ausfuehren(quelle.file("w.mdb"), ziel.file("filme.mdb"));
    EXPECT_EQ(l.status, 1);
    EXPECT_TRUE(l.fehler.contains("gibt es schon")) << l.fehler.toStdString();
    EXPECT_TRUE(l.zeilen.isEmpty()) << l.zeilen.join('|').toStdString();
    EXPECT_TRUE(QFileInfo(ziel.file("filme.mdb")).isSymLink());
    EXPECT_EQ(dateien(ziel.path()), QStringList{"filme.mdb"});
}

// The conversion itself, with the rename into place failing: the reason, and
// neither the new file nor its report beside the target.
TEST(Jetimport, EinFehlschlagBeimLetztenUmbenennenLaesstKeinenBericht)
{
    TempFolder quelle;
    TempFolder ziel;
    grosserKatalog(quelle.file("w.mdb"), 10);
    testing_support::FailingRename fehlt(ziel.file("filme.mdb"), EIO);
    try {
        jetimport::umwandeln(quelle.file("w.mdb"), ziel.file("filme.mdb"));
        ADD_FAILURE() << "kein Fehler";
    } catch (const jetimport::Fehler& e) {
        EXPECT_TRUE(e.text().startsWith("Die neue Datei \"" + ziel.file("filme.mdb") + "\" kann nicht an ihren Platz: "))
            << e.text().toStdString();
    }
    EXPECT_EQ(fehlt.refused(), 1);
    EXPECT_TRUE(dateien(ziel.path()).isEmpty()) << dateien(ziel.path()).join(' ').toStdString();
}

}  // namespace
