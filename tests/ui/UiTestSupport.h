#pragma once

#include "ui/base/Dialogs.h"
#include "ui/app/Forms.h"

#include <QApplication>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

struct ShownMessage {
    QString text;
    QString caption;
    unsigned flags;
};

inline QWidget* TopLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

template <typename T>
T* Control(const QString& window, const QString& name) {
    QWidget* top = TopLevel(window);
    return top ? top->findChild<T*>(name) : nullptr;
}

// Fresh windows for every test; message boxes are answered by `answer` and recorded.
class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dialogs::SetMessageHandler([this](const QString& text, const QString& caption, unsigned flags) {
            messages.push_back({text, caption, flags});
            return answer;
        });
        CreateForms();
    }
    void TearDown() override {
        DestroyForms();
        Dialogs::SetMessageHandler({});
        Dialogs::SetOpenFileHandler({});
        Dialogs::SetSaveFileHandler({});
    }

    std::vector<ShownMessage> messages;
    int answer = Dialogs::kOk;
};

inline QString WithIdeographicSpaces(const QString& text, int count) {
    return text + QString(count, QChar(0x3000));
}
