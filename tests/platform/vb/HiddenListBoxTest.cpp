#include "platform/vb/HiddenListBox.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>

namespace {

// The rows as the list's view reads them from its model.
QStringList gezeigt(const vb::HiddenListBox& liste)
{
    QStringList zeilen;
    const QAbstractItemModel* m = liste.model();
    for (int i = 0; i < m->rowCount(); ++i)
        zeilen << m->data(m->index(i, 0)).toString();
    return zeilen;
}

}  // namespace

TEST(HiddenListBox, KeepsItsRowsInOrderAndShowsThemWhenShown)
{
    vb::HiddenListBox liste;
    liste.addItems({"b: 1", "a: 2"});
    liste.addItems({});
    liste.addItems({"b: 1"});
    EXPECT_EQ(liste.count(), 3);
    EXPECT_EQ(liste.rows(), (QStringList{"b: 1", "a: 2", "b: 1"})) << "appended, never sorted, twins kept";
    EXPECT_EQ(liste.text(1), "a: 2");
    EXPECT_EQ(liste.text(3), "");
    EXPECT_EQ(liste.text(-1), "");

    liste.show();
    EXPECT_EQ(gezeigt(liste), liste.rows());
    EXPECT_EQ(liste.visualRect(liste.model()->index(2, 0)).isEmpty(), false);

    liste.setRows({"x"});
    EXPECT_EQ(gezeigt(liste), QStringList{"x"});
    liste.clear();
    EXPECT_EQ(liste.count(), 0);
    EXPECT_EQ(gezeigt(liste), QStringList{});
}
