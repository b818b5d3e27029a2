#pragma once
// Many rows into one table whose text key must stay unique in the German
// comparison, as a disc's files become sub-entries: the INSERT is prepared
// once and the column's stored keys are hashed once, so a thousand rows cost
// one pass over the table instead of one per row. Belongs in the caller's
// transaction; it neither begins nor commits one.
#include "platform/db/Database.h"

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

private:
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
