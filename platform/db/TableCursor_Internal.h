#pragma once
// What the parts of TableCursor share: the batch sizes, the order of keys
// (SQLite's, with texts in the German way) and the error without a current row.
#include "platform/db/DbError.h"
#include "platform/db/SqlFunctions.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace db::cursor {

constexpr int FirstBatchRows = 256;
constexpr int MaxBatchRows = 2048;
// Where a write's row lands in the snapshot when it cannot be patched in.
constexpr size_t NoEntry = size_t(-1);

inline int typeRank(int type)
{
    switch (type) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return 1;
    case SQLITE_TEXT:
        return 2;
    default:
        return 3;
    }
}

// SQLite's order of values, with texts in the German order: Null, numbers,
// texts, blobs.
template <class CellT>
int compareCells(const CellT& a, const char* bytesA, const CellT& b, const char* bytesB)
{
    const int ra = typeRank(a.type);
    const int rb = typeRank(b.type);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    switch (ra) {
    case 0:
        return 0;
    case 1: {
        if (a.type == SQLITE_INTEGER && b.type == SQLITE_INTEGER)
            return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
        const double x = a.type == SQLITE_INTEGER ? double(a.integer) : a.real;
        const double y = b.type == SQLITE_INTEGER ? double(b.integer) : b.real;
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 2:
        return germanCompareUtf8(bytesA + a.integer, a.size, bytesB + b.integer, b.size);
    default: {
        const int n = std::min(a.size, b.size);
        if (const int r = n > 0 ? std::memcmp(bytesA + a.integer, bytesB + b.integer, size_t(n)) : 0)
            return r < 0 ? -1 : 1;
        return a.size < b.size ? -1 : (a.size > b.size ? 1 : 0);
    }
    }
}

[[noreturn]] inline void throwNoCurrent()
{
    throw DbError(ErrNoCurrentRecord, QStringLiteral("Kein aktueller Datensatz."));
}

}  // namespace db::cursor
