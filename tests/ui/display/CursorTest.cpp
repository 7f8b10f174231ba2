#include "DataFiles.h"
#include "UiTestSupport.h"

#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/display/Mywave.h"
#include "ui/display/Udatalist.h"
#include "ui/widgets/StringGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>

class CursorTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        const QString sample = ExampleFile("sample_standard.csv");
        Dialogs::SetOpenFileHandler([sample](const QString&) { return sample; });
        SetData->Button2->click();
        SetData->Button5->click();
        SetData->CheckBox2->setChecked(true);
        SetData->Button4->click();
        ASSERT_TRUE(messages.empty());
        ASSERT_TRUE(Open->Button7->isEnabled()) << "the transfer drew the graph";
    }
    const QImage& Picture() const { return Open->MyWave1->image(); }
    QImage Readout() const { return Picture().copy(480, 412, 145, 13); }
    // The readout a user would read, rendered the same way on a blank strip.
    QImage Rendered(const QString& text) const {
        QImage strip = Picture().copy();
        Canvas canvas(strip);
        canvas.font = Open->MyWave1->canvas().font;
        canvas.FillRect(480, 415, 625, 425);
        canvas.TextOut(480, 415, text);
        return strip.copy(480, 412, 145, 13);
    }
    bool Inverted(const QImage& before, int x, int y) const {
        return Picture().pixel(x, y) == (~before.pixel(x, y) | 0xFF000000u);
    }
};

TEST_F(CursorTest, ReadoutShowsChannelSampleValueAndUnit) {
    // 50 s across 500 pixels: x 61 is sample 10, in the first band of three.
    Open->MyWave1MouseMove(61, 50);
    const QString value = DataList->StringGrid1->cell(1, 10);
    EXPECT_FALSE(value.isEmpty());
    EXPECT_EQ(Readout(), Rendered(QStringLiteral("CH1      10") + value + "gal"));
    Open->MyWave1MouseMove(160, 300);  // third band
    EXPECT_EQ(Readout(), Rendered(QStringLiteral("CH3    1000") + DataList->StringGrid1->cell(3, 1000) + "gal"));
}

TEST_F(CursorTest, CursorAtTheOriginHasNoReadoutAndTheAxisEndIsInside) {
    const QImage before = Picture().copy();
    Open->MyWave1MouseMove(60, 100);
    EXPECT_TRUE(Inverted(before, 60, 200));
    EXPECT_EQ(Open->CursorX, 60);
    EXPECT_EQ(Readout(), Rendered(QString()));

    Open->MyWave1MouseMove(560, 100);
    EXPECT_EQ(Open->CursorX, 560);
    EXPECT_NE(Readout(), Rendered(QString()));
    EXPECT_EQ(Picture().pixel(60, 200), before.pixel(60, 200)) << "the old line is erased";
    const QImage atEnd = Picture().copy();
    Open->MyWave1MouseMove(561, 100);
    EXPECT_EQ(Open->CursorX, 560) << "outside: the cursor does not move";
    EXPECT_EQ(Readout(), Rendered(QString()));
    EXPECT_EQ(Picture().pixel(560, 200), atEnd.pixel(560, 200));
}

TEST_F(CursorTest, TwoMovesRestoreEverythingButTheNewLine) {
    const QImage before = Picture().copy();
    Open->MyWave1MouseMove(200, 100);
    Open->MyWave1MouseMove(300, 100);
    int changed = 0;
    for (int y = 0; y < 412; ++y)
        for (int x = 0; x < 625; ++x) {
            if (x == 300 && y >= 10 && y < 410) {
                EXPECT_TRUE(Inverted(before, x, y)) << y;
                continue;
            }
            changed += Picture().pixel(x, y) != before.pixel(x, y);
        }
    EXPECT_EQ(changed, 0);
}

TEST_F(CursorTest, CursorIsVisibleOnWhiteAndOnTheTraces) {
    const QImage before = Picture().copy();
    Open->MyWave1MouseMove(310, 100);
    int differing = 0;
    for (int y = 10; y < 410; ++y) differing += Picture().pixel(310, y) != before.pixel(310, y);
    EXPECT_EQ(differing, 400);
}

TEST_F(CursorTest, WithoutTheCursorBoxOnlyTheReadoutIsBlanked) {
    Open->MyWave1MouseMove(200, 100);
    Open->CBLine->setChecked(false);
    const QImage before = Picture().copy();
    Open->MyWave1MouseMove(250, 100);
    EXPECT_EQ(Open->CursorX, 200);
    EXPECT_EQ(Readout(), Rendered(QString()));
    EXPECT_EQ(Picture().copy(0, 0, 625, 412), before.copy(0, 0, 625, 412));
}

TEST_F(CursorTest, NothingBeforeTheFirstDrawing) {
    Open->Button7->setEnabled(false);
    const QImage before = Picture().copy();
    Open->MyWave1MouseMove(200, 100);
    EXPECT_EQ(Picture(), before);
    Open->CBList->setChecked(true);
    DataList->hide();
    Open->MyWave1MouseDown(200, 100);
    EXPECT_FALSE(DataList->isVisible());
}

TEST_F(CursorTest, ClickSelectsTheSampleInTheDataListAndShowsIt) {
    Open->MyWave1MouseDown(200, 100);
    EXPECT_FALSE(DataList->isVisible()) << "CBList unchecked";
    Open->CBList->setChecked(true);
    DataList->Button1->click();
    ASSERT_FALSE(DataList->isVisible());
    Open->MyWave1MouseDown(160, 415);  // below the third band's axis, y unchecked
    EXPECT_TRUE(DataList->isVisible());
    EXPECT_EQ(DataList->StringGrid1->row(), 1000);
    EXPECT_EQ(DataList->StringGrid1->col(), 3);
    EXPECT_EQ(DataList->Label2->text(), QStringLiteral("クリックした点は 3 CHの波形の 1000 番目のデータです"));
    Open->MyWave1MouseDown(561, 100);
    EXPECT_EQ(DataList->StringGrid1->row(), 1000) << "outside the time axis nothing happens";
}

TEST_F(CursorTest, RealMouseMovesReachTheCanvas) {
    Open->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Open));
    const QImage blank = Readout();
    QTest::mouseMove(Open->MyWave1, QPoint(100, 60));
    EXPECT_EQ(Open->CursorX, 100);
    const QImage first = Readout();
    EXPECT_NE(first, blank);
    QTest::mouseMove(Open->MyWave1, QPoint(400, 60));
    EXPECT_EQ(Open->CursorX, 400);
    EXPECT_NE(Readout(), first);
}

TEST_F(CursorTest, PositionsInsideAPixelOfAScaledScreenBelongToThatPixel) {
    // On a screen scaled by 2 the pointer can stand half way through a canvas pixel.
    QMouseEvent move(QEvent::MouseMove, QPointF(100.5, 60.5), QPointF(100.5, 60.5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(Open->MyWave1, &move);
    EXPECT_EQ(Open->CursorX, 100);
    EXPECT_EQ(Open->CursorY, 60);
    Open->CBList->setChecked(true);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(160.75, 300.5), QPointF(160.75, 300.5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Open->MyWave1, &press);
    EXPECT_EQ(DataList->StringGrid1->row(), 1000);
}

TEST_F(CursorTest, ANewPictureForgetsTheOldCursorLine) {
    Open->MyWave1MouseMove(300, 100);
    Open->Button4->click();  // redrawn: the picture holds no cursor line
    EXPECT_EQ(Open->CursorX, TOpen::kNoCursorX);
    const QImage fresh = Picture().copy();
    Open->MyWave1MouseMove(400, 100);
    for (int y = 10; y < 410; ++y) ASSERT_EQ(Picture().pixel(300, y), fresh.pixel(300, y)) << "no stray line, " << y;
    for (int y = 10; y < 410; ++y) ASSERT_TRUE(Inverted(fresh, 400, y)) << y;
}

TEST_F(CursorTest, ReadoutAndClickCountFromTheStartPoint) {
    Open->Edit1->setText(QStringLiteral("1000"));  // redraws from sample 1000
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(Open->Layout.StartIndex, 1000);
    // x 160 is 10 s, 1000 samples, into the window: sample 2000.
    Open->MyWave1MouseMove(160, 50);
    EXPECT_EQ(Readout(), Rendered(QStringLiteral("CH1    2000") + DataList->StringGrid1->cell(1, 2000) + "gal"));
    Open->CBList->setChecked(true);
    Open->MyWave1MouseDown(160, 300);
    EXPECT_EQ(DataList->StringGrid1->row(), 2000);
    EXPECT_EQ(DataList->StringGrid1->col(), 3);
    EXPECT_EQ(DataList->Label2->text(), QStringLiteral("クリックした点は 3 CHの波形の 2000 番目のデータです"));
}
