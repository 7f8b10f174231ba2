#pragma once

#include <QPixmap>

// The program's logo: 227 x 48 pixels.
QPixmap TremvixLogo();
