#include "frame/FillCombo.h"

#include "tests/support/Kombis.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

using testing_support::einträge;

TEST(FillCombo, AddsTheFirstColumnInQueryOrderSkippingNull)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file("k.mdb"));
    d->execute("CREATE TABLE t (a, b)");
    d->execute("INSERT INTO t VALUES ('b', 1), (Null, 2), (2.5, 3), (2.0, 4), ('It''s', 5)");
    vb::ComboBox box;
    box.setEditable(true);
    box.addItem("alt");
    box.setText("getippt");
    FillCombo(box, *d, "SELECT a FROM t WHERE b > ? ORDER BY b", {0});
    EXPECT_EQ(einträge(&box), QStringList({"b", "2,5", "2", "It's"}));
    EXPECT_EQ(box.text(), "") << "the typed text goes too";
    EXPECT_EQ(box.currentIndex(), -1);
}

TEST(FillCombo, AQueryThatCannotRunLeavesTheBoxEmpty)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file("k.mdb"));
    vb::ComboBox box;
    box.addItem("alt");
    FillCombo(box, *d, "SELECT a FROM fehlt");
    EXPECT_EQ(box.count(), 0);
    FillCombo(box, *d, "SELECT ?", {});
    EXPECT_EQ(box.count(), 0) << "a missing value is a failure too";
}

TEST(FillCombo, AQueryThatFailsOnARowKeepsTheRowsBeforeIt)
{
    TempFolder folder;
    auto d = db::Database::create(folder.file("k.mdb"));
    d->execute("CREATE TABLE t (a, b)");
    d->execute("INSERT INTO t VALUES ('eins', 1), ('zwei', 2), ('drei', 3), ('vier', 4)");
    vb::ComboBox box;
    box.addItem("alt");
    // The third row's value overflows: the statement stops there (rows in the order added).
    FillCombo(box, *d, "SELECT CASE WHEN b = 3 THEN abs(b - 9223372036854775807 - 4) ELSE a END FROM t");
    EXPECT_EQ(einträge(&box), QStringList({"eins", "zwei"}));
}
