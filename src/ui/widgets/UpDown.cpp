#include "ui/widgets/UpDown.h"

#include "ui/base/Conversions.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

UpDown::UpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setObjectName(QStringLiteral("UpArrow"));
    down_->setObjectName(QStringLiteral("DownArrow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setAutoRepeat(true);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setAssociate(QLineEdit* edit) { associate_ = edit; }

void UpDown::setRange(int minimum, int maximum) {
    min_ = minimum;
    max_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, min_, max_);
}

void UpDown::setMaximum(int maximum) { setRange(min_, maximum); }

void UpDown::setPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    if (!associate_) return;
    const QString text = QString::number(position_);
    if (associate_->text() != text) associate_->setText(text);
}

void UpDown::stepUp() { step(increment_); }
void UpDown::stepDown() { step(-increment_); }

// The arrows start from what the edit holds now, as the user may have typed in it.
int UpDown::currentValue() const {
    int value = position_;
    if (associate_ && TryStrToInt(associate_->text(), value)) return std::clamp(value, min_, max_);
    return position_;
}

void UpDown::step(int delta) {
    const long long next = static_cast<long long>(currentValue()) + delta;
    setPosition(static_cast<int>(std::clamp<long long>(next, min_, max_)));
}
