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

// A text as UTF-8 into the caller's buffer, which keeps its room from cell to
// cell; a lone surrogate becomes "?" as QString::toUtf8 makes it.
void utf8Setzen(QByteArray& utf8, QStringView text)
{
    utf8.resize(text.size() * 3);
    char* p = utf8.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *p++ = char(c);
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t u = QChar::surrogateToUcs4(c, text[++i].unicode());
            *p++ = char(0xF0 | (u >> 18));
            *p++ = char(0x80 | ((u >> 12) & 0x3F));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        } else if (QChar::isSurrogate(c)) {
            *p++ = '?';
        } else {
            *p++ = char(0xE0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        }
    }
    utf8.resize(p - utf8.constData());
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

bool Tabellenquelle::text(int feld, QByteArray& utf8) const
{
    // Texts without a copy of the value or a new array per cell.
    const QVariantList& zeile = m_zeilen[m_aktuell];
    if (feld < 0 || feld >= zeile.size())
        return false;
    const QVariant& v = zeile[feld];
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString) {
        utf8Setzen(utf8, *static_cast<const QString*>(v.constData()));
        return true;
    }
    return Zeilenquelle::text(feld, utf8);
}

}  // namespace reports
