// Neither windowed program may ever load libmdb, which is known to crash on
// damaged files: only the child program jetimport reads Jet files.
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>

namespace {

// Every shared library the loader brings in for the executable, as ldd lists them.
QString geladeneBibliotheken(const QString& programm)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {programm});
    if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0)
        return {};
    return QString::fromUtf8(ldd.readAllStandardOutput());
}

class OhneLibmdb : public testing::TestWithParam<const char*> {};

TEST_P(OhneLibmdb, LaedtKeineJetBibliothek)
{
    const QString liste = geladeneBibliotheken(QStringLiteral(RDX_PROGRAM_DIR "/") + QString::fromUtf8(GetParam()));
    ASSERT_TRUE(liste.contains(QStringLiteral("libQt6Core"))) << "ldd las nichts: " << liste.toStdString();
    EXPECT_FALSE(liste.contains(QStringLiteral("libmdb"))) << liste.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Programme, OhneLibmdb, testing::Values("Rondavex", "tools"),
                         [](const testing::TestParamInfo<const char*>& i) { return std::string(i.param); });

TEST(Jetimport, LiestJetDateienUeberLibmdb)
{
    // The check above would pass for any program that ldd cannot read: this one must show it.
    EXPECT_TRUE(geladeneBibliotheken(QStringLiteral(RDX_PROGRAM_DIR "/jetimport")).contains(QStringLiteral("libmdb.so")));
}

}  // namespace
