#include "ui/base/Dialogs.h"
#include "ui/components/Matgrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const float kMatrix[] = {1.5f, -2.25f, 3.0f, 4.0f, 5.125f, -6.0f};  // 2 × 3, stride 3

}  // namespace

TEST(MatGrid, HeadingsNumberRowsAndColumns) {
    TMatGrid grid;
    EXPECT_TRUE(grid.ElementNumber);
    EXPECT_FALSE(grid.InitZero);
    grid.Display(kMatrix, 3, 2, 3, "%.2f");
    EXPECT_EQ(grid.colCount(), 4);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.fixedRows(), 1);
    EXPECT_EQ(grid.fixedCols(), 1);
    EXPECT_EQ(grid.cell(0, 1), "   1");
    EXPECT_EQ(grid.cell(0, 2), "   2");
    EXPECT_EQ(grid.cell(1, 0), "     1");
    EXPECT_EQ(grid.cell(3, 0), "     3");
    EXPECT_EQ(grid.cell(1, 1), "1.50");
    EXPECT_EQ(grid.cell(2, 1), "-2.25");
    EXPECT_EQ(grid.cell(3, 2), "-6.00");

    grid.InitZero = true;
    grid.Display(kMatrix, 3, 2, 3, "%.2f");
    EXPECT_EQ(grid.cell(0, 1), "   0");
    EXPECT_EQ(grid.cell(1, 0), "     0");
    EXPECT_EQ(grid.cell(3, 0), "     2");
}

TEST(MatGrid, WithoutElementNumbersTheDataFillTheGrid) {
    TMatGrid grid;
    grid.ElementNumber = false;
    grid.Display(kMatrix, 3, 2, 3, "%g");
    EXPECT_EQ(grid.colCount(), 3);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.fixedRows(), 0);
    EXPECT_EQ(grid.fixedCols(), 0);
    EXPECT_EQ(grid.cell(0, 0), "1.5");
    EXPECT_EQ(grid.cell(0, 1), "4");
    EXPECT_EQ(grid.cell(2, 0), "3");
}

TEST(MatGrid, DoubleDataWithAStrideAndClear) {
    TMatGrid grid;
    const double data[] = {0.1, 0.2, 99.0, 0.3, 0.4, 99.0};
    grid.display(data, 3, 2, 2, "[%6.3f]");
    EXPECT_EQ(grid.colCount(), 3);
    EXPECT_EQ(grid.cell(2, 1), "[ 0.200]");
    EXPECT_EQ(grid.cell(1, 2), "[ 0.300]");
    grid.Clear();
    EXPECT_EQ(grid.cell(1, 1), "");
    EXPECT_EQ(grid.cell(2, 2), "");
    EXPECT_EQ(grid.cell(0, 1), "   1");
    EXPECT_EQ(grid.cell(2, 0), "     2");
}

TEST(MatGrid, OnlyOneFloatingPointConversionIsAccepted) {
    for (const char* good : {"%f", "%10.3f", "x=%g%%", "%+.2e", "%lf", "%-8.1E", "%a", "%#G"})
        EXPECT_TRUE(TMatGrid::IsSingleFloatFormat(good)) << good;
    for (const char* bad : std::initializer_list<const char*>{"", "abc", "%d", "%s", "%f %f", "%*f", "%.*f", "%Lf", "%n", "%", "%5", "%%", nullptr})
        EXPECT_FALSE(TMatGrid::IsSingleFloatFormat(bad)) << (bad ? bad : "null");

    std::vector<QString> shown;
    Dialogs::SetMessageHandler([&shown](const QString& text, const QString& caption, unsigned flags) {
        shown.push_back(caption);
        EXPECT_EQ(flags, 0x30u);
        EXPECT_FALSE(text.isEmpty());
        return Dialogs::kOk;
    });
    TMatGrid grid;
    grid.Display(kMatrix, 3, 2, 3, "%.1f");
    grid.Display(kMatrix, 3, 2, 3, "%s");
    grid.Display(kMatrix, 3, 2, 3, "%f%f");
    Dialogs::SetMessageHandler({});
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(grid.cell(1, 1), "1.5") << "a refused format leaves the grid as it was";
    grid.Display(kMatrix, 3, -1, 3, "%f");
    EXPECT_EQ(grid.rowCount(), 3);
}
