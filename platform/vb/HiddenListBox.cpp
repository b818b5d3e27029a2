#include "platform/vb/HiddenListBox.h"

#include <utility>

namespace vb {

HiddenListBox::HiddenListBox(QWidget* parent) : QWidget(parent)
{
    setVisible(false);
}

QString HiddenListBox::text(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : QString();
}

void HiddenListBox::addItems(QStringList rows)
{
    // Appending to an empty list would copy every row's reference.
    if (m_rows.isEmpty())
        m_rows = std::move(rows);
    else
        m_rows += std::move(rows);
}

void HiddenListBox::setRows(QStringList rows)
{
    m_rows = std::move(rows);
}

QStringList HiddenListBox::takeRows()
{
    return std::exchange(m_rows, {});
}

}  // namespace vb
