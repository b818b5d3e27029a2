#include "frame/basPruefling.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

struct Taste {
    const char* name;
    int code;
    bool behalten;
};

class PrüfText : public testing::TestWithParam<Taste> {};

TEST_P(PrüfText, KeepsTheCodeOrDropsIt)
{
    const Taste& t = GetParam();
    EXPECT_EQ(frame::przPrüfText(t.code), t.behalten ? QString::number(t.code) : QStringLiteral("0"));
}

INSTANTIATE_TEST_SUITE_P(Tasten, PrüfText,
                         testing::Values(Taste{"Backspace", 8, true}, Taste{"Enter", 13, true},
                                         Taste{"Ziffer0", '0', true}, Taste{"Ziffer7", '7', true},
                                         Taste{"Blank", ' ', true}, Taste{"Punkt", '.', true},
                                         Taste{"Komma", ',', true}, Taste{"GrossA", 'A', true},
                                         Taste{"GrossZ", 'Z', true}, Taste{"KleinA", 'a', true},
                                         Taste{"KleinZ", 'z', true}, Taste{"Unterstrich", '_', false},
                                         Taste{"Bindestrich", '-', false}, Taste{"Schraegstrich", '/', false},
                                         Taste{"KleinAe", 0xE4, false}, Taste{"GrossUe", 0xDC, false},
                                         Taste{"Eszett", 0xDF, false}, Taste{"StrgC", 3, false},
                                         Taste{"StrgV", 22, false}, Taste{"StrgX", 24, false},
                                         Taste{"Tab", 9, false}, Taste{"Null", 0, false},
                                         Taste{"Euro", 0x20AC, false}, Taste{"Tilde", '~', false}),
                         [](const testing::TestParamInfo<Taste>& fall) { return std::string(fall.param.name); });

TEST(PrüfText, WholeTextsAreCheckedByTheSameSet)
{
    EXPECT_TRUE(frame::textZulässig(QStringLiteral("Filme 2,0.neu")));
    EXPECT_FALSE(frame::textZulässig(QStringLiteral("a/b")));
    EXPECT_FALSE(frame::textZulässig(QStringLiteral("Fülle")));
    EXPECT_FALSE(frame::textZulässig(QStringLiteral("zwei\rZeilen")));
}

void drücken(QLineEdit* feld, int key, const QString& text, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    QKeyEvent taste(QEvent::KeyPress, key, mod, text);
    QApplication::sendEvent(feld, &taste);
}

TEST(PrüfText, AFieldTakesOnlyAdmittedKeysAndHandsOnEnter)
{
    QLineEdit feld;
    QStringList enter;
    frame::tastenFilter(&feld, frame::przPrüfText, [&](int code) {
        if (code == 13)
            enter << feld.text();
    });
    for (const QChar c : QStringLiteral("Neu_ä-DB 2,x/"))
        drücken(&feld, c.toUpper().unicode(), QString(c));
    EXPECT_EQ(feld.text(), QStringLiteral("NeuDB 2,x"));
    drücken(&feld, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(feld.text(), QStringLiteral("NeuDB 2,"));

    // Ctrl+V is a control character like any other: dropped, nothing pasted.
    QApplication::clipboard()->setText(QStringLiteral("x/y"));
    drücken(&feld, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
    EXPECT_EQ(feld.text(), QStringLiteral("NeuDB 2,"));
    drücken(&feld, Qt::Key_V, QString(), Qt::ControlModifier);
    EXPECT_EQ(feld.text(), QStringLiteral("NeuDB 2,"));
    // Keys that type nothing still move the cursor.
    drücken(&feld, Qt::Key_Home, {});
    EXPECT_EQ(feld.cursorPosition(), 0);
    drücken(&feld, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(enter, QStringList{QStringLiteral("NeuDB 2,")});
}

}  // namespace
