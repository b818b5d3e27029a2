#include "tests/support/Kombis.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace testing_support {

QStringList einträge(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

void wählen(QComboBox* box, const QString& text)
{
    const int index = box->findText(text, Qt::MatchExactly);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

}  // namespace testing_support
