#include "ui/app/Logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

// Drawn rather than shipped: a deep blue plate, a damped seismic trace and the name.
QPixmap TremvixLogo() {
    QPixmap logo(227, 48);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient plate(0, 0, 0, 48);
    plate.setColorAt(0.0, QColor(0x1E, 0x3A, 0x8A));
    plate.setColorAt(1.0, QColor(0x0B, 0x1B, 0x4D));
    painter.setBrush(plate);
    painter.setPen(QPen(QColor(0x9F, 0xC5, 0xFF), 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 226, 47), 8, 8);

    QPainterPath trace;
    trace.moveTo(8, 24);
    for (int x = 8; x <= 92; ++x) {
        const double t = (x - 8) / 84.0;
        const double envelope = std::exp(-std::pow((t - 0.35) / 0.18, 2.0));
        trace.lineTo(x, 24 - 17 * envelope * std::sin(t * 46.0));
    }
    painter.setPen(QPen(QColor(0xFF, 0x5A, 0x4E), 2));
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
