#include "tests/support/RohSqlite.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace testing_support {

std::vector<QStringList> roh(const QString& pfad, const QString& sql)
{
    std::vector<QStringList> zeilen;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(pfad).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << pfad.toStdString();
        sqlite3_close(db);
        return zeilen;
    }
    sqlite3_stmt* st = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), -1, &st, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << text.constData();
    } else {
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList zeile;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const auto* wert = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                zeile << (wert ? QString::fromUtf8(wert) : QStringLiteral("<null>"));
            }
            zeilen.push_back(zeile);
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return zeilen;
}

QString rohWert(const QString& pfad, const QString& sql)
{
    const auto zeilen = roh(pfad, sql);
    return zeilen.empty() || zeilen.front().isEmpty() ? QString() : zeilen.front().front();
}

}  // namespace testing_support
