#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"
#include "ui/widgets/TickLabel.h"
#include "ui/widgets/UpDown.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(StringGrid, FixedRowAndColumnAnswerLikeCells) {
    StringGrid grid;
    grid.setColCount(3);
    grid.setRowCount(4);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setCell(1, 0, "head");
    grid.setCell(0, 2, "row2");
    grid.setCell(2, 3, "body");
    EXPECT_EQ(grid.colCount(), 3);
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.cell(1, 0), "head");
    EXPECT_EQ(grid.cell(0, 2), "row2");
    EXPECT_EQ(grid.cell(2, 3), "body");
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "head");
    EXPECT_EQ(grid.model()->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "row2");
    EXPECT_TRUE(grid.setCurrentCell(2, 3));
    EXPECT_EQ(grid.col(), 2);
    EXPECT_EQ(grid.row(), 3);
    EXPECT_FALSE(grid.setCurrentCell(2, 4)) << "no such row";
    EXPECT_FALSE(grid.setCurrentCell(0, 2)) << "a fixed cell is never current";
    grid.setRowCount(2);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_TRUE(grid.cell(2, 3).isEmpty());
    grid.setRowCount(4);
    EXPECT_TRUE(grid.cell(2, 3).isEmpty()) << "shrinking forgets the rows";
}

TEST(RadioGroup, ClickOnlyWhenTheSelectionChanges) {
    RadioGroup group("g", {"a", "b", "c"}, 1);
    QSignalSpy clicks(&group, &RadioGroup::clicked);
    group.setItemIndex(1);
    EXPECT_EQ(clicks.count(), 1);
    group.setItemIndex(1);
    EXPECT_EQ(clicks.count(), 1);
    group.button(2)->click();
    EXPECT_EQ(group.itemIndex(), 2);
    EXPECT_EQ(clicks.count(), 2);
    group.button(2)->click();
    EXPECT_EQ(clicks.count(), 2);
}

TEST(UpDown, StepsWithinRangeWithoutWrapping) {
    QLineEdit edit("0");
    UpDown upDown;
    upDown.setAssociate(&edit);
    upDown.setRange(0, 25);
    upDown.setIncrement(10);
    upDown.stepDown();
    EXPECT_EQ(edit.text(), "0");
    upDown.stepUp();
    upDown.stepUp();
    EXPECT_EQ(edit.text(), "20");
    upDown.stepUp();
    EXPECT_EQ(edit.text(), "25");
    upDown.stepUp();
    EXPECT_EQ(edit.text(), "25");
    edit.setText("3");  // typed by the user: the arrows start from it
    upDown.stepUp();
    EXPECT_EQ(edit.text(), "13");
    upDown.setMaximum(20000);
    upDown.setPosition(12000);
    EXPECT_EQ(edit.text(), "12000") << "no thousands separator";
}
