#pragma once

#include "core/analysis/FourierTransformer.h"
#include "ui/analysis/HorizontalChoice.h"
#include "ui/analysis/IndicesExport.h"
#include "ui/analysis/IndicesTable.h"
#include "ui/analysis/IntensityChoice.h"
#include "ui/analysis/LoadedChannels.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class StringGrid;
class AnalysisSource;
class LongPeriodPanel;

// The peak and intensity window: ground-motion indices and the SI of every loaded
// acceleration channel, the JMA instrumental intensity of three components, and of
// their two horizontals the larger SI and the long-period ground-motion class.
class TIndices : public QWidget {
    Q_OBJECT
public:
    TIndices(AnalysisSource& source, QWidget* parent);
    ~TIndices() override;

    StringGrid* StringGrid1 = nullptr;
    QLabel* Label1 = nullptr;  // the integration filter used, and that the mean is removed
    QGroupBox* GroupBox1 = nullptr;
    std::array<QComboBox*, 3> ComponentBoxes{};  // ComboBox1 (NS), ComboBox2 (EW), ComboBox3 (UD)
    QLabel* Label2 = nullptr;  // a0
    QLabel* Label3 = nullptr;  // instrumental intensity, three decimals
    QLabel* Label4 = nullptr;  // class, "震度5強"
    QLabel* Label5 = nullptr;  // the published value
    QPushButton* Button1 = nullptr;  // コピー
    QPushButton* Button2 = nullptr;  // CSV保存
    QPushButton* Button3 = nullptr;  // 閉じる
    QPushButton* Button4 = nullptr;  // 震度計算
    QGroupBox* GroupBox3 = nullptr;   // SI of the horizontals
    QLabel* Label9 = nullptr;         // "SI 12.345 cm/s（1: NS2）"
    QLabel* Label10 = nullptr;        // the gas industry's guide to the intensity
    LongPeriodPanel* LongPeriod = nullptr;

    const std::vector<IndicesRow>& Rows() const { return rows_; }
    const std::optional<tremvix::JmaIntensity>& Intensity() const { return intensity_; }
    const std::optional<tremvix::LongPeriodResult>& LongPeriodClass() const;

public slots:
    void ComputeIntensity();  // the user's choice: a refusal is a message and changes nothing
    void ComponentsChosen();  // the same from a component box
    void Button1Click();
    void Button2Click();
    void Button3Click();
    // The main window's data, rate or integration filter may have changed.
    void InputsChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Inputs {
        ChannelsSignature channels;
        double rate = 0.0;
        int filter = 0;
        float lowPassRatio = 0.0f;
        bool operator==(const Inputs&) const = default;
    };

    void BuildLayout();
    void BuildIntensityBox();
    void BuildSiBox();
    void ConnectHandlers();
    Inputs CurrentInputs() const;
    void Sync();
    void FillTable();
    void FillComponentBoxes();
    ComponentPicks Picks() const;
    void ShowPicks(const ComponentPicks& picks);
    QStringList Settings() const;
    void Choose(bool intensityAsked);
    void ShowIntensity(const std::optional<tremvix::JmaIntensity>& intensity, const QString& note);
    void ShowHorizontals(const LongPeriodOutcome& longPeriod);
    HorizontalProducts Products() const;

    AnalysisSource& source_;
    tremvix::FourierTransformer transformer_;
    std::vector<LoadedChannel> channels_;
    std::vector<IndicesRow> rows_;
    std::optional<tremvix::JmaIntensity> intensity_;
    std::optional<Inputs> inputs_;
    ComponentPicks shownPicks_{-1, -1, -1};  // the components of the products shown, restored after a refusal
};
