#include "reports/Zeilenquelle.h"

#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "reports/Zellwert.h"

#include <QDate>

namespace reports {

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
    QString innen = m_sql.trimmed();
    while (innen.endsWith(QLatin1Char(';')))
        innen.chop(1);
    return m_datenbank.scalar(QStringLiteral("SELECT count(*) FROM (") + innen + QStringLiteral(")"), m_werte)
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

}  // namespace reports
