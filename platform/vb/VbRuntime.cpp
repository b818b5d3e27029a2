#include "platform/vb/VbRuntime.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <string>

namespace vb {

QString fixedString(const QString& value, int length)
{
    return value.leftJustified(length, QLatin1Char(' '), true);
}

QString cstr(double value)
{
    if (value == 0)  // also -0
        return QStringLiteral("0");
    // Fifteen significant digits, as VB prints a Double; "1e+15" becomes "1E+15".
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

std::optional<double> cdbl(const QString& text)
{
    // The point is the thousands separator on a German system and VB skips it
    // wherever it stands; the comma is the decimal separator.
    const QString t = text.trimmed();
    QByteArray plain;
    plain.reserve(t.size());
    qsizetype i = 0;
    const qsizetype n = t.size();
    auto at = [&](qsizetype k) { return k < n ? t[k].unicode() : char16_t(0); };
    if (at(i) == u'+' || at(i) == u'-')
        plain.append(char(t[i++].unicode()));
    int digits = 0;
    bool comma = false;
    for (; i < n; ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9') {
            plain.append(char(c));
            ++digits;
        } else if (c == u'.' && !comma) {
            continue;
        } else if (c == u',' && !comma) {
            comma = true;
            plain.append('.');
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (at(i) == u'e' || at(i) == u'E')) {
        plain.append('e');
        ++i;
        if (at(i) == u'+' || at(i) == u'-')
            plain.append(char(t[i++].unicode()));
        int expDigits = 0;
        for (; i < n && at(i) >= u'0' && at(i) <= u'9'; ++i, ++expDigits)
            plain.append(char(t[i].unicode()));
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

// The value rounded to even, when it lies within [low, high]. Both bounds are
// exact doubles, and a NaN fails both comparisons.
std::optional<double> roundedWithin(double value, double low, double high)
{
    const double whole = std::nearbyint(value);
    if (!(whole >= low && whole <= high))
        return std::nullopt;
    return whole;
}

}  // namespace

double val(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    const qsizetype start = i;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < text.size() && text.at(i).unicode() >= u'0' && text.at(i).unicode() <= u'9')
            ++i;
        return i - from;
    };
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    qsizetype mantissa = digits();
    if (i < text.size() && text.at(i) == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return 0;
    qsizetype end = i;
    // An exponent counts only with its digits.
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E' || text.at(i) == u'd' || text.at(i) == u'D')) {
        ++i;
        if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
            ++i;
        if (digits() > 0)
            end = i;
    }
    QString number = text.mid(start, end - start);
    number.replace(u'd', u'e').replace(u'D', u'e');
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

std::optional<long long> roundHalfEven(double value)
{
    // 2^63 is a double, its predecessor as a double is the largest that fits.
    constexpr double Limit = 9223372036854775808.0;
    const auto whole = roundedWithin(value, -Limit, std::nextafter(Limit, 0.0));
    if (!whole)
        return std::nullopt;
    return static_cast<long long>(*whole);
}

std::optional<qint32> clng(double value)
{
    const auto whole = roundedWithin(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    if (!whole)
        return std::nullopt;
    return static_cast<qint32>(*whole);
}

QString formatTwoDecimals(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // VB formats the Double's fifteen-digit decimal form and rounds its halves
    // away from zero, so 12.345 gives "12,35" although the binary value is a
    // little below it.
    const bool negative = value < 0;
    const QString sci = QString::number(std::fabs(value), 'e', 14);  // d.dddddddddddddde+XX
    std::string digits;
    digits.push_back(char(sci[0].unicode()));
    for (qsizetype k = 2; k < 16; ++k)
        digits.push_back(char(sci[k].unicode()));
    const int exponent = sci.mid(sci.indexOf(QLatin1Char('e')) + 1).toInt();
    const int keep = exponent + 1 + 2;  // digits up to the hundredths

    std::string cents;
    if (keep < 0) {
        cents = "0";
    } else if (keep == 0) {
        cents = digits[0] >= '5' ? "1" : "0";
    } else if (keep >= int(digits.size())) {
        cents = digits + std::string(size_t(keep) - digits.size(), '0');
    } else {
        const bool up = digits[size_t(keep)] >= '5';
        cents = digits.substr(0, size_t(keep));
        if (up) {
            int k = keep - 1;
            while (k >= 0 && cents[size_t(k)] == '9')
                cents[size_t(k--)] = '0';
            if (k >= 0)
                ++cents[size_t(k)];
            else
                cents.insert(cents.begin(), '1');
        }
    }
    if (cents.size() < 2)
        cents.insert(cents.begin(), 2 - cents.size(), '0');
    std::string whole = cents.substr(0, cents.size() - 2);
    const size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? std::string() : whole.substr(firstNonZero);
    const bool zero = whole.empty() && cents.substr(cents.size() - 2) == "00";

    QString text;
    if (negative && !zero)
        text += QLatin1Char('-');
    text += QString::fromLatin1(whole.c_str());
    text += QLatin1Char(',');
    text += QString::fromLatin1(cents.c_str() + cents.size() - 2);
    return text;
}

QString dateText(const QDate& date)
{
    return date.isValid() ? date.toString(u"dd.MM.yyyy") : QString();
}

int fullYear(int twoDigitYear)
{
    return twoDigitYear < 30 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

QDate parseDateText(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{1,2})\\.([0-9]{1,2})\\.([0-9]{4}|[0-9]{2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return {};
    int year = m.captured(3).toInt();
    if (m.capturedLength(3) == 2)
        year = fullYear(year);
    return QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
}

namespace {

// C0 and C1 controls, DEL, and the two Unicode line breaks.
bool breaksTheLine(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

}  // namespace

QString singleLine(const QString& text, bool keepTabs)
{
    const auto stays = [keepTabs](char16_t c) { return !breaksTheLine(c) || (keepTabs && c == u'\t'); };
    qsizetype i = 0;
    while (i < text.size() && stays(text[i].unicode()))
        ++i;
    if (i == text.size())
        return text;
    QString out = text.left(i);
    out.reserve(text.size());
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (stays(c)) {
            out.append(QChar(c));
            continue;
        }
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        out.append(QLatin1Char(' '));
    }
    return out;
}

namespace {

// Where the next control character of UTF-8 starts from `from` on, and its
// length in bytes (CR LF as one); -1 when there is none. The controls are the
// bytes below 0x20 and 0x7F, the C1 controls 0xC2 0x80..0x9F and the line
// breaks 0xE2 0x80 0xA8/0xA9.
qsizetype nextControl(QByteArrayView utf8, qsizetype from, qsizetype* length)
{
    const auto* b = reinterpret_cast<const uchar*>(utf8.data());
    const qsizetype n = utf8.size();
    for (qsizetype i = from; i < n; ++i) {
        if (b[i] < 0x20 || b[i] == 0x7F)
            *length = b[i] == '\r' && i + 1 < n && b[i + 1] == '\n' ? 2 : 1;
        else if (b[i] == 0xC2 && i + 1 < n && b[i + 1] >= 0x80 && b[i + 1] <= 0x9F)
            *length = 2;
        else if (b[i] == 0xE2 && i + 2 < n && b[i + 1] == 0x80 && (b[i + 2] == 0xA8 || b[i + 2] == 0xA9))
            *length = 3;
        else
            continue;
        return i;
    }
    return -1;
}

}  // namespace

bool isSingleLine(QByteArrayView utf8)
{
    qsizetype length = 0;
    return nextControl(utf8, 0, &length) < 0;
}

void appendSingleLine(QByteArray& out, QByteArrayView utf8)
{
    qsizetype from = 0;
    qsizetype length = 0;
    for (qsizetype i = nextControl(utf8, 0, &length); i >= 0; i = nextControl(utf8, from, &length)) {
        out.append(utf8.sliced(from, i - from));
        out.append(' ');
        from = i + length;
    }
    out.append(utf8.sliced(from));
}

int twipsToPixels(int twips, double dpi)
{
    return int(std::lround(twips * dpi / 1440.0));
}

}  // namespace vb
