// The Jet reader on files that Access wrote, compared value by value with
// mdb-reader, a reader that shares no code with libmdb; and its refusals.
#include "platform/jet/JetDatei.h"

#include "tests/Quellordner.h"
#include "tests/support/JetLeser.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace testing_support;

namespace {

QString geteilt(const QString& name)
{
    return QStringLiteral(RDX_SOURCE_DIR "/../shared/jet/") + name;
}

// A copy in a folder of the test's own: the shared files are never opened in place.
QString kopie(const TempFolder& ordner, const QString& name)
{
    const QString quelle = geteilt(name);
    if (!QFileInfo::exists(quelle))
        return {};
    QFile f(quelle);
    f.open(QIODevice::ReadOnly);
    return ordner.write(name, f.readAll());
}

// A value of ours as mdb-reader's harness writes it.
QJsonValue wieMdbReader(const jet::Wert& w)
{
    using Art = jet::Wert::Art;
    switch (w.art) {
    case Art::Null: return QJsonValue::Null;
    case Art::Text: return w.text();
    case Art::Zahl: return jettest::doubleBits(w.zahl);
    case Art::Ganzzahl: return double(w.ganz);
    case Art::Wahrheit: return w.ganz != 0;
    case Art::Bytes: return QString::fromLatin1(w.utf8.toHex());
    case Art::DatumZeit: {
        const jet::DatumZeit d = jet::datumZeit(w.zahl);
        return d.datum.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('T')
               + d.zeit.toString(QStringLiteral("HH:mm:ss.zzz"));
    }
    }
    return {};
}

// The engine's type as mdb-reader names it.
QString mdbReaderTyp(jet::Typ typ)
{
    switch (typ) {
    case jet::Typ::Boolean: return QStringLiteral("boolean");
    case jet::Typ::Byte: return QStringLiteral("byte");
    case jet::Typ::Integer: return QStringLiteral("integer");
    case jet::Typ::Long: return QStringLiteral("long");
    case jet::Typ::Money: return QStringLiteral("currency");
    case jet::Typ::Single: return QStringLiteral("float");
    case jet::Typ::Double: return QStringLiteral("double");
    case jet::Typ::DatumZeit: return QStringLiteral("datetime");
    case jet::Typ::Binaer: return QStringLiteral("binary");
    case jet::Typ::Text: return QStringLiteral("text");
    case jet::Typ::OLE: return QStringLiteral("ole");
    case jet::Typ::Memo: return QStringLiteral("memo");
    case jet::Typ::GUID: return QStringLiteral("repid");
    case jet::Typ::Numeric: return QStringLiteral("numeric");
    }
    return {};
}

class GeteilteDatei : public ::testing::TestWithParam<const char*> {};

TEST_P(GeteilteDatei, JederWertWieMdbReaderIhnLiest)
{
    TempFolder ordner;
    const QString pfad = kopie(ordner, QString::fromUtf8(GetParam()));
    if (pfad.isEmpty())
        GTEST_SKIP() << "die Dateien von ../shared/jet fehlen";
    if (!jettest::mdbReaderFehlt().isEmpty())
        GTEST_SKIP() << jettest::mdbReaderFehlt().toStdString();
    const jettest::JsLesung fremd = jettest::mitMdbReader(pfad);

    const auto datei = jet::JetDatei::oeffnen(pfad);
    QStringList namen;
    QStringList fremdeNamen;
    for (const auto& t : datei->tabellen())
        namen << t.name;
    for (const auto& t : fremd.tabellen)
        fremdeNamen << t.name;
    EXPECT_EQ(namen, fremdeNamen);

    long long werte = 0;
    for (const auto& t : datei->tabellen()) {
        const jettest::JsTabelle* ft = fremd.tabelle(t.name);
        ASSERT_NE(ft, nullptr) << t.name.toStdString();
        ASSERT_EQ(t.spalten.size(), ft->spalten.size()) << t.name.toStdString();
        for (size_t i = 0; i < t.spalten.size(); ++i) {
            EXPECT_EQ(t.spalten[i].name, ft->spalten[i].name);
            EXPECT_EQ(mdbReaderTyp(t.spalten[i].typ), ft->spalten[i].typ) << t.spalten[i].name.toStdString();
            EXPECT_EQ(t.spalten[i].zeichen, ft->spalten[i].laenge) << t.spalten[i].name.toStdString();
        }
        auto zeilen = datei->lesen(t.name);
        size_t n = 0;
        while (zeilen->naechste()) {
            ASSERT_LT(n, ft->zeilen.size()) << t.name.toStdString();
            for (size_t i = 0; i < t.spalten.size(); ++i) {
                EXPECT_EQ(wieMdbReader(zeilen->werte()[i]), ft->zeilen[n].at(qsizetype(i)))
                    << t.name.toStdString() << " Zeile " << n << " " << t.spalten[i].name.toStdString();
                ++werte;
            }
            ++n;
        }
        EXPECT_EQ(n, ft->zeilen.size());
        EXPECT_EQ(zeilen->gelesen(), t.zeilen);
    }
    EXPECT_GT(werte, 30);
}

INSTANTIATE_TEST_SUITE_P(Access, GeteilteDatei, ::testing::Values("DateTestDatabase.mdb", "ASampleDatabase.accdb"),
                         [](const testing::TestParamInfo<const char*>& i) {
                             const QFileInfo f(QString::fromUtf8(i.param));
                             return (f.completeBaseName() + f.suffix()).toStdString();
                         });

TEST(JetDatei, DatenVor1900UndImJahr9999)
{
    TempFolder ordner;
    const QString pfad = kopie(ordner, QStringLiteral("DateTestDatabase.mdb"));
    if (pfad.isEmpty())
        GTEST_SKIP() << "die Dateien von ../shared/jet fehlen";
    const auto datei = jet::JetDatei::oeffnen(pfad);
    auto zeilen = datei->lesen(QStringLiteral("DateTest"));
    QStringList tage;
    while (zeilen->naechste()) {
        for (int spalte : {1, 2, 3})
            tage << jet::datumZeit(zeilen->werte()[size_t(spalte)].zahl).datum.toString(Qt::ISODate);
    }
    ASSERT_EQ(tage.size(), 18);
    EXPECT_EQ(tage.mid(3, 3), (QStringList{"9999-01-01", "9999-01-01", "9999-01-01"}));
    EXPECT_EQ(tage.mid(6, 3), (QStringList{"1898-01-01", "1899-01-01", "1900-01-01"}));
    EXPECT_EQ(tage.mid(9, 3), (QStringList{"0632-01-01", "0633-01-01", "0634-01-01"}));
}

// The whole part counts days from 30.12.1899, also backwards; the fraction's
// size is the time of day on both sides, counted forward from that day's
// midnight. A time that rounds to 24:00 is the next day's start, before the
// zero day too (the day after the whole part's, not the one before it).
struct Tageszahl {
    const char* name;
    double tage;
    QDate datum;
    QTime zeit;
};

class JetTage : public ::testing::TestWithParam<Tageszahl> {};

TEST_P(JetTage, SindDatumUndTageszeit)
{
    const jet::DatumZeit d = jet::datumZeit(GetParam().tage);
    EXPECT_EQ(d.datum, GetParam().datum);
    EXPECT_EQ(d.zeit, GetParam().zeit);
}

INSTANTIATE_TEST_SUITE_P(
    Tage, JetTage,
    ::testing::Values(Tageszahl{"Nullpunkt", 0, QDate(1899, 12, 30), QTime(0, 0)},
                      Tageszahl{"DreiviertelNach", 2.75, QDate(1900, 1, 1), QTime(18, 0)},
                      Tageszahl{"ViertelDavor", -1.25, QDate(1899, 12, 29), QTime(6, 0)},
                      Tageszahl{"MittagDavor", -2.5, QDate(1899, 12, 28), QTime(12, 0)},
                      Tageszahl{"BruchteilVorNull", -0.25, QDate(1899, 12, 30), QTime(6, 0)},
                      Tageszahl{"FastMitternachtDanach", 0.99999999999, QDate(1899, 12, 31), QTime(0, 0)},
                      Tageszahl{"FastMitternachtDavor", -1.9999999999, QDate(1899, 12, 30), QTime(0, 0)},
                      Tageszahl{"FastMitternachtAmNulltag", -0.99999999999, QDate(1899, 12, 31), QTime(0, 0)},
                      Tageszahl{"Millisekunde", 1.0 + 1.0 / 86400000.0, QDate(1899, 12, 31), QTime(0, 0, 0, 1)},
                      // The engine's first and last day, and none beyond.
                      Tageszahl{"ErsterTag", -657434, QDate(100, 1, 1), QTime(0, 0)},
                      Tageszahl{"LetzteSekunde", 2958465.99998843, QDate(9999, 12, 31), QTime(23, 59, 59)},
                      Tageszahl{"VorDemErstenTag", -657435, QDate(), QTime()},
                      Tageszahl{"NachDemLetztenTag", 2958466, QDate(), QTime()},
                      Tageszahl{"RiesigNegativ", -9.0e304, QDate(), QTime()},
                      Tageszahl{"KeineZahl", std::numeric_limits<double>::quiet_NaN(), QDate(), QTime()}),
    [](const testing::TestParamInfo<Tageszahl>& i) { return std::string(i.param.name); });

// Bytes of the first page changed as an encrypted or password-protected
// file has them: the page key at 0x3e and the password at 0x42 lie under a
// fixed RC4 mask, so a changed stored byte is a changed value.
struct Verweigerung {
    const char* name;
    std::function<QByteArray(QByteArray)> aendern;
    jet::JetFehler::Grund grund;
    const char* text;
};

class Verweigert : public ::testing::TestWithParam<Verweigerung> {};

TEST_P(Verweigert, MitDemGrundUndOhneEtwasZuSchreiben)
{
    TempFolder ordner;
    const QString pfad = kopie(ordner, QStringLiteral("DateTestDatabase.mdb"));
    if (pfad.isEmpty())
        GTEST_SKIP() << "die Dateien von ../shared/jet fehlen";
    const QByteArray bytes = GetParam().aendern(ordner.read(QStringLiteral("DateTestDatabase.mdb")));
    const QString geaendert = ordner.write(QStringLiteral("x.mdb"), bytes);
    const QDateTime vorher = QFileInfo(geaendert).lastModified();
    try {
        jet::JetDatei::oeffnen(geaendert);
        FAIL() << "nicht verweigert";
    } catch (const jet::JetFehler& e) {
        EXPECT_EQ(e.grund(), GetParam().grund);
        EXPECT_TRUE(e.text().contains(QString::fromUtf8(GetParam().text))) << e.text().toStdString();
    }
    EXPECT_EQ(ordner.read(QStringLiteral("x.mdb")), bytes);
    EXPECT_EQ(QFileInfo(geaendert).lastModified(), vorher);
}

QByteArray byteAendern(QByteArray b, int stelle)
{
    b[stelle] = char(b[stelle] ^ 0x5a);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Kopf, Verweigert,
    ::testing::Values(
        Verweigerung{"Verschluesselt", [](QByteArray b) { return byteAendern(b, 0x3f); },
                     jet::JetFehler::Grund::Verschluesselt, "verschlüsselt"},
        Verweigerung{"Kennwort", [](QByteArray b) { return byteAendern(b, 0x42 + 6); },
                     jet::JetFehler::Grund::Kennwort, "Kennwort"},
        Verweigerung{"Abgeschnitten", [](QByteArray b) { return b.left(b.size() / 2 + 100); },
                     jet::JetFehler::Grund::Beschaedigt, "abgeschnitten"},
        Verweigerung{"NurDerKopf", [](QByteArray b) { return b.left(300); }, jet::JetFehler::Grund::Beschaedigt,
                     "abgeschnitten"},
        Verweigerung{"KeineJetDatei", [](QByteArray b) { return QByteArray("SQLite format 3\0", 16) + b.mid(16); },
                     jet::JetFehler::Grund::KeinJet, "keine Jet-Datenbank"},
        Verweigerung{"Leer", [](QByteArray) { return QByteArray(); }, jet::JetFehler::Grund::KeinJet,
                     "keine Jet-Datenbank"}),
    [](const testing::TestParamInfo<Verweigerung>& i) { return std::string(i.param.name); });

TEST(JetDatei, FehlendeDateiIstNichtLesbar)
{
    TempFolder ordner;
    try {
        jet::JetDatei::oeffnen(ordner.file(QStringLiteral("fehlt.mdb")));
        FAIL();
    } catch (const jet::JetFehler& e) {
        EXPECT_EQ(e.grund(), jet::JetFehler::Grund::NichtLesbar);
        EXPECT_TRUE(e.text().contains(QStringLiteral("nicht gefunden"))) << e.text().toStdString();
    }
}

}  // namespace
