#include "tests/support/JetLeser.h"

#include "tests/support/JetLeserOrt.h"
#include "tests/support/JetSchreiber.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace jettest {

namespace {

// mdb-export's mark for Null: a character no test value holds.
const QString NullZeichen = QStringLiteral("\u2400");

QByteArray ausgabe(const QString& programm, const QStringList& argumente)
{
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString fehler = QString::fromUtf8(p.readAllStandardError()).trimmed();
        throw std::runtime_error(QStringLiteral("%1 %2: %3")
                                     .arg(programm, argumente.join(QLatin1Char(' ')),
                                          fehler.isEmpty() ? p.errorString() : fehler)
                                     .toStdString());
    }
    return p.readAllStandardOutput();
}

// mdb-export -e writes \r, \n, \t and \\ as such.
QString entschluesseln(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
            const QChar c = s[++i];
            out += c == QLatin1Char('n') ? QChar(u'\n') : c == QLatin1Char('r') ? QChar(u'\r')
                                                       : c == QLatin1Char('t') ? QChar(u'\t')
                                                                               : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

QStringList spaltenliste(const QString& s)
{
    QStringList out;
    static const QRegularExpression name(QStringLiteral("`([^`]*)`"));
    for (auto it = name.globalMatch(s); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

}  // namespace

const JsTabelle* JsLesung::tabelle(const QString& name) const
{
    for (const auto& t : tabellen) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

QString mdbReaderSkript()
{
    return QStringLiteral(RDX_JETLESEN_DIR "/mdb_lesen.mjs");
}

QString mdbReaderFehlt()
{
    if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty())
        return QStringLiteral("node ist nicht installiert");
    if (!QFileInfo::exists(QStringLiteral(RDX_JETLESEN_DIR "/node_modules/mdb-reader/package.json")))
        return QStringLiteral("mdb-reader ist nicht in " RDX_JETLESEN_DIR " installiert "
                              "(bash scripts/rondavex.sh test installiert es)");
    return {};
}

JsLesung mitMdbReader(const QString& pfad, bool systemtabellen)
{
    QStringList argumente{mdbReaderSkript(), pfad};
    if (systemtabellen)
        argumente << QStringLiteral("--system");
    const QByteArray json = ausgabe(QStringLiteral("node"), argumente);
    QJsonParseError fehler;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &fehler);
    if (fehler.error != QJsonParseError::NoError)
        throw std::runtime_error(("mdb_lesen.mjs: " + fehler.errorString()).toStdString());
    JsLesung lesung;
    lesung.format = doc[QLatin1String("format")].toString();
    for (const QJsonValue t : doc[QLatin1String("tables")].toArray()) {
        JsTabelle tabelle;
        tabelle.name = t[QLatin1String("name")].toString();
        tabelle.system = t[QLatin1String("system")].toBool();
        for (const QJsonValue s : t[QLatin1String("columns")].toArray())
            tabelle.spalten.push_back({s[QLatin1String("name")].toString(), s[QLatin1String("type")].toString(),
                                       s[QLatin1String("size")].toInt(), s[QLatin1String("length")].toInt()});
        for (const QJsonValue z : t[QLatin1String("rows")].toArray())
            tabelle.zeilen.push_back(z.toArray());
        lesung.tabellen.push_back(std::move(tabelle));
    }
    return lesung;
}

QString doubleBits(double d)
{
    quint64 bits;
    std::memcpy(&bits, &d, sizeof bits);
    return QStringLiteral("%1").arg(bits, 16, 16, QLatin1Char('0'));
}

QString mdbtoolsFehlt()
{
    for (const char* programm : {"mdb-export", "mdb-schema", "mdb-tables"}) {
        if (QStandardPaths::findExecutable(QString::fromUtf8(programm)).isEmpty())
            return QStringLiteral("%1 ist nicht installiert (Paket mdbtools)").arg(QString::fromUtf8(programm));
    }
    return {};
}

QStringList mdbTabellen(const QString& pfad)
{
    return QString::fromUtf8(ausgabe(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), pfad}))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::vector<MdbZeile> mdbExport(const QString& pfad, const QString& tabelle)
{
    const QString format = QStringLiteral("%Y-%m-%d %H:%M:%S");
    const QString text = QString::fromUtf8(ausgabe(
        QStringLiteral("mdb-export"), {QStringLiteral("-H"), QStringLiteral("-Q"), QStringLiteral("-e"),
                                       QStringLiteral("-d"), QStringLiteral("\t"), QStringLiteral("-0"), NullZeichen,
                                       QStringLiteral("-D"), format, QStringLiteral("-T"), format, pfad, tabelle}));
    std::vector<MdbZeile> zeilen;
    for (QStringView zeile : QStringView(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        MdbZeile z;
        for (QStringView feld : zeile.split(QLatin1Char('\t'))) {
            if (feld == NullZeichen)
                z.emplace_back(std::nullopt);
            else
                z.emplace_back(entschluesseln(feld));
        }
        zeilen.push_back(std::move(z));
    }
    return zeilen;
}

MdbSchema mdbSchema(const QString& pfad, const QString& tabelle)
{
    MdbSchema schema;
    const QString access = QString::fromUtf8(
        ausgabe(QStringLiteral("mdb-schema"), {QStringLiteral("-T"), tabelle, pfad, QStringLiteral("access")}));
    static const QRegularExpression spalte(QStringLiteral("^\\t\\[(.*)\\]\\t+(.*?)(?: NOT NULL)?,? ?$"));
    for (const QString& zeile : access.split(QLatin1Char('\n'))) {
        const auto m = spalte.match(zeile);
        if (m.hasMatch())
            schema.spalten.push_back({m.captured(1), m.captured(2)});
    }
    const QString mysql = QString::fromUtf8(
        ausgabe(QStringLiteral("mdb-schema"), {QStringLiteral("-T"), tabelle, pfad, QStringLiteral("mysql")}));
    for (const QString& zeile : mysql.split(QLatin1Char('\n'))) {
        const qsizetype primaer = zeile.indexOf(QLatin1String(" ADD PRIMARY KEY ("));
        const qsizetype eindeutig = zeile.indexOf(QLatin1String(" ADD UNIQUE INDEX "));
        if (primaer >= 0)
            schema.primaerschluessel = spaltenliste(zeile.mid(primaer));
        else if (eindeutig >= 0)
            schema.eindeutig.push_back(spaltenliste(zeile.mid(zeile.indexOf(QLatin1Char('('), eindeutig))));
    }
    return schema;
}

QString mdbDouble(double d)
{
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.16g", d);
    return QString::fromLatin1(puffer);
}

std::optional<QString> mdbDatum(double jetTage)
{
    if (!(jetTage >= 0 && jetTage <= 1.0e6))
        return std::nullopt;
    const QDateTime t = ausJetTage(jetTage);
    if (t.time().msec() != 0)
        return std::nullopt;
    return t.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

}  // namespace jettest
