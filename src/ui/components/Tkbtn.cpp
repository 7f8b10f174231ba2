#include "ui/components/Tkbtn.h"

#include "ui/widgets/Canvas.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Edges of `width` pixels: top and left in `topLeft`, bottom and right in `bottomRight`;
// the dark edges own the top-right and bottom-left corners. The rectangle narrows by one
// pixel per ring.
void Frame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width) {
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
        painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
        painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
}

}  // namespace

TTkBtn::TTkBtn(QWidget* parent) : QWidget(parent) {
    resize(75, 25);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

RepaintingImage& RepaintingImage::operator=(const QImage& picture) {
    QImage::operator=(picture.copy());
    owner_.update();
    return *this;
}

void TTkBtn::Set_Picture(const QImage& picture) { PictureImg = picture; }

void TTkBtn::Paint(QPainter& painter) const {
    QRect rect(0, 0, width(), height());
    const bool picture = !PictureImg.isNull();
    if (picture) painter.drawImage(rect, PictureImg);
    const QColor light = QColorOfBgr(HighlightColor);
    const QColor dark = QColorOfBgr(ShadowColor);
    const QColor face = QColorOfBgr(Color);
    const auto bevel = [&](Bevel kind) {
        if (kind == Bevel::None) return;
        const bool raised = kind == Bevel::Raised;
        Frame3D(painter, rect, raised ? light : dark, raised ? dark : light, BevelWidth);
    };
    bevel(BevelOuter);
    Frame3D(painter, rect, face, face, BorderWidth);
    bevel(BevelInner);
    if (!picture) painter.fillRect(rect, face);
    if (Caption.isEmpty()) return;
    const QFontMetrics metrics(font());
    const int textHeight = metrics.height();
    const int top = (rect.top() + rect.bottom() + 1 - textHeight) / 2;
    const QRect line(rect.left(), top, rect.width(), textHeight);
    Qt::Alignment horizontal = Alignment & Qt::AlignHorizontal_Mask;
    if (horizontal == 0) horizontal = Qt::AlignHCenter;
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.setBrush(Qt::NoBrush);
    painter.drawText(line, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs),
                     Caption);
}

QImage TTkBtn::image() const {
    QImage face(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    face.fill(Qt::white);
    QPainter painter(&face);
    Paint(painter);
    return face;
}

void TTkBtn::MouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    BevelOuter = Bevel::Lowered;
    update();
}

void TTkBtn::MouseUp(Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    BevelOuter = Bevel::Raised;
    update();
}

void TTkBtn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter);
}

void TTkBtn::mousePressEvent(QMouseEvent* event) { MouseDown(event->button()); }

void TTkBtn::mouseReleaseEvent(QMouseEvent* event) {
    MouseUp(event->button());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}
