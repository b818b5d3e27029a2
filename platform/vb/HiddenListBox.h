#pragma once
// A list box the user never sees (a hidden list of a form): it keeps its rows
// as plain texts in a model of its own, without an item object per row, so
// that a list of a million rows costs little more than its texts.
#include <QListView>
#include <QStringList>

namespace vb {

class HiddenListBox : public QListView {
    Q_OBJECT
public:
    explicit HiddenListBox(QWidget* parent = nullptr);

    int count() const;
    // The text of a row; "" past either end.
    QString text(int row) const;
    const QStringList& rows() const;

    // Rows added to an empty list are shared with `rows`, not copied.
    void addItems(QStringList rows);
    void setRows(QStringList rows);
    // The rows handed out, the list left empty: to edit them in place and set them back.
    QStringList takeRows();
    void clear();

private:
    class Model;
    Model* m_model;
};

}  // namespace vb
