#pragma once
// A list box the user never sees (a hidden list of a form): it keeps its rows
// as plain texts in a model of its own, without an item object per row, so
// that a list of a million rows costs little more than its texts.
#include <QListView>
#include <QStringList>

namespace vb {

class HiddenListBox : public QListView {
public:
    explicit HiddenListBox(QWidget* parent = nullptr);

    int count() const;
    // The text of a row; "" past either end.
    QString text(int row) const;
    const QStringList& rows() const;

    void addItems(const QStringList& rows);
    void setRows(QStringList rows);
    void clear();

private:
    class Model;
    Model* m_model;
};

}  // namespace vb
