#include "platform/db/KeyedInsert.h"

#include "platform/db/SqlFunctions.h"
#include "platform/db/Statement.h"

namespace db {

KeyedInsert::KeyedInsert(Database& database, const QString& table, const QStringList& columns,
                         const QString& keyColumn)
    : m_table(table), m_keyColumn(keyColumn), m_keyIndex(int(columns.indexOf(keyColumn))), m_handle(database.handle()),
      m_utf8(size_t(columns.size()))
{
    if (m_keyIndex < 0 && !keyColumn.isEmpty())
        throw DbError(ErrUnknownField, QStringLiteral("Element in dieser Auflistung nicht gefunden: %1").arg(keyColumn));
    QStringList names;
    QStringList marks;
    for (const QString& c : columns) {
        names << detail::quoteIdentifier(c);
        marks << QStringLiteral("?");
    }
    const QString quotedTable = detail::quoteIdentifier(table);
    const QString quotedKey = detail::quoteIdentifier(keyColumn);
    m_insert = std::make_unique<detail::Statement>(
        m_handle, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quotedTable, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    if (m_keyIndex < 0)
        return;
    m_keyOf = std::make_unique<detail::Statement>(
        m_handle, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(quotedKey, quotedTable));
    // Hashed from the bytes as SQLite hands them out: no text is built per row.
    detail::Statement keys(m_handle, QStringLiteral("SELECT rowid, %1 FROM %2 WHERE typeof(%1) = 'text'")
                                         .arg(quotedKey, quotedTable));
    sqlite3_stmt* st = keys.get();
    while (keys.step() == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        m_keys.add(germanEqualityHashUtf8(text, sqlite3_column_bytes(st, 1)), sqlite3_column_int64(st, 0));
    }
}

KeyedInsert::~KeyedInsert() = default;

void KeyedInsert::Schluessel::reserve(size_t zeilen)
{
    if (2 * (m_anzahl + zeilen) > m_plaetze.size())
        wachsen(m_anzahl + zeilen);
}

void KeyedInsert::Schluessel::add(quint64 hash, long long rowid)
{
    if (2 * (m_anzahl + 1) > m_plaetze.size())
        wachsen(2 * (m_anzahl + 1));
    size_t i = platz(hash);
    while (m_plaetze[i].rowid != Leer)
        i = (i + 1) & (m_plaetze.size() - 1);
    m_plaetze[i] = {hash, rowid};
    ++m_anzahl;
}

void KeyedInsert::Schluessel::wachsen(size_t mindestens)
{
    // At most half full, so that a probe ends soon at an empty place.
    size_t groesse = 64;
    while (groesse < 2 * mindestens)
        groesse *= 2;
    std::vector<Platz> alt;
    alt.swap(m_plaetze);
    m_plaetze.assign(groesse, Platz{});
    m_anzahl = 0;
    for (const Platz& p : alt) {
        if (p.rowid != Leer)
            add(p.hash, p.rowid);
    }
}

bool KeyedInsert::takenByHash(quint64 hash, const QString& key) const
{
    // Equal hashes are necessary for equal keys; the comparison itself decides.
    const bool belegt = m_keys.eines(hash, [&](long long rowid) {
        sqlite3_reset(m_keyOf->get());
        m_keyOf->bind(1, rowid);
        return m_keyOf->step() == SQLITE_ROW && germanCompare(m_keyOf->value(0).toString(), key) == 0;
    });
    sqlite3_reset(m_keyOf->get());
    return belegt;
}

bool KeyedInsert::taken(const QString& key) const
{
    if (m_keyIndex < 0)
        return false;
    const quint64 hash = germanEqualityHash(key);
    const bool belegt = takenByHash(hash, key);
    m_freeKnown = !belegt;
    if (!belegt) {
        m_freeKey = key;
        m_freeHash = hash;
    }
    return belegt;
}

void KeyedInsert::bindColumn(int column, const QVariant& value)
{
    const auto slot = size_t(column);
    if (column < m_bound.size() && m_bound[column].typeId() == value.typeId() && m_bound[column] == value
        && m_bound[column].isNull() == value.isNull())
        return;
    if (detail::bindingOf(value) == detail::Binding::Text) {
        // Bound without a copy: the bytes live here until the column changes.
        m_utf8[slot] = detail::textOf(value).toUtf8();
        if (sqlite3_bind_text64(m_insert->get(), column + 1, m_utf8[slot].constData(),
                                sqlite3_uint64(m_utf8[slot].size()), SQLITE_STATIC, SQLITE_UTF8)
            != SQLITE_OK)
            detail::throwSqlite(m_handle);
    } else {
        m_insert->bind(column + 1, value);
        m_utf8[slot].clear();
    }
    if (column < m_bound.size())
        m_bound[column] = value;
}

void KeyedInsert::checkKey(const QString& key, quint64* hash)
{
    if (m_freeKnown && key == m_freeKey) {
        *hash = m_freeHash;
    } else {
        *hash = germanEqualityHash(key);
        if (takenByHash(*hash, key))
            throw keyViolation(m_table, m_keyColumn, false);
    }
    m_freeKnown = false;
}

void KeyedInsert::bound(int rc)
{
    if (rc != SQLITE_OK)
        detail::throwSqlite(m_handle);
}

void KeyedInsert::bindNull(int column)
{
    bound(sqlite3_bind_null(m_insert->get(), column + 1));
}

void KeyedInsert::bindInteger(int column, long long value)
{
    bound(sqlite3_bind_int64(m_insert->get(), column + 1, value));
}

void KeyedInsert::bindReal(int column, double value)
{
    bound(sqlite3_bind_double(m_insert->get(), column + 1, value));
}

void KeyedInsert::bindText(int column, QByteArrayView utf8)
{
    // An empty text is a text: SQLite binds a null pointer as Null.
    bound(sqlite3_bind_text64(m_insert->get(), column + 1, utf8.data() ? utf8.data() : "", sqlite3_uint64(utf8.size()),
                              SQLITE_TRANSIENT, SQLITE_UTF8));
}

void KeyedInsert::bindBlob(int column, QByteArrayView bytes)
{
    bound(sqlite3_bind_blob64(m_insert->get(), column + 1, bytes.data(), sqlite3_uint64(bytes.size()),
                              SQLITE_TRANSIENT));
}

bool KeyedInsert::takenByHashUtf8(quint64 hash, QByteArrayView key) const
{
    const bool belegt = m_keys.eines(hash, [&](long long rowid) {
        sqlite3_reset(m_keyOf->get());
        m_keyOf->bind(1, rowid);
        if (m_keyOf->step() != SQLITE_ROW)
            return false;
        const auto* stored = reinterpret_cast<const char*>(sqlite3_column_text(m_keyOf->get(), 0));
        return germanCompareUtf8(stored, sqlite3_column_bytes(m_keyOf->get(), 0), key.data(), int(key.size())) == 0;
    });
    sqlite3_reset(m_keyOf->get());
    return belegt;
}

bool KeyedInsert::takenUtf8(QByteArrayView key) const
{
    if (m_keyIndex < 0)
        return false;
    const quint64 hash = germanEqualityHashUtf8(key.data(), int(key.size()));
    const bool belegt = takenByHashUtf8(hash, key);
    m_freeUtf8Known = !belegt;
    if (!belegt) {
        m_freeUtf8 = key.toByteArray();
        m_freeHash = hash;
    }
    m_freeKnown = false;
    return belegt;
}

void KeyedInsert::insertBoundUtf8(QByteArrayView key)
{
    quint64 hash = 0;
    const bool text = m_keyIndex >= 0;
    if (text) {
        if (m_freeUtf8Known && key == m_freeUtf8) {
            hash = m_freeHash;
        } else {
            hash = germanEqualityHashUtf8(key.data(), int(key.size()));
            if (takenByHashUtf8(hash, key)) {
                m_freeUtf8Known = false;
                sqlite3_clear_bindings(m_insert->get());
                m_bound.clear();
                throw keyViolation(m_table, m_keyColumn, false);
            }
        }
    }
    m_freeUtf8Known = false;
    m_freeKnown = false;
    insertBoundWith(hash, text);
}

void KeyedInsert::insertBound(const QString& key)
{
    const bool text = m_keyIndex >= 0 && !key.isNull();
    quint64 hash = 0;
    try {
        if (text)
            checkKey(key, &hash);
        else
            m_freeKnown = false;
    } catch (...) {
        sqlite3_clear_bindings(m_insert->get());
        m_bound.clear();
        throw;
    }
    m_freeUtf8Known = false;
    insertBoundWith(hash, text);
}

void KeyedInsert::insertBoundWith(quint64 hash, bool text)
{
    try {
        m_insert->step();
    } catch (...) {
        sqlite3_reset(m_insert->get());
        sqlite3_clear_bindings(m_insert->get());
        m_bound.clear();
        throw;
    }
    sqlite3_reset(m_insert->get());
    // Unbound again, as insert() expects a statement that holds no values it does not remember.
    sqlite3_clear_bindings(m_insert->get());
    m_bound.clear();
    if (text)
        m_keys.add(hash, sqlite3_last_insert_rowid(m_handle));
}

void KeyedInsert::reserve(qsizetype rows)
{
    if (m_keyIndex >= 0)
        m_keys.reserve(size_t(rows));
}

void KeyedInsert::insert(const QVariantList& values)
{
    if (values.size() != qsizetype(m_utf8.size()))
        throw DbError(SQLITE_RANGE, QStringLiteral("Die Anweisung erwartet %1 Werte, übergeben wurden %2.")
                                        .arg(m_utf8.size())
                                        .arg(values.size()));
    const QVariant key = m_keyIndex >= 0 ? values.value(m_keyIndex) : QVariant();
    const bool text = key.typeId() == QMetaType::QString && !key.isNull();
    quint64 hash = 0;
    if (text)
        checkKey(key.toString(), &hash);
    else
        m_freeKnown = false;
    m_freeUtf8Known = false;
    sqlite3_reset(m_insert->get());
    if (m_bound.isEmpty())
        m_bound.resize(values.size());
    try {
        for (int i = 0; i < values.size(); ++i)
            bindColumn(i, values[i]);
    } catch (...) {
        // A half-bound row must not pass for the values it no longer holds.
        sqlite3_clear_bindings(m_insert->get());
        m_bound.clear();
        throw;
    }
    m_insert->step();
    // Reset at once, so that values bound one by one can follow.
    sqlite3_reset(m_insert->get());
    if (text)
        m_keys.add(hash, sqlite3_last_insert_rowid(m_handle));
}

}  // namespace db
