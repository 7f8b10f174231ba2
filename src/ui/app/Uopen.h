#pragma once

#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "core/display/PointerToSample.h"
#include "core/dsp/ChannelConversion.h"
#include "core/dsp/FilterSettings.h"
#include "ui/app/OpenDataSetHost.h"
#include "ui/display/GraphProcedure.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class ChannelListModel;
class ClickableGroupBox;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class RadioGroup;
class StringGrid;
class OpenAnalysisSource;
class TIndices;
class TMyWave;
class TSpectrum;
class TSurvey;
class UpDown;

// The main window: owns the channel store, the display and filter settings and the
// waveform canvas; every other window reaches them through its single instance.
class TOpen : public QMainWindow {
    Q_OBJECT
public:
    explicit TOpen(QWidget* parent = nullptr);
    ~TOpen() override;

    // Controls, named as on the form.
    TMyWave* MyWave1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    std::array<QCheckBox*, 8> PolarityBoxes{};  // CheckBox2 ... CheckBox9
    std::array<QCheckBox*, 8> MaxBoxes{};       // CBMax1 ... CBMax8
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button10 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CBColor = nullptr;
    QCheckBox* CBFilter = nullptr;
    QCheckBox* CBMove = nullptr;
    QCheckBox* CBLine = nullptr;
    QCheckBox* CBList = nullptr;
    QCheckBox* CBEqual = nullptr;
    QCheckBox* CBOverWrite = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    RadioGroup* RadioGroup2 = nullptr;
    RadioGroup* RadioGroup3 = nullptr;
    RadioGroup* RadioGroup4 = nullptr;
    RadioGroup* RadioGroup5 = nullptr;
    ClickableGroupBox* GroupBox1 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    UpDown* UpDown1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    // Menu items.
    QAction* N9 = nullptr;
    QAction* EDefence1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    std::array<QAction*, 8> RateItems{};  // N11, N101, ... N20001
    QAction* Nyquist21 = nullptr;
    QAction* Nyquist41 = nullptr;
    QAction* Nyquist81 = nullptr;
    QAction* N6 = nullptr;
    QAction* N7 = nullptr;
    QAction* Velocity = nullptr;
    QAction* Displacement = nullptr;
    QAction* cm1 = nullptr;
    // The analysis menu and the pop-up's spectrum item.
    QAction* Spectrum1 = nullptr;
    QAction* Indices1 = nullptr;
    QAction* Survey1 = nullptr;
    QAction* Spectrum2 = nullptr;

    // State set up at creation.
    std::int32_t CanvasHeight = 0;
    // SamplingRate, SamplingInterval, the corners and the three coefficient sets.
    tremvix::FilterSettings Filters;
    float DisplayTime = 50.0f;
    float DisplayTimeFactor = 5.0f;
    std::int32_t DisplayTimeMultiplier = 10;
    // Off the canvas: no cursor line is drawn.
    static constexpr std::int32_t kNoCursorX = 800;
    std::int32_t CursorX = kNoCursorX;
    std::int32_t CursorY = 800;

    tremvix::ChannelStore& Store() { return *store_; }
    const tremvix::ChannelStore& Store() const { return *store_; }
    tremvix::ChannelList& List() { return list_; }
    const tremvix::ChannelList& List() const { return list_; }
    // Call after the channel list's cells changed.
    void ChannelListChanged();
    // The analysis windows, created on first use as windows of their own.
    TSpectrum* SpectrumWindow();
    TIndices* IndicesWindow();
    TSurvey* SurveyWindow();
    // Runs the graph procedure, as every control that changes the picture does.
    void Redraw();
    // The sampling rate a transferred record states, taken without the notice.
    void UseRecordRate(double hz);
    // The main window as the data set window sees it.
    DataSetHost& DataSetSide() { return dataSetHost_; }
    // The rate the analyses use: the record's own, exact (333.333... for DT = 0.003), or
    // the rate chosen; the filters and time axes use it rounded (Filters.SamplingRate).
    double RecordRate() const { return exactRate_.value_or(Filters.SamplingRate); }
    // What the integration commands use now: step, filter item and coefficient sets.
    tremvix::IntegrationSetup IntegrationSetupNow() const;

    // Left by the last drawing for the cursor and the data list.
    GraphLayout Layout;

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button6Click();
    void N9Click();
    void EDefence1Click();
    void N6Click();
    void N7Click();
    void Button7Click();
    void Button8Click();
    void Button10Click();

    // Settings of the main window.
    void StringGrid1Click();
    void Button5Click();
    void Button9Click();
    void RadioGroup1Click();
    void N11Click();
    void N101Click();
    void N501Click();
    void N1001Click();
    void N2001Click();
    void N5001Click();
    void N10001Click();
    void N20001Click();
    void Nyquist21Click();
    void Nyquist41Click();
    void Nyquist81Click();
    void RadioGroup2Click();
    void RadioGroup3Click();
    void TrackBar1Change();
    void Edit1Change();
    void RadioGroup5Click();
    void CBFilterClick();
    void CBMoveClick();
    void RadioGroup4Click();
    void CBListClick();

    // Integration from the channel list's pop-up menu.
    void VelocityClick();
    void DisplacementClick();
    void cm1Click();

    // The analysis windows.
    void Spectrum1Click();
    void Indices1Click();
    void Survey1Click();
    void Spectrum2Click();

    // The graph and the controls that redraw it.
    void Button4Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void CheckBox6Click();
    void CheckBox7Click();
    void CheckBox8Click();
    void CheckBox9Click();
    void CBMax1Click();
    void CBMax2Click();
    void CBMax3Click();
    void CBMax4Click();
    void CBMax5Click();
    void CBMax6Click();
    void CBMax7Click();
    void CBMax8Click();
    void CBOverWriteClick();
    void CBColorClick();
    void CBEqualClick();
    void GroupBox1Click();

    // The mouse over the canvas.
    void MyWave1MouseMove(int x, int y);
    void MyWave1MouseDown(int x, int y);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A data file dropped on the window opens the data set window with it scanned.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildLayout();
    void BuildMenus();
    void ConnectHandlers();
    void ConnectExportHandlers();
    void ConnectSettingsHandlers();
    void ConnectIntegrationHandlers();
    void ConnectAnalysisHandlers();
    void SelectRate(int item);
    void SelectLowPassRatio(QAction* item, float ratio);
    void DisplayTimeChanged();
    void ShowLowPassLabel();
    void ShowRecordRate(double hz);
    void ConnectGraphHandlers();
    void ConnectCursorHandlers();
    tremvix::PointedSample PointedAt(int x, int y) const;
    bool InsideTimeAxis(int x) const;
    QString ReadoutText(int channel, int sample) const;
    void SelectFormat(QAction* item, QAction* other, bool eDefence);

    std::unique_ptr<tremvix::ChannelStore> store_;
    tremvix::ChannelList list_;
    ChannelListModel* listModel_ = nullptr;
    OpenAnalysisSource* analysisSource_ = nullptr;  // a child: what the analysis windows read
    std::optional<double> exactRate_;  // a record's rate that is not one of the eight
    std::optional<int> popupRow_;      // the row right-clicked for the pop-up, for its analysis items
    GraphProcedure graph_;
    OpenDataSetHost dataSetHost_{*this};  // what the data set window reads and tells
};
