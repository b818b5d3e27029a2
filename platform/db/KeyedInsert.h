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
#include <limits>

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
    // The same with the key as UTF-8 bytes, as a reader of many rows has it
    // (insertBoundUtf8 for a row whose key is a text).
    bool takenUtf8(QByteArrayView key) const;
    void insertBoundUtf8(QByteArrayView key);
    // Room for the keys of so many more rows, known beforehand.
    void reserve(qsizetype rows);

private:
    void checkKey(const QString& key, quint64* hash);
    void bound(int rc);
    bool takenByHash(quint64 hash, const QString& key) const;
    bool takenByHashUtf8(quint64 hash, QByteArrayView key) const;
    void insertBoundWith(quint64 hash, bool text);
    void bindColumn(int column, const QVariant& value);
    QString m_table;
    QString m_keyColumn;
    int m_keyIndex = -1;
    std::unique_ptr<detail::Statement> m_insert;
    std::unique_ptr<detail::Statement> m_keyOf;  // the key of a row, by rowid
    sqlite3* m_handle = nullptr;
    // Equality hash -> rowid of every stored key, in one flat table (open
    // addressing): a probe per row touches one place instead of a node.
    class Schluessel {
    public:
        void reserve(size_t zeilen);
        void add(quint64 hash, long long rowid);
        // The rowids stored under the hash, each handed to `gefunden` until it says true.
        template <class F> bool eines(quint64 hash, F&& gefunden) const
        {
            if (m_plaetze.empty())
                return false;
            for (size_t i = platz(hash);; i = (i + 1) & (m_plaetze.size() - 1)) {
                const auto& p = m_plaetze[i];
                if (p.rowid == Leer)
                    return false;
                if (p.hash == hash && gefunden(p.rowid))
                    return true;
            }
        }

    private:
        static constexpr long long Leer = std::numeric_limits<long long>::min();
        struct Platz {
            quint64 hash = 0;
            long long rowid = Leer;
        };
        size_t platz(quint64 hash) const { return size_t((hash ^ (hash >> 31)) * 0x9e3779b97f4a7c15ULL) & (m_plaetze.size() - 1); }
        void wachsen(size_t mindestens);
        std::vector<Platz> m_plaetze;
        size_t m_anzahl = 0;
    };
    Schluessel m_keys;
    // What each column holds bound; a text's bytes stay alive for SQLite.
    QVariantList m_bound;
    std::vector<QByteArray> m_utf8;
    // The last key taken() found free: insert() need not look it up again.
    mutable QString m_freeKey;
    mutable quint64 m_freeHash = 0;
    mutable bool m_freeKnown = false;
    mutable QByteArray m_freeUtf8;
    mutable bool m_freeUtf8Known = false;
};

}  // namespace db
