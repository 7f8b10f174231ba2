// Sorting the event table by a column: numbers as numbers, texts as texts, empty last.
#include "core/survey/SurveySort.h"

#include <gtest/gtest.h>

using tremvix::SortOrder;

TEST(SurveySort, NumericColumnsSortByValueNotByText) {
    // As texts "10" < "9" < "-3"; as numbers -3 < 9 < 10 < 1e2.
    const std::vector<std::string> column = {"10", "9", "-3", "1e2", "0.5"};
    EXPECT_EQ(SortOrder(column, true), (std::vector<std::size_t>{2, 4, 1, 0, 3}));
    EXPECT_EQ(SortOrder(column, false), (std::vector<std::size_t>{3, 0, 1, 4, 2}));
}

TEST(SurveySort, EmptyCellsGoLastInBothDirections) {
    const std::vector<std::string> column = {"", "2.5", "", "1", "3"};
    EXPECT_EQ(SortOrder(column, true), (std::vector<std::size_t>{3, 1, 4, 0, 2}));
    EXPECT_EQ(SortOrder(column, false), (std::vector<std::size_t>{4, 1, 3, 0, 2}));
}

TEST(SurveySort, TextColumnsSortByTheirBytesAndEqualRowsKeepTheirOrder) {
    // One text that is no number makes the column a text column: "10" before "9".
    const std::vector<std::string> column = {"震度5弱", "10", "9", "震度4", "震度5弱", "EV01"};
    EXPECT_EQ(SortOrder(column, true), (std::vector<std::size_t>{1, 2, 5, 3, 0, 4}));
    EXPECT_EQ(SortOrder(column, false), (std::vector<std::size_t>{0, 4, 3, 5, 2, 1}));
}

TEST(SurveySort, NotANumberTextMakesATextColumnInsteadOfABrokenOrder) {
    const std::vector<std::string> column = {"2", "nan", "1"};
    EXPECT_EQ(SortOrder(column, true), (std::vector<std::size_t>{2, 0, 1}));
}
