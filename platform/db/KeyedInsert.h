#pragma once
// Many rows into one table whose text key must stay unique in the German
// comparison, as a disc's files become sub-entries: the INSERT is prepared
// once and the column's stored keys are hashed once, so a thousand rows cost
// one pass over the table instead of one per row. Belongs in the caller's
// transaction; it neither begins nor commits one.
#include "platform/db/Database.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <vector>
#include <unordered_map>

namespace db {

namespace detail {
class Statement;
}

class KeyedInsert {
public:
    // `columns` are the columns each insert fills, in order; `keyColumn` is one
    // of them, or "" for a table without such a key (rows are then only inserted).
    KeyedInsert(Database& database, const QString& table, const QStringList& columns, const QString& keyColumn);
    ~KeyedInsert();
    KeyedInsert(const KeyedInsert&) = delete;
    KeyedInsert& operator=(const KeyedInsert&) = delete;

    // True when a stored row or a row inserted here holds a key equal to
    // `key` in the German comparison ("Ärger" takes "ärger").
    bool taken(const QString& key) const;
    // Inserts one row; a taken key is refused with the key violation's error.
    // A value equal to the one bound for the previous row is not bound again.
    void insert(const QVariantList& values);

    // The same without a QVariant per value, for converters of many rows:
    // bind every column of the row (from 0), then insertBound() with the
    // row's key as text (a null QString when the key is no text). Texts are
    // UTF-8 and copied by SQLite.
    void bindNull(int column);
    void bindInteger(int column, long long value);
    void bindReal(int column, double value);
    void bindText(int column, QByteArrayView utf8);
    void bindBlob(int column, QByteArrayView bytes);
    void insertBound(const QString& key);

private:
    void checkKey(const QString& key, quint64* hash);
    void bound(int rc);
    bool takenByHash(quint64 hash, const QString& key) const;
    void bindColumn(int column, const QVariant& value);
    QString m_table;
    QString m_keyColumn;
    int m_keyIndex = -1;
    std::unique_ptr<detail::Statement> m_insert;
    std::unique_ptr<detail::Statement> m_keyOf;  // the key of a row, by rowid
    sqlite3* m_handle = nullptr;
    std::unordered_multimap<quint64, long long> m_keys;  // equality hash -> rowid
    // What each column holds bound; a text's bytes stay alive for SQLite.
    QVariantList m_bound;
    std::vector<QByteArray> m_utf8;
    // The last key taken() found free: insert() need not look it up again.
    mutable QString m_freeKey;
    mutable quint64 m_freeHash = 0;
    mutable bool m_freeKnown = false;
};

}  // namespace db
