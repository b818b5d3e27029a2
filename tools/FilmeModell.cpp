#include "tools/FilmeModell.h"

#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbRuntime.h"

#include <algorithm>

FilmeModell::FilmeModell(std::shared_ptr<db::Database> datenbank, QObject* parent)
    : QAbstractTableModel(parent), m_datenbank(std::move(datenbank))
{
    m_spalten = m_datenbank->columnNames(QStringLiteral("Filme"));
    for (const QString& name : m_spalten) {
        m_anzahl.push_back(name.compare(QLatin1String("Anzahl"), Qt::CaseInsensitive) == 0);
        m_datum.push_back(name.compare(QLatin1String("Datum"), Qt::CaseInsensitive) == 0);
    }
    m_zeilen = m_datenbank->scalar(QStringLiteral("SELECT count(*) FROM Filme")).toInt();
}

int FilmeModell::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_zeilen;
}

int FilmeModell::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_spalten.size());
}

QString FilmeModell::zellText(const QVariant& wert, bool anzahl, bool datum)
{
    if (wert.isNull())
        return QString();
    if (anzahl && (wert.typeId() == QMetaType::Double || wert.typeId() == QMetaType::LongLong))
        return vb::cstr(wert.toDouble());
    if (datum) {
        const QDate tag = QDate::fromString(wert.toString(), QStringLiteral("yyyy-MM-dd"));
        if (tag.isValid())
            return vb::dateText(tag);
    }
    return wert.toString();
}

const FilmeModell::Seite& FilmeModell::seite(int nummer) const
{
    if (const auto gefunden = m_seiten.find(nummer); gefunden != m_seiten.end()) {
        m_reihenfolge.remove(nummer);
        m_reihenfolge.push_front(nummer);
        return gefunden->second;
    }
    Seite zellen;
    try {
        // rowid breaks ties, so that pages never overlap or leave a row out.
        const db::Result zeilen = m_datenbank->query(
            QStringLiteral("SELECT * FROM Filme ORDER BY Titel%1, rowid LIMIT ?1 OFFSET ?2").arg(db::kollation()),
            {SeitenGroesse, qlonglong(nummer) * SeitenGroesse});
        const int spalten = int(m_spalten.size());
        zellen.reserve(size_t(zeilen.size()) * size_t(spalten));
        for (int z = 0; z < zeilen.size(); ++z)
            for (int s = 0; s < spalten; ++s)
                zellen.push_back(zellText(zeilen.value(z, s), m_anzahl[size_t(s)], m_datum[size_t(s)]));
    } catch (const db::DbError&) {
        // A page that cannot be read shows empty cells.
    }
    ++m_gelesen;
    while (int(m_seiten.size()) >= BehalteneSeiten) {
        m_seiten.erase(m_reihenfolge.back());
        m_reihenfolge.pop_back();
    }
    m_reihenfolge.push_front(nummer);
    return m_seiten.emplace(nummer, std::move(zellen)).first->second;
}

QVariant FilmeModell::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_zeilen)
        return {};
    const Seite& zellen = seite(index.row() / SeitenGroesse);
    const size_t stelle = size_t(index.row() % SeitenGroesse) * size_t(m_spalten.size()) + size_t(index.column());
    return stelle < zellen.size() ? zellen[stelle] : QString();
}

QVariant FilmeModell::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_spalten.size() ? m_spalten[section] : QVariant();
    return QVariant();
}

Qt::ItemFlags FilmeModell::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
