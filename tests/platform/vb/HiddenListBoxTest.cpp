#include "platform/vb/HiddenListBox.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QVBoxLayout>
#include <QWidget>

TEST(HiddenListBox, KeepsItsRowsInOrder)
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

    liste.setRows({"x"});
    EXPECT_EQ(liste.rows(), QStringList{"x"});
    liste.clear();
    EXPECT_EQ(liste.count(), 0);
    EXPECT_EQ(liste.text(0), "");
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
}

TEST(HiddenListBox, TakenRowsLeaveItEmptyAndComeBackEdited)
{
    vb::HiddenListBox liste;
    liste.addItems({"a", "b", "c"});
    QStringList zeilen = liste.takeRows();
    EXPECT_EQ(zeilen, (QStringList{"a", "b", "c"}));
    EXPECT_EQ(liste.count(), 0);
    zeilen.removeAt(1);
    liste.setRows(std::move(zeilen));
    EXPECT_EQ(liste.rows(), (QStringList{"a", "c"}));
}

// A client that reads the form meets a hidden list as one empty, invisible
// control, however many rows it holds: none of them is an interface to read.
TEST(HiddenListBox, AnAccessibilityClientMeetsNoneOfItsRows)
{
    QWidget form;
    auto* liste = new vb::HiddenListBox(&form);
    QStringList viele;
    for (int i = 0; i < 100000; ++i)
        viele << QStringLiteral("Datei %1.avi: 1").arg(i);
    liste->addItems(viele);
    form.show();
    EXPECT_FALSE(liste->isVisible()) << "hidden, also in a shown form";

    QAccessibleInterface* formular = QAccessible::queryAccessibleInterface(&form);
    ASSERT_NE(formular, nullptr);
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(liste);
    ASSERT_NE(zugang, nullptr);
    EXPECT_EQ(zugang->childCount(), 0);
    EXPECT_TRUE(zugang->state().invisible);
    int gefunden = 0;
    for (int i = 0; i < formular->childCount(); ++i)
        gefunden += formular->child(i) == zugang;
    EXPECT_EQ(gefunden, 1);
}
