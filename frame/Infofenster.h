#pragma once
// What the About and Credits windows share: a small dialog above the other
// windows, link boxes that hand their addresses to the shell, a closing OK
// button, and one colour routine.
#include "frame/Aussehen.h"
#include "platform/system/Services.h"

#include <QString>
#include <functional>
#include <initializer_list>

class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

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

// A label and the key of its text in the window's language-file section.
struct Infotext {
    QLabel* label;
    const char* schluessel;
};
// A link box, the key of its text and its address.
struct Infolink {
    QLineEdit* box;
    const char* schluessel;
    QString adresse;
};

// The window's load: with a language file, the caption ("Caption") and the
// `texte` from `sektion` (values cut to `puffer` - 1); with a look of the
// user's own, `farben`; then the `links` (without a language file their texts
// are ""), each in the idle link look.
void infofensterLaden(QDialog* fenster, const sys::Services& services, const QString& sektion, int puffer,
                      std::initializer_list<Infotext> texte, std::initializer_list<Infolink> links,
                      const std::function<void(const Look&)>& farben);

}  // namespace frame
