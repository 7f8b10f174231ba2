#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The usage window: the logo, the usage text and a close button.
class THowTo : public QWidget {
    Q_OBJECT
public:
    explicit THowTo(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;

    static QString UsageText();

public slots:
    void Button1Click();
};
