// The program jetimport on damaged Windows catalogues, as both programs run
// it: where libmdb crashed (a file cut at a page boundary near its end, a
// catalog whose page map points to a row that is not there) and every other
// damage the reader knows, it ends with status 1 and the German reason on its
// last line of standard error, and leaves nothing beside the target.
#include "tests/support/JetSchaden.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

const QString Programm = QStringLiteral(RDX_PROGRAM_DIR "/jetimport");

class JetimportBeschaedigt : public testing::TestWithParam<jettest::Schaden> {};

TEST_P(JetimportBeschaedigt, EndetMitDemGrundStattAbzustuerzen)
{
    TempFolder ordner;
    const QString quelle = ordner.file(QStringLiteral("filme.jet.mdb"));
    GetParam().anlegen(quelle);
    QProcess p;
    p.start(Programm, {quelle, ordner.file(QStringLiteral("filme.mdb"))});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    // libmdb writes its own lines before; the cause is the last.
    const QStringList zeilen = QString::fromUtf8(p.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(zeilen.isEmpty());
    EXPECT_TRUE(zeilen.last().startsWith(QStringLiteral("Sie ist beschädigt: "))) << zeilen.last().toStdString();
    EXPECT_TRUE(zeilen.last().contains(QString::fromUtf8(GetParam().grund))) << zeilen.last().toStdString();
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{QStringLiteral("filme.jet.mdb")});
}

INSTANTIATE_TEST_SUITE_P(Jet, JetimportBeschaedigt, testing::ValuesIn(jettest::schaeden()),
                         [](const testing::TestParamInfo<jettest::Schaden>& i) { return std::string(i.param.name); });

}  // namespace
