#pragma once

#include <QGroupBox>

// A group box that reports clicks on its own frame (not on the controls inside it).
class ClickableGroupBox : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

signals:
    void frameClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool OnFrame(const QMouseEvent* event) const;
    bool pressedOnFrame_ = false;
};
