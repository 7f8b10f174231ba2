#pragma once

#include "ui/analysis/HorizontalChoice.h"

#include <QGroupBox>

#include <optional>

class QLabel;
class StringGrid;
class TMyGraph;

// The indices window's long-period ground-motion class: the class in large type, the
// largest Sva, the classes of the seven period bands, the 32-period curve and the
// conventions; a refusal in words, with nothing of an earlier result left.
class LongPeriodPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit LongPeriodPanel(QWidget* parent);

    QLabel* Label11 = nullptr;  // "長周期地震動階級3"
    QLabel* Label12 = nullptr;  // the largest Sva and its period, or why there is no class
    StringGrid* StringGrid2 = nullptr;  // 1秒台 … 7秒台 and their classes
    QLabel* Label13 = nullptr;  // how the class is computed
    TMyGraph* MyGraph1 = nullptr;

    void Show(const LongPeriodOutcome& outcome);
    const std::optional<tremvix::LongPeriodResult>& Result() const { return result_; }

private:
    void BuildBandGrid();
    void FillBands();

    std::optional<tremvix::LongPeriodResult> result_;
};
