// Text as a Jet file stores it, decoded from its bytes: plain and compressed
// UTF-16LE with characters outside the Basic Multilingual Plane, what is no
// character named and replaced, and Jet 3's code pages.
#include "platform/jet/JetText.h"
#include "tests/support/JetBytes.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

using jettest::bytes;
using jettest::utf16le;

struct Fall {
    const char* name;
    QByteArray bytes;
    QString text;
    unsigned maengel = jet::KeinMangel;
    int fassung = 1;
    int codepage = 1252;
};

class Jet4Text : public testing::TestWithParam<Fall> {};

TEST_P(Jet4Text, WirdAusDenBytesGelesen)
{
    const Fall& f = GetParam();
    jet::Textleser leser(f.fassung, f.codepage);
    QByteArray utf8 = "vorher";
    const unsigned maengel =
        leser.lesen(reinterpret_cast<const unsigned char*>(f.bytes.constData()), f.bytes.size(), utf8);
    EXPECT_EQ(QString::fromUtf8(utf8), f.text);
    EXPECT_EQ(maengel, f.maengel);
}

const QString Klappe = QStringLiteral("\U0001F3AC");  // D83C DFAC

const Fall Faelle[] = {
    {"Leer", {}, QString()},
    {"Utf16", utf16le(QStringLiteral("Müller € ß")), QStringLiteral("Müller € ß")},
    {"Utf16MitPaar", utf16le(QStringLiteral("Film ") + Klappe + QStringLiteral(" ab")),
     QStringLiteral("Film ") + Klappe + QStringLiteral(" ab")},
    {"NurDasPaar", utf16le(Klappe), Klappe},
    {"KomprimiertSchmal", QByteArray("\xFF\xFEM\xFCller", 8), QStringLiteral("Müller")},
    // One byte a character, a 0 byte to two bytes (the pair), a 0 byte back.
    {"KomprimiertMitPaar", QByteArray("\xFF\xFE" "ab", 4) + bytes({0, 0x3C, 0xD8, 0xAC, 0xDF, 0}) + "cd",
     QStringLiteral("ab") + Klappe + QStringLiteral("cd")},
    {"KomprimiertBreitAmAnfang", bytes({0xFF, 0xFE, 0, 0xAC, 0x20, 0x3C, 0xD8, 0xAC, 0xDF}),
     QStringLiteral("€") + Klappe},
    {"NurDieMarke", bytes({0xFF, 0xFE}), QString()},
    {"EinzelnesHohesAmEnde", utf16le(QStringLiteral("ab")) + bytes({0x3C, 0xD8}), QStringLiteral("ab\uFFFD"),
     jet::EinzelnesSurrogat},
    {"EinzelnesTiefes", bytes({0x41, 0, 0xAC, 0xDF, 0x42, 0}), QStringLiteral("A\uFFFDB"), jet::EinzelnesSurrogat},
    {"HohesVorEinemZeichen", bytes({0x3C, 0xD8, 0x41, 0}), QStringLiteral("\uFFFDA"), jet::EinzelnesSurrogat},
    {"ZweiHohe", bytes({0x3C, 0xD8, 0x3C, 0xD8, 0xAC, 0xDF}), QStringLiteral("\uFFFD") + Klappe, jet::EinzelnesSurrogat},
    {"UngeradeBytes", bytes({0x41, 0, 0x42}), QStringLiteral("A\uFFFD"), jet::UngeradeBytes},
    {"KomprimiertBreitUngerade", bytes({0xFF, 0xFE, 0x41, 0, 0xAC}), QStringLiteral("A\uFFFD"), jet::UngeradeBytes},
    {"HohesVorUngeradem", bytes({0x3C, 0xD8, 0x41}), QStringLiteral("\uFFFD\uFFFD"),
     jet::EinzelnesSurrogat | jet::UngeradeBytes},
    // Jet 3: the bytes of the file's code page, compression unknown to it.
    {"Jet3Windows1252", bytes({0x80, 0x20, 0xE4, 0x9F, 0xFF, 0xFE}), QStringLiteral("€ äŸÿþ"), jet::KeinMangel, 0, 1252},
    {"Jet3OhneCodepage", bytes({0x84, 0x93}), QStringLiteral("„“"), jet::KeinMangel, 0, 0},
    {"Jet3Kyrillisch", bytes({0xC0, 0xE1}), QStringLiteral("Аб"), jet::KeinMangel, 0, 1251},
};

INSTANTIATE_TEST_SUITE_P(Bytes, Jet4Text, testing::ValuesIn(Faelle),
                         [](const testing::TestParamInfo<Fall>& i) { return std::string(i.param.name); });

TEST(Jet4Text, DerPufferBehaeltSeinePlatz)
{
    // A reader of many rows hands the same buffer in again and again.
    jet::Textleser leser(1, 1252);
    QByteArray utf8;
    const QByteArray lang = utf16le(QString(300, u'x'));
    leser.lesen(reinterpret_cast<const unsigned char*>(lang.constData()), lang.size(), utf8);
    const qsizetype platz = utf8.capacity();
    const QByteArray kurz = utf16le(QStringLiteral("ab"));
    leser.lesen(reinterpret_cast<const unsigned char*>(kurz.constData()), kurz.size(), utf8);
    EXPECT_EQ(utf8, "ab");
    EXPECT_EQ(utf8.capacity(), platz);
}

TEST(Jet4Text, MaengelHabenIhrenNamen)
{
    EXPECT_EQ(jet::mangelText(jet::EinzelnesSurrogat), QStringLiteral("eine halbe UTF-16-Zeichenfolge (einzelnes Surrogat)"));
    EXPECT_EQ(jet::mangelText(jet::EinzelnesSurrogat | jet::UngeradeBytes),
              QStringLiteral("eine halbe UTF-16-Zeichenfolge (einzelnes Surrogat) und eine ungerade Zahl von Bytes"));
}

}  // namespace
