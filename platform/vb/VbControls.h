#pragma once
// List and combo boxes with the behaviour the windows expect of the original's
// controls: tab stops in dialog units, item texts kept exactly, combo boxes
// that neither complete, select nor insert anything on their own, and one-line
// boxes that a pasted line break cannot break.
#include <QComboBox>
#include <QListView>
#include <QStringList>
#include <QTextOption>

#include <initializer_list>
#include <utility>
#include <vector>

class QFont;
class QLineEdit;

namespace vb {

class ListBox;

// One row of a ListBox, reached as a QListWidget's item was (`list->item(i)->text()`).
// A handle, not an object of its own: it names its row as long as no row
// before it is removed. An empty handle (no such row) is false.
class ListItem {
public:
    ListItem() = default;
    explicit operator bool() const { return m_list != nullptr; }
    const ListItem* operator->() const { return this; }
    bool operator==(const ListItem&) const = default;

    int row() const { return m_row; }
    QString text() const;
    void setText(const QString& text) const;
    QString toolTip() const;
    void setToolTip(const QString& tip) const;
    // Any role but the text's and the tooltip's.
    QVariant data(int role) const;
    void setData(int role, const QVariant& value) const;
    bool isSelected() const;

private:
    friend class ListBox;
    ListItem(ListBox* list, int row) : m_list(list), m_row(row) {}
    ListBox* m_list = nullptr;
    int m_row = -1;
};

// Rows built from cells. A row's text joins its cells with tabs as they are,
// so that it stays the key of the row's lookup; where a cell holds a tab or a
// line break, the row shows that cell on one line (singleLine, as the exports
// write it), so that no column moves.
class ListRows {
public:
    void append(std::initializer_list<QString> cells);
    qsizetype size() const { return m_texts.size(); }

private:
    friend class ListBox;
    QStringList m_texts;
    struct Shown {
        qsizetype row;
        QString text;
        qsizetype firstCell;  // the length of the row's first cell
    };
    std::vector<Shown> m_shown;
};

// A list box whose rows show their tab characters expanded to tab stops given
// in dialog units, as LB_SETTABSTOPS sets them. One horizontal dialog unit is a
// quarter of the font's average character width. The stops count from the start
// of the row's text; the row texts stay exactly as added.
//
// The rows are plain texts in a model of the list's own, without an object per
// row, so that a list of a million rows costs little more than its texts. The
// part of QListWidget's interface that the windows use stays: rows by index,
// the current row, its signals when code or the user changes it, and a click.
class ListBox : public QListView {
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

    int count() const;
    // The row's text as added; "" past either end.
    QString text(int row) const;
    // What the row shows: its text, or the form ListRows gave it.
    QString shownText(int row) const;
    // The row's first cell: of a row from ListRows that cell as it was given,
    // tabs and all; of any other row its text before the first tab.
    QStringView firstCell(int row) const;
    const QStringList& rows() const;
    ListItem item(int row) const;
    int row(const ListItem& item) const { return item.m_list == this ? item.m_row : -1; }

    void addItem(const QString& text);
    // Rows added to an empty list are shared with `rows`, not copied.
    void addItems(QStringList rows);
    void addItems(ListRows rows);
    // Removes a row; the current row moves as QListWidget's takeItem moves it.
    void removeItem(int row);
    // Empties the list; a current row gives currentRowChanged(-1).
    void clear();

    int currentRow() const;
    // The row becomes the current and only selected one ("-1": none).
    void setCurrentRow(int row);
    ListItem currentItem() const { return item(currentRow()); }
    void setCurrentItem(const ListItem& item) { setCurrentRow(row(item)); }
    QList<ListItem> selectedItems() const;
    // Qt::MatchExactly, MatchStartsWith, MatchContains, with or without MatchCaseSensitive.
    QList<ListItem> findItems(const QString& text, Qt::MatchFlags flags) const;
    QRect visualItemRect(const ListItem& item) const;
    void scrollToItem(const ListItem& item, ScrollHint hint = EnsureVisible);

signals:
    // The current row changed, by the user or from code; -1 when there is none.
    void currentRowChanged(int row);
    // Pressed and released on the same row.
    void itemClicked(vb::ListItem item);

private:
    friend class ListItem;
    class Model;
    Model* m_model;
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
