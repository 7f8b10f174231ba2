#pragma once

#include <QWidget>

class DataListModel;
class QLabel;
class QPushButton;
class StringGrid;

// The data list window: every loaded sample, one row per sample, one column per channel.
class TDataList : public QWidget {
    Q_OBJECT
public:
    explicit TDataList(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* Button1 = nullptr;

    DataListModel& Model() { return *model_; }

public slots:
    void FormCreate();
    void Button1Click();

private:
    DataListModel* model_ = nullptr;
};
