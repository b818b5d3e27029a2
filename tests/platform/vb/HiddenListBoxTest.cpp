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

// A walk's result handed to two lists is held once: the rows are shared, and
// what is done later to one list or to the result leaves the other as it was.
TEST(HiddenListBox, RowsAddedToAnEmptyListAreSharedAndStayApart)
{
    QStringList ergebnis{"a: 1", "b: 2"};
    vb::HiddenListBox eins;
    vb::HiddenListBox zwei;
    eins.addItems(ergebnis);
    zwei.addItems(eins.rows());
    EXPECT_TRUE(eins.rows().isSharedWith(ergebnis));
    EXPECT_TRUE(zwei.rows().isSharedWith(ergebnis));

    eins.addItems({"c: 3"});
    ergebnis.removeFirst();
    EXPECT_EQ(eins.rows(), (QStringList{"a: 1", "b: 2", "c: 3"}));
    EXPECT_EQ(zwei.rows(), (QStringList{"a: 1", "b: 2"}));
    EXPECT_EQ(gezeigt(zwei), zwei.rows());
}

TEST(HiddenListBox, TakenRowsLeaveItEmptyAndComeBackEdited)
{
    vb::HiddenListBox liste;
    liste.addItems({"a", "b", "c"});
    liste.show();
    QStringList zeilen = liste.takeRows();
    EXPECT_EQ(zeilen, (QStringList{"a", "b", "c"}));
    EXPECT_EQ(liste.count(), 0);
    EXPECT_EQ(gezeigt(liste), QStringList{}) << "the view reads no row that is gone";
    zeilen.removeAt(1);
    liste.setRows(std::move(zeilen));
    EXPECT_EQ(liste.rows(), (QStringList{"a", "c"}));
    EXPECT_EQ(gezeigt(liste), liste.rows());
}
