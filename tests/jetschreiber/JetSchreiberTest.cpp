#include "tests/jetschreiber/JetPruefung.h"
#include "tests/support/JetBytes.h"
#include "tests/support/JetSchreiber.h"
#include "tests/Quellordner.h"
#include "tests/support/TempFolder.h"

#include <QFile>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

using namespace jettest;
using testing_support::TempFolder;

namespace {

// Text of n characters with umlauts, "ß" and a Euro sign now and then.
QString langerText(int n, int seed = 0)
{
    static const QString teile[] = {QStringLiteral("Lorem ipsum "), QStringLiteral("Müller "), QStringLiteral("Straße "),
                                    QStringLiteral("\"Zitat\" "), QStringLiteral("5 € "), QStringLiteral("Zeile\r\n")};
    QString s;
    s.reserve(n + 16);
    for (int i = seed; s.size() < n; ++i)
        s += teile[i % 6];
    s.truncate(n);
    return s;
}

QByteArray dateiInhalt(const QString& pfad)
{
    QFile f(pfad);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

// Pages of the file that hold long values ("LVAL" where a data page names its table).
int lvalSeiten(const QByteArray& datei)
{
    int n = 0;
    for (qsizetype p = 0; p + 4096 <= datei.size(); p += 4096) {
        if (datei[p] == 0x01 && datei.mid(p + 4, 4) == "LVAL")
            ++n;
    }
    return n;
}

const double Kleinste = std::numeric_limits<double>::denorm_min();

std::vector<TabelleMitZeilen> alleTypen()
{
    Tabelle t{QStringLiteral("Alle"),
              {{QStringLiteral("Text"), Typ::Text, 50},
               {QStringLiteral("TextPlain"), Typ::Text, 50, false},
               {QStringLiteral("Memo"), Typ::Memo},
               {QStringLiteral("MemoPlain"), Typ::Memo, 0, false},
               {QStringLiteral("Long"), Typ::Long},
               {QStringLiteral("Integer"), Typ::Integer},
               {QStringLiteral("Byte"), Typ::Byte},
               {QStringLiteral("Double"), Typ::Double},
               {QStringLiteral("Datum"), Typ::Datum},
               {QStringLiteral("Ja"), Typ::Boolean}},
              {}};
    const QDate tag0(1899, 12, 30);
    std::vector<Zeile> z = {
        {"Müller", "Müller", "kurz", "kurz", 0, 0, 0, 0.0, tag0, false},
        {"Straße \"Zitat\" 'x'", "Strasse", "Zeile 1\r\nZeile 2\tTab \\ Ende", "Zeile 1\r\nZeile 2\tTab \\ Ende",
         qint64(std::numeric_limits<qint32>::min()), -32768, 255, -0.0, QDateTime(QDate(1899, 12, 29), QTime(6, 0)),
         true},
        {"Preis 5 € netto", "Ā und ĀĀ", langerText(1000), langerText(1000), qint64(std::numeric_limits<qint32>::max()),
         32767, 1, 0.1, QDateTime(QDate(1850, 6, 15), QTime(13, 45, 30)), true},
        {Wert(), Wert(), Wert(), Wert(), Wert(), Wert(), Wert(), Wert(), Wert(), Wert()},
        {"", "", "", "", -1, -1, 128, 1.0 / 3, QDate(100, 1, 1), false},
        {QString(50, QChar(0x20AC)), QString(50, u'x'), langerText(70000), langerText(70000, 3), 42, 7, 7,
         std::numeric_limits<double>::max(), QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)), true},
        {"Ä", "ä", langerText(100 * 1024, 1), "ß", 1, 1, 1, Kleinste, QDateTime(QDate(2021, 12, 2), QTime(12, 34, 56, 789)),
         true},
        {"Ölmühle", "\u00FF\u00FEnicht komprimiert", "\u00FF\u00FE am Anfang", "\u00FF\u00FE", 2, 2, 2, -2.5e-10,
         QDateTime(QDate(4637, 11, 26), QTime(0, 0)), false},
        {"  Blanks  ", "\t", "-", "0", 3, 3, 3, std::numeric_limits<double>::min(), QDate(4637, 11, 27), true},
        {"007", "-", "007", "\n", 4, 4, 4, 123456789.12345679, QDateTime(QDate(2000, 1, 1), QTime(18, 0)), false},
        {"x", "y", "z", "w", 5, 5, 5, 0.30000000000000004, Wert::jetTage(-0.25), true},
        {"a", "b", "c", "d", 6, 6, 6, -1.0e300, Wert::jetTage(36526.75), false},
        {"π ≈ 3,14", "Ελλάδα", "日本語のテキスト", "Ελλάδα", 7, 7, 7, std::numbers::pi, QDate(1900, 3, 1), true},
    };
    return {{t, z}};
}

// Memos just below and above the limits of their three places: in the row, in
// one long value row, on a chain of pages.
std::vector<TabelleMitZeilen> memoGrenzen()
{
    Tabelle t{QStringLiteral("Memos"),
              {{QStringLiteral("Nr"), Typ::Long},
               {QStringLiteral("Komprimiert"), Typ::Memo},
               {QStringLiteral("Plain"), Typ::Memo, 0, false}},
              {}};
    std::vector<Zeile> z;
    int nr = 0;
    // Compressed: 2 bytes FF FE and one a character; plain: two a character.
    for (int n : {0, 1, 2, 3, 127, 128, 129, 254, 255, 1024, 1025, 2039, 2040, 2041, 2042, 4076, 4077, 8152, 8153,
                  65535, 65536, 70000}) {
        z.push_back({nr++, QString(n, u'a'), QString(n, u'b')});
    }
    // Many long values of one size, so that they share long value pages.
    for (int i = 0; i < 40; ++i)
        z.push_back({nr++, langerText(300 + i, i), langerText(700 + i, i)});
    return {{t, z}};
}

std::vector<TabelleMitZeilen> vieleZeilen()
{
    Tabelle t{QStringLiteral("Viele"),
              {{QStringLiteral("Nr"), Typ::Long},
               {QStringLiteral("Titel"), Typ::Text, 100},
               {QStringLiteral("Info"), Typ::Memo},
               {QStringLiteral("Wert"), Typ::Double},
               {QStringLiteral("Tag"), Typ::Datum},
               {QStringLiteral("Klein"), Typ::Integer}},
              {{QStringLiteral("PrimaryKey"), {QStringLiteral("Nr")}, true, true}}};
    std::vector<Zeile> z;
    for (int i = 0; i < 4000; ++i) {
        z.push_back({i, QStringLiteral("Titel %1 Müller").arg(i),
                     i % 97 == 0 ? Wert(langerText(5000 + i, i)) : i % 13 == 0 ? Wert() : Wert(langerText(i % 50, i)),
                     i * 0.25 - 100, QDateTime(QDate(1990, 1, 1).addDays(i), QTime(i % 24, i % 60, 0)),
                     (i % 65536) - 32768});
    }
    return {{t, z}};
}

// Rows of over 1500 bytes, two a page, so that the table's pages are more than
// a map of 64 bytes covers, with long value pages between them.
std::vector<TabelleMitZeilen> breiteZeilen()
{
    Tabelle t{QStringLiteral("Breit"),
              {{QStringLiteral("A"), Typ::Text, 255, false},
               {QStringLiteral("B"), Typ::Text, 255, false},
               {QStringLiteral("C"), Typ::Text, 255, false},
               {QStringLiteral("M"), Typ::Memo}},
              {}};
    std::vector<Zeile> z;
    for (int i = 0; i < 1300; ++i) {
        const QString s = QStringLiteral("%1 ").arg(i).repeated(60).left(255);
        z.push_back({s, s, s, i % 50 == 0 ? Wert(langerText(3000, i)) : Wert("-")});
    }
    return {{t, z}};
}

std::vector<TabelleMitZeilen> indizes()
{
    Tabelle a{QStringLiteral("Filme"),
              {{QStringLiteral("Titel"), Typ::Text, 50}, {QStringLiteral("Wer"), Typ::Text, 50}},
              {{QStringLiteral("PrimaryKey"), {QStringLiteral("Titel")}, true, true},
               {QStringLiteral("Wer"), {QStringLiteral("Wer")}, false, false}}};
    Tabelle b{QStringLiteral("Unterordner"),
              {{QStringLiteral("Titel"), Typ::Text, 100},
               {QStringLiteral("Titel2"), Typ::Text, 100},
               {QStringLiteral("Anzahl"), Typ::Integer}},
              {{QStringLiteral("Titel2"), {QStringLiteral("Titel2")}, false, true},
               {QStringLiteral("Paar"), {QStringLiteral("Titel"), QStringLiteral("Anzahl")}, true, false}}};
    Tabelle c{QStringLiteral("Ohne"), {{QStringLiteral("X"), Typ::Long}}, {}};
    // Jet keeps "Muller" and "Müller" apart, and so does the unique index here.
    return {{a, {{"Müller", "-"}, {"Muller", "-"}, {"Straße", "Ich"}, {"Strasse", "Ich"}}},
            {b, {{"Müller", "CD1", 1}, {"Müller", "CD2", 2}}},
            {c, {{1}, {2}}}};
}

std::vector<TabelleMitZeilen> vieleTabellen()
{
    std::vector<TabelleMitZeilen> out;
    for (int i = 0; i < 60; ++i) {
        Tabelle t{QStringLiteral("Tabelle mit langem Namen Nummer %1").arg(i),
                  {{QStringLiteral("Nr"), Typ::Long}, {QStringLiteral("Name"), Typ::Text, 20}},
                  {}};
        out.push_back({t, {{i, QStringLiteral("Zeile %1").arg(i)}}});
    }
    return out;
}

// More columns than one definition page holds, so the null mask has many bytes.
std::vector<TabelleMitZeilen> vieleSpalten()
{
    Tabelle t{QStringLiteral("Spalten"), {}, {}};
    Zeile voll, leer, gemischt;
    for (int i = 0; i < 200; ++i) {
        const Typ typ = i % 3 == 0 ? Typ::Long : i % 3 == 1 ? Typ::Text : Typ::Boolean;
        t.spalten.push_back({QStringLiteral("Spalte mit einem langen Namen %1").arg(i), typ, typ == Typ::Text ? 10 : 0});
        const Wert w = typ == Typ::Long ? Wert(i) : typ == Typ::Text ? Wert(QString::number(i)) : Wert(true);
        voll.push_back(w);
        leer.push_back(Wert());
        gemischt.push_back(i % 2 ? w : Wert());
    }
    return {{t, {voll, leer, gemischt}}};
}

std::vector<TabelleMitZeilen> sonderformen()
{
    Tabelle fest{QStringLiteral("NurFest"), {{QStringLiteral("A"), Typ::Long}, {QStringLiteral("B"), Typ::Boolean}}, {}};
    Tabelle variabel{QStringLiteral("NurVariabel"), {{QStringLiteral("T"), Typ::Text, 10}, {QStringLiteral("M"), Typ::Memo}}, {}};
    Tabelle bool1{QStringLiteral("NurBoolean"), {{QStringLiteral("B"), Typ::Boolean}}, {}};
    Tabelle leer{QStringLiteral("Leer"), {{QStringLiteral("T"), Typ::Text, 10}}, {}};
    return {{fest, {{1, true}, {Wert(), false}, {3, Wert()}}},
            {variabel, {{"x", Wert()}, {Wert(), "y"}, {Wert(), Wert()}}},
            {bool1, {{true}, {false}, {true}}},
            {leer, {}}};
}

// Characters beyond the Basic Multilingual Plane (two UTF-16 units each) in
// Text and Memo, compressed and plain, memos in the row, on one long value row
// and on a chain; a pair whose low unit ends in a 0 byte keeps a text plain.
std::vector<TabelleMitZeilen> zeichen()
{
    const QString klappe = QStringLiteral("\U0001F3AC");
    Tabelle t{QStringLiteral("Zeichen"),
              {{QStringLiteral("Nr"), Typ::Long},
               {QStringLiteral("Text"), Typ::Text, 20},
               {QStringLiteral("TextPlain"), Typ::Text, 20, false},
               {QStringLiteral("Memo"), Typ::Memo},
               {QStringLiteral("MemoPlain"), Typ::Memo, 0, false}},
              {}};
    std::vector<Zeile> z;
    int nr = 0;
    for (int n : {1, 120, 1000, 2100, 9000}) {
        const QString memo = langerText(n, n) + klappe;
        z.push_back({nr++, QStringLiteral("Film ") + klappe, klappe + QStringLiteral("\U0001D11E"), memo, memo});
    }
    z.push_back({nr++, klappe.repeated(10),
                 QStringLiteral("\U0001F300"), QStringLiteral("ä\U0001F300"), klappe});
    return {{t, z}};
}

struct Fall {
    const char* name;
    std::function<std::vector<TabelleMitZeilen>()> inhalt;
    Optionen optionen = {};
};

const Fall Faelle[] = {
    {"AlleTypen", alleTypen},
    {"MemoGrenzen", memoGrenzen},
    {"MemosImmerAufLvalSeiten", memoGrenzen, Optionen{.memoInlineBis = 0}},
    {"VieleZeilen", vieleZeilen},
    {"BreiteZeilen", breiteZeilen},
    {"SeitenkartenAufEigenenSeiten", breiteZeilen, Optionen{.indirekteKarten = true}},
    {"Indizes", indizes},
    {"MitEigenschaften", indizes, Optionen{.eigenschaften = true}},
    {"VieleTabellen", vieleTabellen},
    {"VieleSpalten", vieleSpalten},
    {"Sonderformen", sonderformen},
    {"ZeichenAusserhalbDerBasisebene", zeichen},
    {"ZeichenAusserhalbDerBasisebeneAufLvalSeiten", zeichen, Optionen{.memoInlineBis = 0}},
};

class JetSchreiberGelesen : public testing::TestWithParam<Fall> {};

TEST_P(JetSchreiberGelesen, BeideLeserLesenJedenWertWieGeschrieben)
{
    JET_LESER_NOETIG();
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("probe.mdb"));
    const auto inhalt = GetParam().inhalt();
    schreiben(pfad, inhalt, GetParam().optionen);
    jetpruefung::erwarteGelesen(pfad, inhalt);
}

INSTANTIATE_TEST_SUITE_P(Jet, JetSchreiberGelesen, testing::ValuesIn(Faelle),
                         [](const testing::TestParamInfo<Fall>& i) { return std::string(i.param.name); });

TEST(JetSchreiber, SchreibtTextKomprimiertWoDieSpalteEsErlaubtUndEsKuerzerWird)
{
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("text.mdb"));
    schreiben(pfad, {{Tabelle{QStringLiteral("T"),
                              {{QStringLiteral("K"), Typ::Text, 50}, {QStringLiteral("U"), Typ::Text, 50, false}},
                              {}},
                      {{"Müller-Lüdenscheidt", "Ölmühle Süd"}, {"Preis 5 € netto", "Ā wird nie komprimiert"},
                       {"Ā im Text", "xy"}}}});
    const QByteArray datei = dateiInhalt(pfad);
    // One byte a character after FF FE; a 0 byte switches to two bytes and back.
    EXPECT_TRUE(datei.contains(QByteArray("\xFF\xFE") + QString(QStringLiteral("Müller-Lüdenscheidt")).toLatin1()));
    EXPECT_TRUE(datei.contains(QByteArray("\xFF\xFEPreis 5 ") + bytes({0, 0xAC, 0x20, 0}) + " netto"));
    // Plain UCS-2 in the column without compression, and where a character has a 0 low byte.
    EXPECT_TRUE(datei.contains(utf16le(QStringLiteral("Ölmühle Süd"))));
    EXPECT_FALSE(datei.contains(QByteArray("\xFF\xFE") + QString(QStringLiteral("Ölmühle")).toLatin1()));
    EXPECT_TRUE(datei.contains(utf16le(QStringLiteral("Ā im Text"))));
}

TEST(JetSchreiber, LegtMemosInDieZeileAufEineLvalSeiteOderInEineKette)
{
    struct Laenge {
        int zeichen;
        int lvalSeiten;
    };
    // Plain memos take two bytes a character: up to 256 bytes in the row, up to
    // 4080 in one long value row, beyond that 4076 bytes a link of the chain.
    const Laenge laengen[] = {{128, 0}, {129, 1}, {2040, 1}, {2041, 2}, {4076, 2}, {4077, 3}, {70000, 35}};
    for (const auto& l : laengen) {
        TempFolder ordner;
        const QString pfad = ordner.file(QStringLiteral("memo.mdb"));
        schreiben(pfad, {{Tabelle{QStringLiteral("M"), {{QStringLiteral("M"), Typ::Memo, 0, false}}, {}},
                          {{QString(l.zeichen, u'm')}}}});
        EXPECT_EQ(lvalSeiten(dateiInhalt(pfad)), l.lvalSeiten) << l.zeichen << " characters";
    }
}

TEST(JetSchreiber, SchreibtZeileFuerZeileTabelleNachTabelle)
{
    JET_LESER_NOETIG();
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("strom.mdb"));
    {
        Schreiber s(pfad);
        s.tabelle({QStringLiteral("Erste"), {{QStringLiteral("N"), Typ::Long}, {QStringLiteral("M"), Typ::Memo}}, {}});
        for (int i = 0; i < 30000; ++i)
            s.zeile({i, i % 1000 == 0 ? Wert(langerText(9000, i)) : Wert(QString::number(i))});
        s.tabelle({QStringLiteral("Zweite"), {{QStringLiteral("T"), Typ::Text, 10}}, {}});
        s.zeile({"zwei"});
        s.schliessen();
    }
    const JsLesung lesung = mitMdbReader(pfad);
    ASSERT_EQ(lesung.tabellen.size(), 2u);
    const auto& erste = lesung.tabellen[0].zeilen;
    ASSERT_EQ(erste.size(), 30000u);
    for (int i : {0, 1, 999, 1000, 12345, 29999}) {
        EXPECT_EQ(erste[size_t(i)][0].toInt(), i);
        EXPECT_EQ(erste[size_t(i)][1].toString(), i % 1000 == 0 ? langerText(9000, i) : QString::number(i));
    }
    EXPECT_EQ(lesung.tabellen[1].zeilen.at(0).at(0).toString(), "zwei");
    EXPECT_EQ(mdbExport(pfad, QStringLiteral("Erste")).size(), 30000u);
}

TEST(JetSchreiber, WeistZurueckWasJetNichtSpeichert)
{
    struct Fehler {
        const char* was;
        Tabelle tabelle;
        Zeile zeile;
    };
    auto eine = [](Spalte s) { return Tabelle{QStringLiteral("T"), {std::move(s)}, {}}; };
    const Spalte text{QStringLiteral("T"), Typ::Text, 5};
    Tabelle breit{QStringLiteral("T"), {}, {}};
    Zeile voll;
    for (int i = 0; i < 9; ++i) {
        breit.spalten.push_back({QStringLiteral("S%1").arg(i), Typ::Text, 255, false});
        voll.push_back(QString(255, u'x'));
    }
    const Fehler fehler[] = {
        {"text longer than its column", eine(text), {"123456"}},
        {"integer above 16 bits", eine({QStringLiteral("I"), Typ::Integer}), {32768}},
        {"integer below 16 bits", eine({QStringLiteral("I"), Typ::Integer}), {-32769}},
        {"byte below 0", eine({QStringLiteral("B"), Typ::Byte}), {-1}},
        {"long above 32 bits", eine({QStringLiteral("L"), Typ::Long}), {qint64(1) << 31}},
        {"text into a long", eine({QStringLiteral("L"), Typ::Long}), {"1"}},
        {"double into a long", eine({QStringLiteral("L"), Typ::Long}), {1.0}},
        {"date into a text", eine(text), {QDate(2000, 1, 1)}},
        {"text into a date", eine({QStringLiteral("D"), Typ::Datum}), {"2000-01-01"}},
        {"too few values", Tabelle{QStringLiteral("T"), {text, {QStringLiteral("U"), Typ::Long}}, {}}, {"a"}},
        {"a row over a page", breit, voll},
        {"text column of 256 characters", eine({QStringLiteral("T"), Typ::Text, 256}), {}},
        {"index on a missing column",
         Tabelle{QStringLiteral("T"), {text}, {{QStringLiteral("I"), {QStringLiteral("X")}, true, false}}}, {}},
        {"column named twice", Tabelle{QStringLiteral("T"), {text, text}, {}}, {}},
    };
    for (const auto& f : fehler) {
        TempFolder ordner;
        Schreiber s(ordner.file(QStringLiteral("x.mdb")));
        EXPECT_THROW(
            {
                s.tabelle(f.tabelle);
                s.zeile(f.zeile);
            },
            std::invalid_argument)
            << f.was;
    }
}

TEST(JetSchreiber, ZaehltTageWieJet)
{
    struct Tag {
        QDateTime zeit;
        double tage;
    };
    const Tag tage[] = {
        {QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC), 0.0},
        {QDateTime(QDate(1899, 12, 31), QTime(12, 0), Qt::UTC), 1.5},
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC), -1.25},
        {QDateTime(QDate(1899, 12, 28), QTime(18, 0), Qt::UTC), -2.75},
        {QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC), 2.0},
        {QDateTime(QDate(9999, 12, 31), QTime(0, 0), Qt::UTC), 2958465.0},
        {QDateTime(QDate(100, 1, 1), QTime(0, 0), Qt::UTC), -657434.0},
    };
    for (const auto& t : tage) {
        EXPECT_EQ(jetTage(t.zeit.date(), t.zeit.time()), t.tage) << t.zeit.toString().toStdString();
        EXPECT_EQ(ausJetTage(t.tage), t.zeit) << t.tage;
    }
    for (const QDateTime& t : {QDateTime(QDate(1850, 6, 15), QTime(13, 45, 30, 123), Qt::UTC),
                               QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC),
                               QDateTime(QDate(1899, 12, 30), QTime(23, 59, 59, 999), Qt::UTC)})
        EXPECT_EQ(ausJetTage(jetTage(t.date(), t.time())), t) << t.toString().toStdString();
    // A fraction of 0 days counts from 1899-12-30 whatever its sign.
    EXPECT_EQ(ausJetTage(-0.25), QDateTime(QDate(1899, 12, 30), QTime(6, 0), Qt::UTC));
    EXPECT_FALSE(ausJetTage(std::nan("")).isValid());
}

}  // namespace

namespace {

// The harness on a file that Access wrote: dates of the year 9999 and before
// 1900 and 1000, a memo and a text with line breaks.
TEST(MdbLesen, LiestEineDateiDieAccessGeschriebenHat)
{
    if (const QString fehlt = mdbReaderFehlt(); !fehlt.isEmpty())
        GTEST_SKIP() << fehlt.toStdString();
    const QString quelle = QStringLiteral(RDX_SOURCE_DIR "/../shared/jet/DateTestDatabase.mdb");
    if (!QFile::exists(quelle))
        GTEST_SKIP() << "no " << quelle.toStdString();
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("DateTestDatabase.mdb"));
    ASSERT_TRUE(QFile::copy(quelle, pfad));
    const JsLesung lesung = mitMdbReader(pfad);
    EXPECT_EQ(lesung.format, "Jet4");
    ASSERT_EQ(lesung.tabellen.size(), 1u);
    const JsTabelle& t = lesung.tabellen[0];
    EXPECT_EQ(t.name, "DateTest");
    QStringList spalten;
    for (const auto& s : t.spalten)
        spalten << QStringLiteral("%1:%2:%3").arg(s.name, s.typ).arg(s.laenge);
    EXPECT_EQ(spalten, QStringList({"IDCol:long:0", "DateTimeCol:datetime:0", "DateCol:datetime:0",
                                    "TimeCol:datetime:0", "LongTextCol:memo:0", "ShortTextCol:text:255"}));
    ASSERT_EQ(t.zeilen.size(), 6u);
    auto zeile = [&](size_t i) {
        QStringList out;
        for (const QJsonValue v : t.zeilen[i])
            out << jetpruefung::jsForm(v);
        return out;
    };
    EXPECT_EQ(zeile(1), QStringList({"n:2", "s:9999-01-01T00:00:00.000", "s:9999-01-01T00:00:00.000",
                                     "s:9999-01-01T00:00:00.000", "s:Year 9999", "s:Year 1999"}));
    EXPECT_EQ(zeile(2), QStringList({"n:3", "s:1898-01-01T00:00:00.000", "s:1899-01-01T00:00:00.000",
                                     "s:1900-01-01T00:00:00.000", "s:Pre-1900 years", "s:Pre-1900 years"}));
    EXPECT_EQ(zeile(3), QStringList({"n:4", "s:0632-01-01T00:00:00.000", "s:0633-01-01T00:00:00.000",
                                     "s:0634-01-01T00:00:00.000", "s:Pre-1000 years", "s:Pre-1000 years"}));
    EXPECT_EQ(zeile(5).mid(4), QStringList({"s:New line\r\nin field", "s:No new line"}));
}

}  // namespace
