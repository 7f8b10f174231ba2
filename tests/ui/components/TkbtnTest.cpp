#include "ui/components/Tkbtn.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor kFace(0xF0, 0xF0, 0xF0);
const QColor kLight(0xFF, 0xFF, 0xFF);
const QColor kShadow(0x80, 0x80, 0x80);

}  // namespace

TEST(TkBtn, WithoutAPictureItIsAPlainPanel) {
    TTkBtn button;
    EXPECT_EQ(button.size(), QSize(75, 25));
    button.BevelWidth = 2;
    const QImage face = button.image();
    EXPECT_EQ(face.pixelColor(0, 0), kLight);
    EXPECT_EQ(face.pixelColor(1, 10), kLight);
    EXPECT_EQ(face.pixelColor(74, 24), kShadow);
    EXPECT_EQ(face.pixelColor(73, 10), kShadow);
    EXPECT_EQ(face.pixelColor(74, 0), kShadow) << "the dark edge owns the top-right corner";
    EXPECT_EQ(face.pixelColor(2, 2), kFace);
    EXPECT_EQ(face.pixelColor(37, 12), kFace);

    button.Caption = QStringLiteral("WWW");
    int ink = 0;
    const QImage captioned = button.image();
    for (int x = 20; x < 55; ++x)
        for (int y = 3; y < 22; ++y) ink += captioned.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(ink, 10);
}

TEST(TkBtn, PictureStretchedUnderBevelsAndBorder) {
    TTkBtn button;
    button.BorderWidth = 2;
    button.BevelInner = TTkBtn::Bevel::Lowered;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    button.Set_Picture(picture);
    picture.fill(Qt::blue);  // the button keeps its own copy
    const QImage face = button.image();
    EXPECT_EQ(face.pixelColor(0, 0), kLight);            // outer bevel, raised
    EXPECT_EQ(face.pixelColor(1, 10), kFace);            // border in the panel colour
    EXPECT_EQ(face.pixelColor(3, 10), kShadow);          // inner bevel, lowered
    EXPECT_EQ(face.pixelColor(71, 10), kLight);
    EXPECT_EQ(face.pixelColor(37, 12), QColor(Qt::red));  // the picture, not the face colour
    EXPECT_EQ(face.pixelColor(5, 5), QColor(Qt::red));
}

TEST(TkBtn, LooksPressedWhileTheLeftButtonIsHeld) {
    TTkBtn button;
    button.BevelOuter = TTkBtn::Bevel::None;
    int clicks = 0;
    QObject::connect(&button, &TTkBtn::clicked, [&clicks] { ++clicks; });
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(button.BevelOuter, TTkBtn::Bevel::Lowered);
    EXPECT_EQ(button.image().pixelColor(0, 0), kShadow);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(button.BevelOuter, TTkBtn::Bevel::Raised);
    EXPECT_EQ(button.image().pixelColor(0, 0), kLight);
    EXPECT_EQ(clicks, 1);
    QTest::mousePress(&button, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(button.BevelOuter, TTkBtn::Bevel::Raised);
    QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}

namespace {
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};
}  // namespace

TEST(TkBtn, AssigningThePictureRepaintsTheButton) {
    TTkBtn button;
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    PaintCounter counter;
    button.installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    button.PictureImg = picture;
    EXPECT_EQ(button.PictureImg, picture);
    EXPECT_TRUE(QTest::qWaitFor([&counter] { return counter.paints > 0; })) << "no repaint after the assignment";
    EXPECT_EQ(button.grab().toImage().pixelColor(37, 12), QColor(Qt::green));
}
