#include "reports/Zeilenquelle.h"

#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "reports/Zellwert.h"

#include <QDate>

namespace reports {

namespace {

// The statement without its closing ORDER BY: the order changes no count, and
// sorting every row only to count them would cost as much as the report's own
// read. Only an ORDER BY outside brackets, quotes and sub-queries, with no
// LIMIT after it, is left out.
QString ohneSchlussordnung(const QString& sql)
{
    QString innen = sql.trimmed();
    while (innen.endsWith(QLatin1Char(';')))
        innen.chop(1);
    int tiefe = 0;
    QChar zitat;
    qsizetype ordnung = -1;
    for (qsizetype i = 0; i < innen.size(); ++i) {
        const QChar c = innen[i];
        if (!zitat.isNull()) {
            if (c == zitat)
                zitat = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            zitat = c;
        else if (c == QLatin1Char('['))
            zitat = QLatin1Char(']');
        else if (c == QLatin1Char('('))
            ++tiefe;
        else if (c == QLatin1Char(')'))
            --tiefe;
        else if (tiefe == 0 && (i == 0 || !innen[i - 1].isLetterOrNumber()) &&
                 QStringView(innen).mid(i, 5).compare(QLatin1String("ORDER"), Qt::CaseInsensitive) == 0 &&
                 (i + 5 >= innen.size() || !innen[i + 5].isLetterOrNumber()))
            ordnung = i;
    }
    if (ordnung < 0 || QStringView(innen).mid(ordnung).contains(QLatin1String("LIMIT"), Qt::CaseInsensitive))
        return innen;
    return innen.left(ordnung);
}

}  // namespace

bool Zeilenquelle::text(int feld, QByteArray& utf8) const
{
    const QVariant v = wert(feld);
    if (v.isNull())
        return false;
    utf8 = zellentext(v).toUtf8();
    return true;
}

Abfragequelle::Abfragequelle(db::Database& datenbank, QString sql, QVariantList werte, QString name)
    : m_datenbank(datenbank), m_sql(std::move(sql)), m_werte(std::move(werte)),
      m_name(name.isEmpty() ? m_sql : std::move(name))
{
    m_zeilen = std::make_unique<db::RowReader>(m_datenbank, m_sql, m_werte);
    const int spalten = int(m_zeilen->columns().size());
    m_datum.resize(size_t(spalten));
    for (int c = 0; c < spalten; ++c)
        m_datum[size_t(c)] = istDatumsspalte(m_zeilen->sourceTable(c), m_zeilen->sourceColumn(c));
    m_amEnde = !m_zeilen->next();
}

Abfragequelle::~Abfragequelle() = default;

QStringList Abfragequelle::felder() const
{
    return m_zeilen->columns();
}

long long Abfragequelle::anzahl()
{
    return m_datenbank
        .scalar(QStringLiteral("SELECT count(*) FROM (") + ohneSchlussordnung(m_sql) + QStringLiteral(")"), m_werte)
        .toLongLong();
}

void Abfragequelle::weiter()
{
    if (!m_amEnde)
        m_amEnde = !m_zeilen->next();
}

QVariant Abfragequelle::wert(int feld) const
{
    QVariant v = m_zeilen->value(feld);
    if (m_datum[size_t(feld)] && v.typeId() == QMetaType::QString) {
        const QDate datum = gespeichertesDatum(v.toString());
        if (datum.isValid())
            return datum;
    }
    return v;
}

bool Abfragequelle::text(int feld, QByteArray& utf8) const
{
    // Texts, the bulk of a report, go from the statement to the page as bytes.
    using Typ = db::RowReader::Type;
    const Typ typ = m_zeilen->type(feld);
    if (typ == Typ::Null)
        return false;
    if (typ == Typ::Text && !m_datum[size_t(feld)]) {
        utf8.resize(0);
        utf8.append(m_zeilen->utf8(feld));
        return true;
    }
    return Zeilenquelle::text(feld, utf8);
}

}  // namespace reports
