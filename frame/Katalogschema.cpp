#include "frame/Katalogschema.h"

#include "platform/db/Database.h"
#include "platform/db/Identifier.h"

namespace frame::schema {

namespace {

constexpr auto T = Typ::Text;

// Filme's order is that of a fresh catalogue; in a file raised from an old
// version the columns added by the upgrade stand at its end instead.
const std::vector<Spalte> Spalten = {
    {"Filme", "Titel", T, 50, "1.0.8", nullptr, true},
    {"Filme", "Anzahl", Typ::Double, 0, "1.0.8", nullptr, false},
    {"Filme", "Format", T, 10, "1.0.8", nullptr, false},
    {"Filme", "Qualität", T, 4, "1.0.8", nullptr, false},
    {"Filme", "Mappe", T, 10, "1.0.8", nullptr, false},
    {"Filme", "Wer", T, 50, "1.0.8", nullptr, false},
    {"Filme", "Info", Typ::Memo, 0, "1.0.8", nullptr, false},
    {"Filme", "Dten", T, 10, "1.0.8", nullptr, false},
    {"Filme", "Datum", Typ::Datum, 0, "1.0.8", nullptr, false},
    {"Filme", "Cat", T, 20, "1.0.91", nullptr, false},
    {"Filme", "AusDatum", T, 50, "1.0.8", nullptr, false},
    {"Filme", "Cover", T, 150, "1.1.6", nullptr, false},
    {"Filme", "Size", T, 10, "1.3", nullptr, false},
    {"Filme", "Unterordner", T, 2, "1.4", nullptr, false},

    {"Version", "nr", T, 10, "1.0.8", nullptr, false},

    {"Design", "Bild", T, 50, "1.0.8", "1.1.6", false},
    {"Design", "Laden", T, 255, "1.0.8", "1.1.6", false},
    {"Design", "Label1", T, 50, "1.0.8", "1.1.6", false},
    {"Design", "Label2", T, 50, "1.0.8", "1.1.6", false},
    {"Design", "Label3", T, 50, "1.0.8", "1.1.6", false},
    {"Design", "Label4", T, 50, "1.0.8", "1.1.6", false},
    {"Design", "Label5", T, 50, "1.0.8", "1.1.6", false},
    {"Design", "TextFarbe", Typ::Long, 0, "1.0.8", "1.1.0", false},
    {"Design", "Label6", T, 20, "1.0.9", "1.1.6", false},
    {"Design", "Label7", T, 20, "1.0.91", "1.1.6", false},
    {"Design", "TextFarbe", T, 20, "1.1.0", "1.1.6", false},
    {"Design", "TextFont", T, 20, "1.1.1", "1.1.6", false},
    {"Design", "TextBold", T, 20, "1.1.1", "1.1.6", false},
    {"Design", "TextSize", T, 20, "1.1.1", "1.1.6", false},

    {"Ausleihe", "Titel", T, 100, "1.3.4", nullptr, false},
    {"Ausleihe", "Wer", T, 20, "1.3.4", nullptr, false},
    {"Ausleihe", "AusDT", T, 20, "1.3.4", nullptr, false},
    {"Ausleihe", "EinDT", T, 20, "1.3.4", nullptr, false},

    {"Unterordner", "Titel", T, 100, "1.4", nullptr, false},
    {"Unterordner", "Titel2", T, 100, "1.4", nullptr, true},
    {"Unterordner", "Anzahl", Typ::Integer, 0, "1.4", nullptr, false},
    {"Unterordner", "Format", T, 10, "1.4", nullptr, false},
    {"Unterordner", "Qualität", T, 4, "1.4", nullptr, false},
    {"Unterordner", "Info", Typ::Memo, 0, "1.4", nullptr, false},
    {"Unterordner", "Dten", T, 8, "1.4", nullptr, false},
    {"Unterordner", "Cat", T, 20, "1.4", nullptr, false},
    {"Unterordner", "Cover", T, 150, "1.4", nullptr, false},
    {"Unterordner", "Size", T, 10, "1.4", nullptr, false},
    {"Unterordner", "Mappe", T, 50, "1.4.1", nullptr, false},
    {"Unterordner", "Wer", T, 50, "1.4.1", nullptr, false},
};

const QStringList Tabellenfolge = {"Filme", "Version", "Design", "Ausleihe", "Unterordner"};

bool gilt(const Spalte& s, int version)
{
    return versionsIndex(QString::fromUtf8(s.ab)) <= version
           && (s.bis == nullptr || version < versionsIndex(QString::fromUtf8(s.bis)));
}

}  // namespace

const QStringList& versionen()
{
    static const QStringList v = {"1.0.8", "1.0.9", "1.0.91", "1.1.0", "1.1.1", "1.1.6", "1.3", "1.3.4", "1.4", "1.4.1"};
    return v;
}

int versionsIndex(const QString& version)
{
    return int(versionen().indexOf(version));
}

const std::vector<Spalte>& spalten()
{
    return Spalten;
}

std::vector<Spalte> spalten(const QString& tabelle, const QString& version)
{
    const int v = versionsIndex(version);
    std::vector<Spalte> out;
    for (const auto& s : Spalten) {
        if (tabelle == QString::fromUtf8(s.tabelle) && gilt(s, v))
            out.push_back(s);
    }
    return out;
}

QStringList tabellen(const QString& version)
{
    QStringList out;
    for (const auto& t : Tabellenfolge) {
        if (!spalten(t, version).empty())
            out << t;
    }
    return out;
}

QString spaltenDefinition(const Spalte& s)
{
    const QString name = QString::fromUtf8(s.name);
    QString d = db::quoteIdentifier(name);
    switch (s.typ) {
    case Typ::Text:
    case Typ::Memo: d += QStringLiteral(" TEXT COLLATE NOCASE"); break;
    case Typ::Double: d += QStringLiteral(" REAL"); break;
    case Typ::Integer:
    case Typ::Long: d += QStringLiteral(" INTEGER"); break;
    case Typ::Datum: d += QStringLiteral(" TEXT"); break;
    }
    if (s.schluessel)
        d += QStringLiteral(" NOT NULL PRIMARY KEY");
    if (s.typ == Typ::Text)
        d += QStringLiteral(" CHECK(length(%1)<=%2)").arg(db::quoteIdentifier(name)).arg(s.breite);
    if (s.typ == Typ::Integer)
        d += QStringLiteral(" CHECK(%1 BETWEEN -32768 AND 32767)").arg(db::quoteIdentifier(name));
    return d;
}

QString spaltenDefinition(const QString& tabelle, const QString& name)
{
    const Spalte* letzte = nullptr;
    for (const auto& s : Spalten) {
        if (tabelle == QString::fromUtf8(s.tabelle) && name == QString::fromUtf8(s.name))
            letzte = &s;
    }
    return letzte ? spaltenDefinition(*letzte) : QString();
}

QString tabelleAnlegen(const QString& tabelle, const QString& version)
{
    QStringList defs;
    for (const auto& s : spalten(tabelle, version))
        defs << spaltenDefinition(s);
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(db::quoteIdentifier(tabelle), defs.join(QStringLiteral(", ")));
}

void anlegen(db::Database& datenbank, const QString& version, Herkunft herkunft)
{
    db::Database::Transaction t(datenbank);
    for (const auto& tabelle : tabellen(version)) {
        QString sql = tabelleAnlegen(tabelle, version);
        if (herkunft == Herkunft::Tools && tabelle == QLatin1String("Filme"))
            sql.replace(db::quoteIdentifier(QStringLiteral("AusDatum")),
                        db::quoteIdentifier(QStringLiteral("Ausdatum")));
        datenbank.execute(sql);
    }
    datenbank.execute(QStringLiteral("INSERT INTO Version (nr) VALUES (?)"), {version});
    if (tabellen(version).contains(QStringLiteral("Design"))) {
        QStringList namen;
        QStringList platz;
        QVariantList werte;
        for (const auto& s : spalten(QStringLiteral("Design"), version)) {
            namen << db::quoteIdentifier(QString::fromUtf8(s.name));
            platz << QStringLiteral("?");
            const QString n = QString::fromUtf8(s.name);
            werte << (n == QLatin1String("Laden") ? QVariant(QStringLiteral("-"))
                      : n == QLatin1String("Bild") ? QVariant(QStringLiteral("space"))
                                                   : QVariant(QString()));
        }
        datenbank.execute(QStringLiteral("INSERT INTO Design (%1) VALUES (%2)").arg(namen.join(','), platz.join(',')),
                          werte);
    }
    t.commit();
}

}  // namespace frame::schema
