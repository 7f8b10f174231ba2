#include "ui/app/Logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kPlateTop(0x1E, 0x3A, 0x8A);
const QColor kPlateBottom(0x0B, 0x1B, 0x4D);
const QColor kRim(0x9F, 0xC5, 0xFF);
const QColor kTrace(0xFF, 0x5A, 0x4E);

}  // namespace

std::vector<QPointF> LogoTrace(const QRectF& area, int points) {
    std::vector<QPointF> trace;
    const double middle = area.center().y();
    const double height = area.height() / 2.0;
    for (int i = 0; i < points; ++i) {
        const double t = points > 1 ? i / static_cast<double>(points - 1) : 0.0;
        const double envelope = std::exp(-std::pow((t - 0.35) / 0.18, 2.0));
        trace.emplace_back(area.left() + t * area.width(), middle - height * envelope * std::sin(t * 46.0));
    }
    return trace;
}

QImage TremvixIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    QLinearGradient plate(0, 0, 0, 256);
    plate.setColorAt(0.0, kPlateTop);
    plate.setColorAt(1.0, kPlateBottom);
    painter.setBrush(plate);
    painter.setPen(QPen(kRim, 6));
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
    QPainterPath trace;
    const std::vector<QPointF> points = LogoTrace(QRectF(28, 48, 200, 160), 161);
    trace.moveTo(points.front());
    for (const QPointF& point : points) trace.lineTo(point);
    painter.setPen(QPen(kTrace, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(trace);
    return icon;
}

QString TremvixIconSvg() {
    QString path;
    for (const QPointF& point : LogoTrace(QRectF(28, 48, 200, 160), 161))
        path += QStringLiteral("%1%2,%3 ").arg(path.isEmpty() ? QStringLiteral("M") : QStringLiteral("L"))
                    .arg(point.x(), 0, 'f', 2)
                    .arg(point.y(), 0, 'f', 2);
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
               "  <defs><linearGradient id=\"plate\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
               "<stop offset=\"0\" stop-color=\"%1\"/><stop offset=\"1\" stop-color=\"%2\"/></linearGradient></defs>\n"
               "  <rect x=\"8\" y=\"8\" width=\"240\" height=\"240\" rx=\"40\" fill=\"url(#plate)\" stroke=\"%3\" "
               "stroke-width=\"6\"/>\n"
               "  <path d=\"%4\" fill=\"none\" stroke=\"%5\" stroke-width=\"12\" stroke-linecap=\"round\" "
               "stroke-linejoin=\"round\"/>\n"
               "</svg>\n")
        .arg(kPlateTop.name(), kPlateBottom.name(), kRim.name(), path.trimmed(), kTrace.name());
}

// Drawn rather than shipped: a deep blue plate, a damped seismic trace and the name.
QPixmap TremvixLogo() {
    QPixmap logo(227, 48);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient plate(0, 0, 0, 48);
    plate.setColorAt(0.0, kPlateTop);
    plate.setColorAt(1.0, kPlateBottom);
    painter.setBrush(plate);
    painter.setPen(QPen(kRim, 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 226, 47), 8, 8);

    QPainterPath trace;
    trace.moveTo(8, 24);
    for (const QPointF& point : LogoTrace(QRectF(8, 7, 84, 34), 85)) trace.lineTo(point);
    painter.setPen(QPen(kTrace, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(trace);

    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(27);
    font.setBold(true);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(96, 2, 128, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tremvix"));
    QFont small = font;
    small.setPixelSize(10);
    small.setItalic(false);
    small.setBold(false);
    painter.setFont(small);
    painter.setPen(QColor(0xBF, 0xD7, 0xFF));
    painter.drawText(QRect(98, 33, 126, 13), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("time-history viewer"));
    return logo;
}
