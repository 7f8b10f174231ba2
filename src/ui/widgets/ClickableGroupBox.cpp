#include "ui/widgets/ClickableGroupBox.h"

#include <QMouseEvent>

void ClickableGroupBox::mouseReleaseEvent(QMouseEvent* event) {
    QGroupBox::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit frameClicked();
}
