#include "ui/widgets/Canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {
constexpr long double kPixelLimit = 1000000.0L;
}

QColor QColorOfBgr(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

int TruncPixel(long double value) {
    if (std::isnan(value)) return static_cast<int>(kPixelLimit);
    if (value > kPixelLimit) return static_cast<int>(kPixelLimit);
    if (value < -kPixelLimit) return -static_cast<int>(kPixelLimit);
    return static_cast<int>(value);
}

Canvas::Canvas(QImage& image) : image_(image) {}

void Canvas::BeginPen(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen qpen(QColorOfBgr(pen.color));
    qpen.setWidth(pen.width <= 1 ? 0 : pen.width);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    switch (pen.style) {
        case PenStyle::Solid: qpen.setStyle(Qt::SolidLine); break;
        case PenStyle::Dot: qpen.setStyle(Qt::DotLine); break;
        case PenStyle::Dash: qpen.setStyle(Qt::DashLine); break;
    }
    painter.setPen(qpen);
    switch (pen.mode) {
        case PenMode::Copy: painter.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
        case PenMode::Xor: painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
        case PenMode::NotXor: painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    }
}

void Canvas::BeginBrush(QPainter& painter) const {
    if (brush.style == BrushStyle::Clear)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(QColorOfBgr(brush.color));
}

void Canvas::LineTo(int x, int y) {
    QPainter painter(&image_);
    BeginPen(painter);
    painter.drawLine(position_, QPoint(x, y));
    position_ = QPoint(x, y);
}

void Canvas::PolylineTo(const std::vector<QPoint>& points) {
    if (points.empty()) return;
    std::vector<QPoint> line;
    line.reserve(points.size() + 1);
    line.push_back(position_);
    line.insert(line.end(), points.begin(), points.end());
    QPainter painter(&image_);
    BeginPen(painter);
    painter.drawPolyline(line.data(), static_cast<int>(line.size()));
    position_ = points.back();
}

void Canvas::FillRect(int left, int top, int right, int bottom) {
    if (brush.style == BrushStyle::Clear) return;
    QPainter painter(&image_);
    painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), QColorOfBgr(brush.color));
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
    QPainter painter(&image_);
    BeginPen(painter);
    BeginBrush(painter);
    painter.drawRect(QRect(QPoint(left, top), QPoint(right - 2, bottom - 2)));
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
    QPainter painter(&image_);
    BeginPen(painter);
    BeginBrush(painter);
    painter.drawEllipse(QRect(QPoint(left, top), QPoint(right - 2, bottom - 2)));
}

void Canvas::Polygon(const std::vector<QPoint>& points) {
    if (points.empty()) return;
    QPainter painter(&image_);
    BeginPen(painter);
    BeginBrush(painter);
    painter.drawPolygon(points.data(), static_cast<int>(points.size()));
}

void Canvas::TextOut(int x, int y, const QString& text) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    QPainter painter(&image_);
    painter.setFont(font);
    if (brush.style != BrushStyle::Clear)
        painter.fillRect(QRect(x, y, width, metrics.height()), QColorOfBgr(brush.color));
    painter.setPen(QColorOfBgr(fontColor));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    position_ = QPoint(x + width, y);
}

int Canvas::TextWidth(const QString& text) const { return QFontMetrics(font).horizontalAdvance(text); }
int Canvas::TextHeight(const QString& text) const {
    (void)text;
    return QFontMetrics(font).height();
}

void Canvas::Draw(const QImage& picture, const QRect& target) {
    QPainter painter(&image_);
    painter.drawImage(target, picture);
}
