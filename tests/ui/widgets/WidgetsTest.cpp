#include "ui/app/Conversions.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"
#include "support/CommaDecimalLocale.h"
#include "ui/widgets/CNumberFormat.h"
#include "ui/widgets/TextCodec.h"
#include "ui/widgets/TickLabel.h"

#include <clocale>
#include <cstdio>
#include "ui/widgets/UpDown.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Conversions, IntegersAsTheToolkitReadsThem) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("  250"), 250);
    EXPECT_EQ(StrToInt("-12"), -12);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    for (const char* bad : {"", " ", "-", "+", "1a", "a", "12 ", "2147483648", "1.5", "99999999999999999999"}) {
        try {
            StrToInt(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' は整数ではありません").arg(QString::fromUtf8(bad)));
        }
    }
    EXPECT_THROW(StrToInt(QStringLiteral("１２")), ConversionError);  // full-width digits
}

TEST(Conversions, FloatsAsTheToolkitReadsThem) {
    EXPECT_DOUBLE_EQ(StrToFloat("10"), 10.0);
    EXPECT_DOUBLE_EQ(StrToFloat(" 2.5 "), 2.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-.5e-3"), -0.0005);
    EXPECT_DOUBLE_EQ(StrToFloat("1E2"), 100.0);
    for (const char* bad : {"", "abc", "1,5", "1e", "--1", "1e999"}) {
        try {
            StrToFloat(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' は浮動小数点数ではありません").arg(QString::fromUtf8(bad)));
        }
    }
}

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

TEST(TextCodec, Utf8AndShiftJisHeadersDecode) {
    EXPECT_EQ(DecodeText("1階床"), QStringLiteral("1階床"));
    EXPECT_EQ(DecodeText("\x31\x8A\x4B\x8F\xB0"), QStringLiteral("1階床"));  // Shift-JIS bytes
    EXPECT_EQ(DecodeText("gal"), QStringLiteral("gal"));
    EXPECT_EQ(DecodeText("\xB6\xC5"), QStringLiteral("ｶﾅ"));  // half-width katakana
}

TEST(CNumberFormat, CommaLocalesDoNotChangeTheTexts) {
    const QTemporaryDir folder;
    const locale_support::CommaDecimalLocale locale(folder.path().toStdString());
    if (!locale.Active()) GTEST_SKIP() << "no locale with a decimal comma could be set";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    ASSERT_STREQ(probe, "0,5") << "the comma locale is in force";
    char text[32];
    FormatInCLocale(text, sizeof text, "%10.3f", 1.5);
    EXPECT_STREQ(text, "     1.500");
    EXPECT_EQ(TickLabel(2.5f), "2.5");
}
