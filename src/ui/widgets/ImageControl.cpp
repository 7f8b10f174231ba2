#include "ui/widgets/ImageControl.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>

namespace {

// The font the canvases draw their texts in: none is ever chosen for them.
QFont DefaultCanvasFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(11);
    return font;
}

}  // namespace

ImageControl::ImageControl(int width, int height, QWidget* parent) : QWidget(parent) {
    resize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageControl::EnsurePicture() const {
    if (canvas_) return;
    picture_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    canvas_.emplace(picture_);
    canvas_->font = DefaultCanvasFont();
}

const QImage& ImageControl::image() const {
    EnsurePicture();
    return picture_;
}

Canvas& ImageControl::canvas() {
    EnsurePicture();
    return *canvas_;
}

void ImageControl::Clear(std::uint32_t color) {
    Canvas& c = canvas();
    c.brush.color = color;
    c.brush.style = Canvas::BrushStyle::Solid;
    c.FillRect(0, 0, image().width(), image().height());
    update();
}

void ImageControl::Copy() { QGuiApplication::clipboard()->setImage(image()); }

// The picture keeps its own size, as an image control shows it: a larger widget
// shows the window colour around it, a smaller one its top-left part.
void ImageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& picture = image();
    painter.drawImage(QPoint(0, 0), picture);
    const QRegion rest = QRegion(rect()).subtracted(QRegion(picture.rect()));
    for (const QRect& part : rest) painter.fillRect(part, palette().window());
}
