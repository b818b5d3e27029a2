#include "platform/vb/VbLike.h"

#include <QChar>
#include <QVarLengthArray>

namespace vb {

namespace {

using CodePoints = QVarLengthArray<char32_t, 128>;

enum class Kind { Literal, AnyOne, Digit, Set, NotSet, Star };

struct Token {
    Kind kind;
    char32_t ch = 0;  // Literal
    int first = 0;    // Set/NotSet: ranges [first, first + count) of the range pool
    int count = 0;
};

struct Range {
    char32_t low;
    char32_t high;
};

struct Compiled {
    QVarLengthArray<Token, 64> tokens;
    QVarLengthArray<Range, 32> ranges;
};

char32_t fold(char32_t c, LikeCase mode)
{
    if (mode == LikeCase::Sensitive)
        return c;
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

CodePoints decode(QStringView text, LikeCase mode)
{
    CodePoints out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(char16_t(c), text[i + 1].unicode());
            ++i;
        }
        out.append(fold(c, mode));
    }
    return out;
}

Compiled compile(const CodePoints& p)
{
    Compiled result;
    const qsizetype n = p.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char32_t c = p[i];
        switch (c) {
        case U'*':
            // Runs of stars mean the same as one.
            if (result.tokens.isEmpty() || result.tokens.last().kind != Kind::Star)
                result.tokens.append(Token{Kind::Star});
            break;
        case U'?':
            result.tokens.append(Token{Kind::AnyOne});
            break;
        case U'#':
            result.tokens.append(Token{Kind::Digit});
            break;
        case U'[': {
            qsizetype j = i + 1;
            bool negated = false;
            if (j < n && p[j] == U'!') {
                negated = true;
                ++j;
            }
            const int first = int(result.ranges.size());
            while (j < n && p[j] != U']') {
                const char32_t low = p[j];
                // A hyphen between two characters makes a range; at either end it stands for itself.
                if (j + 2 < n && p[j + 1] == U'-' && p[j + 2] != U']') {
                    const char32_t high = p[j + 2];
                    if (high < low)
                        throw PatternError();
                    result.ranges.append(Range{low, high});
                    j += 3;
                } else {
                    result.ranges.append(Range{low, low});
                    ++j;
                }
            }
            if (j >= n)
                throw PatternError();
            const int count = int(result.ranges.size()) - first;
            // "[]" stands for the empty text, so it adds nothing to match.
            if (count > 0 || negated)
                result.tokens.append(Token{negated ? Kind::NotSet : Kind::Set, 0, first, count});
            i = j;
            break;
        }
        default:
            result.tokens.append(Token{Kind::Literal, c});
            break;
        }
    }
    return result;
}

bool inSet(const Compiled& pattern, const Token& token, char32_t c)
{
    for (int k = token.first; k < token.first + token.count; ++k) {
        const Range& r = pattern.ranges[k];
        if (c >= r.low && c <= r.high)
            return true;
    }
    return false;
}

bool matchesOne(const Compiled& pattern, const Token& token, char32_t c)
{
    switch (token.kind) {
    case Kind::Literal:
        return c == token.ch;
    case Kind::AnyOne:
        return true;
    case Kind::Digit:
        return c >= U'0' && c <= U'9';
    case Kind::Set:
        return inSet(pattern, token, c);
    case Kind::NotSet:
        return !inSet(pattern, token, c);
    case Kind::Star:
        break;
    }
    return false;
}

}  // namespace

bool like(QStringView text, QStringView pattern, LikeCase mode)
{
    const Compiled compiled = compile(decode(pattern, mode));
    const CodePoints t = decode(text, mode);
    const auto& tokens = compiled.tokens;

    // Every token but the star takes exactly one character, so going back to the
    // last star and letting it take one more character is enough: no state
    // before that star can lead anywhere else. This keeps the match at O(n*m).
    qsizetype ti = 0;
    qsizetype pi = 0;
    qsizetype starToken = -1;
    qsizetype starText = 0;
    const qsizetype n = t.size();
    const qsizetype m = tokens.size();
    while (ti < n) {
        if (pi < m && tokens[pi].kind == Kind::Star) {
            starToken = pi++;
            starText = ti;
        } else if (pi < m && matchesOne(compiled, tokens[pi], t[ti])) {
            ++pi;
            ++ti;
        } else if (starToken >= 0) {
            pi = starToken + 1;
            ti = ++starText;
        } else {
            return false;
        }
    }
    while (pi < m && tokens[pi].kind == Kind::Star)
        ++pi;
    return pi == m;
}

}  // namespace vb
