#pragma once
// Pattern matching with the wildcards of VB's Like operator and of the original
// engine's LIKE: "*" any run, "?" one character, "#" one digit, "[list]",
// "[!list]" and ranges such as "[a-z]". Every other character, "%" and "_"
// included, stands for itself.
#include <QString>
#include <QStringView>
#include <stdexcept>

namespace vb {

enum class LikeCase {
    Sensitive,   // VB with Option Compare Binary
    Insensitive  // the database engine: letters match whatever their case, umlauts too
};

// An unclosed "[" (for instance "[a-b") is not a pattern.
class PatternError : public std::runtime_error {
public:
    PatternError() : std::runtime_error("Ungültige Musterzeichenfolge") {}
};

// True when the whole text matches the pattern. Throws PatternError.
bool like(QStringView text, QStringView pattern, LikeCase mode = LikeCase::Sensitive);

// A pattern that matches the text itself: each wildcard character bracketed.
inline QString literalPattern(QStringView text)
{
    QString muster;
    muster.reserve(text.size() + 8);
    for (const QChar zeichen : text) {
        if (zeichen == u'[' || zeichen == u'*' || zeichen == u'?' || zeichen == u'#') {
            muster += u'[';
            muster += zeichen;
            muster += u']';
        } else {
            muster += zeichen;
        }
    }
    return muster;
}

}  // namespace vb
