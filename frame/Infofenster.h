#pragma once
// What the About and Credits windows share: a small dialog above the other
// windows with a text label `Label1`, three link boxes that hand their
// addresses to the shell, a line `Line1`, a default button "&OK", and a load
// routine that takes its texts, links and colours from a table.
#include "frame/Aussehen.h"
#include "frame/Hauptfenster.h"
#include "platform/system/Services.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <initializer_list>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace frame {

// Makes a frame a decorative sunken line.
void alsLinie(QFrame* linie);

class Infofenster : public QDialog {
public:
    QLabel* Label1 = nullptr;
    QLineEdit* txtHyperlink = nullptr;
    QLineEdit* txtHyperlink1 = nullptr;
    QLineEdit* txtHyperlink2 = nullptr;
    QFrame* Line1 = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    // Named `name`, with the built-in caption `titel` and `Label1`'s text; the
    // window stays above every other while open, without taking the focus back.
    Infofenster(const sys::Services& services, Hauptfenster* hauptfenster, QWidget* parent, const QString& name,
                const QString& titel, const QString& label1);

    // A label and the key of its text in the window's language-file section.
    struct Text {
        QLabel* label;
        const char* schluessel;
    };
    // A link box, the key of its text and its address.
    struct Link {
        QLineEdit* box;
        const char* schluessel;
        QString adresse;
    };
    // The window's load: with a language file, the caption ("Caption") and the
    // `texte` from `sektion` (values cut to `puffer` - 1); with a look of the
    // user's own, `farben`; then the `links` (without a language file their
    // texts are ""), each in the idle link look.
    void laden(const QString& sektion, int puffer, std::initializer_list<Text> texte, std::initializer_list<Link> links,
               const std::function<void(const Look&)>& farben);

    // The colour routine: the window and `hinten` take "Backcolor", `vorn`
    // "TextFarbe"; a value that is no colour number leaves its part as it is.
    void farbenSetzen(std::initializer_list<QWidget*> hinten, std::initializer_list<QWidget*> vorn,
                      const QString& backcolor, const QString& textFarbe);

    const sys::Services& m_services;
};

}  // namespace frame
