#pragma once
// A list box the user never sees (a hidden list of a form): plain texts, kept
// without a view, a model or an item object per row, so that a list of a
// million rows costs little more than its texts and an accessibility client
// that reads the form meets one empty control, not its rows.
#include <QStringList>
#include <QWidget>

namespace vb {

class HiddenListBox : public QWidget {
    Q_OBJECT
public:
    explicit HiddenListBox(QWidget* parent = nullptr);

    int count() const { return int(m_rows.size()); }
    // The text of a row; "" past either end.
    QString text(int row) const;
    const QStringList& rows() const { return m_rows; }

    // Rows added to an empty list are shared with `rows`, not copied.
    void addItems(QStringList rows);
    void setRows(QStringList rows);
    // The rows handed out, the list left empty: to edit them in place and set them back.
    QStringList takeRows();
    void clear() { m_rows = {}; }

private:
    QStringList m_rows;
};

}  // namespace vb
