#include "tests/jetschreiber/JetPruefung.h"

#include <QJsonValue>

using namespace jettest;

namespace jetpruefung {

namespace {

constexpr int MeldungenJeTabelle = 10;

QString kurz(const QString& s)
{
    return s.size() <= 120 ? s : s.left(100) + QStringLiteral("… (%1 Zeichen)").arg(s.size());
}

QString kurz(const std::optional<QString>& s)
{
    return s ? kurz(*s) : QStringLiteral("<Null>");
}

const char* jsTyp(Typ t)
{
    switch (t) {
    case Typ::Boolean: return "boolean";
    case Typ::Byte: return "byte";
    case Typ::Integer: return "integer";
    case Typ::Long: return "long";
    case Typ::Double: return "double";
    case Typ::Datum: return "datetime";
    case Typ::Text: return "text";
    case Typ::Memo: return "memo";
    }
    return "";
}

QString mdbTyp(const Spalte& s)
{
    switch (s.typ) {
    case Typ::Boolean: return QStringLiteral("Boolean");
    case Typ::Byte: return QStringLiteral("Byte");
    case Typ::Integer: return QStringLiteral("Integer");
    case Typ::Long: return QStringLiteral("Long Integer");
    case Typ::Double: return QStringLiteral("Double");
    case Typ::Datum: return QStringLiteral("DateTime");
    case Typ::Text: return QStringLiteral("Text (%1)").arg(s.laenge);
    case Typ::Memo: return QStringLiteral("Memo/Hyperlink (255)");
    }
    return {};
}

}  // namespace

QString jsForm(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Null: return QStringLiteral("null");
    case QJsonValue::Bool: return v.toBool() ? QStringLiteral("b:true") : QStringLiteral("b:false");
    case QJsonValue::Double: return QStringLiteral("n:%1").arg(v.toInteger());
    case QJsonValue::String: return QStringLiteral("s:") + v.toString();
    default: return QStringLiteral("?");
    }
}

QString jsErwartet(const Spalte& spalte, const Wert& wert)
{
    if (spalte.typ == Typ::Boolean)
        return wert.alsBool() && !wert.istNull() ? QStringLiteral("b:true") : QStringLiteral("b:false");
    if (wert.istNull())
        return QStringLiteral("null");
    switch (spalte.typ) {
    case Typ::Byte:
    case Typ::Integer:
    case Typ::Long: return QStringLiteral("n:%1").arg(wert.alsGanzzahl());
    case Typ::Double: return QStringLiteral("s:") + doubleBits(wert.alsZahl());
    case Typ::Datum:
        return QStringLiteral("s:") + ausJetTage(wert.alsJetTage()).toString(QStringLiteral("yyyy-MM-ddThh:mm:ss.zzz"));
    case Typ::Text:
    case Typ::Memo: return QStringLiteral("s:") + wert.alsText();
    case Typ::Boolean: break;
    }
    return {};
}

std::optional<std::optional<QString>> mdbErwartet(const Spalte& spalte, const Wert& wert)
{
    if (spalte.typ == Typ::Boolean)
        return std::optional<QString>(wert.alsBool() && !wert.istNull() ? QStringLiteral("1") : QStringLiteral("0"));
    if (wert.istNull())
        return std::optional<QString>();
    switch (spalte.typ) {
    case Typ::Byte:
    case Typ::Integer:
    case Typ::Long: return std::optional<QString>(QString::number(wert.alsGanzzahl()));
    case Typ::Double: return std::optional<QString>(mdbDouble(wert.alsZahl()));
    case Typ::Datum: {
        const auto text = mdbDatum(wert.alsJetTage());
        if (!text)
            return std::nullopt;
        return std::optional<QString>(*text);
    }
    case Typ::Text:
    case Typ::Memo: {
        // mdb-export prints an empty text as it prints Null, and each UTF-16
        // unit of a character beyond the Basic Multilingual Plane as "?".
        QString text = wert.alsText();
        for (QChar& c : text) {
            if (c.isSurrogate())
                c = QLatin1Char('?');
        }
        return text.isEmpty() ? std::optional<QString>() : std::optional<QString>(text);
    }
    case Typ::Boolean: break;
    }
    return std::nullopt;
}

void erwarteVonMdbReader(const JsLesung& lesung, const std::vector<TabelleMitZeilen>& erwartet)
{
    EXPECT_EQ(lesung.format, "Jet4");
    QStringList namen, gelesen;
    for (const auto& t : erwartet)
        namen << t.tabelle.name;
    for (const auto& t : lesung.tabellen)
        gelesen << t.name;
    EXPECT_EQ(gelesen, namen) << "mdb-reader: tables";
    for (const auto& e : erwartet) {
        const JsTabelle* t = lesung.tabelle(e.tabelle.name);
        if (!t) {
            ADD_FAILURE() << "mdb-reader finds no table " << e.tabelle.name.toStdString();
            continue;
        }
        const auto& spalten = e.tabelle.spalten;
        ASSERT_EQ(t->spalten.size(), spalten.size()) << e.tabelle.name.toStdString();
        for (size_t i = 0; i < spalten.size(); ++i) {
            EXPECT_EQ(t->spalten[i].name, spalten[i].name);
            EXPECT_EQ(t->spalten[i].typ, jsTyp(spalten[i].typ)) << spalten[i].name.toStdString();
            if (spalten[i].typ == Typ::Text) {
                EXPECT_EQ(t->spalten[i].laenge, spalten[i].laenge) << spalten[i].name.toStdString();
            }
        }
        ASSERT_EQ(t->zeilen.size(), e.zeilen.size()) << "mdb-reader: rows of " << e.tabelle.name.toStdString();
        int meldungen = 0;
        for (size_t z = 0; z < e.zeilen.size() && meldungen < MeldungenJeTabelle; ++z) {
            ASSERT_EQ(size_t(t->zeilen[z].size()), spalten.size());
            for (size_t s = 0; s < spalten.size(); ++s) {
                const QString ist = jsForm(t->zeilen[z][qsizetype(s)]);
                const QString soll = jsErwartet(spalten[s], e.zeilen[z][s]);
                if (ist != soll && meldungen++ < MeldungenJeTabelle)
                    ADD_FAILURE() << "mdb-reader: " << e.tabelle.name.toStdString() << " row " << z << " column "
                                  << spalten[s].name.toStdString() << ": read " << kurz(ist).toStdString()
                                  << ", written " << kurz(soll).toStdString();
            }
        }
    }
}

void erwarteVonMdbtools(const QString& pfad, const TabelleMitZeilen& e)
{
    const auto& spalten = e.tabelle.spalten;
    const MdbSchema schema = mdbSchema(pfad, e.tabelle.name);
    ASSERT_EQ(schema.spalten.size(), spalten.size()) << "mdb-schema: columns of " << e.tabelle.name.toStdString();
    for (size_t i = 0; i < spalten.size(); ++i) {
        EXPECT_EQ(schema.spalten[i].name, spalten[i].name);
        EXPECT_EQ(schema.spalten[i].typ, mdbTyp(spalten[i])) << spalten[i].name.toStdString();
    }
    std::optional<QStringList> primaer;
    std::vector<QStringList> eindeutig;
    for (const auto& ix : e.tabelle.indizes) {
        if (ix.primaer)
            primaer = ix.spalten;
        else if (ix.eindeutig)
            eindeutig.push_back(ix.spalten);
    }
    EXPECT_EQ(schema.primaerschluessel, primaer) << "mdb-schema: primary key of " << e.tabelle.name.toStdString();
    EXPECT_EQ(schema.eindeutig, eindeutig) << "mdb-schema: unique indexes of " << e.tabelle.name.toStdString();

    const std::vector<MdbZeile> zeilen = mdbExport(pfad, e.tabelle.name);
    ASSERT_EQ(zeilen.size(), e.zeilen.size()) << "mdb-export: rows of " << e.tabelle.name.toStdString();
    int meldungen = 0;
    for (size_t z = 0; z < zeilen.size() && meldungen < MeldungenJeTabelle; ++z) {
        ASSERT_EQ(zeilen[z].size(), spalten.size()) << "mdb-export: fields of row " << z;
        for (size_t s = 0; s < spalten.size(); ++s) {
            const auto soll = mdbErwartet(spalten[s], e.zeilen[z][s]);
            if (soll && zeilen[z][s] != *soll && meldungen++ < MeldungenJeTabelle)
                ADD_FAILURE() << "mdb-export: " << e.tabelle.name.toStdString() << " row " << z << " column "
                              << spalten[s].name.toStdString() << ": read " << kurz(zeilen[z][s]).toStdString()
                              << ", written " << kurz(*soll).toStdString();
        }
    }
}

void erwarteGelesen(const QString& pfad, const std::vector<TabelleMitZeilen>& erwartet)
{
    QStringList namen;
    for (const auto& t : erwartet)
        namen << t.tabelle.name;
    EXPECT_EQ(mdbTabellen(pfad), namen) << "mdb-tables";
    for (const auto& t : erwartet)
        erwarteVonMdbtools(pfad, t);
    erwarteVonMdbReader(mitMdbReader(pfad), erwartet);
}

}  // namespace jetpruefung
