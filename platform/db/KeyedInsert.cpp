#include "platform/db/KeyedInsert.h"

#include "platform/db/SqlFunctions.h"
#include "platform/db/Statement.h"

namespace db {

KeyedInsert::KeyedInsert(Database& database, const QString& table, const QStringList& columns,
                         const QString& keyColumn)
    : m_db(database), m_table(table), m_keyColumn(keyColumn), m_keyIndex(int(columns.indexOf(keyColumn)))
{
    if (m_keyIndex < 0)
        throw DbError(ErrUnknownField, QStringLiteral("Element in dieser Auflistung nicht gefunden: %1").arg(keyColumn));
    QStringList names;
    QStringList marks;
    for (const QString& c : columns) {
        names << detail::quoteIdentifier(c);
        marks << QStringLiteral("?");
    }
    m_insert = std::make_unique<detail::Statement>(
        database.handle(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(detail::quoteIdentifier(table), names.join(QStringLiteral(", ")),
                                    marks.join(QStringLiteral(", "))));
    detail::Statement keys(database.handle(), QStringLiteral("SELECT %1 FROM %2 WHERE %1 IS NOT NULL")
                                                  .arg(detail::quoteIdentifier(keyColumn),
                                                       detail::quoteIdentifier(table)));
    while (keys.step() == SQLITE_ROW)
        remember(keys.value(0).toString());
}

KeyedInsert::~KeyedInsert() = default;

void KeyedInsert::remember(const QString& key)
{
    m_keys[germanEqualityKey(key)] << key;
}

bool KeyedInsert::taken(const QString& key) const
{
    const auto gleich = m_keys.constFind(germanEqualityKey(key));
    if (gleich == m_keys.constEnd())
        return false;
    // Equal keys are necessary for equal texts; the comparison itself decides.
    for (const QString& stored : *gleich) {
        if (germanCompare(stored, key) == 0)
            return true;
    }
    return false;
}

void KeyedInsert::insert(const QVariantList& values)
{
    const QVariant& key = values.value(m_keyIndex);
    const bool text = key.typeId() == QMetaType::QString && !key.isNull();
    if (text && taken(key.toString()))
        throw keyViolation(m_table, m_keyColumn, false);
    sqlite3_reset(m_insert->get());
    sqlite3_clear_bindings(m_insert->get());
    m_insert->bindAll(values);
    m_insert->step();
    if (text)
        remember(key.toString());
}

}  // namespace db
