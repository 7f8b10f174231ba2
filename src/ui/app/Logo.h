#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

// The program's logo: 227 x 48 pixels.
QPixmap TremvixLogo();

// The logo's damped seismic trace, fitted into `area`: its middle line is the
// area's vertical centre and its peaks reach the area's top and bottom.
std::vector<QPointF> LogoTrace(const QRectF& area, int points);

// The application icon: the logo's plate and trace on a square of `size` pixels.
QImage TremvixIcon(int size);
// The same icon as an SVG document of 256 x 256 units.
QString TremvixIconSvg();
