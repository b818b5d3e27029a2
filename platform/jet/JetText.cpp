#include "platform/jet/JetText.h"

#include <QStringList>

namespace jet {

namespace {

// The characters Windows-1252 puts at 0x80 to 0x9F (the five it leaves free as
// the C1 controls of the same number); the rest is Latin-1.
constexpr char16_t Cp1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t Ersatz = 0xFFFD;

// UTF-16 units into UTF-8 at a pointer into a buffer that is large enough
// (three bytes a unit and three for the end).
class Utf8 {
public:
    explicit Utf8(char* ziel) : m_p(ziel) {}

    void einheit(char16_t e)
    {
        if (m_hoch) {
            if (e >= 0xDC00 && e <= 0xDFFF) {
                zeichen(0x10000 + ((char32_t(m_hoch) - 0xD800) << 10) + (char32_t(e) - 0xDC00));
                m_hoch = 0;
                return;
            }
            einzeln();
        }
        if (e >= 0xD800 && e <= 0xDBFF)
            m_hoch = e;
        else if (e >= 0xDC00 && e <= 0xDFFF)
            einzeln();
        else
            zeichen(e);
    }

    void ungerade()
    {
        ende();
        m_maengel |= UngeradeBytes;
        zeichen(Ersatz);
    }

    // The end of the value: a high surrogate still waiting has no partner.
    void ende()
    {
        if (m_hoch)
            einzeln();
    }

    char* zeiger() const { return m_p; }
    unsigned maengel() const { return m_maengel; }

private:
    void einzeln()
    {
        m_hoch = 0;
        m_maengel |= EinzelnesSurrogat;
        zeichen(Ersatz);
    }

    void zeichen(char32_t c)
    {
        if (c < 0x80) {
            *m_p++ = char(c);
        } else if (c < 0x800) {
            *m_p++ = char(0xC0 | (c >> 6));
            *m_p++ = char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *m_p++ = char(0xE0 | (c >> 12));
            *m_p++ = char(0x80 | ((c >> 6) & 0x3F));
            *m_p++ = char(0x80 | (c & 0x3F));
        } else {
            *m_p++ = char(0xF0 | (c >> 18));
            *m_p++ = char(0x80 | ((c >> 12) & 0x3F));
            *m_p++ = char(0x80 | ((c >> 6) & 0x3F));
            *m_p++ = char(0x80 | (c & 0x3F));
        }
    }

    char* m_p;
    char16_t m_hoch = 0;
    unsigned m_maengel = KeinMangel;
};

}  // namespace

QString mangelText(unsigned maengel)
{
    QStringList teile;
    if (maengel & EinzelnesSurrogat)
        teile << QStringLiteral("eine halbe UTF-16-Zeichenfolge (einzelnes Surrogat)");
    if (maengel & UngeradeBytes)
        teile << QStringLiteral("eine ungerade Zahl von Bytes");
    return teile.join(QStringLiteral(" und "));
}

Textleser::Textleser(int fassung, int codepage) : m_jet3(fassung == 0)
{
    if (m_jet3 && codepage != 0 && codepage != 1252) {
        auto decoder = std::make_unique<QStringDecoder>(QByteArray("windows-") + QByteArray::number(codepage),
                                                        QStringConverter::Flag::Stateless);
        if (!decoder->isValid())
            decoder = std::make_unique<QStringDecoder>(QByteArray("cp") + QByteArray::number(codepage),
                                                       QStringConverter::Flag::Stateless);
        if (decoder->isValid())
            m_decoder = std::move(decoder);
    }
}

Textleser::~Textleser() = default;

unsigned Textleser::lesen(const unsigned char* bytes, qsizetype anzahl, QByteArray& utf8)
{
    if (anzahl <= 0) {
        utf8.resize(0);
        return KeinMangel;
    }
    if (m_jet3) {
        codepage(bytes, anzahl, utf8);
        return KeinMangel;
    }
    if (anzahl >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return komprimiert(bytes + 2, anzahl - 2, utf8);
    return utf16(bytes, anzahl, utf8);
}

unsigned Textleser::utf16(const unsigned char* bytes, qsizetype anzahl, QByteArray& utf8)
{
    utf8.resize(anzahl / 2 * 3 + 4);
    Utf8 aus(utf8.data());
    const qsizetype paare = anzahl / 2;
    for (qsizetype i = 0; i < paare; ++i)
        aus.einheit(char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
    if (anzahl % 2)
        aus.ungerade();
    aus.ende();
    utf8.resize(aus.zeiger() - utf8.constData());
    return aus.maengel();
}

// After FF FE: one byte a character (its high byte 0) until a 0 byte, then two
// bytes a character until a 0 byte in place of a character's first byte.
unsigned Textleser::komprimiert(const unsigned char* bytes, qsizetype anzahl, QByteArray& utf8)
{
    utf8.resize(anzahl * 3 + 4);
    Utf8 aus(utf8.data());
    bool schmal = true;
    qsizetype i = 0;
    while (i < anzahl) {
        if (bytes[i] == 0) {
            schmal = !schmal;
            ++i;
        } else if (schmal) {
            aus.einheit(char16_t(bytes[i++]));
        } else if (i + 1 < anzahl) {
            aus.einheit(char16_t(bytes[i] | (bytes[i + 1] << 8)));
            i += 2;
        } else {
            aus.ungerade();
            ++i;
        }
    }
    aus.ende();
    utf8.resize(aus.zeiger() - utf8.constData());
    return aus.maengel();
}

void Textleser::codepage(const unsigned char* bytes, qsizetype anzahl, QByteArray& utf8)
{
    if (m_decoder) {
        utf8 = QString(m_decoder->decode(QByteArrayView(bytes, anzahl))).toUtf8();
        return;
    }
    utf8.resize(anzahl * 3 + 4);
    Utf8 aus(utf8.data());
    for (qsizetype i = 0; i < anzahl; ++i) {
        const unsigned char b = bytes[i];
        aus.einheit(b >= 0x80 && b < 0xA0 ? Cp1252[b - 0x80] : char16_t(b));
    }
    utf8.resize(aus.zeiger() - utf8.constData());
}

}  // namespace jet
