#include "ui/analysis/LongPeriodPanel.h"

#include "ui/analysis/LongPeriodPlot.h"
#include "ui/base/CNumberFormat.h"
#include "ui/base/FormBuilder.h"
#include "ui/components/Mygraph.h"
#include "ui/widgets/StringGrid.h"

#include <QLabel>

#include <algorithm>

using namespace FormBuilder;

namespace {

constexpr int kBandColumnWidth = 54;
constexpr int kTextWidth = 416;  // left of the graph

const tremvix::LongPeriodRow& LargestRow(const tremvix::LongPeriodResult& result) {
    return *std::max_element(result.rows.begin(), result.rows.end(),
                             [](const tremvix::LongPeriodRow& a, const tremvix::LongPeriodRow& b) { return a.sva < b.sva; });
}

}  // namespace

LongPeriodPanel::LongPeriodPanel(QWidget* parent) : QGroupBox(QStringLiteral("長周期地震動階級（気象庁）"), parent) {
    setObjectName(QStringLiteral("GroupBox2"));
    setToolTip(QStringLiteral(
        "水平2成分（上の NS・EW）の加速度（gal、記録のまま）に気象庁のハイパスフィルタ（2次バターワース、\n"
        "周期約20秒）を一度かけ、周期 1.6, 1.8, …, 7.8 秒の32周期・減衰定数 h = 0.05 の1質点系の\n"
        "絶対速度応答（相対速度＋地動速度）を求める。各時刻の2成分のベクトル合成 √(NS² + EW²) の最大値が Sva。\n"
        "階級は Sva が 5 cm/s 未満で0、5 以上で1、15 以上で2、50 以上で3、100 以上で4。\n"
        "記録の階級は全周期の、周期帯の階級（1秒台 = 1.6〜1.8 秒、2秒台 = 2.0〜2.8 秒、…）はその帯の最大"));
    Label11 = Label(this, "Label11", 12, 22, QString());
    Label11->setFont(ProportionalFont(32, true));
    Label12 = Label(this, "Label12", 12, 62, QString());
    Label12->setWordWrap(true);  // a refusal may take two lines
    Label12->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    BuildBandGrid();
    Label13 = Label(this, "Label13", 12, 148,
                    QStringLiteral("h = 0.05 の絶対速度応答、水平2成分のベクトル合成\n"
                                   "前処理：気象庁のハイパスフィルタ（周期約20秒）\n"
                                   "成分は上の NS・EW（記録のまま、平均値は除かない）"));
    Label13->setFont(ProportionalFont(12, false));
    MyGraph1 = new TMyGraph(this);
    MyGraph1->setObjectName(QStringLiteral("MyGraph1"));
    MyGraph1->setGeometry(436, 14, 440, 244);
    MyGraph1->canvas().font = ProportionalFont(12, false);
    Show({std::nullopt, QString(), QString()});
}

void LongPeriodPanel::BuildBandGrid() {
    StringGrid2 = new StringGrid(this);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setGeometry(12, 96, kBandColumnWidth * tremvix::kLongPeriodBands + 2, 42);
    StringGrid2->setColCount(tremvix::kLongPeriodBands);
    StringGrid2->setRowCount(2);
    StringGrid2->setFixedRows(1);
    StringGrid2->setFixedCols(0);
    StringGrid2->setDefaultRowHeight(18);
    StringGrid2->setFixedColor(ColorOf(0xFFFFD2));
    for (int b = 0; b < tremvix::kLongPeriodBands; ++b) {
        StringGrid2->setColWidth(b, kBandColumnWidth);
        StringGrid2->setCell(b, 0, LongPeriodBandName(b));
    }
    StringGrid2->setToolTip(QStringLiteral("周期帯ごとの階級（1秒台 = 1.6〜1.8 秒、2秒台 = 2.0〜2.8 秒、…、7秒台 = 7.0〜7.8 秒）"));
}

void LongPeriodPanel::FillBands() {
    for (int b = 0; b < tremvix::kLongPeriodBands; ++b)
        StringGrid2->setCell(b, 1, result_ ? QString::number(result_->bandLevels[static_cast<std::size_t>(b)]) : QStringLiteral("—"));
}

void LongPeriodPanel::Show(const LongPeriodOutcome& outcome) {
    result_ = outcome.result;
    if (result_) {
        const tremvix::LongPeriodRow& largest = LargestRow(*result_);
        Label11->setText(LongPeriodClassText(result_->level));
        Label12->setText(QStringLiteral("最大 Sva ") + FormattedNumber("%.3f", largest.sva) + QStringLiteral(" cm/s（周期 ") +
                         FormattedNumber("%.1f", largest.period) + QStringLiteral(" 秒）"));
    } else {
        Label11->setText(QStringLiteral("長周期地震動階級 —"));
        Label12->setText(outcome.refusal);
    }
    FillBands();
    Label11->adjustSize();
    Label12->setGeometry(12, 62, kTextWidth, 32);
    DrawLongPeriodPlot(*MyGraph1, result_ ? &*result_ : nullptr);
}
