#include "platform/ini/IniFile.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>

using ini::IniFile;
using testing_support::TempFolder;

namespace {

std::string bytes(const QByteArray& b) { return b.toStdString(); }

const QByteArray Long250 = QByteArray(200, 'a') + QByteArray(50, 'b');

// UTF-8, CR LF, with the oddities the reader has to see through.
const QByteArray ReadFixture = "; Einstellungen von Rondavex\r\n"
                               "[Version]\r\n"
                               "Nr=Rondavex 1.4\r\n"
                               "\r\n"
                               "[Design]\r\n"
                               " \tTextFont \t=  Arial Black \t\r\n"
                               "Bild=\"\\bilder\\space.jpg\"\r\n"
                               "Label1='Titel'\r\n"
                               "Label2=\"\"Zitat\"\"\r\n"
                               "Label3=\"halb\r\n"
                               "Label4=Kalle's\r\n"
                               "Leer=\r\n"
                               "Backcolor=16777215\r\n"
                               "BACKCOLOR=0\r\n"
                               "Sprache\r\n"
                               ";Kommentar=1\r\n"
                               "Qualität=gut\r\n"
                               "Gleich=a=b\r\n"
                               "[design]\r\n"
                               "Default=1\r\n"
                               "[ DB ]\r\n"
                               "DB Name0=filme\r\n"
                               "Lang=" + Long250 + "\r\n"
                               "LangZitat=\"" + Long250 + "\"\r\n";

struct ReadCase {
    const char* section;
    const char* key;
    int buffer;
    QString expected;
};

TEST(IniRead, FollowsThePrivateProfileRules)
{
    TempFolder folder;
    const IniFile file(folder.write("Cd.ini", ReadFixture));
    const ReadCase cases[] = {
        {"Version", "Nr", ini::DefaultBuffer, "Rondavex 1.4"},
        {"VERSION", "nR", ini::DefaultBuffer, "Rondavex 1.4"},
        {"Fehlt", "Nr", ini::DefaultBuffer, ""},
        {"Version", "Fehlt", ini::DefaultBuffer, ""},
        {"Design", "textfont", ini::DefaultBuffer, "Arial Black"},
        {"Design", "Bild", ini::DefaultBuffer, "\\bilder\\space.jpg"},
        {"Design", "Label1", ini::DefaultBuffer, "Titel"},
        {"Design", "Label2", ini::DefaultBuffer, "\"Zitat\""},  // only one pair goes
        {"Design", "Label3", ini::DefaultBuffer, "\"halb"},
        {"Design", "Label4", ini::DefaultBuffer, "Kalle's"},
        {"Design", "Leer", ini::DefaultBuffer, ""},
        {"Design", "Backcolor", ini::DefaultBuffer, "16777215"},  // first of duplicate keys
        {"Design", "Default", ini::DefaultBuffer, ""},            // only in the second [design]
        {"Design", "Sprache", ini::DefaultBuffer, ""},            // no "="
        {"Design", ";Kommentar", ini::DefaultBuffer, ""},
        {"Design", "Kommentar", ini::DefaultBuffer, ""},
        {"DESIGN", "QUALITÄT", ini::DefaultBuffer, "gut"},
        {"Design", "Gleich", ini::DefaultBuffer, "a=b"},
        {"DB", "DB Name0", 50, "filme"},
        {"db", "db name0", ini::DefaultBuffer, "filme"},
        {"DB", "Lang", ini::DefaultBuffer, QString(199, 'a')},
        {"DB", "Lang", 50, QString(49, 'a')},
        {"DB", "LangZitat", ini::DefaultBuffer, QString(199, 'a')},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + " buffer " + std::to_string(c.buffer));
        EXPECT_EQ(file.read(QString::fromUtf8(c.section), QString::fromUtf8(c.key), c.buffer), c.expected);
    }
}

TEST(IniRead, CutsTheValueToTheBufferLessOne)
{
    TempFolder folder;
    const QString tail = QString(190, 'x') + QStringLiteral("äöüßÄÖÜ€éè");  // 200 characters
    const IniFile file(folder.write("Cd.ini", "[A]\nk=" + tail.toUtf8() + "\n"));
    EXPECT_EQ(file.read("A", "k"), tail.left(199));
    EXPECT_EQ(file.read("A", "k", 201), tail);
    EXPECT_EQ(file.read("A", "k", 50), tail.left(49));
    EXPECT_EQ(file.read("A", "k", 1), "");
}

TEST(IniRead, MissingFileReadsEmpty)
{
    TempFolder folder;
    EXPECT_EQ(IniFile(folder.file("Cd.ini")).read("DB", "DB Name0"), "");
    EXPECT_FALSE(QFileInfo::exists(folder.file("Cd.ini")));
}

TEST(IniRead, SeesAnotherProgramsChangeAtTheNextRead)
{
    TempFolder folder;
    const IniFile file(folder.write("Cd.ini", "[DB]\r\nDB Name0=filme\r\n"));
    EXPECT_EQ(file.read("DB", "DB Name0"), "filme");
    folder.write("Cd.ini", "[DB]\r\nDB Name0=musik\r\n");
    EXPECT_EQ(file.read("DB", "DB Name0"), "musik");
}

struct WriteCase {
    const char* what;
    QByteArray before;
    const char* section;
    const char* key;
    const char* value;
    QByteArray after;
};

void expectWrites(const WriteCase& c)
{
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const IniFile file(folder.write("Cd.ini", c.before));
    EXPECT_TRUE(file.write(QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString::fromUtf8(c.value)));
    EXPECT_EQ(bytes(folder.read("Cd.ini")), bytes(c.after));
    EXPECT_EQ(file.read(QString::fromUtf8(c.section), QString::fromUtf8(c.key)), QString::fromUtf8(c.value));
}

const QByteArray Head = "; Rondavex-Einstellungen, von Hand gepflegt\r\n"
                        "[Design]\r\n";
const QByteArray Body = "Qualität=gut\r\n"
                        "; Farben folgen\r\n"
                        "\r\n"
                        "[Leer]\r\n"
                        "; nur ein Kommentar\r\n"
                        "\r\n"
                        "[design]\r\n"
                        "Default=1\r\n";
const QByteArray Font = "  TextFont = Arial\r\n";

TEST(IniWrite, ChangesOnlyTheKeysLineOrAddsItWhereItBelongs)
{
    const QByteArray before = Head + Font + Body;
    const WriteCase cases[] = {
        {"existing key, other case", before, "design", "textfont", "Tahoma", Head + "TextFont=Tahoma\r\n" + Body},
        {"umlaut key, other case", before, "DESIGN", "QUALITÄT", "schlecht",
         Head + Font + QByteArray(Body).replace("Qualität=gut", "Qualität=schlecht")},
        {"missing key goes after the first section's last key", before, "Design", "Default", "0",
         Head + Font + QByteArray(Body).replace("gut\r\n", "gut\r\nDefault=0\r\n")},
        {"missing key in a section without keys goes after its name", before, "Leer", "Neu", "1",
         Head + Font + QByteArray(Body).replace("[Leer]\r\n", "[Leer]\r\nNeu=1\r\n")},
        {"missing section goes at the end", before, "Funktionen", "Sortierung", "KF",
         before + "\r\n[Funktionen]\r\nSortierung=KF\r\n"},
        {"missing section after a blank last line", "[A]\r\nx=1\r\n\r\n", "B", "y", "2",
         "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
        {"value with blanks inside", before, "Design", "TextFont", "MS Sans Serif",
         Head + "TextFont=MS Sans Serif\r\n" + Body},
        {"duplicated key: the first copy, the one reading returns", "[A]\r\nx=1\r\ny=2\r\nX=3\r\n", "A", "x", "4",
         "[A]\r\nx=4\r\ny=2\r\nX=3\r\n"},
        {"key repeated in a later section of that name", "[A]\r\nx=1\r\n[a]\r\nx=2\r\n", "a", "X", "3",
         "[A]\r\nx=3\r\n[a]\r\nx=2\r\n"},
    };
    for (const WriteCase& c : cases)
        expectWrites(c);
}

TEST(IniWrite, KeepsTheFilesEncodingAndLineEnds)
{
    const QByteArray cp1252 = "[Design]\r\nBild=C:\\Bilder\\\xD6l.jpg\r\nQualit\xE4t=gut\r\n";
    const WriteCase cases[] = {
        {"Windows-1252 stays Windows-1252", cp1252, "Design", "Bild", "Größe €",
         "[Design]\r\nBild=Gr\xF6\xDF" "e \x80\r\nQualit\xE4t=gut\r\n"},
        {"Windows-1252 key spelling kept", cp1252, "design", "QUALITÄT", "mittel",
         "[Design]\r\nBild=C:\\Bilder\\\xD6l.jpg\r\nQualit\xE4t=mittel\r\n"},
        {"UTF-8 BOM kept and its first section found", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "ä",
         "\xEF\xBB\xBF[A]\r\nx=ä\r\n"},
        {"plain ASCII file takes UTF-8", "[A]\r\nx=1\r\n", "A", "x", "Jürgen", "[A]\r\nx=Jürgen\r\n"},
        {"LF stays LF for a new key", "[A]\nx=1\n[B]\nz=3\n", "A", "y", "2", "[A]\nx=1\ny=2\n[B]\nz=3\n"},
        {"LF stays LF for a new section", "[A]\nx=1\n", "B", "y", "2", "[A]\nx=1\n\n[B]\ny=2\n"},
        {"CR LF replaced line", "[A]\r\nx=1\r\ny=2\r\n", "A", "x", "10", "[A]\r\nx=10\r\ny=2\r\n"},
        {"last line without line end, replaced", "[A]\r\nx=1", "A", "x", "2", "[A]\r\nx=2"},
        {"last line without line end, new key", "[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2"},
        {"last line without line end, new section", "[A]\nx=1", "B", "y", "2", "[A]\nx=1\n\n[B]\ny=2"},
        {"empty file", "", "A", "x", "1", "[A]\r\nx=1\r\n"},
    };
    for (const WriteCase& c : cases)
        expectWrites(c);
}

// A CR with no LF after it ends a file: a line added after it must not turn
// that CR into the line end of the key before.
TEST(IniWrite, ALoneCrAtTheEndStaysInTheValueItEnds)
{
    const WriteCase cases[] = {
        {"new key", "[A]\nx=1\r", "A", "y", "2", "[A]\nx=1\r\r\ny=2"},
        {"new section", "[A]\nx=1\r", "B", "y", "2", "[A]\nx=1\r\r\n\n[B]\ny=2"},
        {"CR LF file, new key", "[A]\r\nx=1\r", "A", "y", "2", "[A]\r\nx=1\r\r\ny=2"},
    };
    for (const WriteCase& c : cases) {
        expectWrites(c);
        TempFolder folder;
        const IniFile file(folder.write("Cd.ini", c.before));
        const QString before = file.read("A", "x");
        ASSERT_TRUE(file.write(QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString::fromUtf8(c.value)));
        EXPECT_EQ(file.read("A", "x"), before) << c.what;
    }
}

TEST(IniWrite, RefusesWhatCannotBeWrittenAndLeavesTheFile)
{
    const QByteArray utf8 = "[A]\r\nx=1\r\n";
    const QByteArray cp1252 = "[A]\r\nx=M\xFCller\r\n";
    const struct {
        const char* what;
        QByteArray before;
        QString section;
        QString key;
        QString value;
        int cause;
    } cases[] = {
        {"LF in the value", utf8, "A", "x", "zwei\nZeilen", EINVAL},
        {"CR in the value", utf8, "A", "x", "zwei\rZeilen", EINVAL},
        {"line break in the key", utf8, "A", "x\r\ny", "1", EINVAL},
        {"line break in the section", utf8, "A\n[B]", "x", "1", EINVAL},
        {"Cyrillic into Windows-1252", cp1252, "A", "x", "Привет", EILSEQ},
        {"Cyrillic key into Windows-1252", cp1252, "A", "Имя", "1", EILSEQ},
        {"Cyrillic section into Windows-1252", cp1252, "Раздел", "x", "1", EILSEQ},
        {"lone surrogate into UTF-8", utf8, "A", "x", QString(QChar(0xD800)), EILSEQ},
        {"empty key", utf8, "A", "", "1", EINVAL},
        {"key with =", utf8, "A", "a=b", "1", EINVAL},
        {"section with ]", utf8, "A]B", "x", "1", EINVAL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const IniFile file(folder.write("Cd.ini", c.before));
        int cause = 0;
        EXPECT_FALSE(file.write(c.section, c.key, c.value, &cause));
        EXPECT_EQ(cause, c.cause) << std::strerror(cause);
        EXPECT_EQ(bytes(folder.read("Cd.ini")), bytes(c.before));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Cd.ini"});
    }
    TempFolder folder;
    EXPECT_FALSE(IniFile(folder.file("Neu.ini")).write("A", "x", "a\nb"));
    EXPECT_FALSE(QFileInfo::exists(folder.file("Neu.ini")));
}

TEST(IniWrite, NewFileIsUtf8WithCrLfInAFolderMadeForIt)
{
    TempFolder folder;
    const IniFile file(folder.file("Rondavex/Rondavex.ini"));
    EXPECT_TRUE(file.write("Datei", "Pfad", "/home/jürgen/Bilder/"));
    EXPECT_TRUE(file.write("Settings", "Cover Update", "1"));
    EXPECT_EQ(bytes(folder.read("Rondavex/Rondavex.ini")),
              "[Datei]\r\nPfad=/home/jürgen/Bilder/\r\n\r\n[Settings]\r\nCover Update=1\r\n");
}

TEST(IniWrite, KeepsTheFilesPermissions)
{
    TempFolder folder;
    const QString path = folder.write("Cd.ini", "[A]\r\nx=1\r\n");
    const auto perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, perms));
    EXPECT_TRUE(IniFile(path).write("A", "x", "2"));
    const auto unixBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::WriteGroup
                          | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(path).permissions() & unixBits, perms);
}

TEST(IniWrite, ThroughALinkChangesTheLinkedFile)
{
    TempFolder folder;
    const QString target = folder.write("echt/Cd.ini", "[A]\r\nx=1\r\n");
    ASSERT_TRUE(QFile::link(target, folder.file("Cd.ini")));
    EXPECT_TRUE(IniFile(folder.file("Cd.ini")).write("A", "x", "2"));
    EXPECT_TRUE(QFileInfo(folder.file("Cd.ini")).isSymLink());
    EXPECT_EQ(bytes(folder.read("echt/Cd.ini")), "[A]\r\nx=2\r\n");
}

TEST(IniWrite, FailsWhereTheFolderCannotTakeAFile)
{
    TempFolder folder;
    folder.write("belegt", "eine Datei, kein Ordner");
    EXPECT_FALSE(IniFile(folder.file("belegt/Cd.ini")).write("A", "x", "1"));
    EXPECT_EQ(folder.read("belegt"), "eine Datei, kein Ordner");
}

// Modes bind only an ordinary user: as root these checks run in a child that
// drops to one, so the folder that user must reach is opened to everyone.
TEST(IniWrite, ReadOnlyFolderLeavesTheOldFileWhole)
{
    TempFolder folder;
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadOther | QFile::ExeOther));
    const QByteArray before = "; alt\r\n[DB]\r\nDB Name0=filme\r\n";
    const QString path = folder.write("ro/Cd.ini", before);
    const QString ro = folder.file("ro");
    ASSERT_TRUE(QFile::setPermissions(ro, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    struct Restore {
        QString folder;
        ~Restore() { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    } restore{ro};

    const int refused = testing_support::runUnprivileged([&] {
        int error = 0;
        const bool file = !IniFile(path).write("DB", "DB Name0", "musik", &error) && error == EACCES;
        const bool newFile = !IniFile(ro + "/Neu.ini").write("DB", "DB Name0", "musik");
        return (file ? 0 : 1) | (newFile ? 0 : 2);
    });
    if (refused < 0)
        GTEST_SKIP() << "cannot run as a user to whom file modes apply";
    EXPECT_EQ(refused, 0) << "1: the existing file, 2: a new file";
    EXPECT_EQ(bytes(folder.read("ro/Cd.ini")), bytes(before));
    EXPECT_EQ(QDir(ro).entryList(QDir::Files | QDir::Hidden), QStringList{"Cd.ini"});
}

TEST(IniWrite, ReadOnlyFileIsLeftAsItIs)
{
    TempFolder folder;
    // The folder is writable, so only the file's own mode protects it.
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
    const QByteArray before = "[DB]\r\nDB Name0=filme\r\n";
    const QString path = folder.write("Cd.ini", before);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    const int refused = testing_support::runUnprivileged([&] {
        int error = 0;
        const bool changed = !IniFile(path).write("DB", "DB Name0", "musik", &error) && error == EACCES;
        const bool same = IniFile(path).write("DB", "DB Name0", "filme");  // nothing to write
        return (changed ? 0 : 1) | (same ? 0 : 2);
    });
    if (refused < 0)
        GTEST_SKIP() << "cannot run as a user to whom file modes apply";
    EXPECT_EQ(refused, 0) << "1: a change was written, 2: an unchanged value was refused";
    EXPECT_EQ(bytes(folder.read("Cd.ini")), bytes(before));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Cd.ini"});
}

// --- Faults: a full disk, a failing write, a second writer ------------------------

// The folder's files without the lock files, which stay beside what they guard.
QStringList filesWithoutLocks(const QString& folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.removeIf([](const QString& name) { return name.endsWith(QLatin1String(".lock")); });
    return files;
}

pid_t startChild(const std::function<int()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    return pid;
}

// The child's exit status, or -1 when it did not end by itself.
int waitChild(pid_t pid)
{
    if (pid < 0)
        return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const QByteArray Old = "; alt\r\n[DB]\r\nDB Name0=filme\r\n";

// A tmpfs of a few pages, mounted for the test alone.
class FullDisk : public testing::Test {
protected:
    void SetUp() override
    {
        m_mount = m_folder.file("voll");
        ASSERT_TRUE(QDir().mkpath(m_mount));
        if (::mount("tmpfs", QFile::encodeName(m_mount).constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here (it takes root): " << std::strerror(errno);
        m_mounted = true;
    }

    void TearDown() override
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_mount).constData(), MNT_DETACH);
    }

    // Writes a filler file until the file system has no block left.
    bool fill() const
    {
        QFile filler(m_mount + QStringLiteral("/Füller"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        return filler.error() != QFileDevice::NoError;
    }

    TempFolder m_folder;
    QString m_mount;
    bool m_mounted = false;
};

TEST_F(FullDisk, AWriteFailsAndLeavesTheOldFileWhole)
{
    const QString path = m_folder.write("voll/Cd.ini", Old);
    ASSERT_TRUE(fill());
    const IniFile file(path);

    EXPECT_FALSE(file.write("Design", "Backcolor", "16777215"));
    int cause = 0;
    EXPECT_FALSE(file.write("DB", "DB Name0", "musik", &cause));
    EXPECT_EQ(cause, ENOSPC) << std::strerror(cause);
    EXPECT_TRUE(file.write("DB", "DB Name0", "filme"));  // nothing to write
    EXPECT_FALSE(IniFile(m_mount + "/Neu.ini").write("A", "x", "1"));
    EXPECT_EQ(bytes(m_folder.read("voll/Cd.ini")), bytes(Old));
    EXPECT_EQ(file.read("DB", "DB Name0"), "filme");
    EXPECT_EQ(filesWithoutLocks(m_mount), QStringList({"Cd.ini", "Füller"}));

    ASSERT_TRUE(QFile::remove(m_mount + "/Füller"));
    EXPECT_TRUE(file.write("DB", "DB Name0", "musik"));
    EXPECT_EQ(file.read("DB", "DB Name0"), "musik");
}

// A file-size limit makes the write fail after `limit` bytes, as a full disk does. The
// write adds 319 bytes: "\r\n[Design]\r\nBild=" and 300 characters and a line end.
struct Cut {
    const char* name;
    rlim_t limit;
};

void PrintTo(const Cut& c, std::ostream* os) { *os << c.name; }

class FailingWrite : public testing::TestWithParam<Cut> {};

TEST_P(FailingWrite, LeavesTheOldFileWhole)
{
    TempFolder folder;
    const QString path = folder.write("Cd.ini", Old);
    const QString value(300, QLatin1Char('v'));
    const int status = waitChild(startChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = GetParam().limit;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 2;
        return IniFile(path).write("Design", "Bild", value) ? 1 : 0;
    }));
    EXPECT_EQ(status, 0) << "0: the write reported its failure";
    EXPECT_EQ(bytes(folder.read("Cd.ini")), bytes(Old));
    EXPECT_EQ(filesWithoutLocks(folder.path()), QStringList{"Cd.ini"});
}

INSTANTIATE_TEST_SUITE_P(IniWrite, FailingWrite,
                         testing::Values(Cut{"NothingWritten", 0}, Cut{"FirstByte", 1},
                                         Cut{"AsLongAsTheOldFile", rlim_t(Old.size())},
                                         Cut{"LastByteMissing", rlim_t(Old.size()) + 318}),
                         [](const testing::TestParamInfo<Cut>& c) { return std::string(c.param.name); });

TEST(IniWrite, TwoProgramsWritingDisjointKeysLoseNone)
{
    TempFolder folder;
    const QString path = folder.write("Cd.ini", Old);
    constexpr int Keys = 100;
    const auto key = [](int writer, int i) { return QStringLiteral("Schreiber%1 Nr%2").arg(writer).arg(i); };
    const auto section = [](int i) { return i % 3 == 0 ? QStringLiteral("DB") : QStringLiteral("Neu%1").arg(i % 3); };
    const auto writer = [&](int n) {
        const IniFile file(path);
        int failed = 0;
        for (int i = 0; i < Keys; ++i)
            failed += file.write(section(i), key(n, i), QString::number(i)) ? 0 : 1;
        return std::min(failed, 100);
    };
    const pid_t first = startChild([&] { return writer(1); });
    const pid_t second = startChild([&] { return writer(2); });
    EXPECT_EQ(waitChild(first), 0);
    EXPECT_EQ(waitChild(second), 0);

    const IniFile file(path);
    QStringList lost;
    for (int n = 1; n <= 2; ++n) {
        for (int i = 0; i < Keys; ++i) {
            if (file.read(section(i), key(n, i)) != QString::number(i))
                lost << key(n, i);
        }
    }
    EXPECT_EQ(lost, QStringList{});
    EXPECT_EQ(file.read("DB", "DB Name0"), "filme");
    EXPECT_EQ(filesWithoutLocks(folder.path()), QStringList{"Cd.ini"});
}

}  // namespace
