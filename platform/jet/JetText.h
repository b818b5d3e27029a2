#pragma once
// Text as a Jet file stores it, turned into UTF-8 from the row's own bytes.
// Jet 4 and later store UTF-16LE, often in the engine's compressed form (after
// the mark FF FE one byte a character, a 0 byte switching to two bytes a
// character and back); Jet 3 stores the bytes of the file's code page.
#include <QByteArray>
#include <QStringDecoder>

#include <memory>

namespace jet {

// What could not be decoded and was replaced by U+FFFD, as bits.
enum Textmangel : unsigned {
    KeinMangel = 0,
    EinzelnesSurrogat = 1,  // half of a pair of UTF-16 units alone
    UngeradeBytes = 2,      // an odd number of bytes where two make a character
};

// The bits in words for the report: "eine halbe UTF-16-Zeichenfolge (einzelnes
// Surrogat) und eine ungerade Zahl von Bytes".
QString mangelText(unsigned maengel);

class Textleser {
public:
    // fassung: 0 for Jet 3 (then codepage, 1252 when 0 or unknown), else Jet 4 and on.
    Textleser(int fassung, int codepage);
    ~Textleser();
    Textleser(const Textleser&) = delete;
    Textleser& operator=(const Textleser&) = delete;

    // The value's bytes as UTF-8 into `utf8` (which keeps its capacity);
    // returns the Textmangel bits of what had to be replaced.
    unsigned lesen(const unsigned char* bytes, qsizetype anzahl, QByteArray& utf8);

private:
    unsigned utf16(const unsigned char* bytes, qsizetype anzahl, QByteArray& utf8);
    unsigned komprimiert(const unsigned char* bytes, qsizetype anzahl, QByteArray& utf8);
    void codepage(const unsigned char* bytes, qsizetype anzahl, QByteArray& utf8);

    bool m_jet3;
    std::unique_ptr<QStringDecoder> m_decoder;  // Jet 3 with a code page other than 1252
};

}  // namespace jet
