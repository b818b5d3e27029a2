#include "platform/db/SqlFunctions.h"

#include "platform/vb/VbLike.h"
#include "platform/vb/VbRuntime.h"

#include <QChar>

#include <sqlite3.h>

#include <array>
#include <cstring>

namespace db {

namespace {

// Marks the one letter whose base form is two letters: "ß" (and "ẞ") -> "ss".
constexpr char16_t SharpS = 0xFFFF;
constexpr char32_t TableLimit = 0x3000;

char32_t asciiLower(char32_t c)
{
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

char32_t folded(char32_t c)
{
    return c < 0x80 ? asciiLower(c) : QChar::toCaseFolded(c);
}

// Base letters for the alphabets with accents (Latin, Greek, Cyrillic and the
// symbols up to U+2FFF): case folded, canonical decompositions followed to their
// first character. Above that block only the case is folded, so that syllable
// scripts whose decompositions are not accents keep their order.
const std::array<char16_t, TableLimit>& baseTable()
{
    static const std::array<char16_t, TableLimit> table = [] {
        std::array<char16_t, TableLimit> t{};
        for (char32_t c = 0; c < TableLimit; ++c) {
            char32_t b = folded(c);
            for (int guard = 0; guard < 8 && QChar::decompositionTag(b) == QChar::Canonical; ++guard) {
                const QString d = QChar::decomposition(b);
                if (d.isEmpty())
                    break;
                b = folded(d.at(0).unicode());
            }
            t[c] = b == 0xDF ? SharpS : char16_t(b);
        }
        return t;
    }();
    return table;
}

struct Utf16Source {
    const QChar* p;
    const QChar* end;
    bool next(char32_t& out)
    {
        if (p == end)
            return false;
        char32_t c = (p++)->unicode();
        if (QChar::isHighSurrogate(c) && p != end && p->isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), (p++)->unicode());
        out = c;
        return true;
    }
};

struct Utf8Source {
    const unsigned char* p;
    const unsigned char* end;
    bool next(char32_t& out)
    {
        if (p == end)
            return false;
        const unsigned char b = *p++;
        if (b < 0x80) {
            out = b;
            return true;
        }
        int extra = 0;
        char32_t c = 0;
        if ((b & 0xE0) == 0xC0) {
            extra = 1;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            c = b & 0x07;
        } else {
            out = 0xFFFD;
            return true;
        }
        if (end - p < extra) {
            p = end;
            out = 0xFFFD;
            return true;
        }
        for (int k = 0; k < extra; ++k) {
            if ((p[k] & 0xC0) != 0x80) {
                out = 0xFFFD;  // a broken sequence: only its first byte is taken
                return true;
            }
            c = (c << 6) | (p[k] & 0x3F);
        }
        p += extra;
        out = c;
        return true;
    }
};

// The primary level: base letters, "ß" given out as two "s".
template <class Source>
struct PrimaryStream {
    Source src;
    bool pendingS = false;
    bool next(char32_t& out)
    {
        if (pendingS) {
            pendingS = false;
            out = U's';
            return true;
        }
        char32_t c;
        if (!src.next(c))
            return false;
        if (c < 0x80) {
            out = asciiLower(c);
            return true;
        }
        if (c < TableLimit) {
            const char16_t b = baseTable()[c];
            if (b == SharpS) {
                pendingS = true;
                out = U's';
            } else {
                out = b;
            }
            return true;
        }
        out = QChar::toCaseFolded(c);
        return true;
    }
};

template <class Source>
struct SecondaryStream {
    Source src;
    bool next(char32_t& out)
    {
        char32_t c;
        if (!src.next(c))
            return false;
        out = folded(c);
        return true;
    }
};

template <class Stream>
int compareStreams(Stream a, Stream b)
{
    for (;;) {
        char32_t ca = 0;
        char32_t cb = 0;
        const bool ha = a.next(ca);
        const bool hb = b.next(cb);
        if (!ha || !hb)
            return ha ? 1 : (hb ? -1 : 0);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
}

template <class Source>
int compareSources(Source a, Source b)
{
    if (const int r = compareStreams(PrimaryStream<Source>{a}, PrimaryStream<Source>{b}))
        return r;
    return compareStreams(SecondaryStream<Source>{a}, SecondaryStream<Source>{b});
}

int deutschCollation(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return germanCompareUtf8(static_cast<const char*>(a), lengthA, static_cast<const char*>(b), lengthB);
}

QString argumentText(sqlite3_value* v)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(text, sqlite3_value_bytes(v));
}

// like(pattern, text): SQLite turns "X LIKE Y" into like(Y, X).
void likeFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    try {
        const QString pattern = argumentText(argv[0]);
        const QString text = argumentText(argv[1]);
        sqlite3_result_int(ctx, vb::like(text, pattern, vb::LikeCase::Insensitive) ? 1 : 0);
    } catch (const vb::PatternError& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

void dedateFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const std::optional<QString> iso = dedate(argumentText(argv[0]));
    if (!iso) {
        sqlite3_result_null(ctx);
        return;
    }
    const QByteArray utf8 = iso->toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void denumFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
        return;
    case SQLITE_TEXT:
        if (const std::optional<double> v = denum(argumentText(argv[0]))) {
            sqlite3_result_double(ctx, *v);
            return;
        }
        break;
    default:
        break;
    }
    sqlite3_result_null(ctx);
}

}  // namespace

int germanCompare(QStringView a, QStringView b)
{
    return compareSources(Utf16Source{a.data(), a.data() + a.size()}, Utf16Source{b.data(), b.data() + b.size()});
}

int germanCompareUtf8(const char* a, int lengthA, const char* b, int lengthB)
{
    // Index builds and seeks compare mostly ASCII titles: that part runs on the
    // bytes. An equal ASCII prefix is equal on both levels, so the rest decides.
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    const int n = lengthA < lengthB ? lengthA : lengthB;
    int i = 0;
    for (; i < n; ++i) {
        const unsigned char ca = pa[i];
        const unsigned char cb = pb[i];
        if ((ca | cb) >= 0x80)
            break;
        if (ca != cb) {
            const unsigned char la = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
            const unsigned char lb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
            if (la != lb)
                return la < lb ? -1 : 1;
        }
    }
    if (i == n)
        return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
    return compareSources(Utf8Source{pa + i, pa + lengthA}, Utf8Source{pb + i, pb + lengthB});
}

namespace {

template <class Source>
quint64 equalityHash(Source source)
{
    // FNV-1a over the folded code points.
    quint64 h = 14695981039346656037ULL;
    char32_t c = 0;
    while (source.next(c)) {
        h ^= quint64(folded(c));
        h *= 1099511628211ULL;
    }
    return h;
}

}  // namespace

quint64 germanEqualityHash(QStringView text)
{
    return equalityHash(Utf16Source{text.data(), text.data() + text.size()});
}

quint64 germanEqualityHashUtf8(const char* text, int length)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    return equalityHash(Utf8Source{p, p + length});
}

std::optional<QString> dedate(QStringView text)
{
    const QDate date = vb::parseDateText(text.toString());
    if (!date.isValid())
        return std::nullopt;
    return date.toString(u"yyyy-MM-dd");
}

std::optional<double> denum(QStringView text)
{
    return vb::cdbl(text.toString());
}

void registerSqlFunctions(sqlite3* db)
{
    // Never a built-in name: the file's indexes are ordered by SQLite's own
    // NOCASE, and every other program must find the rows where we put them.
    sqlite3_create_collation_v2(db, deutscheKollation, SQLITE_UTF8, nullptr, &deutschCollation, nullptr);
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, &likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "dedate", 1, flags, nullptr, &dedateFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "denum", 1, flags, nullptr, &denumFunction, nullptr, nullptr, nullptr);
}

}  // namespace db
