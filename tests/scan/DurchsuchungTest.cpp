#include "scan/Durchsuchung.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using testing_support::TempFolder;

namespace {

constexpr qint64 MB = 1024 * 1024;

struct Datei {
    const char* pfad;  // a trailing "/" makes a folder
    qint64 laenge = 0;
};

void anlegen(const TempFolder& wurzel, const std::vector<Datei>& baum)
{
    for (const Datei& d : baum) {
        const QString pfad = wurzel.file(QString::fromUtf8(d.pfad));
        if (pfad.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(pfad);
            continue;
        }
        QDir().mkpath(QFileInfo(pfad).path());
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(d.laenge));
    }
}

struct Baum {
    const char* name;
    std::vector<Datei> dateien;
    const char* format;
    QStringList eintraege;  // name ":" size, which also gives the listed names
    double bytes;
    bool erweitert;
};

QStringList namenAus(const QStringList& eintraege)
{
    QStringList namen;
    for (const QString& e : eintraege)
        namen << e.left(e.lastIndexOf(QLatin1Char(':')));
    return namen;
}

class durchsuchen : public ::testing::TestWithParam<Baum> {};

TEST_P(durchsuchen, GuessesTheFormatListsTheEntriesWithTheirOwnSizes)
{
    TempFolder wurzel;
    anlegen(wurzel, GetParam().dateien);
    const scan::Durchsuchung d = scan::durchsuchen(wurzel.path());
    EXPECT_EQ(d.format, QString::fromUtf8(GetParam().format));
    EXPECT_EQ(d.eintraege, GetParam().eintraege);
    EXPECT_EQ(d.namen, namenAus(GetParam().eintraege));
    EXPECT_EQ(d.bytes, GetParam().bytes);
    EXPECT_EQ(d.erweitert, GetParam().erweitert);
    EXPECT_FALSE(d.abgebrochen);
}

INSTANTIATE_TEST_SUITE_P(
    Baeume, durchsuchen,
    ::testing::Values(
        Baum{"Dvd",
             {{"VIDEO_TS/VTS_01_1.VOB", 3 * MB}, {"AUDIO_TS/"}, {"VIDEO_TS/VIDEO_TS.IFO", 1000}},
             "DVD",
             {QStringLiteral("AUDIO_TS: 0")},
             3.0 * MB + 1000,
             true},
        Baum{"VcdHoldsBackTheDataFile",
             {{"MPEGAV/AVSEQ01.DAT", 2 * MB}},
             "VCD",
             {QStringLiteral("MPEGAV: 2")},
             2.0 * MB,
             true},
        Baum{"LastMatchWins", {{"x.avi", MB}, {"y.mpg", MB / 2}}, "SVCD",
             {QStringLiteral("x.avi: 1"), QStringLiteral("y.mpg: 1")}, 1.5 * MB, true},
        Baum{"PatternsAreCaseSensitive",
             {{"Video_ts/a.Avi", 10}, {"b.CDA", 20}},
             "PC",
             {QStringLiteral("b.CDA: 0"), QStringLiteral("Video_ts: 0"), QStringLiteral("a.Avi: 0")},
             30,
             true},
        Baum{"NestedFolderSetsPcEarlyThenLaterNamesWin",
             {{"a/readme.txt", 5}, {"b.mp3", 7}},
             "MP3",
             {QStringLiteral("a: 0"), QStringLiteral("readme.txt: 0"), QStringLiteral("b.mp3: 0")},
             12,
             true},
        Baum{"AudioStaysCollapsedAndHoldsBack",
             {{"Track01.cda", 44}, {"Track02.cda", 44}},
             "Audio",
             {},
             88,
             false},
        Baum{"OneFileOfThreeMegabytes", {{"a.bin", 3145728}}, "PC", {QStringLiteral("a.bin: 3")}, 3145728, true},
        Baum{"FolderCarriesTheSumBelowItHeldBackFilesToo",
             {{"Filme/x.mpg", MB}, {"Filme/VCD/in.dat", MB}, {"Filme/z.txt", MB}},
             "SVCD",
             {QStringLiteral("Filme: 3"), QStringLiteral("x.mpg: 1"), QStringLiteral("z.txt: 1")},
             3.0 * MB,
             true},
        Baum{"BlanksAndColonsInNamesKeepTheirSize",
             {{" vorne.bin", MB}, {"hinten.bin ", 2 * MB}, {"Teil: 1.bin", 3 * MB}},
             "PC",
             {QStringLiteral(" vorne.bin: 1"), QStringLiteral("hinten.bin : 2"), QStringLiteral("Teil: 1.bin: 3")},
             6.0 * MB,
             true},
        Baum{"SortedWithoutCaseTiesByCode",
             {{"b.txt", 1}, {"B.txt", 1}, {"a.txt", 1}, {"C.txt", 1}},
             "PC",
             {QStringLiteral("a.txt: 0"), QStringLiteral("B.txt: 0"), QStringLiteral("b.txt: 0"),
              QStringLiteral("C.txt: 0")},
             4,
             true},
        Baum{"EmptyDisc", {}, "", {}, 0, false},
        Baum{"EmptyFolderFindsNothingAndReturnsAtOnce", {{"leer/"}}, "PC", {QStringLiteral("leer: 0")}, 0, true}),
    [](const auto& fall) { return std::string(fall.param.name); });

// What the companion is shown before each entry: the folders and other
// entries met so far and the folder being read, in pre-order.
class Mitschrift : public scan::Laufbegleiter {
public:
    explicit Mitschrift(QString wurzel) : m_wurzel(std::move(wurzel)) {}
    bool weiter(const scan::Laufstand& stand) override
    {
        staende << QStringLiteral("%1 %2 %3").arg(stand.ordner).arg(stand.dateien).arg(stand.ordnerPfad.mid(m_wurzel.size()));
        return true;
    }
    QStringList staende;

private:
    QString m_wurzel;
};

TEST(durchsuchen, ShowsItsProgressInPreOrderAndKeepsTheSizeRowsPerFile)
{
    TempFolder wurzel;
    anlegen(wurzel, {{"VIDEO_TS/VTS_01_1.VOB", 3 * MB}, {"VIDEO_TS/VTS_01_2.VOB", MB}, {"AUDIO_TS/"}, {"z.txt", MB / 2}});
    Mitschrift mitschrift(wurzel.path());
    const scan::Durchsuchung d = scan::durchsuchen(wurzel.path() + QStringLiteral("/"), &mitschrift);
    EXPECT_EQ(mitschrift.staende, (QStringList{QStringLiteral("0 0 "), QStringLiteral("1 0 "),
                                               QStringLiteral("2 0 /VIDEO_TS"), QStringLiteral("2 1 /VIDEO_TS"),
                                               QStringLiteral("2 2 ")}))
        << "the empty AUDIO_TS ends at once; back in the root after VIDEO_TS";
    // Halves of a megabyte round up, as Format does.
    EXPECT_EQ(d.groessen, (QStringList{QStringLiteral(" 3"), QStringLiteral(" 1"), QStringLiteral(" 1")}));
    EXPECT_EQ(d.format, QStringLiteral("DVD"));
    EXPECT_FALSE(d.abgebrochen);
}

TEST(durchsuchen, NeverFollowsASymlinkLoopAndPassesAnUnreadableFolder)
{
    TempFolder wurzel;
    anlegen(wurzel, {{"a/x.bin", 100}, {"geheim/y.bin", 200}});
    ASSERT_EQ(::symlink("..", QFile::encodeName(wurzel.file(QStringLiteral("a/zurueck"))).constData()), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(wurzel.path()).constData(),
                        QFile::encodeName(wurzel.file(QStringLiteral("kreis"))).constData()),
              0);
    ::chmod(QFile::encodeName(wurzel.file(QStringLiteral("geheim"))).constData(), 0);
    ::chmod(QFile::encodeName(wurzel.path()).constData(), 0755);
    const int kind = testing_support::runUnprivileged([&] {
        // As a user to whom modes apply: the folder cannot be read.
        const scan::Durchsuchung d = scan::durchsuchen(wurzel.path());
        return d.namen == QStringList{QStringLiteral("a"), QStringLiteral("x.bin"), QStringLiteral("zurueck"),
                                      QStringLiteral("geheim"), QStringLiteral("kreis")}
                       && d.bytes == 100
                   ? 0
                   : 1;
    });
    const scan::Durchsuchung d = scan::durchsuchen(wurzel.path());
    ::chmod(QFile::encodeName(wurzel.file(QStringLiteral("geheim"))).constData(), 0755);
    EXPECT_EQ(d.namen.first(), QStringLiteral("a"));
    EXPECT_TRUE(d.namen.contains(QStringLiteral("kreis")));
    EXPECT_EQ(d.namen.count(QStringLiteral("x.bin")), 1);
    if (kind == -1)
        GTEST_SKIP() << "cannot run as another user: the unreadable folder is untested";
    EXPECT_EQ(kind, 0);
}

TEST(durchsuchen, StaysOnItsOwnFileSystem)
{
    TempFolder wurzel;
    anlegen(wurzel, {{"eigen.bin", 10}, {"fremd/"}});
    testing_support::MountedTmpfs fremd(wurzel.file(QStringLiteral("fremd")), "size=1m");
    if (!fremd.ok())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    anlegen(wurzel, {{"fremd/drin.bin", 1000}});
    const scan::Durchsuchung d = scan::durchsuchen(wurzel.path());
    EXPECT_EQ(d.namen, (QStringList{QStringLiteral("eigen.bin"), QStringLiteral("fremd")}));
    EXPECT_EQ(d.bytes, 10);
}

TEST(durchsuchen, WalksAndSizesNamesThatAreNoUtf8)
{
    TempFolder wurzel;
    const QByteArray roh = QFile::encodeName(wurzel.path()) + "/caf\xe9.bin";
    const int fd = ::open(roh.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 2 * MB), 0);
    ::close(fd);
    const scan::Durchsuchung d = scan::durchsuchen(wurzel.path());
    ::unlink(roh.constData());
    ASSERT_EQ(d.namen.size(), 1);
    EXPECT_EQ(d.bytes, 2.0 * MB);
    EXPECT_TRUE(d.eintraege.first().endsWith(QLatin1String(": 2")));
}

class Abbrechen : public scan::Laufbegleiter {
public:
    bool weiter(const scan::Laufstand&) override { return ++gefragt < 3; }
    int gefragt = 0;
};

TEST(durchsuchen, StopsWhenItsCompanionSaysSo)
{
    TempFolder wurzel;
    anlegen(wurzel, {{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}});
    Abbrechen begleiter;
    const scan::Durchsuchung d = scan::durchsuchen(wurzel.path(), &begleiter);
    EXPECT_TRUE(d.abgebrochen);
    EXPECT_EQ(d.namen, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

// The folders of a local disk as the drive list shows them: pre-order, each
// folder's sub-folders in the folder list's order, files, links and other
// mounts left out, an unreadable folder listed without what lies below it.
TEST(ordnerSuchen, ListsEveryFolderInPreOrderWithoutLinksFilesOrOtherMounts)
{
    TempFolder wurzel;
    anlegen(wurzel, {{"b/"}, {"B/x.txt", 1}, {"a/innen/tief/"}, {"\xc3\xa4/"}, {"a/datei.avi", 1}, {"geheim/drin/"}});
    ASSERT_EQ(::symlink("a", QFile::encodeName(wurzel.file(QStringLiteral("verweis"))).constData()), 0);
    const QByteArray basis = QFile::encodeName(wurzel.path());
    const QString ä = QString::fromUtf8("C:/\xc3\xa4");
    Mitschrift mitschrift("");
    const scan::Ordnersuche o = scan::ordnerSuchen(basis + "/", "C:/", &mitschrift);
    EXPECT_EQ(o.pfade, (QStringList{"C:/a", "C:/a/innen", "C:/a/innen/tief", "C:/B", "C:/b", "C:/geheim",
                                    "C:/geheim/drin", ä}));
    EXPECT_TRUE(o.roh.empty()) << "every name is text";
    EXPECT_FALSE(o.abgebrochen);
    EXPECT_EQ(mitschrift.staende.mid(0, 4), (QStringList{"0 0 C:/", "1 0 C:/a", "2 0 C:/a/innen", "3 0 C:/"}))
        << "asked before each folder, with the folder being read";

    anlegen(wurzel, {{"fremd/"}});
    testing_support::MountedTmpfs fremd(wurzel.file(QStringLiteral("fremd")), "size=1m");
    if (fremd.ok()) {
        anlegen(wurzel, {{"fremd/nicht hier/"}});
        EXPECT_FALSE(scan::ordnerSuchen(basis, "C:/").pfade.contains("C:/fremd")) << "a mount below is another drive";
    }
    ::chmod(QFile::encodeName(wurzel.file(QStringLiteral("geheim"))).constData(), 0);
    ::chmod(basis.constData(), 0755);
    const int kind = testing_support::runUnprivileged([&] {
        const QStringList pfade = scan::ordnerSuchen(basis, "C:/").pfade;
        return pfade.contains("C:/geheim") && !pfade.contains("C:/geheim/drin") && pfade.last() == ä ? 0 : 1;
    });
    ::chmod(QFile::encodeName(wurzel.file(QStringLiteral("geheim"))).constData(), 0755);
    if (!fremd.ok())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root): another mount is untested";
    if (kind == -1)
        GTEST_SKIP() << "cannot run as another user: the unreadable folder is untested";
    EXPECT_EQ(kind, 0);
}

// A folder whose name, or a name above it, is no valid text keeps its bytes.
TEST(ordnerSuchen, KeepsTheBytesOfAPathWithANameThatIsNoText)
{
    TempFolder wurzel;
    const QByteArray basis = QFile::encodeName(wurzel.path());
    const QByteArray ordner[] = {basis + "/caf\xe9", basis + "/caf\xe9/unter", basis + "/gut"};
    for (const QByteArray& o : ordner)
        ASSERT_EQ(::mkdir(o.constData(), 0755), 0);
    const scan::Ordnersuche o = scan::ordnerSuchen(basis, "D:/Filme");
    for (int i = 2; i >= 0; --i)
        ::rmdir(ordner[i].constData());
    ASSERT_EQ(o.pfade.size(), 3);
    EXPECT_EQ(o.pfade.at(2), "D:/Filme/gut");
    const std::vector<std::pair<qsizetype, QByteArray>> roh{{0, ordner[0]}, {1, ordner[1]}};
    EXPECT_EQ(o.roh, roh);
}

TEST(ordnerSuchen, StopsWhenItsCompanionSaysSo)
{
    TempFolder wurzel;
    anlegen(wurzel, {{"a/"}, {"b/"}, {"c/"}, {"d/"}});
    Abbrechen begleiter;
    const scan::Ordnersuche o = scan::ordnerSuchen(QFile::encodeName(wurzel.path()), "C:/", &begleiter);
    EXPECT_TRUE(o.abgebrochen);
    EXPECT_EQ(o.pfade, (QStringList{"C:/a", "C:/b"}));
}

TEST(formatNachRegeln, TheTableIsCaseSensitiveAndTheLastRowWins)
{
    EXPECT_EQ(scan::Formatregeln.size(), 13u);
    EXPECT_EQ(scan::formatNachRegeln(QStringLiteral("VIDEO_TS"), QString()), QStringLiteral("DVD"));
    EXPECT_EQ(scan::formatNachRegeln(QStringLiteral("x.DAT"), QStringLiteral("PC")), QStringLiteral("VCD"));
    EXPECT_EQ(scan::formatNachRegeln(QStringLiteral("x.CDA"), QStringLiteral("PC")), QStringLiteral("PC"));
    EXPECT_EQ(scan::formatNachRegeln(QStringLiteral("VCDX"), QStringLiteral("PC")), QStringLiteral("PC"));
    EXPECT_EQ(scan::formatNachRegeln(QStringLiteral(".mp3"), QString()), QStringLiteral("MP3"));
    EXPECT_FALSE(scan::wirdGelistet(QStringLiteral("Audio")));
    EXPECT_TRUE(scan::wirdGelistet(QStringLiteral("SVCD")));
}

TEST(Texte, SizesAndGrouping)
{
    EXPECT_EQ(scan::mbText(0.49 * MB), QStringLiteral(" 0"));
    EXPECT_EQ(scan::mbText(2.5 * MB), QStringLiteral(" 3"));
    EXPECT_EQ(scan::byteText(3145728), QStringLiteral(" 3145728"));
    EXPECT_EQ(scan::gruppiert(4700372992), QStringLiteral("4.700.372.992"));
    EXPECT_EQ(scan::gruppiert(999), QStringLiteral("999"));
    EXPECT_EQ(scan::gruppiert(1000), QStringLiteral("1.000"));
}

TEST(eintragEntfernen, RemovesTheSelectedRowNotAPrefixSharingOneNorAnEarlierTwin)
{
    QStringList sichtbar{QStringLiteral("CD10"), QStringLiteral("CD1"), QStringLiteral("x"), QStringLiteral("CD1")};
    QStringList alles{QStringLiteral("CD10: 1"), QStringLiteral("CD1: 2"), QStringLiteral("x: 0"),
                      QStringLiteral("CD1: 5")};
    QStringList haupt = alles;
    QStringList hauptNamen = sichtbar;
    // The second "CD1" row (another disc of the set, another size).
    ASSERT_TRUE(scan::eintragEntfernen({sichtbar, alles, haupt, hauptNamen}, 3));
    EXPECT_EQ(sichtbar, (QStringList{QStringLiteral("CD10"), QStringLiteral("CD1"), QStringLiteral("x")}));
    EXPECT_EQ(alles, (QStringList{QStringLiteral("CD10: 1"), QStringLiteral("CD1: 2"), QStringLiteral("x: 0")}));
    EXPECT_EQ(haupt, alles);
    EXPECT_EQ(hauptNamen, sichtbar);
    ASSERT_TRUE(scan::eintragEntfernen({sichtbar, alles, haupt, hauptNamen}, 1));
    EXPECT_EQ(alles, (QStringList{QStringLiteral("CD10: 1"), QStringLiteral("x: 0")}));
    EXPECT_EQ(sichtbar, (QStringList{QStringLiteral("CD10"), QStringLiteral("x")}));
    EXPECT_FALSE(scan::eintragEntfernen({sichtbar, alles, haupt, hauptNamen}, 2));
    EXPECT_EQ(scan::przZeileFinden(alles, QStringLiteral("CD1")), -1);
}

struct PCaseFall {
    const char* name;
    const char16_t* ein;
    const char16_t* aus;
};

class PCase : public ::testing::TestWithParam<PCaseFall> {};

TEST_P(PCase, UpperCaseOnlyAfterWhiteSpace)
{
    EXPECT_EQ(scan::PCase(QString::fromUtf16(GetParam().ein)), QString::fromUtf16(GetParam().aus));
}

INSTANTIATE_TEST_SUITE_P(Faelle, PCase,
                         ::testing::Values(PCaseFall{"Blanks", u"MY MOVIE 2", u"My Movie 2"},
                                           PCaseFall{"ApostropheAndHyphen", u"o'neil-smith", u"O'neil-smith"},
                                           PCaseFall{"DigitFirst", u"2FAST", u"2fast"},
                                           PCaseFall{"Umlaut", u"über alles", u"Über Alles"},
                                           PCaseFall{"SharpS", u"STRAßE ßUPER", u"Straße ßuper"},
                                           PCaseFall{"TabAndLineBreak", u"a\tb\nc\rd", u"A\tB\nC\rD"},
                                           PCaseFall{"Empty", u"", u""}),
                         [](const auto& fall) { return std::string(fall.param.name); });

}  // namespace
