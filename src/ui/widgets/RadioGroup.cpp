#include "ui/widgets/RadioGroup.h"

#include <QRadioButton>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), columns_(std::max(columns, 1)) {
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_ << button;
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on) emit clicked();
        });
    }
    layoutButtons();
}

int RadioGroup::itemIndex() const {
    for (int i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isChecked()) return i;
    return -1;
}

void RadioGroup::setItemIndex(int index) {
    if (index < 0 || index >= buttons_.size()) {
        for (QRadioButton* b : buttons_) {
            b->setAutoExclusive(false);
            b->setChecked(false);
            b->setAutoExclusive(true);
        }
        return;
    }
    buttons_[index]->setChecked(true);
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    layoutButtons();
}

// Items fill the columns top to bottom, as evenly as the frame allows.
void RadioGroup::layoutButtons() {
    if (buttons_.isEmpty()) return;
    const int rows = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
    const int top = title().isEmpty() ? 2 : 16;
    const int left = title().isEmpty() ? 3 : 8;
    const int usableWidth = std::max(width() - 2 * left, 1);
    const int usableHeight = std::max(height() - top - 4, 1);
    const int colWidth = usableWidth / columns_;
    const int rowHeight = usableHeight / rows;
    for (int i = 0; i < buttons_.size(); ++i) {
        const int c = i / rows;
        const int r = i % rows;
        buttons_[i]->setGeometry(left + c * colWidth, top + r * rowHeight, colWidth + (c == columns_ - 1 ? left - 1 : 0),
                                 std::max(rowHeight, 16));
    }
}
