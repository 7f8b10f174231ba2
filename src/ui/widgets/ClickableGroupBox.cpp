#include "ui/widgets/ClickableGroupBox.h"

#include <QMouseEvent>

// A click that a label inside lets through reaches the box too: only a press and a
// release on the box itself, not over one of its children, count.
bool ClickableGroupBox::OnFrame(const QMouseEvent* event) const {
    const QPoint at = event->position().toPoint();
    return rect().contains(at) && childAt(at) == nullptr;
}

void ClickableGroupBox::mousePressEvent(QMouseEvent* event) {
    QGroupBox::mousePressEvent(event);
    pressedOnFrame_ = event->button() == Qt::LeftButton && OnFrame(event);
}

void ClickableGroupBox::mouseReleaseEvent(QMouseEvent* event) {
    QGroupBox::mouseReleaseEvent(event);
    const bool click = pressedOnFrame_ && event->button() == Qt::LeftButton && OnFrame(event);
    pressedOnFrame_ = false;
    if (click) emit frameClicked();
}
