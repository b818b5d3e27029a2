#pragma once
// What the About and Credits windows share: a small dialog above the other
// windows, link boxes that hand their addresses to the shell, a closing OK
// button, and one colour routine.
#include <QString>
#include <initializer_list>

class QDialog;
class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;

namespace sys {
class Shell;
}

namespace frame {

// Names the window and gives it its built-in caption; it stays above every
// other window while open, without taking the focus back, and has no help button.
void alsInfofenster(QDialog* fenster, const QString& name, const QString& titel);
// A text box named `name` that behaves as a link.
QLineEdit* linkfeld(QWidget* fenster, const QString& name, sys::Shell& shell);
// A decorative sunken line.
QFrame* linie(QWidget* fenster, const QString& name);
// The default button "&OK" (`cmdOK`).
QPushButton* okKnopf(QDialog* fenster);

// The colour routine: the window and `hinten` take "Backcolor", `vorn`
// "TextFarbe"; a value that is no colour number leaves its part as it is.
void farbenSetzen(QWidget* fenster, std::initializer_list<QWidget*> hinten, std::initializer_list<QWidget*> vorn,
                  const QString& backcolor, const QString& textFarbe);

}  // namespace frame
