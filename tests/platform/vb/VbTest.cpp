#include "platform/vb/VbLike.h"
#include "platform/vb/VbRuntime.h"
#include "tests/support/ZweistelligeJahre.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <cmath>
#include <limits>

using vb::LikeCase;

namespace {

struct LikeCaseRow {
    const char* text;
    const char* pattern;
    LikeCase mode;
    bool expected;
};

}  // namespace

TEST(VbLike, MatchesTheWildcardsOfVbAndTheEngine)
{
    const LikeCaseRow rows[] = {
        {"Matrix", "Matrix", LikeCase::Sensitive, true},
        {"Matrix", "matrix", LikeCase::Sensitive, false},
        {"Matrix", "matrix", LikeCase::Insensitive, true},
        {"AABB", "*ab*", LikeCase::Insensitive, true},
        {"AABB", "*ab*", LikeCase::Sensitive, false},
        {"", "*", LikeCase::Sensitive, true},
        {"", "?", LikeCase::Sensitive, false},
        {"abc", "a?c", LikeCase::Sensitive, true},
        {"ac", "a?c", LikeCase::Sensitive, false},
        {"Film 31", "Film #1", LikeCase::Sensitive, true},
        {"Film x1", "Film #1", LikeCase::Sensitive, false},
        {"0", "#", LikeCase::Sensitive, true},
        {"9", "#", LikeCase::Sensitive, true},
        {"/", "#", LikeCase::Sensitive, false},  // the neighbours of "0" and "9"
        {":", "#", LikeCase::Sensitive, false},
        {"b", "[a-c]", LikeCase::Sensitive, true},
        {"d", "[a-c]", LikeCase::Sensitive, false},
        {"B", "[a-c]", LikeCase::Sensitive, false},
        {"B", "[a-c]", LikeCase::Insensitive, true},
        {"dvd", "[!a-c]*", LikeCase::Sensitive, true},
        {"cd", "[!a-c]*", LikeCase::Sensitive, false},
        {"x", "[axz]", LikeCase::Sensitive, true},
        {"-", "[a-]", LikeCase::Sensitive, true},
        {"*", "[*]", LikeCase::Sensitive, true},
        {"a", "[*]", LikeCase::Sensitive, false},
        {"[", "[[]", LikeCase::Sensitive, true},
        {"a]", "a]", LikeCase::Sensitive, true},
        {"ab", "a[]b", LikeCase::Sensitive, true},
        {"50%", "50%", LikeCase::Sensitive, true},
        {"50x", "50%", LikeCase::Sensitive, false},
        {"a_b", "a_b", LikeCase::Insensitive, true},
        {"axb", "a_b", LikeCase::Insensitive, false},
        {"ärger", "Ä*", LikeCase::Insensitive, true},
        {"ärger", "Ä*", LikeCase::Sensitive, false},
        {"ÄRGER IM PARADIES", "*ärger im*", LikeCase::Insensitive, true},
        {"Straße", "STRASSE", LikeCase::Insensitive, false},
        {"Straße", "STRAẞE", LikeCase::Insensitive, true},
        {"Ö", "[ä-ü]", LikeCase::Insensitive, true},
        {"abcabd", "*abd", LikeCase::Sensitive, true},
        {"abcab", "*abd", LikeCase::Sensitive, false},
        {"Terminator 2", "*#", LikeCase::Sensitive, true},
        {"😀x", "?x", LikeCase::Sensitive, true},
    };
    for (const LikeCaseRow& row : rows)
        EXPECT_EQ(vb::like(QString::fromUtf8(row.text), QString::fromUtf8(row.pattern), row.mode), row.expected)
            << row.text << " like " << row.pattern << (row.mode == LikeCase::Insensitive ? " (insensitive)" : "");
}

TEST(VbLike, AnUnclosedOrBackwardListIsNoPattern)
{
    for (const char* pattern : {"[a-b", "abc[", "[!", "*[x*", "[z-a]"})
        EXPECT_THROW(vb::like(u"a", QString::fromUtf8(pattern)), vb::PatternError) << pattern;
}

TEST(VbLike, ManyStarsStayFast)
{
    const QString text = QString(5000, QLatin1Char('a'));
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(vb::like(text, u"*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(vb::like(text + QLatin1Char('b'), u"*a*a*a*a*a*a*a*a*b"));
    EXPECT_LT(timer.elapsed(), 500);
}

TEST(VbRuntime, FixedStringPadsOrCuts)
{
    EXPECT_EQ(vb::fixedString(QStringLiteral("Matrix"), 10), QStringLiteral("Matrix    "));
    EXPECT_EQ(vb::fixedString(QStringLiteral("Matrix Reloaded"), 6), QStringLiteral("Matrix"));
    EXPECT_EQ(vb::fixedString(QString(), 3), QStringLiteral("   "));
    EXPECT_EQ(vb::fixedString(QStringLiteral("Matrix"), 100).size(), 100);
}

TEST(VbRuntime, NumbersAsAGermanSystemWritesThem)
{
    const struct {
        double value;
        const char* cstr;
        const char* twoDecimals;
    } rows[] = {
        {2, "2", "2,00"},
        {2.5, "2,5", "2,50"},
        {0, "0", ",00"},
        {-0.0, "0", ",00"},
        {0.5, "0,5", ",50"},
        {-0.25, "-0,25", "-,25"},
        {0.1 + 0.2, "0,3", ",30"},
        {1234.5, "1234,5", "1234,50"},
        {12.345, "12,345", "12,35"},
        {2.125, "2,125", "2,13"},
        {0.995, "0,995", "1,00"},
        {0.004, "0,004", ",00"},
        {4.1, "4,1", "4,10"},
        {18.2, "18,2", "18,20"},
        {123456789012345.0, "123456789012345", "123456789012345,00"},
        {1e15, "1E+15", "1000000000000000,00"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(vb::cstr(row.value), QString::fromUtf8(row.cstr)) << row.value;
        EXPECT_EQ(vb::formatTwoDecimals(row.value), QString::fromUtf8(row.twoDecimals)) << row.value;
    }
}

TEST(VbRuntime, CdblReadsGermanNumberTexts)
{
    const struct {
        const char* text;
        std::optional<double> expected;
    } rows[] = {
        {"2,5", 2.5},
        {"1.234,5", 1234.5},
        {" 4,7 ", 4.7},
        {"4700", 4700},
        {"-0,25", -0.25},
        {",5", 0.5},
        {"+3", 3},
        {"2,5E2", 250},
        {"1.5", 15},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1,2,3", std::nullopt},
        {"4,7 MB", std::nullopt},
        {"2E", std::nullopt},
    };
    for (const auto& row : rows) {
        const std::optional<double> got = vb::cdbl(QString::fromUtf8(row.text));
        ASSERT_EQ(got.has_value(), row.expected.has_value()) << row.text;
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *row.expected) << row.text;
        }
    }
}

struct ValFall {
    const char* name;
    const char* text;
    double wert;
};

class VbVal : public ::testing::TestWithParam<ValFall> {};

TEST_P(VbVal, ReadsTheLongestNumberAfterLeadingBlanks)
{
    EXPECT_EQ(vb::val(QString::fromUtf8(GetParam().text)), GetParam().wert);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, VbVal,
    ::testing::Values(ValFall{"SizeLabel", " 4483", 4483}, ValFall{"Plain", "1403", 1403},
                      ValFall{"PointIsTheDecimalPoint", "3.25", 3.25}, ValFall{"CommaEndsTheNumber", "1,5", 1},
                      ValFall{"TrailingText", "12 MB", 12}, ValFall{"Sign", "  -7x", -7},
                      ValFall{"LeadingPoint", ".5", 0.5}, ValFall{"Exponent", "1e3", 1000},
                      ValFall{"ExponentWithoutDigits", "2e", 2}, ValFall{"NoNumber", "abc", 0},
                      ValFall{"Empty", "", 0}, ValFall{"OnlyASign", "-", 0}, ValFall{"OnlyAPoint", " .", 0}),
    [](const auto& fall) { return std::string(fall.param.name); });

TEST(VbRuntime, WholeNumbersRoundHalvesToEven)
{
    const std::pair<double, long long> rows[] = {{2.5, 2},    {3.5, 4},  {-2.5, -2}, {-3.5, -4},
                                                 {2.4999, 2}, {2.51, 3}, {0.5, 0},   {1.5, 2}};
    for (const auto& [value, expected] : rows)
        EXPECT_EQ(vb::roundHalfEven(value), expected) << value;
}

TEST(VbRuntime, AWholeNumberOutOfRangeIsNoNumber)
{
    // A cast of such a double would be undefined; VB raises an overflow.
    const double huge = 9223372036854775808.0;  // 2^63
    EXPECT_EQ(vb::roundHalfEven(1e300), std::nullopt);
    EXPECT_EQ(vb::roundHalfEven(-1e300), std::nullopt);
    EXPECT_EQ(vb::roundHalfEven(huge), std::nullopt);
    EXPECT_EQ(vb::roundHalfEven(-huge), std::numeric_limits<long long>::min());
    EXPECT_EQ(vb::roundHalfEven(std::nextafter(huge, 0.0)), 9223372036854774784LL);
    EXPECT_EQ(vb::roundHalfEven(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(vb::roundHalfEven(std::numeric_limits<double>::quiet_NaN()), std::nullopt);

    const std::pair<double, std::optional<qint32>> rows[] = {
        {2147483647.0, 2147483647},  {2147483647.4, 2147483647}, {2147483647.5, std::nullopt},
        {2147483648.0, std::nullopt}, {-2147483648.0, -2147483648}, {-2147483648.5, -2147483648},
        {-2147483648.6, std::nullopt}, {2.5, 2},                    {-3.5, -4},
        {1e300, std::nullopt},
    };
    for (const auto& [value, expected] : rows)
        EXPECT_EQ(vb::clng(value), expected) << value;
}

TEST(VbRuntime, DatesAsDayMonthYear)
{
    EXPECT_EQ(vb::dateText(QDate(2026, 12, 9)), QStringLiteral("09.12.2026"));
    EXPECT_EQ(vb::dateText(QDate()), QString());

    const struct {
        const char* text;
        QDate expected;
    } rows[] = {
        {"09.12.2026", QDate(2026, 12, 9)},
        {"9.1.2026", QDate(2026, 1, 9)},
        {"29.02.2024", QDate(2024, 2, 29)},
        {"31.02.2024", QDate()},
        {"29.02.2023", QDate()},
        {"1.1.26", QDate(2026, 1, 1)},
        {"01.9.26", QDate(2026, 9, 1)},
        {"1.09.2026", QDate(2026, 9, 1)},
        {"1.1.1930", QDate(1930, 1, 1)},
        {"31.12.2099", QDate(2099, 12, 31)},
        {"31.02.26", QDate()},
        {"1.9.026", QDate()},
        {"1.9.20260", QDate()},
        {"1.9.", QDate()},
        {"001.9.2026", QDate()},
        {"gestern", QDate()},
        {"2026-12-09", QDate()},
        {"1/9/26", QDate()},
        {" 09.12.2026", QDate()},
        {"09.12.2026x", QDate()},
        {"", QDate()},
        {"00.12.2026", QDate()},
        {"09.13.2026", QDate()},
    };
    for (const auto& row : rows)
        EXPECT_EQ(vb::parseDateText(QString::fromUtf8(row.text)), row.expected) << row.text;
}

// A two-digit year as the Windows program read it: 00-29 in this century,
// 30-99 in the last; four digits are taken as they stand.
class ZweistelligesJahr : public ::testing::TestWithParam<testing_support::Zweistellig> {};

TEST_P(ZweistelligesJahr, LiegtImFensterVon1930Bis2029)
{
    const testing_support::Zweistellig& fall = GetParam();
    EXPECT_EQ(vb::parseDateText(QString::fromUtf8(fall.text)), fall.tag);
    const QString vierstellig = QString::fromUtf8(fall.text).chopped(2) + QString::number(fall.tag.year() + 100);
    EXPECT_EQ(vb::parseDateText(vierstellig), fall.tag.addYears(100)) << "a four-digit year is no window";
}

INSTANTIATE_TEST_SUITE_P(Grenzen, ZweistelligesJahr, ::testing::ValuesIn(testing_support::ZweistelligeJahre),
                         [](const auto& fall) { return testing_support::zweistelligName(fall.param); });

struct Zeilenfall {
    const char* name;
    QString text;
    QString eineZeile;
    QString mitTabs;  // with the tabs kept
};

class VbEineZeile : public ::testing::TestWithParam<Zeilenfall> {};

TEST_P(VbEineZeile, EveryLineBreakAndControlBecomesOneBlank)
{
    const Zeilenfall& fall = GetParam();
    EXPECT_EQ(vb::singleLine(fall.text), fall.eineZeile);
    EXPECT_EQ(vb::singleLine(fall.text, true), fall.mitTabs);

    QByteArray bytes("vorne;");
    vb::appendSingleLine(bytes, fall.text.toUtf8());
    EXPECT_EQ(bytes, "vorne;" + fall.eineZeile.toUtf8()) << "the same on UTF-8";
    EXPECT_EQ(vb::isSingleLine(fall.text.toUtf8()), fall.text == fall.eineZeile);
}

INSTANTIATE_TEST_SUITE_P(
    Texte, VbEineZeile,
    ::testing::Values(
        Zeilenfall{"Pasted", QStringLiteral("Zeile1\nZeile2\t\a\u2026"), QStringLiteral("Zeile1 Zeile2  \u2026"),
                   QStringLiteral("Zeile1 Zeile2\t \u2026")},
        Zeilenfall{"CrLfIsOneBreak", QStringLiteral("a\r\nb\n\rc\rd"), QStringLiteral("a b  c d"),
                   QStringLiteral("a b  c d")},
        Zeilenfall{"CrLfAtTheEnd", QStringLiteral("a\r\n"), QStringLiteral("a "), QStringLiteral("a ")},
        Zeilenfall{"NulDelAndC1", QStringLiteral("a") + QChar(0) + QStringLiteral("b\x7F\u0085\u009Fc"),
                   QStringLiteral("a b   c"), QStringLiteral("a b   c")},
        Zeilenfall{"UnicodeLineBreaks", QStringLiteral("a\u2028b\u2029c"), QStringLiteral("a b c"),
                   QStringLiteral("a b c")},
        Zeilenfall{"PrintableKept", QStringLiteral("\u00C4rger \u00A0\u00FF\u0100\u20AC \U0001F600 \u200D"),
                   QStringLiteral("\u00C4rger \u00A0\u00FF\u0100\u20AC \U0001F600 \u200D"),
                   QStringLiteral("\u00C4rger \u00A0\u00FF\u0100\u20AC \U0001F600 \u200D")},
        Zeilenfall{"Empty", QString(), QString(), QString()}),
    [](const auto& fall) { return std::string(fall.param.name); });

TEST(VbRuntime, TwipsToPixels)
{
    EXPECT_EQ(vb::twipsToPixels(2520), 168);
    EXPECT_EQ(vb::twipsToPixels(15), 1);
    EXPECT_EQ(vb::twipsToPixels(7), 0);
    EXPECT_EQ(vb::twipsToPixels(8), 1);
    EXPECT_EQ(vb::twipsToPixels(1440, 120.0), 120);
}
