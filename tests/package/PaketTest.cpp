// The Debian package as a distribution checks it: hardened executables
// (hardening-check), the same bytes from every run over one build, and
// manuals that say what the commands answer.
#include "tests/support/TempFolder.h"

#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimeZone>
#include <gtest/gtest.h>

using testing_support::fileBytes;
using testing_support::TempFolder;

namespace {

struct Lauf {
    int status = -1;
    QString out;
    QString err;
};

Lauf laufen(const QString& program, const QStringList& arguments, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
            int ms = 60000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    Lauf l;
    if (!p.waitForFinished(ms) || p.exitStatus() != QProcess::NormalExit)
        return l;
    l.status = p.exitCode();
    l.out = QString::fromUtf8(p.readAllStandardOutput());
    l.err = QString::fromUtf8(p.readAllStandardError());
    return l;
}

const char* const Programme[] = {"Rondavex", "tools", "jetimport"};

}  // namespace

TEST(Package, EveryExecutableIsHardenedAsDebianBuildsItsPackages)
{
#ifdef RDX_UNGEHAERTET
    GTEST_SKIP() << "the sanitizer build is not hardened";
#endif
    ASSERT_FALSE(QStandardPaths::findExecutable("hardening-check").isEmpty()) << "devscripts is not installed";
    TempFolder root;
    ASSERT_EQ(laufen("dpkg-deb", {"-x", RDX_DEB, root.path()}).status, 0);
    for (const char* name : Programme) {
        const QString program = root.file(QStringLiteral("usr/lib/rondavex/") + name);
        ASSERT_TRUE(QFileInfo::exists(program)) << name;
        // Control flow protection needs C runtime objects that Debian 12 does
        // not build with it; every other check must pass.
        const Lauf check = laufen("hardening-check", {"--nocfprotection", program});
        EXPECT_EQ(check.status, 0) << check.out.toStdString() << check.err.toStdString();
        for (const char* feature : {"Position Independent Executable: yes", "Stack protected: yes",
                                    "Fortify Source functions: yes", "Read-only relocations: yes",
                                    "Immediate binding: yes"})
            EXPECT_TRUE(check.out.contains(feature)) << name << ": " << check.out.toStdString();
    }
}

TEST(Package, TwoRunsOverOneBuildGiveTheSameBytesWithTheLastCommitsTime)
{
    TempFolder out;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("SOURCE_DATE_EPOCH");
    const Lauf cpack = laufen(RDX_CPACK, {"-G", "DEB", "--config", RDX_BINARY_DIR "/CPackConfig.cmake", "-B", out.path()},
                              env, 600000);
    ASSERT_EQ(cpack.status, 0) << cpack.out.toStdString() << cpack.err.toStdString();
    const QString again = out.file(QFileInfo(RDX_DEB).fileName());
    ASSERT_TRUE(QFileInfo::exists(again));
    EXPECT_TRUE(fileBytes(again) == fileBytes(RDX_DEB)) << "the two packages differ";

    // Every entry of both archives carries that time.
    env.insert("TZ", "UTC");
    const QString time = QDateTime::fromSecsSinceEpoch(RDX_SOURCE_DATE_EPOCH, QTimeZone::utc()).toString("yyyy-MM-dd HH:mm");
    for (const char* part : {"--contents", "--ctrl-tarfile"}) {
        QString listing;
        if (QByteArray(part) == "--contents") {
            listing = laufen("dpkg-deb", {part, RDX_DEB}, env).out;
        } else {
            // The control archive, listed by tar.
            listing = laufen("sh", {"-c", QStringLiteral("dpkg-deb --ctrl-tarfile '%1' | tar -tv --full-time").arg(RDX_DEB)}, env).out;
        }
        const QStringList lines = listing.split('\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty()) << part;
        for (const QString& line : lines)
            EXPECT_TRUE(line.contains(time)) << part << ": " << line.toStdString() << " (" << time.toStdString() << ")";
    }
}

namespace {

struct Handbuch {
    const char* name;
    const char* page;
    const char* program;
};

class Handbuchseite : public ::testing::TestWithParam<Handbuch> {};

// The manual as `man` shows it, without any markup.
QString alsText(const QString& page)
{
    return laufen("groff", {"-t", "-man", "-Tascii", "-P-cbou", page}).out;
}

}  // namespace

TEST_P(Handbuchseite, NamesTheUsageThatTheCommandPrintsAndEachOfItsOptions)
{
    const QString text = alsText(RDX_BINARY_DIR "/package/" + QString(GetParam().page));
    ASSERT_FALSE(text.isEmpty());
    const Lauf hilfe = laufen(RDX_PROGRAM_DIR "/" + QString(GetParam().program), {"--help"});
    ASSERT_EQ(hilfe.status, 0);
    const QString aufruf = hilfe.out.section('\n', 0, 0);
    ASSERT_TRUE(aufruf.startsWith("Aufruf: ")) << aufruf.toStdString();
    const QString synopsis = QRegularExpression("SYNOPSIS\\n\\s+(.*)\\n").match(text).captured(1).trimmed();
    EXPECT_EQ(synopsis, aufruf.mid(8)) << text.toStdString();
    const QString optionen = QRegularExpression("OPTIONS\\n(.*?)\\n[A-Z]", QRegularExpression::DotMatchesEverythingOption)
                                 .match(text)
                                 .captured(1);
    for (const char* option : {"--help", "--version"})
        EXPECT_TRUE(QRegularExpression(QStringLiteral("\\n\\s+%1\\s").arg(option)).match(optionen).hasMatch())
            << option << " in:\n" << optionen.toStdString();
    EXPECT_TRUE(optionen.contains("status 2")) << optionen.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Befehle, Handbuchseite,
                         ::testing::Values(Handbuch{"Rondavex", "rondavex.1", "Rondavex"},
                                           Handbuch{"Tools", "rondavex-tools.1", "tools"}),
                         [](const ::testing::TestParamInfo<Handbuch>& i) { return std::string(i.param.name); });
