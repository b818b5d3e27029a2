// Damaged Jet files refused with their reason before libmdb follows what is
// damaged; intact ones read whole, every character of their texts included.
#include "platform/jet/JetAufbau.h"
#include "platform/jet/JetDatei.h"
#include "platform/jet/JetText.h"

#include "tests/support/JetLeser.h"
#include "tests/support/JetSchaden.h"
#include "tests/support/TempFolder.h"

#include <QJsonArray>

#include <mdbtools.h>

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

// Opens the file and reads every value of every table, as the conversion does.
long long allesLesen(const QString& pfad)
{
    const auto datei = jet::JetDatei::oeffnen(pfad);
    long long werte = 0;
    for (const auto& t : datei->tabellen()) {
        auto zeilen = datei->lesen(t.name);
        while (zeilen->naechste())
            werte += qsizetype(zeilen->werte().size());
    }
    return werte;
}

class Beschaedigt : public testing::TestWithParam<jettest::Schaden> {};

TEST_P(Beschaedigt, WirdMitDemGrundAbgewiesen)
{
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("kaputt.mdb"));
    GetParam().anlegen(pfad);
    try {
        allesLesen(pfad);
        FAIL() << "nicht abgewiesen";
    } catch (const jet::JetFehler& e) {
        EXPECT_EQ(e.grund(), jet::JetFehler::Grund::Beschaedigt) << e.text().toStdString();
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Sie ist beschädigt: "))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QString::fromUtf8(GetParam().grund))) << e.text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Jet, Beschaedigt, testing::ValuesIn(jettest::schaeden()),
                         [](const testing::TestParamInfo<jettest::Schaden>& i) { return std::string(i.param.name); });

TEST(Beschaedigt, UnbeschaedigtWirdGanzGelesen)
{
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("heil.mdb"));
    jettest::katalog(pfad, QStringLiteral("1.4.1"), jettest::schadensKatalog());
    EXPECT_GT(allesLesen(pfad), 150);
}

// The properties of what is no table (a query, the database itself) libmdb
// never reads, so the check passes them by, readable or not.
TEST(Beschaedigt, EigenschaftenEinerAbfrageBleibenUngelesen)
{
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("abfrage.mdb"));
    jettest::KatalogArt art;
    art.optionen.eigenschaften = true;
    const jettest::Lageplan plan = jettest::katalog(pfad, QStringLiteral("1.4.1"), jettest::schadensKatalog(), art);
    bool geaendert = false;
    jettest::seiteAendern(pfad, plan.tabelle(QStringLiteral("MSysObjects")).daten.front(), [&](quint8* p) {
        // The third row names Filme: a query now (Type, the fixed column after
        // Id and ParentId), with properties that no reader can parse.
        constexpr int Zeilenzahl = 12;
        const int anfang = (p[Zeilenzahl + 2 + 4] | (p[Zeilenzahl + 3 + 4] << 8)) & 0x1fff;
        p[anfang + 2 + 8] = 5;
        p[anfang + 2 + 9] = 0;
        const QByteArray b(reinterpret_cast<const char*>(p), 4096);
        const qsizetype mr2 = b.lastIndexOf(QByteArray("MR2\0", 4));  // Filme's
        if (mr2 < 0)
            return;
        p[mr2 + 4] = 0xff;
        p[mr2 + 5] = 0x7f;
        geaendert = true;
    });
    ASSERT_TRUE(geaendert);
    const auto datei = jet::JetDatei::oeffnen(pfad);
    EXPECT_EQ(datei->tabelle(QStringLiteral("Filme")), nullptr);
    EXPECT_NE(datei->tabelle(QStringLiteral("Unterordner")), nullptr);
    EXPECT_GT(allesLesen(pfad), 10);
}

// The format constants of the checks are libmdb's own, for Jet 4 and for
// Jet 3 (whose first page alone libmdb reads on opening).
class JetFormat : public testing::TestWithParam<int> {};

TEST_P(JetFormat, KenntDieStellenWieLibmdb)
{
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("heil.mdb"));
    jettest::katalog(pfad, QStringLiteral("1.4.1"), jettest::schadensKatalog());
    if (GetParam() == 0) {
        QByteArray kopf = ordner.read(QStringLiteral("heil.mdb")).left(2048);
        kopf[0x14] = 0;
        ordner.write(QStringLiteral("heil.mdb"), kopf + QByteArray(2 * 2048, '\0'));
    }
    MdbHandle* mdb = mdb_open(QFile::encodeName(pfad).constData(), MDB_NOFLAGS);
    ASSERT_NE(mdb, nullptr);
    const MdbFormatConstants& c = *mdb->fmt;
    const jet::aufbau::Format& f = jet::aufbau::format(GetParam());
    EXPECT_EQ(f.jet3, GetParam() == 0);
    EXPECT_EQ(f.seite, c.pg_size);
    EXPECT_EQ(f.zeilenzahl, c.row_count_offset);
    EXPECT_EQ(f.defZeilen, c.tab_num_rows_offset);
    EXPECT_EQ(f.defSpalten, c.tab_num_cols_offset);
    EXPECT_EQ(f.defVarSpalten, c.tab_num_cols_offset - 2);
    EXPECT_EQ(f.defIndizes, c.tab_num_idxs_offset);
    EXPECT_EQ(f.defEchteIndizes, c.tab_num_ridxs_offset);
    EXPECT_EQ(f.defKarte, c.tab_usage_map_offset);
    EXPECT_EQ(f.defFreikarte, c.tab_free_map_offset);
    EXPECT_EQ(f.defSpaltenBeginn, c.tab_cols_start_offset);
    EXPECT_EQ(f.indexEintrag, c.tab_ridx_entry_size);
    EXPECT_EQ(f.spaltenEintrag, c.tab_col_entry_size);
    EXPECT_EQ(f.spNummer, c.col_num_offset);
    EXPECT_EQ(f.spVarNummer, c.tab_col_offset_var);
    EXPECT_EQ(f.spFlags, c.col_flags_offset);
    EXPECT_EQ(f.spFest, c.tab_col_offset_fixed);
    EXPECT_EQ(f.spGroesse, c.col_size_offset);
    mdb_close(mdb);
}

INSTANTIATE_TEST_SUITE_P(Jet, JetFormat, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& i) { return i.param == 0 ? "Jet3" : "Jet4"; });

// --- every character ---

const QString Klappe = QStringLiteral("\U0001F3AC");

// Texts with characters outside the Basic Multilingual Plane in Text and in
// both kinds of memo, inline and on long value pages (one row, a chain),
// compressed and plain.
std::vector<jettest::TabelleMitZeilen> zeichenTabellen()
{
    using jettest::Typ;
    jettest::Tabelle t{QStringLiteral("Zeichen"),
                       {{QStringLiteral("Nr"), Typ::Long},
                        {QStringLiteral("Text"), Typ::Text, 50},
                        {QStringLiteral("TextPlain"), Typ::Text, 50, false},
                        {QStringLiteral("Memo"), Typ::Memo},
                        {QStringLiteral("MemoPlain"), Typ::Memo, 0, false}},
                       {}};
    std::vector<jettest::Zeile> z;
    const QString gemischt = QStringLiteral("Müller ") + Klappe + QStringLiteral(" 5 € \U0001D11E");
    int nr = 0;
    for (int laenge : {1, 200, 1000, 3000, 9000}) {
        const QString memo = QString(laenge, u'x') + Klappe + QStringLiteral("ä");
        z.push_back({nr++, gemischt, Klappe + Klappe, memo, memo});
    }
    // A pair whose low unit has a low byte 0 keeps the whole text plain.
    z.push_back({nr++, QStringLiteral("\U0001F300 ab"), QStringLiteral("ab"), QStringLiteral("\U0001F300"), Klappe});
    return {{t, z}};
}

TEST(JedesZeichen, KommtWieBeiMdbReaderAn)
{
    if (const QString fehlt = jettest::mdbReaderFehlt(); !fehlt.isEmpty())
        GTEST_SKIP() << fehlt.toStdString();
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("zeichen.mdb"));
    const auto inhalt = zeichenTabellen();
    jettest::schreiben(pfad, inhalt);
    const jettest::JsLesung fremd = jettest::mitMdbReader(pfad);
    const jettest::JsTabelle* ft = fremd.tabelle(QStringLiteral("Zeichen"));
    ASSERT_NE(ft, nullptr);

    const auto datei = jet::JetDatei::oeffnen(pfad);
    auto zeilen = datei->lesen(QStringLiteral("Zeichen"));
    size_t n = 0;
    while (zeilen->naechste()) {
        ASSERT_LT(n, ft->zeilen.size());
        for (int i = 1; i < 5; ++i) {
            const jet::Wert& w = zeilen->werte()[size_t(i)];
            EXPECT_EQ(w.text(), ft->zeilen[n].at(i).toString()) << "Zeile " << n << " Spalte " << i;
            EXPECT_EQ(w.text(), inhalt[0].zeilen[n][size_t(i)].alsText()) << "Zeile " << n << " Spalte " << i;
            EXPECT_EQ(w.maengel, jet::KeinMangel);
        }
        ++n;
    }
    EXPECT_EQ(n, inhalt[0].zeilen.size());
}

// Names of tables and columns too: libmdb's own lose what lies beyond the
// Basic Multilingual Plane.
TEST(JedesZeichen, AuchInNamen)
{
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("namen.mdb"));
    jettest::schreiben(pfad, {{jettest::Tabelle{QStringLiteral("Filme ") + Klappe,
                                                {{QStringLiteral("Größe ") + Klappe, jettest::Typ::Long}},
                                                {}},
                               {{7}}}});
    const auto datei = jet::JetDatei::oeffnen(pfad);
    ASSERT_EQ(datei->tabellen().size(), 1u);
    EXPECT_EQ(datei->tabellen()[0].name, QStringLiteral("Filme ") + Klappe);
    EXPECT_EQ(datei->tabellen()[0].spalten[0].name, QStringLiteral("Größe ") + Klappe);
    auto zeilen = datei->lesen(QStringLiteral("filme ") + Klappe);
    ASSERT_TRUE(zeilen->naechste());
    EXPECT_EQ(zeilen->werte()[0].ganz, 7);
}

// What is no character stands as U+FFFD, and the value says what it was.
TEST(JedesZeichen, WasKeinZeichenIstWirdBenannt)
{
    using jettest::Typ;
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("halb.mdb"));
    const QString halb = QStringLiteral("ab") + QChar(0xD83C);
    jettest::schreiben(pfad, {{jettest::Tabelle{QStringLiteral("T"),
                                                {{QStringLiteral("Text"), Typ::Text, 20},
                                                 {QStringLiteral("Memo"), Typ::Memo}},
                                                {}},
                               {{halb, QString(600, u'm') + QChar(0xDFAC)},
                                {jettest::Wert::bytes(QByteArray("A\0B", 3)), jettest::Wert::bytes(QByteArray("\xFF\xFE" "a\0\x41", 5))}}}});
    const auto datei = jet::JetDatei::oeffnen(pfad);
    auto zeilen = datei->lesen(QStringLiteral("T"));
    ASSERT_TRUE(zeilen->naechste());
    EXPECT_EQ(zeilen->werte()[0].text(), QStringLiteral("ab\uFFFD"));
    EXPECT_EQ(zeilen->werte()[0].maengel, jet::EinzelnesSurrogat);
    EXPECT_EQ(zeilen->werte()[1].text(), QString(600, u'm') + QStringLiteral("\uFFFD"));
    EXPECT_EQ(zeilen->werte()[1].maengel, jet::EinzelnesSurrogat);
    ASSERT_TRUE(zeilen->naechste());
    EXPECT_EQ(zeilen->werte()[0].text(), QStringLiteral("A\uFFFD"));
    EXPECT_EQ(zeilen->werte()[0].maengel, jet::UngeradeBytes);
    EXPECT_EQ(zeilen->werte()[1].text(), QStringLiteral("a\uFFFD"));
    EXPECT_EQ(zeilen->werte()[1].maengel, jet::UngeradeBytes);
    EXPECT_FALSE(zeilen->naechste());
}

}  // namespace
