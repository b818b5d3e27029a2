#include "tests/support/Kombis.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace testing_support {

QStringList einträge(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

void wählen(QComboBox* box, const QString& text)
{
    const int index = box->findText(text, Qt::MatchExactly);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void taste(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mod)
{
    QKeyEvent druck(QEvent::KeyPress, key, mod, text);
    QApplication::sendEvent(w, &druck);
    QKeyEvent los(QEvent::KeyRelease, key, mod, text);
    QApplication::sendEvent(w, &los);
}

void tippen(QWidget* w, const QString& tasten)
{
    for (const QChar t : tasten) {
        if (t == u'\b')
            taste(w, Qt::Key_Backspace, QStringLiteral("\b"));
        else if (t == u'\r')
            taste(w, Qt::Key_Return, QStringLiteral("\r"));
        else
            taste(w, t.isLetter() ? Qt::Key_A + (t.toUpper().unicode() - u'A') : 0, QString(t));
    }
}

void fokussieren(QWidget* w)
{
    QWidget* fenster = w->window();
    fenster->show();
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster));
    w->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), w) << w->objectName().toStdString();
}

void tippenImFokus(QWidget* w, const QString& tasten)
{
    fokussieren(w);
    for (const QChar t : tasten) {
        QWidget* fokus = QApplication::focusWidget();
        ASSERT_TRUE(fokus);
        // A capital is typed with Shift, which goes up after the letter.
        QTest::keyClick(fokus, t.toLatin1(), t.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

void ersetzenImFokus(QWidget* w, const QString& tasten)
{
    fokussieren(w);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    tippenImFokus(w, tasten);
}

void überschreibenImFokus(QWidget* w, const QString& tasten)
{
    fokussieren(w);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ShiftModifier);
    tippenImFokus(w, tasten);
}

}  // namespace testing_support
