#pragma once
// Table Filme of a catalogue for a grid, in title order and read-only. It knows
// its row count from one COUNT and reads rows a page at a time, keeping only a
// few pages: a catalogue of any size costs the rows on screen, never all rows.
#include "platform/db/Database.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

class FilmeModell : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int SeitenGroesse = 128;
    static constexpr int BehalteneSeiten = 16;

    // Throws db::DbError when the table cannot be read.
    explicit FilmeModell(std::shared_ptr<db::Database> datenbank, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The pages read so far and held now, for tests.
    int gelesenSeiten() const { return m_gelesen; }
    int gehalteneSeiten() const { return int(m_seiten.size()); }

    // A cell as the grid shows it: Null as "", Anzahl as CStr, Datum as day.month.year.
    static QString zellText(const QVariant& wert, bool anzahl, bool datum);
    // Whether the column shows dates (day.month.year).
    bool istDatum(int spalte) const { return spalte >= 0 && spalte < int(m_datum.size()) && m_datum[spalte]; }

private:
    using Seite = std::vector<QString>;  // rows x columns
    const Seite& seite(int nummer) const;

    std::shared_ptr<db::Database> m_datenbank;
    QStringList m_spalten;
    std::vector<bool> m_anzahl;
    std::vector<bool> m_datum;
    int m_zeilen = 0;
    mutable std::unordered_map<int, Seite> m_seiten;
    mutable std::list<int> m_reihenfolge;  // most recently used first
    mutable int m_gelesen = 0;
};
