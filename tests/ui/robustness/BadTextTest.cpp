// Text in the edits that is not what they expect: each gives its message or its
// documented choice, and the picture, the store and the other controls stay.
#include "RobustnessSupport.h"
#include "support/PlainKernels.h"

#include "core/data/DataFileReader.h"
#include "ui/base/AppTitle.h"

#include <cmath>

namespace {

const QString kSelectionError = QStringLiteral("選択エラー");

// Texts that are no decimal integer of 32 bits.
const QStringList kNotIntegers = {QStringLiteral(" "), QStringLiteral("+"), QStringLiteral("-"),
                                  QStringLiteral("abc"), QStringLiteral("12a"), QStringLiteral("1.5"),
                                  QStringLiteral("2147483648"), QStringLiteral("-2147483649"),
                                  QStringLiteral("99999999999"), QStringLiteral("１２３"), QStringLiteral("--1")};
// Texts that are no decimal number.
const QStringList kNotNumbers = {QString(), QStringLiteral(" "), QStringLiteral("+"), QStringLiteral("-"),
                                 QStringLiteral("."), QStringLiteral("e5"), QStringLiteral("abc"),
                                 QStringLiteral("nan"), QStringLiteral("inf"), QStringLiteral("１０"),
                                 QStringLiteral("1,5")};

}  // namespace

class BadTextTest : public RobustnessTest {
protected:
    void SetUp() override {
        RobustnessTest::SetUp();
        Scan(files.Write("data.csv", DataFiles::Standard(2, 2000)));
        Transfer({1, 2});
        ASSERT_TRUE(messages.empty());
    }
    // The state now, but for the text of one edit.
    WindowState StateBut(const QLineEdit* edit, const WindowState& before) const {
        WindowState s = State();
        const QLineEdit* edits[] = {Open->Edit1, Open->Edit2, Open->Edit3};
        for (int i = 0; i < 3; ++i)
            if (edits[i] == edit) s.texts[i] = before.texts[i];
        return s;
    }
    void ExpectConversionMessage(const QString& text, const char* format) {
        const ShownMessage m = OnlyMessage();
        EXPECT_EQ(m.text, QString::fromUtf8(format).arg(text)) << text.toStdString();
        EXPECT_EQ(m.caption, AppTitle());
    }
    void ExpectRefusal(const QString& text) {
        const ShownMessage m = OnlyMessage();
        EXPECT_EQ(m.text, WithIdeographicSpaces(text, 5));
        EXPECT_EQ(m.caption, kSelectionError);
        EXPECT_EQ(m.flags, Dialogs::kOkExclamation);
    }
};

TEST_F(BadTextTest, StartPointThatIsNoIntegerShowsTheConversionMessage) {
    for (const QString& text : kNotIntegers) {
        const WindowState before = State();
        Open->Edit1->setText(text);
        ExpectConversionMessage(text, "'%1' は整数ではありません");
        ExpectSameState(before, StateBut(Open->Edit1, before));
        Open->Edit1->setText(QStringLiteral("0"));
        messages.clear();
    }
}

TEST_F(BadTextTest, StartPointEmptyTooLargeOrNegative) {
    Open->Edit1->setText(QStringLiteral("100"));
    ASSERT_TRUE(messages.empty());
    const WindowState drawn = State();

    Open->Edit1->setText(QString());
    EXPECT_TRUE(messages.empty()) << "an empty start point changes nothing";
    ExpectSameState(drawn, StateBut(Open->Edit1, drawn));

    for (const QString& text : {QStringLiteral("2001"), QStringLiteral("2147483647")}) {
        Open->Edit1->setText(text);
        EXPECT_TRUE(messages.empty()) << "past DataCount: ignored";
        ExpectSameState(drawn, StateBut(Open->Edit1, drawn));
    }

    // At DataCount or below zero the graph itself refuses; only the start label moves.
    for (const QString& text : {QStringLiteral("2000"), QStringLiteral("-1"), QStringLiteral("-2147483648")}) {
        Open->Edit1->setText(text);
        ExpectRefusal(QStringLiteral("開始点がデータの範囲外です"));
        WindowState after = StateBut(Open->Edit1, drawn);
        after.texts[4] = drawn.texts[4];  // Label8
        ExpectSameState(drawn, after);
        EXPECT_EQ(Open->Layout.StartIndex, 100) << "the cursor keeps reading the picture shown";
    }
}

TEST_F(BadTextTest, CommonScaleThatIsNoNumberShowsTheConversionMessage) {
    Open->CBEqual->setChecked(true);
    ASSERT_TRUE(messages.empty());
    for (const QString& text : kNotNumbers) {
        const WindowState before = State();
        Open->Edit2->setText(text);
        EXPECT_TRUE(messages.empty()) << "a change of Edit2 draws nothing by itself";
        Open->Button4->click();
        ExpectConversionMessage(text, "'%1' は浮動小数点数ではありません");
        ExpectSameState(before, StateBut(Open->Edit2, before));
    }
}

TEST_F(BadTextTest, CommonScaleThatIsNotPositiveOrOverflowsIsRefused) {
    Open->CBEqual->setChecked(true);
    ASSERT_TRUE(messages.empty());
    const GraphLayout layout = Open->Layout;
    for (const QString& text : {QStringLiteral("0"), QStringLiteral("-0"), QStringLiteral("0.0"),
                                QStringLiteral("-5"), QStringLiteral("1e39"), QStringLiteral("1e-50"),
                                QStringLiteral("1e400")}) {
        const WindowState before = State();
        Open->Edit2->setText(text);
        Open->Button4->click();
        if (text == QStringLiteral("1e400")) {
            ExpectConversionMessage(text, "'%1' は浮動小数点数ではありません");
        } else {
            ExpectRefusal(QStringLiteral("目盛り量には正の数を指定してください"));
        }
        ExpectSameState(before, StateBut(Open->Edit2, before));
        EXPECT_EQ(Open->Layout.StartIndex, layout.StartIndex);
        EXPECT_EQ(Open->Layout.WindowLength, layout.WindowLength);
    }
    // Overlaid, the one scale is checked the same way.
    Open->Edit2->setText(QStringLiteral("10"));
    Open->CBOverWrite->setChecked(true);
    ASSERT_TRUE(messages.empty());
    const WindowState overlaid = State();
    Open->Edit2->setText(QStringLiteral("0"));
    Open->Button4->click();
    ExpectRefusal(QStringLiteral("目盛り量には正の数を指定してください"));
    ExpectSameState(overlaid, StateBut(Open->Edit2, overlaid));

    // Unticked, Edit2 is not read at all.
    Open->CBOverWrite->setChecked(false);
    messages.clear();
    Open->CBEqual->setChecked(false);
    EXPECT_TRUE(messages.empty());
    // Tiny and huge scales that are finite draw.
    Open->Edit2->setText(QStringLiteral("10"));
    Open->CBEqual->setChecked(true);
    for (const QString& text : {QStringLiteral("1e-30"), QStringLiteral("3e38"), QStringLiteral(" 0.5 ")}) {
        Open->Edit2->setText(text);
        Open->Button4->click();
        EXPECT_TRUE(messages.empty()) << text.toStdString();
    }
}

TEST_F(BadTextTest, MovingAverageSpanThatIsNoCountRefusesTheTransfer) {
    Open->CBMove->setChecked(true);
    messages.clear();  // the notice to read the data again
    Mark({1});
    SetData->CheckBox1->setChecked(true);  // a late refusal would have cleared the channels
    const QStringList texts = QStringList(kNotIntegers) << QString();
    for (const QString& text : texts) {
        const WindowState before = State();
        Open->Edit3->setText(text);
        SetData->Button4->click();
        ExpectConversionMessage(text, "'%1' は整数ではありません");
        ExpectSameState(before, StateBut(Open->Edit3, before));
    }
    for (const QString& text : {QStringLiteral("-1"), QStringLiteral("-2147483648")}) {
        const WindowState before = State();
        Open->Edit3->setText(text);
        SetData->Button4->click();
        ExpectRefusal(QStringLiteral("移動平均のスパンには0以上の整数を指定してください"));
        ExpectSameState(before, StateBut(Open->Edit3, before));
    }
    // A span far wider than the record averages over all of it, divided by the
    // whole width as the definition says.
    Open->Edit3->setText(QStringLiteral("2147483647"));
    SetData->Button4->click();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(Open->Store().ChannelCount, 1);
    const tremvix::TransferRead raw =
        tremvix::ReadChannels(files.Path("data.csv").toStdString(), tremvix::FileLayout::Standard, {0},
                              Open->Store().FileLineCount);
    ASSERT_FALSE(raw.refusal);
    const std::vector<float> expected = plain::Mean(raw.columns[0].samples, 2147483647);
    EXPECT_EQ(Open->Store().BaseBank[0].Samples, expected);
    EXPECT_NE(expected.back(), 0.0f) << "the test must average something";
}
