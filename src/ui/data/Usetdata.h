#pragma once

#include "core/data/DataFileReader.h"
#include "core/formats/NetworkRecord.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class RadioGroup;
class StringGrid;
class DataSetHost;

// The data set window: scans a data file into its grid, marks channels and
// transfers them into the main window's channel store.
class TSetData : public QWidget {
    Q_OBJECT
public:
    explicit TSetData(DataSetHost& host, QWidget* parent = nullptr);
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
    // The layout the listed file was read in: a CSV layout of the menu, or a record
    // of a recording network; neither before the first scan.
    std::optional<tremvix::FileLayout> ScannedLayout;
    std::optional<tremvix::NetworkLayout> ScannedNetwork;
    double ScannedRate = 0.0;  // Hz the record states; 0 when it states none
    std::vector<std::filesystem::path> ScannedFiles;  // the files the listed record is read from
    std::filesystem::path ScannedCompanion;  // the second file the user chose for it; empty when found beside
    std::int32_t FileChannelCount = 0;
    std::int32_t StepSize = 4;
    std::int32_t StepStart = 0;

    void SetFormatCaption(const QString& caption);
    // Shows the window with `file` scanned as if it had been chosen in the open dialog.
    void OpenFromCommandLine(const QString& file);

    static const QString kMark;  // "●"

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void StringGrid1Click();
    void Button3Click();
    void Button5Click();
    void RadioGroup1Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button4Click();

public:
    // The scan of `file`: a network record as what it is, anything else in the format
    // the main window has chosen.
    void ScanFile(const QString& file);

private:
    void ScanCsvFile(const QString& file);
    void ScanNetworkFile(const QString& file, tremvix::NetworkLayout layout);
    static std::filesystem::path AskForCompanion(const std::filesystem::path& file, tremvix::NetworkLayout layout);
    void ClearGrid(int firstColumn);
    void ShowScanned(int channels, int dataLines);
    void ShowRefusal(const tremvix::Refusal& refusal);
    void ShowLayoutCaption(const QString& caption);
    void BuildLayout();
    void ConnectHandlers();
    int ChannelRows() const;
    void ToggleRow(int row);
    void MarkRows(int first, int last);
    void ClearMarks();
    // A change of the current row made by the program acts as a click on the new row.
    void MoveCurrentRow(int row);
    void Transfer();
    tremvix::FileLayout ChosenLayout() const;
    bool TransferAllowed(std::size_t marked);
    std::vector<int> MarkedColumns() const;
    QString DataLayoutCaption() const;
    std::optional<tremvix::TransferRead> ReadForTransfer(const std::vector<int>& columns);
    tremvix::TransferRead ReadMarked(const std::vector<int>& columns, const std::function<void(int)>& progress) const;

    DataSetHost& host_;
    QString menuCaption_ = QStringLiteral("標準形式データファイル");  // the data-format menu's text
};
