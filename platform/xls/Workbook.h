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
#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace xls {

class Workbook {
public:
    static constexpr int RowsPerSheet = 65536;  // header row included
    static constexpr int MaxColumns = 256;
    static constexpr int MaxTextLength = 32767;  // longer texts are cut to this

    // A source of more than MaxColumns columns cannot be written: save() refuses it.
    Workbook(QString sheetName, QStringList columns);

    // One record. A null value or an empty text gives no cell; a QDate a date cell shown
    // day.month.year; a number (integer, double, bool) a number cell; anything
    // else a text cell of its text form. Values past the header's columns are
    // dropped.
    void addRow(std::span<const QVariant> values);

    // The same cell by cell, for sources that hand out values as they step:
    // beginRow() starts the next record, then each column is set at most once
    // (a column left out stays empty).
    void beginRow();
    void setText(int column, QStringView text);
    void setTextUtf8(int column, QByteArrayView utf8);
    void setNumber(int column, double value);
    void setDate(int column, QDate date);

    long long rowCount() const { return m_rows; }
    int sheetCount() const { return int(m_sheets.size()); }
    const QStringList& sheetNames() const { return m_sheetNames; }

    // Writes the file under a temporary name beside `path` and renames it over
    // `path` once it is complete: a failed write leaves the previous file (or
    // none) in place. Returns false and sets *error on failure.
    bool save(const QString& path, QString* error = nullptr) const;

private:
    // The Workbook stream in parts (globals, then each sheet), without the container.
    std::vector<QByteArray> stream() const;

    // A shared string's UTF-8 bytes, kept in m_textStore.
    struct Key {
        const char* data;
        qsizetype size;
        friend bool operator==(const Key& a, const Key& b)
        {
            return a.size == b.size && (a.size == 0 || std::memcmp(a.data, b.data, size_t(a.size)) == 0);
        }
        friend size_t qHash(const Key& k, size_t seed) { return qHash(QByteArrayView(k.data, k.size), seed); }
    };

    void startSheet();
    void addText(int row, int column, std::string_view utf8);
    Key keep(std::string_view utf8);
    void addNumber(int row, int column, double value, unsigned xf);
    int currentRow() const { return m_sheetRows.back() - 1; }

    QString m_sheetName;
    QStringList m_columns;
    qsizetype m_sourceColumns = 0;
    QStringList m_sheetNames;
    std::vector<QByteArray> m_sheets;  // the cell records of each sheet
    std::vector<int> m_sheetRows;      // rows of each sheet, header included
    // Shared strings in order of first use, and their numbers. Their bytes
    // live in blocks that never move, so the keys stay valid.
    QHash<Key, quint32> m_stringIndex;
    std::vector<Key> m_strings;
    std::vector<std::unique_ptr<char[]>> m_textStore;
    char* m_storeNext = nullptr;
    size_t m_storeLeft = 0;
    // The last string of each column: neighbouring rows often repeat a value.
    std::vector<std::pair<Key, quint32>> m_lastInColumn;
    quint32 m_stringUses = 0;
    long long m_rows = 0;
};

}  // namespace xls
