#include "reports/Katalogzaehler.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "tests/reports/Berichtkatalog.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

using reports::Sprachcodes;
using reports::Zähler;
using testing_support::TempFolder;

namespace {

struct Katalog : testing_support::Berichtkatalog {
    explicit Katalog(bool gefüllt = true)
    {
        if (!gefüllt)
            return;
        // Titel, Anzahl, Format, Wer, Dten, Cover, Info, Size
        const std::vector<QVariantList> zeilen = {
            {"A", 1, "DVD", "-", "dt", "-", "-", "800"},       // original: "800" sorts after "4500"
            {"B", 1, "dvd", "Hans", "en", "c.jpg", "x", "10000"},  // copied
            {"C", 1, "DVD", "-", "dt/en", "-", "x", "0"},      // copied, without size
            {"D", 1, "DVD-9", "O'Brien", "-", "c.jpg", "-", "8000"},  // a DVD, neither original nor copied
            {"E", 2.5, "VCD", "-", "d'e", "-", "y", "700"},
            {"F", 2, "MP3", QVariant(), "dt", "c.jpg", "-", "0"},
            {"G", 3, "Audio", "-", "", "c.jpg", "y", "4,7"},
            {"H", 1, "DVD", "-", "dt", "c.jpg", "y", "4500"},
            {"I", 5, QVariant(), "-", QVariant(), QVariant(), QVariant(), "0"},  // neither DVD nor CD
        };
        for (const QVariantList& z : zeilen)
            titel(QStringLiteral("Titel, Anzahl, Format, Wer, Dten, Cover, Info, Size"), z);
    }
};

const Sprachcodes Codes{QStringLiteral("dt"), QStringLiteral("en"), QStringLiteral("dt/en")};

struct Zählfall {
    const char* name;
    Zähler zähler;
    Sprachcodes codes;
    long long erwartet;
};

class Zaehler : public ::testing::TestWithParam<Zählfall> {};

TEST_P(Zaehler, ZaehltWieDerKatalogEsVerlangt)
{
    Katalog k;
    EXPECT_EQ(reports::zählen(*k.d, GetParam().zähler, GetParam().codes), GetParam().erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Katalog, Zaehler,
    ::testing::Values(Zählfall{"Gesamt", Zähler::Gesamt, Codes, 9}, Zählfall{"Verliehen", Zähler::Aus, Codes, 2},
                      Zählfall{"DVDs", Zähler::DVD, Codes, 5},
                      Zählfall{"CDsInScheibenHalbeZurGeraden", Zähler::CDs, Codes, 8},  // 7.5 discs
                      Zählfall{"DeuEngl", Zähler::DeuEngl, Codes, 1}, Zählfall{"Engl", Zähler::Engl, Codes, 1},
                      Zählfall{"Deu", Zähler::Deu, Codes, 3},
                      Zählfall{"CodeMitApostroph", Zähler::Deu, {QStringLiteral("d'e"), {}, {}}, 1},
                      Zählfall{"CodeMitStern", Zähler::Deu, {QStringLiteral("d*"), {}, {}}, 5},
                      Zählfall{"LeererCode", Zähler::Deu, {}, 1}, Zählfall{"OhneSprache", Zähler::OhneSP, Codes, 1},
                      Zählfall{"OhneCover", Zähler::OhneCover, Codes, 3},
                      Zählfall{"OhneInfo", Zähler::OhneInfo, Codes, 3},
                      Zählfall{"OhneSize", Zähler::OhneSize, Codes, 3},
                      Zählfall{"OriginalDVDs", Zähler::OrgDVD, Codes, 1},
                      Zählfall{"KopierteDVDs", Zähler::KopDVD, Codes, 2}),
    [](const ::testing::TestParamInfo<Zählfall>& p) { return std::string(p.param.name); });

TEST(Katalogzaehler, TabelleNenntJedenZaehlerEinmalInDerFolgeDerOeffnung)
{
    const auto& zeilen = reports::zählerzeilen();
    ASSERT_EQ(zeilen.size(), 13u);
    QStringList labels;
    for (const auto& z : zeilen)
        labels << z.label;
    EXPECT_EQ(labels, (QStringList{"lbGesamt", "lbAus", "lbDVD", "lbCDs", "lbdeuengl", "lbengl", "lbdeu", "lbohneSP",
                                   "lbohneCover", "lbohneInfo", "lbohneSize", "lborgDVD", "lbkopDVD"}));
    EXPECT_EQ(zeilen[11].caption, QStringLiteral("orginal DVDs:"));
}

TEST(Katalogzaehler, LeererKatalogZaehltNull)
{
    Katalog k(false);
    for (const auto& z : reports::zählerzeilen())
        EXPECT_EQ(reports::zählen(*k.d, z.zähler, Codes), 0) << z.label.toStdString();
    const auto v = reports::przDatenvolumen(*k.d);
    EXPECT_EQ((QStringList{v.lbByte, v.lbDVDs, v.lbByteges}), (QStringList{"0", "0", "0"}));
}

TEST(Katalogzaehler, OhneTabelleScheitertNurDerErsteZaehler)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file(QStringLiteral("leer.mdb")));
    EXPECT_THROW(reports::zählen(*d, Zähler::Gesamt), db::DbError);
    EXPECT_EQ(reports::zählen(*d, Zähler::Aus), 0);
    EXPECT_EQ(reports::zählen(*d, Zähler::CDs), 0);
    EXPECT_EQ(reports::przDatenvolumen(*d).lbByteges, QStringLiteral("0"));
}

TEST(Katalogzaehler, ZaehlerUeber32Bit)
{
    Katalog k(false);
    db::Database::Transaction schreiben(*k.d);
    for (int i = 0; i < 33000; ++i)
        k.d->execute(QStringLiteral("INSERT INTO Filme (Titel, Anzahl, Format, Wer) VALUES (?, 1, 'VCD', 'X')"),
                     {QStringLiteral("T%1").arg(i)});
    k.d->execute(QStringLiteral("INSERT INTO Filme (Titel, Anzahl, Format) VALUES ('Gross', 3000000000, 'MP3')"));
    schreiben.commit();
    EXPECT_EQ(reports::zählen(*k.d, Zähler::Gesamt), 33001);
    EXPECT_EQ(reports::zählen(*k.d, Zähler::Aus), 33000);
    EXPECT_EQ(reports::zählen(*k.d, Zähler::CDs), 3000033000LL);
}

struct Volumenfall {
    const char* name;
    QStringList eingaben;  // CD discs without size, DVD titles without size, CD MB, DVD MB
    QStringList texte;     // lbByte, lbDVDs, lbByteges
};

class Datenvolumen : public ::testing::TestWithParam<Volumenfall> {};

TEST_P(Datenvolumen, Rechnung)
{
    const QStringList& e = GetParam().eingaben;
    const auto v = reports::datenvolumenRechnen(e[0], e[1], e[2], e[3]);
    EXPECT_EQ((QStringList{v.lbByte, v.lbDVDs, v.lbByteges}), GetParam().texte);
}

INSTANTIATE_TEST_SUITE_P(
    Schaetzung, Datenvolumen,
    ::testing::Values(Volumenfall{"Beispiel", {"3", "2", "2048", "9216"}, {"4,1", "18,2", "22"}},
                      Volumenfall{"HalbeZurGeraden", {"0", "0", "2560", "4608"}, {"2,5", "4,5", "6"}},
                      Volumenfall{"Nichts", {"0", "0", "0", "0"}, {"0", "0", "0"}},
                      Volumenfall{"DezimalkommaInDerSumme", {"0", "1", "1,5", "0"}, {"0,00146484375", "4,6", "5"}},
                      Volumenfall{"KeineZahl", {"x", "", "abc", "0"}, {"0", "0", "0"}}),
    [](const ::testing::TestParamInfo<Volumenfall>& p) { return std::string(p.param.name); });

TEST(Katalogzaehler, DatenvolumenAusDemKatalog)
{
    Katalog k;
    const auto v = reports::przDatenvolumen(*k.d);
    EXPECT_EQ((QStringList{v.tfCDAnzahl, v.tfDVDAnzahl, v.tfCDSize, v.tfDVDSize}),
              (QStringList{"2", "1", "704,7", "23300"}));
    EXPECT_EQ((QStringList{v.lbByte, v.lbDVDs, v.lbByteges}), (QStringList{"2,08818359375", "27,35390625", "29"}));
    k.d.reset();

    // The one-value tables stand in the file as any SQLite program reads them.
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open_v2(k.pfad.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    auto wert = [&](const char* sql) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(h, sql, -1, &s, nullptr);
        QString text = sqlite3_step(s) == SQLITE_ROW
                           ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)))
                           : QStringLiteral("<keine Zeile>");
        sqlite3_finalize(s);
        return text;
    };
    EXPECT_EQ(wert("PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(wert("SELECT Size FROM DVDSize"), QStringLiteral("23300.0"));
    EXPECT_EQ(wert("SELECT Size FROM CDSize"), QStringLiteral("704.7"));
    sqlite3_close(h);
}

TEST(Katalogzaehler, OhneDVDsZaehltDieCDSummeAllein)
{
    Katalog k;
    k.d->execute(QStringLiteral("DELETE FROM Filme WHERE Format LIKE 'DVD*'"));
    const auto v = reports::przDatenvolumen(*k.d);
    EXPECT_EQ(v.tfDVDSize, QStringLiteral("0"));
    EXPECT_EQ(v.tfCDSize, QStringLiteral("704,7"));
    EXPECT_EQ(v.lbDVDs, QStringLiteral("0"));
}

}  // namespace
