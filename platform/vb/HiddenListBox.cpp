#include "platform/vb/HiddenListBox.h"

#include <QAbstractListModel>

#include <utility>

namespace vb {

class HiddenListBox::Model : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(zeilen.size()); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= zeilen.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return zeilen.at(index.row());
    }

    void anhaengen(QStringList neu)
    {
        if (neu.isEmpty())
            return;
        beginInsertRows({}, int(zeilen.size()), int(zeilen.size() + neu.size() - 1));
        // Appending to an empty list would copy every row's reference.
        if (zeilen.isEmpty())
            zeilen = std::move(neu);
        else
            zeilen += std::move(neu);
        endInsertRows();
    }

    void setzen(QStringList neu)
    {
        beginResetModel();
        zeilen = std::move(neu);
        endResetModel();
    }

    QStringList nehmen()
    {
        beginResetModel();
        QStringList alte = std::exchange(zeilen, {});
        endResetModel();
        return alte;
    }

    QStringList zeilen;
};

HiddenListBox::HiddenListBox(QWidget* parent) : QListView(parent), m_model(new Model(this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
}

int HiddenListBox::count() const
{
    return int(m_model->zeilen.size());
}

QString HiddenListBox::text(int row) const
{
    return row >= 0 && row < m_model->zeilen.size() ? m_model->zeilen.at(row) : QString();
}

const QStringList& HiddenListBox::rows() const
{
    return m_model->zeilen;
}

void HiddenListBox::addItems(QStringList rows)
{
    m_model->anhaengen(std::move(rows));
}

void HiddenListBox::setRows(QStringList rows)
{
    m_model->setzen(std::move(rows));
}

QStringList HiddenListBox::takeRows()
{
    return m_model->nehmen();
}

void HiddenListBox::clear()
{
    m_model->setzen({});
}

}  // namespace vb
