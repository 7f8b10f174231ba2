#pragma once

#include <QWidget>

class QPushButton;

// The version window: logo, version, date, author and a close button.
class TVersion : public QWidget {
    Q_OBJECT
public:
    explicit TVersion(QWidget* parent = nullptr);

    QPushButton* Button1 = nullptr;

public slots:
    void Button1Click();
};
