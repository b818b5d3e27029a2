#pragma once
// What a report reads: field names, the number of all rows, and rows read
// forward from the current one, as a recordset hands them out. Null is a null
// QVariant.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <vector>

namespace db {
class Database;
class RowReader;
}  // namespace db

namespace reports {

class Zeilenquelle {
public:
    virtual ~Zeilenquelle() = default;
    // The source's own name, for a report without title or heading.
    virtual QString name() const = 0;
    virtual QStringList felder() const = 0;
    // All rows of the source, also those before the current one.
    virtual long long anzahl() = 0;
    // True past the last row. A source starts at its first row.
    virtual bool amEnde() const = 0;
    virtual void weiter() = 0;
    // A value of the current row: text, number or date.
    virtual QVariant wert(int feld) const = 0;
    // The same as a report shows it, as UTF-8 (numbers as CStr, dates as
    // day.month.year); false for Null.
    virtual bool text(int feld, QByteArray& utf8) const;
};

// The rows of a query. Date columns of the catalogue come as dates. Throws
// db::DbError, from the constructor on.
class Abfragequelle : public Zeilenquelle {
public:
    // `name` defaults to the statement.
    Abfragequelle(db::Database& datenbank, QString sql, QVariantList werte = {}, QString name = {});
    ~Abfragequelle() override;

    QString name() const override { return m_name; }
    QStringList felder() const override;
    long long anzahl() override;
    bool amEnde() const override { return m_amEnde; }
    void weiter() override;
    QVariant wert(int feld) const override;
    bool text(int feld, QByteArray& utf8) const override;

private:
    db::Database& m_datenbank;
    QString m_sql;
    QVariantList m_werte;
    QString m_name;
    std::unique_ptr<db::RowReader> m_zeilen;
    std::vector<bool> m_datum;
    bool m_amEnde = false;
};

// Rows held in memory.
class Tabellenquelle : public Zeilenquelle {
public:
    Tabellenquelle(QString name, QStringList felder, std::vector<QVariantList> zeilen)
        : m_name(std::move(name)), m_felder(std::move(felder)), m_zeilen(std::move(zeilen)) {}

    QString name() const override { return m_name; }
    QStringList felder() const override { return m_felder; }
    long long anzahl() override { return static_cast<long long>(m_zeilen.size()); }
    bool amEnde() const override { return m_aktuell >= m_zeilen.size(); }
    void weiter() override { ++m_aktuell; }
    QVariant wert(int feld) const override { return m_zeilen[m_aktuell].value(feld); }
    bool text(int feld, QByteArray& utf8) const override;

private:
    QString m_name;
    QStringList m_felder;
    std::vector<QVariantList> m_zeilen;
    size_t m_aktuell = 0;
};

}  // namespace reports
