#pragma once
// Text boxes as link labels: a box shows a text, carries an address, lights up
// while the mouse is over it and hands its address to the desktop shell on a
// click. The module keeps no state; each box carries its own address.
#include <QString>
#include <initializer_list>
#include <optional>
#include <vector>

class QLineEdit;
class QWidget;

namespace sys {
class Shell;
}

namespace basHyperlink {

// Windows colour numbers (red + 256 * green + 65536 * blue).
constexpr long NormalFarbe = 255;      // pure red
constexpr long HoverFarbe = 10840889;  // 0xA56B39: red 57, green 107, blue 165

// How the shell is asked to show what it opens (the ShowWindow codes).
constexpr int AnzeigeNormal = 1;
constexpr int AnzeigeMaximiert = 3;

// What a click on a box opens.
struct LinkZiel {
    QString ziel;     // the address or file handed to the shell
    int anzeige = 0;  // AnzeigeNormal or AnzeigeMaximiert
    bool datei = false;  // an "App:" file, opened with its associated program
    bool operator==(const LinkZiel&) const = default;
};

// The address rules: "www." and "http://" open in the browser ("http://" put
// in front of "www."), "mailto:" in the mail program, "App:" opens the file
// after it. The prefixes are compared exactly, so "https://" and "WWW." give
// nothing.
std::optional<LinkZiel> linkZiel(const QString& adresse);

// Makes the box a link that shows `text` and carries `adresse`; the user cannot
// edit it. With a parent the box takes the parent's background colour.
void HyperlinkInit(QLineEdit* box, const QString& text, const QString& adresse, QWidget* parent = nullptr);
// The idle link look: the normal colour, no underline, the pointing hand.
void HyperlinkLook(QLineEdit* box, std::optional<long> normal = {});

// A window's link boxes, each with its text and address: initialised, then in the idle look.
struct Verweis {
    QLineEdit* box;
    QString text;
    QString adresse;
};
void HyperlinksEinrichten(const std::vector<Verweis>& verweise, QWidget* parent);
// The hover test at (x, y) in the box's own coordinates, both edges inside:
// inside lights the box and captures the mouse, outside restores the idle
// look and releases it.
void HyperlinkMouseMove(QLineEdit* box, double x, double y, std::optional<long> normal = {},
                        std::optional<long> hover = {});
// Restores the idle look, releases the mouse and opens the box's address.
void HyperlinkClick(QLineEdit* box, sys::Shell& shell, std::optional<long> normal = {});
// Opens a file with its associated program.
void HyperlinkOpenFile(sys::Shell& shell, const QString& datei);

// The address the box carries.
QString HyperlinkAdresse(const QLineEdit* box);

// Routes the box's mouse moves to HyperlinkMouseMove and its clicks to
// HyperlinkClick, with the default colours. The shell outlives the box.
void HyperlinkEreignisse(QLineEdit* box, sys::Shell& shell);

}  // namespace basHyperlink
