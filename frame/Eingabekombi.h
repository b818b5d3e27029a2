#pragma once
// An editable combo box as an input aid: typing is completed from the list
// (type-ahead) and the text is capped; for an entry field the text is copied
// into the field that the save reads, and Enter takes the value (adds it to
// the list when new) and moves on. Every window's type-ahead box uses it: the
// catalogue's detail panel, the lending windows and the HTML report window.
#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;

namespace vb {
class ComboBox;
}

namespace frame {

// The index of the first entry that begins with `getippt`, compared literally
// and with case ("d" does not find "DVD", "[" finds "[x"); -1 when none does.
int ersterTreffer(const QComboBox& box, const QString& getippt);

// The same with `getippt` read as a pattern of VB's Like ("?" one character,
// "#" a digit, "[list]"); an unclosed "[" finds nothing.
int ersterMusterTreffer(const QComboBox& box, const QString& getippt);

// A key whose release types nothing and so completes nothing: a modifier, a
// lock or a dead key.
bool tipptNichts(int taste);

class Eingabekombi : public QObject {
public:
    // How a box treats what the user enters.
    struct Art {
        bool enterNimmt = true;         // Enter takes the value and moves on
        bool enterFügtEin = true;       // Enter adds a new text to the list
        bool kappeNurGetippt = false;   // the cap spares a text that is an entry of the list
        bool muster = false;            // the typed text is a pattern of VB's Like
    };

    // `ziel` (may be null) gets the box's text (at most `kappe` characters);
    // `weiter` moves the focus on after Enter.
    Eingabekombi(vb::ComboBox* box, QLineEdit* ziel, int kappe, std::function<void()> weiter);
    Eingabekombi(vb::ComboBox* box, QLineEdit* ziel, int kappe, std::function<void()> weiter, Art art);

    // The handlers of the box, as its events run them: Enter, the type-ahead,
    // the cap (on every change, also from code) and the pick from the list.
    void KeyPress(int keyAscii);
    void KeyUp();
    void Change();
    void Click();

    // What the user had typed when the box was last completed.
    const QString& gemerkt() const { return m_gemerkt; }
    int kappe() const { return m_kappe; }

protected:
    bool eventFilter(QObject* ziel, QEvent* ereignis) override;

private:
    vb::ComboBox* m_box;
    QLineEdit* m_ziel;
    int m_kappe;
    std::function<void()> m_weiter;
    QString m_gemerkt;
    Art m_art;
    bool m_inChange = false;

    void zielSetzen();
};

}  // namespace frame
