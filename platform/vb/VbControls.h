#pragma once
// List and combo boxes with the behaviour the windows expect of the original's
// controls: tab stops in dialog units, item texts kept exactly, combo boxes
// that neither complete, select nor insert anything on their own, and one-line
// boxes that a pasted line break cannot break.
#include <QComboBox>
#include <QListWidget>
#include <QTextOption>

#include <vector>

class QFont;
class QLineEdit;

namespace vb {

// A list box whose rows show their tab characters expanded to tab stops given
// in dialog units, as LB_SETTABSTOPS sets them. One horizontal dialog unit is a
// quarter of the font's average character width. The stops count from the start
// of the row's text; the row texts stay exactly as added.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    // No stops: one every 32 dialog units. One value: one every that many units.
    // Several: at those positions, then every 32 units after the last one.
    void setTabStops(std::vector<int> dialogUnits);
    const std::vector<int>& tabStops() const { return m_tabStops; }

    // How a row is laid out in the given font (the list's own, or a printer's).
    QTextOption textOption(const QFont& font) const;

    // The pixels of one horizontal dialog unit in the font.
    static double dialogUnit(const QFont& font);

private:
    std::vector<int> m_tabStops;
};

// A combo box without Qt's completer, insertion on Enter or selection of a
// matching entry on Enter or when the focus leaves. Adding entries from code
// never selects one: after a fill the box shows no entry until one is chosen.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    // These hide QComboBox's own so that a new line edit gets the same treatment.
    void setEditable(bool editable);
    void setLineEdit(QLineEdit* edit);

    // Empties the list and the text (QComboBox::clear keeps a typed text).
    void clear();

    // The box's text. For a box without an edit field, setting a text selects
    // the entry equal to it (case-sensitive), or none.
    QString text() const { return currentText(); }
    void setText(const QString& text);

private:
    void feldAnpassen();
};

// Keeps a one-line box free of what the user types, pastes or drops that would
// break its line: every line break, tab and other control character becomes a
// blank. A text set from code keeps its bytes, so a stored value shows and is
// written back as it is. Every box that `bauen` makes and the edit field of
// every ComboBox get it.
void keepSingleLine(QLineEdit* edit);

// Screen.MousePointer: 11 the hourglass, 0 the default. An absolute state,
// not a stack: setting 11 twice and 0 once gives the default again.
void setMousePointer(int zeiger);
int mousePointer();

}  // namespace vb
