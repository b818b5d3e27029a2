// Any pattern a user types against any text: the matcher answers or refuses
// the pattern, never anything else, and its answers hang together; patterns
// without a list are also checked against a regular expression.
// Input: one byte (bit 0: case, bit 1: UTF-16), then pattern U+0000 text.
#include "platform/vb/VbLike.h"
#include "tests/fuzz/Fuzzeingabe.h"

#include <QRegularExpression>

#include <optional>

namespace {

std::optional<bool> passt(const QString& text, const QString& muster, vb::LikeCase fall)
{
    try {
        return vb::like(text, muster, fall);
    } catch (const vb::PatternError&) {
        return std::nullopt;
    }
}

// The same pattern as a regular expression, when it has no list and few
// enough stars that the expression's backtracking stays quick.
std::optional<QRegularExpression> alsAusdruck(const QString& muster, vb::LikeCase fall)
{
    if (muster.contains(u'[') || muster.count(u'*') > 3)
        return std::nullopt;
    QString ausdruck = QStringLiteral("\\A(?:");
    for (const QChar zeichen : muster) {
        if (zeichen == u'*')
            ausdruck += QStringLiteral(".*");
        else if (zeichen == u'?')
            ausdruck += u'.';
        else if (zeichen == u'#')
            ausdruck += QStringLiteral("[0-9]");
        else
            ausdruck += QStringLiteral("\\x{%1}").arg(zeichen.unicode(), 0, 16);
    }
    ausdruck += QStringLiteral(")\\z");
    QRegularExpression::PatternOptions optionen = QRegularExpression::DotMatchesEverythingOption;
    if (fall == vb::LikeCase::Insensitive)
        optionen |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(ausdruck, optionen);
}

bool nurAscii(const QString& text)
{
    for (const QChar zeichen : text)
        if (zeichen.unicode() >= 0x80)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    if (groesse == 0)
        return 0;
    const vb::LikeCase fall = (daten[0] & 1) != 0 ? vb::LikeCase::Insensitive : vb::LikeCase::Sensitive;
    const bool utf16 = (daten[0] & 2) != 0;
    const QString eingabe = fuzz::text(fuzz::bytes(daten + 1, groesse - 1), utf16);
    const qsizetype trenner = eingabe.indexOf(QChar(0));
    const QString muster = eingabe.left(trenner);
    const QString text = trenner < 0 ? QString() : eingabe.mid(trenner + 1);

    fuzz::pruefen(passt(text, vb::literalPattern(text), fall) == true, "a text matches its literal pattern");
    fuzz::pruefen(passt(text, QStringLiteral("*"), fall) == true, "\"*\" matches every text");
    const std::optional<bool> antwort = passt(text, muster, fall);
    if (!antwort)
        return 0;
    if (*antwort) {
        fuzz::pruefen(passt(text, u'*' + muster, fall) == true, "a star in front keeps a match");
        fuzz::pruefen(passt(text, muster + u'*', fall) == true, "a star behind keeps a match");
        // Unless the text ends in a lone high surrogate and starts with a low
        // one: the two copies then meet in one character.
        if (text.isEmpty() || !text.back().isHighSurrogate() || !text.front().isLowSurrogate())
            fuzz::pruefen(passt(text + text, muster + u'*' + muster, fall) == true, "a match repeats around a star");
    }
    // The regular expression folds case by other rules beyond ASCII.
    if (const auto ausdruck = alsAusdruck(muster, fall);
        ausdruck && ausdruck->isValid() && (fall == vb::LikeCase::Sensitive || (nurAscii(muster) && nurAscii(text)))) {
        bool einfach = text.size() <= 100;
        for (const QChar zeichen : text + muster)
            einfach = einfach && !zeichen.isSurrogate();
        if (einfach)
            fuzz::pruefen(ausdruck->match(text).hasMatch() == *antwort, "the matcher agrees with a regular expression");
    }
    return 0;
}
