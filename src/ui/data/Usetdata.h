#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class RadioGroup;
class StringGrid;

// The data set window: scans a data file into its grid, marks channels and
// transfers them into the main window's channel store.
class TSetData : public QWidget {
    Q_OBJECT
public:
    explicit TSetData(QWidget* parent = nullptr);
    ~TSetData() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    QCheckBox* CBCont = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;

    QString DataFilePath;
    std::int32_t FileChannelCount = 0;
    std::int32_t StepSize = 4;
    std::int32_t StepStart = 0;

    void SetFormatCaption(const QString& caption);
    // Shows the window with `file` scanned as if it had been chosen in the open dialog.
    void OpenFromCommandLine(const QString& file);

public slots:
    void FormCreate();
    void Button1Click();

private:
    void BuildLayout();
    void ConnectHandlers();
};
