#pragma once
// An editable combo box as an input aid for an entry field: typing is
// completed from the list (type-ahead), the text is capped and copied into the
// entry field that the save reads, Enter takes the value (adds it to the list
// when new) and moves on. The catalogue's detail panel and the lending windows
// use it alike.
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

class Eingabekombi : public QObject {
public:
    // How a box treats what the user enters.
    struct Art {
        bool enterFügtEin = true;       // Enter adds a new text to the list
        bool kappeNurGetippt = false;   // the cap spares a text that is an entry of the list
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
