#pragma once

#include "core/analysis/FourierTransformer.h"
#include "ui/analysis/LoadedChannels.h"
#include "ui/analysis/SpectrumPlot.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class RadioGroup;
class TMyGraph;
class AnalysisSource;

// The spectrum window: response spectra, Fourier spectra, spectral ratios and RotD
// spectra of the loaded channels, drawn on logarithmic axes. Redraws whenever a choice changes.
class TSpectrum : public QWidget {
    Q_OBJECT
public:
    TSpectrum(AnalysisSource& source, QWidget* parent);
    ~TSpectrum() override;

    QListWidget* CheckListBox1 = nullptr;  // the channels, one check box each
    RadioGroup* RadioGroup1 = nullptr;     // kind
    RadioGroup* RadioGroup2 = nullptr;     // response quantity
    QGroupBox* GroupBox1 = nullptr;        // dampings
    std::array<QCheckBox*, 4> DampingBoxes{};  // CBDamping2, CBDamping5, CBDamping10, CBDamping20
    RadioGroup* RadioGroup3 = nullptr;     // smoothing
    QGroupBox* GroupBox2 = nullptr;        // Fourier pre-processing
    QCheckBox* CBMean = nullptr;
    QCheckBox* CBTaper = nullptr;
    QCheckBox* CBPad = nullptr;
    QGroupBox* GroupBox3 = nullptr;  // spectral ratio
    QComboBox* ComboBox1 = nullptr;  // numerator
    QComboBox* ComboBox2 = nullptr;  // denominator
    QLineEdit* Edit1 = nullptr;      // peak band, low end (Hz)
    QLineEdit* Edit2 = nullptr;      // peak band, high end (Hz)
    QGroupBox* GroupBox4 = nullptr;  // RotD's two horizontals, in the ratio's place
    QComboBox* ComboBox3 = nullptr;  // component A
    QComboBox* ComboBox4 = nullptr;  // component B
    QCheckBox* CBRotD00 = nullptr;   // RotD00 drawn as well
    TMyGraph* MyGraph1 = nullptr;
    QLabel* Label1 = nullptr;  // peaks
    QLabel* Label2 = nullptr;  // value under the pointer
    QPushButton* Button1 = nullptr;  // 描画
    QPushButton* Button2 = nullptr;  // コピー
    QPushButton* Button3 = nullptr;  // グラフ保存
    QPushButton* Button4 = nullptr;  // CSV保存
    QPushButton* Button5 = nullptr;  // 閉じる

    // Makes store channel k the only one picked (and the ratio's numerator), then redraws.
    void PickChannel(int k);
    // What was drawn last.
    const SpectrumPlot& Plot() const { return plot_; }

public slots:
    void Redraw();  // a choice changed: a refusal is shown as a message and the controls put back
    // A channel ticked or unticked: a refusal is told beside the graph, without a message
    // box, and the tick put back.
    void CheckListBox1ClickCheck();
    void KindClick();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void MyGraph1MouseMove(int x, int y);
    // The main window's data or rate may have changed.
    void InputsChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void BuildChoices(QWidget* parent);
    void ConnectHandlers();
    void SetToolTips();
    // RotD takes one damping: a box ticked replaces the one ticked before.
    void DampingClick(int box, bool on);
    void EnableForKind();
    void Sync();
    void FillChannelPickers();
    // How a refusal is told: a message box, a note beside the graph, or shown in place
    // of the picture (the data changed, no choice to put back).
    enum class Told { Message, Note, Instead };
    // The controls as they were when the picture shown was drawn.
    struct Controls {
        int kind = 0;
        int quantity = 0;
        int smoothing = 0;
        std::vector<Qt::CheckState> ticks;
        std::array<bool, 4> dampings{};
        std::array<bool, 3> fourier{};
        int numerator = -1;
        int denominator = -1;
        QString bandLow;
        QString bandHigh;
        int horizontalA = -1;
        int horizontalB = -1;
        bool rotd00 = false;
    };
    Controls CurrentControls() const;
    void RestoreControls(const Controls& controls);
    void Draw(Told told);
    void ShowPlot(SpectrumPlot plot);
    SpectrumRequest RequestFromControls() const;
    SpectrumKind Kind() const;
    std::vector<int> CheckedChannels() const;

    AnalysisSource& source_;
    std::array<tremvix::FourierTransformer, 2> transformers_;  // one per thread: the two cores
    std::vector<LoadedChannel> channels_;
    ChannelsSignature signature_;
    double rate_ = 0.0;
    bool synced_ = false;
    SpectrumPlot plot_;
    Controls shown_;
};
