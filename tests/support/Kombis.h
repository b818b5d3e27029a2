#pragma once
// Reading and choosing the entries of a combo box as a user does.
#include <QString>
#include <QStringList>
#include <QtCore/qnamespace.h>

class QComboBox;
class QWidget;

namespace testing_support {

// The entries of a combo box.
QStringList einträge(const QComboBox* box);

// Picks the entry in the box as a user does (the box's "Click"): the box
// reports it as activated. Fails the test when the box has no such entry.
void wählen(QComboBox* box, const QString& text);

// One key pressed and released on the widget, as the user types it.
void taste(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mod = Qt::NoModifier);
// Types a sequence: "\b" is Backspace, "\r" Enter, any other character itself.
void tippen(QWidget* w, const QString& tasten);

// Gives `w` the keyboard focus as a click into it does: its window shown and
// active, and `w` the application's focus widget (checked).
void fokussieren(QWidget* w);
// Types the sequence as a keyboard does, every key to the widget that has the
// focus (QApplication::focusWidget()), after giving `w` the focus; characters
// as in tippen, a capital with Shift held down around it.
void tippenImFokus(QWidget* w, const QString& tasten);
// The same in place of the box's whole text: Ctrl+A first, then the keys.
void ersetzenImFokus(QWidget* w, const QString& tasten);
// The same in a box that refuses Ctrl+A (a filtered one): Home, Shift+End, then the keys.
void überschreibenImFokus(QWidget* w, const QString& tasten);

}  // namespace testing_support
