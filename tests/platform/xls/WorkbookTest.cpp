#include "platform/xls/CompoundFile.h"
#include "platform/xls/Workbook.h"
#include "tests/platform/xls/XlsLeser.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>
#include <string>
#include <vector>

#include <sys/mount.h>

using namespace xls;
using testing_support::TempFolder;
using testing_support::freexlLesen;
using testing_support::XlsMappe;
using testing_support::xlsLesen;

namespace {

void addRow(Workbook& book, const QVariantList& values)
{
    book.addRow(std::span<const QVariant>(values.constData(), size_t(values.size())));
}

// Reads the file cell by cell through libfreexl; fails the test on a refusal.
// libfreexl follows a shared string over one CONTINUE record only, so a text
// of more than about 8,000 characters is read back through xlrd instead.
XlsMappe readBack(const QString& path)
{
    XlsMappe mappe = freexlLesen(path);
    EXPECT_TRUE(mappe.gelesen) << mappe.fehler.toStdString();
    EXPECT_EQ(mappe.biff, 80);
    return mappe;
}

// The same workbook through python3-xlrd, which checks the compound file's
// chains and the sheets' records more strictly and complains about any slip.
void xlrdSiehtDasselbe(const QString& path, const XlsMappe& freexl)
{
    const XlsMappe mappe = xlsLesen(path);
    ASSERT_TRUE(mappe.gelesen) << mappe.fehler.toStdString();
    EXPECT_EQ(mappe.warnungen, QString());
    EXPECT_EQ(mappe.biff, 80);
    EXPECT_TRUE(mappe.blaetter == freexl.blaetter);
}

QString repeated(const QString& piece, int length)
{
    QString s;
    while (s.size() < length)
        s += piece;
    s.truncate(length);
    return s;
}

}  // namespace

TEST(Workbook, CellsReadBackAsTheyWereGiven)
{
    TempFolder folder;
    Workbook book(QStringLiteral("cds"), {QStringLiteral("Titel"), QStringLiteral("Anzahl"), QStringLiteral("Qualität"),
                                          QStringLiteral("Datum"), QStringLiteral("Size")});
    addRow(book, {QStringLiteral("Ärger im Öl-Fluß"), 2.0, QStringLiteral("1"), QDate(2024, 3, 5), QStringLiteral("4700")});
    addRow(book, {QStringLiteral("Żółć – Кино 🎬"), 4.75, QVariant(), QVariant(), QString()});
    addRow(book, {QVariant(), -3, QStringLiteral("a;b'c\"d"), QDate(1900, 3, 1), qlonglong(1) << 40});
    addRow(book, {QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    addRow(book, {QStringLiteral("Ärger im Öl-Fluß"), true, QByteArray("bytes"), QVariant(), QStringLiteral("x"),
                  QStringLiteral("past the header: dropped")});
    addRow(book, {QStringLiteral("Ärger im Öl-Fluß"), true, QByteArray("bytes"), QVariant(), QStringLiteral("x")});
    const QString t300 = repeated(QStringLiteral("Кино "), 300), t8000 = repeated(QStringLiteral("Öl äß "), 8000);
    addRow(book, {t300, 0.1, t8000, QDate(2000, 2, 29), QStringLiteral("Кириллица")});
    ASSERT_TRUE(book.save(folder.file(QStringLiteral("CDs.xls"))));

    const XlsMappe m = readBack(folder.file(QStringLiteral("CDs.xls")));
    ASSERT_EQ(m.blaetter.size(), 1u);
    EXPECT_EQ(m.blaetter[0].name, QStringLiteral("cds"));
    const std::vector<QStringList> expected = {
        {"s:Titel", "s:Anzahl", "s:Qualität", "s:Datum", "s:Size"},
        {"s:Ärger im Öl-Fluß", "n:2", "s:1", "d:05.03.2024", "s:4700"},
        {"s:Żółć – Кино 🎬", "n:4.75", "", "", ""},
        {"", "n:-3", "s:a;b'c\"d", "d:01.03.1900", "n:1099511627776"},
        {"", "", "", "", ""},
        {"s:Ärger im Öl-Fluß", "n:1", "s:bytes", "", "s:x"},
        {"s:Ärger im Öl-Fluß", "n:1", "s:bytes", "", "s:x"},
        {"s:" + t300, "n:0.1", "s:" + t8000, "d:29.02.2000", "s:Кириллица"},
    };
    EXPECT_EQ(m.blaetter[0].zeilen, expected);
}

TEST(Workbook, HeaderOnlyWhenThereAreNoRows)
{
    TempFolder folder;
    Workbook book(QStringLiteral("cds"), {QStringLiteral("Titel"), QStringLiteral("Wer")});
    ASSERT_TRUE(book.save(folder.file(QStringLiteral("leer.xls"))));
    // A stream under the mini-stream cutoff is padded into regular sectors.
    EXPECT_EQ(QFileInfo(folder.file(QStringLiteral("leer.xls"))).size(), qint64(compoundLayout(0).fileSize()));

    const XlsMappe m = readBack(folder.file(QStringLiteral("leer.xls")));
    ASSERT_EQ(m.blaetter.size(), 1u);
    EXPECT_EQ(m.blaetter[0].zeilen, (std::vector<QStringList>{{"s:Titel", "s:Wer"}}));
}

// Shared strings run over many records: strings split at every kind of place,
// narrow and wide, and texts longer than a cell holds.
TEST(Workbook, LongTextsContinueAcrossRecordsAndAreCutToTheCellLimit)
{
    TempFolder folder;
    Workbook book(QStringLiteral("cds"), {QStringLiteral("Nr"), QStringLiteral("Info")});
    QStringList texts;
    for (int i = 0; i < 700; ++i) {
        const QString piece = i % 3 == 0 ? QStringLiteral("Größe ") : i % 3 == 1 ? QStringLiteral("Łódź ") : QStringLiteral("abc ");
        texts << QString::number(i) + repeated(piece, (i * 37) % 4100 + 1);
    }
    texts << repeated(QStringLiteral("ü"), 20000) << repeated(QStringLiteral("ж"), 20000)
          << repeated(QStringLiteral("x"), 40000) << repeated(QStringLiteral("ψ"), 32766) + QStringLiteral("🎬");
    for (int i = 0; i < texts.size(); ++i)
        addRow(book, {i, texts[i]});
    ASSERT_TRUE(book.save(folder.file(QStringLiteral("lang.xls"))));

    const XlsMappe m = xlsLesen(folder.file(QStringLiteral("lang.xls")));
    ASSERT_TRUE(m.gelesen) << m.fehler.toStdString();
    EXPECT_EQ(m.warnungen, QString());
    ASSERT_EQ(m.blaetter.size(), 1u);
    const auto& rows = m.blaetter[0].zeilen;
    ASSERT_EQ(rows.size(), size_t(texts.size() + 1));
    for (int i = 0; i < texts.size() - 2; ++i)
        ASSERT_EQ(rows[size_t(i + 1)][1], QStringLiteral("s:") + texts[i]) << "row " << i;
    EXPECT_EQ(rows[size_t(texts.size()) - 1][1], QStringLiteral("s:") + QString(Workbook::MaxTextLength, QLatin1Char('x')));
    // A cut never leaves half a surrogate pair behind.
    EXPECT_EQ(rows[size_t(texts.size())][1], QStringLiteral("s:") + repeated(QStringLiteral("ψ"), 32766));
}

TEST(Workbook, LargeSheetNeedsDifatSectorsAndReadsBackWhole)
{
    TempFolder folder;
    Workbook book(QStringLiteral("cds"), {QStringLiteral("Titel"), QStringLiteral("Anzahl"), QStringLiteral("Info")});
    const int n = 20000;
    const QString info = repeated(QStringLiteral("Eine längere Beschreibung mit Umlauten äöü und Ж. "), 400);
    for (int i = 0; i < n; ++i)
        addRow(book, {QStringLiteral("Titel %1").arg(i), i * 0.5, QString::number(i) + info});
    const QString path = folder.file(QStringLiteral("gross.xls"));
    ASSERT_TRUE(book.save(path));
    const qint64 size = QFileInfo(path).size();
    EXPECT_GT(compoundLayout(quint64(size)).difatSectors, 0u) << size;

    const XlsMappe m = readBack(path);
    xlrdSiehtDasselbe(path, m);
    ASSERT_EQ(m.blaetter.size(), 1u);
    const auto& rows = m.blaetter[0].zeilen;
    ASSERT_EQ(rows.size(), size_t(n + 1));
    for (int i = 0; i < n; ++i) {
        const QStringList expected = {QStringLiteral("s:Titel %1").arg(i),
                                      QStringLiteral("n:") + (i % 2 ? QString::number(i * 0.5) : QString::number(i / 2)),
                                      QStringLiteral("s:") + QString::number(i) + info};
        ASSERT_EQ(rows[size_t(i + 1)], expected) << "row " << i;
    }
}

TEST(Workbook, RowsBeyondASheetContinueOnNumberedSheetsWithTheHeader)
{
    TempFolder folder;
    Workbook book(QStringLiteral("cds"), {QStringLiteral("Nr")});
    const int n = 2 * (Workbook::RowsPerSheet - 1) + 3;
    for (int i = 0; i < n; ++i)
        addRow(book, {i});
    EXPECT_EQ(book.sheetNames(), (QStringList{"cds", "cds2", "cds3"}));
    ASSERT_TRUE(book.save(folder.file(QStringLiteral("viele.xls"))));

    const XlsMappe m = readBack(folder.file(QStringLiteral("viele.xls")));
    xlrdSiehtDasselbe(folder.file(QStringLiteral("viele.xls")), m);
    ASSERT_EQ(m.blaetter.size(), 3u);
    int next = 0;
    const std::vector<size_t> sizes = {size_t(Workbook::RowsPerSheet), size_t(Workbook::RowsPerSheet), 4};
    for (size_t s = 0; s < 3; ++s) {
        const auto& rows = m.blaetter[s].zeilen;
        EXPECT_EQ(m.blaetter[s].name, book.sheetNames()[qsizetype(s)]);
        ASSERT_EQ(rows.size(), sizes[s]);
        EXPECT_EQ(rows[0], QStringList{"s:Nr"});
        for (size_t r = 1; r < rows.size(); ++r, ++next)
            ASSERT_EQ(rows[r], QStringList{QStringLiteral("n:%1").arg(next)});
    }
    EXPECT_EQ(next, n);
}

TEST(Workbook, CompoundLayoutCoversEverySectorItUses)
{
    // Around the sizes where the FAT outgrows the header's 109 entries and a
    // DIFAT sector fills up.
    for (quint64 sectors : {1ULL, 8ULL, 9ULL, 126ULL, 127ULL, 13800ULL, 13843ULL, 13844ULL, 13900ULL, 30000ULL, 200000ULL}) {
        for (quint64 extra : {0ULL, 1ULL, 511ULL}) {
            const quint64 bytes = sectors * 512 - (extra ? 512 - extra : 0);
            const CompoundLayout l = compoundLayout(bytes);
            const quint64 used = quint64(l.streamSectors) + 1 + l.fatSectors + l.difatSectors;
            SCOPED_TRACE(testing::Message() << "stream " << bytes << " bytes");
            EXPECT_GE(quint64(l.streamSectors) * 512, std::max<quint64>(bytes, 4096));
            EXPECT_GE(quint64(l.fatSectors) * 128, used);
            EXPECT_LT(quint64(l.fatSectors - 1) * 128, used);  // no FAT sector to spare
            EXPECT_GE(109 + quint64(l.difatSectors) * 127, l.fatSectors);
            EXPECT_EQ(l.difatSectors == 0, l.fatSectors <= 109);
        }
    }
}

TEST(Workbook, FailedSaveLeavesThePreviousFileAndNoTemporary)
{
    TempFolder folder;
    Workbook book(QStringLiteral("cds"), {QStringLiteral("Titel")});
    addRow(book, {QStringLiteral("neu")});
    QString error;
    EXPECT_FALSE(book.save(folder.file(QStringLiteral("fehlt/CDs.xls")), &error));
    EXPECT_FALSE(error.isEmpty());
    // More columns than a sheet holds would lose some: refused, nothing written.
    QStringList columns;
    for (int c = 0; c <= Workbook::MaxColumns; ++c)
        columns << QStringLiteral("S%1").arg(c);
    error.clear();
    EXPECT_FALSE(Workbook(QStringLiteral("cds"), columns).save(folder.file(QStringLiteral("breit.xls")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("breit.xls"))));

    // A full disk: a small tmpfs holding an earlier workbook.
    const QString mountPoint = folder.file(QStringLiteral("klein"));
    QDir().mkpath(mountPoint);
    if (::mount("tmpfs", mountPoint.toUtf8().constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        QString path;
        ~Unmount() { ::umount2(path.toUtf8().constData(), MNT_DETACH); }
    } unmount{mountPoint};

    const QString path = mountPoint + QStringLiteral("/CDs.xls");
    Workbook small(QStringLiteral("cds"), {QStringLiteral("Titel")});
    addRow(small, {QStringLiteral("alt")});
    ASSERT_TRUE(small.save(path));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = old.readAll();
    old.close();

    Workbook big(QStringLiteral("cds"), {QStringLiteral("Titel")});
    for (int i = 0; i < 5000; ++i)
        addRow(big, {QStringLiteral("Titel Nummer %1 mit etwas Text").arg(i)});
    EXPECT_FALSE(big.save(path, &error));
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), oldBytes);
    EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files | QDir::Hidden), QStringList{"CDs.xls"});
    EXPECT_EQ(readBack(path).blaetter.at(0).zeilen, (std::vector<QStringList>{{"s:Titel"}, {"s:alt"}}));
}

namespace {

// The texts of one column, each its own shared string after the column name "T".
struct Textfall {
    std::string name;
    QStringList texte;
};

// The first record of the shared strings holds 8,224 bytes: its two counts
// (8), the column name (3 + 1) and a narrow filler string (3 + length) leave
// `frei` bytes for the header and the first character of the next string.
Textfall vorEinemRecordende(int frei, bool breit)
{
    const QString naechster = breit ? QStringLiteral("жя") : QStringLiteral("xy");
    return {"Room" + std::to_string(frei) + (breit ? "Wide" : "Narrow"),
            {repeated(QStringLiteral("a"), 8224 - 15 - frei), naechster, naechster + QStringLiteral("z")}};
}

std::vector<Textfall> textfaelle()
{
    std::vector<Textfall> faelle;
    for (int frei = 0; frei <= 6; ++frei)
        for (const bool breit : {false, true})
            faelle.push_back(vorEinemRecordende(frei, breit));
    // Each string fills the rest of its record, so that each one after the
    // first starts a CONTINUE record, every eighth of them a bucket of EXTSST.
    Textfall ganze{"EachStringStartsARecord", {repeated(QStringLiteral("a"), 8224 - 15)}};
    for (int i = 0; i < 20; ++i)
        ganze.texte << QString::number(i).rightJustified(2, QLatin1Char('0')) + repeated(QStringLiteral("b"), 8221 - 2);
    faelle.push_back(ganze);
    // More strings than 8 per bucket leaves EXTSST room for.
    Textfall viele{"ManyStrings", {}};
    for (int i = 0; i < 10000; ++i)
        viele.texte << (i % 2 ? QStringLiteral("Titel %1") : QStringLiteral("Кино %1")).arg(i);
    faelle.push_back(viele);
    Textfall gemischt{"MixedLengths", {}};
    for (int i = 0; i < 700; ++i) {
        const QString piece = i % 3 == 0 ? QStringLiteral("Größe ") : i % 3 == 1 ? QStringLiteral("Łódź ") : QStringLiteral("abc ");
        gemischt.texte << QString::number(i) + repeated(piece, (i * 37) % 4100 + 1);
    }
    faelle.push_back(gemischt);
    return faelle;
}

void PrintTo(const Textfall& fall, std::ostream* os)
{
    *os << fall.name;
}

class SharedStrings : public ::testing::TestWithParam<Textfall> {};

}  // namespace

// The lenient readers take a string whose header ends a record or a wrong
// EXTSST index; a stricter one (Excel) does not. The records are checked by
// the format's rules, the texts read back.
TEST_P(SharedStrings, KeepTheFormatsRulesAcrossRecords)
{
    TempFolder folder;
    Workbook book(QStringLiteral("cds"), {QStringLiteral("T")});
    for (const QString& text : GetParam().texte)
        addRow(book, {text});
    const QString path = folder.file(QStringLiteral("t.xls"));
    ASSERT_TRUE(book.save(path));
    EXPECT_EQ(testing_support::sstPruefen(path), QString());

    const XlsMappe m = xlsLesen(path);
    ASSERT_TRUE(m.gelesen) << m.fehler.toStdString();
    EXPECT_EQ(m.warnungen, QString());
    ASSERT_EQ(m.blaetter.size(), 1u);
    std::vector<QStringList> expected = {{"s:T"}};
    for (const QString& text : GetParam().texte)
        expected.push_back({QStringLiteral("s:") + text});
    EXPECT_TRUE(m.blaetter[0].zeilen == expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, SharedStrings, ::testing::ValuesIn(textfaelle()),
                         [](const testing::TestParamInfo<Textfall>& fall) { return fall.param.name; });

// Excel finds a string through EXTSST by its bucket size, which it computes
// from the number of distinct strings: a 128th of them plus one, at least 8.
// Around 8,192 strings and where 8 a bucket no longer fit one record, the
// strings read back and the index is the one Excel computes.
class ExtsstBuckets : public ::testing::TestWithParam<int> {};

TEST_P(ExtsstBuckets, HoldAsManyStringsAsExcelComputes)
{
    const int anzahl = GetParam();
    TempFolder folder;
    Workbook book(QStringLiteral("cds"), {QStringLiteral("T")});
    QStringList texte;
    for (int i = 0; i < anzahl - 1; ++i)  // the header is a distinct string too
        texte << (i % 3 ? QStringLiteral("Titel %1") : QStringLiteral("Кино %1")).arg(i);
    for (const QString& text : texte)
        addRow(book, {text});
    addRow(book, {texte.value(0)});  // a repeat adds no string
    const QString path = folder.file(QStringLiteral("t.xls"));
    ASSERT_TRUE(book.save(path));
    EXPECT_EQ(testing_support::sstPruefen(path), QString());

    const XlsMappe m = readBack(path);
    xlrdSiehtDasselbe(path, m);
    ASSERT_EQ(m.blaetter.size(), 1u);
    ASSERT_EQ(m.blaetter[0].zeilen.size(), size_t(anzahl) + 1);
    EXPECT_EQ(m.blaetter[0].zeilen[size_t(anzahl) - 1], QStringList{QStringLiteral("s:") + texte.last()});
    EXPECT_EQ(m.blaetter[0].zeilen.back(), QStringList{QStringLiteral("s:") + texte.first()});
}

INSTANTIATE_TEST_SUITE_P(Anzahlen, ExtsstBuckets,
                         ::testing::Values(1023, 1024, 8191, 8192, 8216, 8217, 8220, 8224, 8225),
                         [](const testing::TestParamInfo<int>& fall) { return "Strings" + std::to_string(fall.param); });

// A sheet has no number that is not finite: such a value is its text.
TEST(Workbook, NumbersWithoutAValueInASheetAreText)
{
    TempFolder folder;
    Workbook book(QStringLiteral("cds"), {QStringLiteral("Anzahl"), QStringLiteral("Size")});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    addRow(book, {nan, inf});
    addRow(book, {-inf, 1e308});
    book.beginRow();
    book.setNumber(0, nan);
    book.setNumber(1, -0.5);
    addRow(book, {QVariant(float(inf)), 2});
    const QString path = folder.file(QStringLiteral("t.xls"));
    ASSERT_TRUE(book.save(path));

    const XlsMappe m = readBack(path);
    xlrdSiehtDasselbe(path, m);
    ASSERT_EQ(m.blaetter.size(), 1u);
    const std::vector<QStringList> expected = {
        {"s:Anzahl", "s:Size"}, {"s:nan", "s:inf"}, {"s:-inf", "n:1e+308"}, {"s:nan", "n:-0.5"}, {"s:inf", "n:2"}};
    EXPECT_EQ(m.blaetter[0].zeilen, expected);
}
