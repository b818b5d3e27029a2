#include "tests/support/Kombis.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
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

}  // namespace testing_support
