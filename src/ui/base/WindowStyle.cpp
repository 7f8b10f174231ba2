#include "ui/base/WindowStyle.h"

#include "ui/base/FormBuilder.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void ApplyWindowStyle(QWidget* window, WindowTextColor color) {
    FormBuilder::SetBackground(window, FormBuilder::ColorOf(0xFEDEC0));
    window->setFont(FormBuilder::ProportionalFont(13, true));
    switch (color) {
        case WindowTextColor::Navy: FormBuilder::SetTextColor(window, QColor(0, 0, 0x80)); break;
        case WindowTextColor::Teal: FormBuilder::SetTextColor(window, QColor(0, 0x80, 0x80)); break;
        case WindowTextColor::Green: FormBuilder::SetTextColor(window, QColor(0, 0x80, 0)); break;
    }
}

void ShowWindow(QWidget* window) {
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    window->move(area.x() + (area.width() - window->width()) / 2, area.y() + (area.height() - window->height()) / 2);
}
