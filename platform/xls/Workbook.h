#pragma once
// An Excel workbook as ".xls" (BIFF8 in an OLE2 compound file), the format
// every spreadsheet program reads. One table of rows: the first row holds the
// column names, each further row one record. A sheet holds 65,536 rows; the
// rows beyond continue on further sheets named after the first with a number
// ("cds", "cds2", "cds3", ...), each starting with the header row again.
//
// Rows are encoded as they come; only the cell records and the distinct
// texts are kept until the file is written.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <span>
#include <vector>

namespace xls {

class Workbook {
public:
    static constexpr int RowsPerSheet = 65536;  // header row included
    static constexpr int MaxColumns = 256;
    static constexpr int MaxTextLength = 32767;  // longer texts are cut to this

    Workbook(QString sheetName, QStringList columns);

    // One record. A null value gives no cell; a QDate a date cell shown
    // day.month.year; a number (integer, double, bool) a number cell; anything
    // else a text cell of its text form. Values past the header's columns are
    // dropped.
    void addRow(std::span<const QVariant> values);

    long long rowCount() const { return m_rows; }
    int sheetCount() const { return int(m_sheets.size()); }
    const QStringList& sheetNames() const { return m_sheetNames; }

    // The Workbook stream itself, without the container.
    std::vector<QByteArray> stream() const;

    // Writes the file under a temporary name beside `path` and renames it over
    // `path` once it is complete: a failed write leaves the previous file (or
    // none) in place. Returns false and sets *error on failure.
    bool save(const QString& path, QString* error = nullptr) const;

private:
    void startSheet();
    void addText(int row, int column, const QString& text);
    void addNumber(int row, int column, double value, unsigned xf);

    QString m_sheetName;
    QStringList m_columns;
    QStringList m_sheetNames;
    std::vector<QByteArray> m_sheets;  // the cell records of each sheet
    std::vector<int> m_sheetRows;      // rows of each sheet, header included
    QHash<QString, quint32> m_stringIndex;
    QStringList m_strings;  // shared strings in order of first use
    quint32 m_stringUses = 0;
    long long m_rows = 0;
};

}  // namespace xls
