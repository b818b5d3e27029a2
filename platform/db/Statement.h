#pragma once
// Internal to platform/db: a prepared statement that is always finalized, value
// binding and reading, and SQLite errors as DbError.
#include "platform/db/DbError.h"
#include "platform/db/Identifier.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <sqlite3.h>

namespace db::detail {

[[noreturn]] inline void throwSqlite(sqlite3* db)
{
    throw DbError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

using db::quoteIdentifier;

// How a value travels to SQLite.
enum class Binding { Null, Integer, Real, Blob, Text };

inline Binding bindingOf(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return Binding::Null;
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return Binding::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return Binding::Real;
    case QMetaType::QByteArray:
        return Binding::Blob;
    case QMetaType::QDate:
        return value.toDate().isValid() ? Binding::Text : Binding::Null;
    default:
        return Binding::Text;
    }
}

// The text of a value that travels as text; a date as "yyyy-MM-dd".
inline QString textOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(u"yyyy-MM-dd");
    return value.toString();
}

class Statement {
public:
    // Prepares exactly one statement; an empty text (only blanks, comments or
    // ";") gives a statement that does nothing. A second statement is refused,
    // so a value can never smuggle one in and a forgotten split shows at once.
    Statement(sqlite3* db, const QString& sql) : m_db(db)
    {
        const QByteArray utf8 = sql.toUtf8();
        const char* begin = utf8.constData();
        const char* end = begin + utf8.size();
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db, begin, int(utf8.size()), &m_stmt, &tail) != SQLITE_OK)
            throwSqlite(db);
        while (tail && tail < end) {
            sqlite3_stmt* extra = nullptr;
            const char* rest = nullptr;
            const int rc = sqlite3_prepare_v2(db, tail, int(end - tail), &extra, &rest);
            if (extra || rc != SQLITE_OK) {
                DbError error =
                    extra ? DbError(SQLITE_ERROR, QStringLiteral("Nur eine SQL-Anweisung je Aufruf: %1").arg(sql))
                          : DbError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
                sqlite3_finalize(extra);
                sqlite3_finalize(m_stmt);
                throw error;
            }
            if (!rest || rest == tail)
                break;
            tail = rest;
        }
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }

    void bind(int index, const QVariant& value)
    {
        int rc = SQLITE_OK;
        switch (bindingOf(value)) {
        case Binding::Null:
            rc = sqlite3_bind_null(m_stmt, index);
            break;
        case Binding::Integer:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case Binding::Real:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case Binding::Blob: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case Binding::Text:
            bindText(index, textOf(value));
            return;
        }
        if (rc != SQLITE_OK)
            throwSqlite(m_db);
    }

    void bindText(int index, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        if (sqlite3_bind_text64(m_stmt, index, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                                SQLITE_UTF8) != SQLITE_OK)
            throwSqlite(m_db);
    }

    void bindAll(const QVariantList& params)
    {
        const int expected = m_stmt ? sqlite3_bind_parameter_count(m_stmt) : 0;
        if (int(params.size()) != expected)
            throw DbError(SQLITE_RANGE, QStringLiteral("Die Anweisung erwartet %1 Werte, übergeben wurden %2.")
                                            .arg(expected)
                                            .arg(params.size()));
        for (int i = 0; i < expected; ++i)
            bind(i + 1, params[i]);
    }

    // SQLITE_ROW or SQLITE_DONE; anything else throws.
    int step()
    {
        if (!m_stmt)
            return SQLITE_DONE;
        const int rc = sqlite3_step(m_stmt);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throwSqlite(m_db);
        return rc;
    }

    QVariant value(int column) const
    {
        switch (sqlite3_column_type(m_stmt, column)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_stmt, column));
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
            return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)));
        }
        case SQLITE_BLOB: {
            const auto* blob = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
            return QVariant(QByteArray(blob, sqlite3_column_bytes(m_stmt, column)));
        }
        default:
            return QVariant();
        }
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

}  // namespace db::detail
