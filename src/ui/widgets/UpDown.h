#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Two small arrows attached to an edit: each step moves the edit's number by the
// increment within the range, without wrapping around, and writes it back as plain digits.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void setAssociate(QLineEdit* edit);
    void setRange(int minimum, int maximum);
    void setMaximum(int maximum);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    void setIncrement(int increment) { increment_ = increment; }
    int increment() const { return increment_; }
    int position() const { return position_; }
    // Moves to `value` (kept in range) and writes it into the edit.
    void setPosition(int value);

public slots:
    void stepUp();
    void stepDown();

private:
    int currentValue() const;
    void step(int delta);

    QLineEdit* associate_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int min_ = 0;
    int max_ = 100;
    int increment_ = 1;
    int position_ = 0;
};
