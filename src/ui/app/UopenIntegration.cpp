// Integration to velocity and displacement from the channel list's pop-up menu.
#include "core/dsp/ChannelConversion.h"
#include "ui/base/Dialogs.h"
#include "ui/base/HandlerCall.h"
#include "ui/app/Uopen.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QMenu>

namespace {

void ShowOutcome(tremvix::ConversionOutcome outcome, const QString& refusal) {
    const QString caption = QStringLiteral("変換エラー");
    if (outcome == tremvix::ConversionOutcome::NotConvertible)
        Dialogs::MessageBox(refusal + QString(3, QChar(0x3000)), caption, Dialogs::kOkExclamation);
    else if (outcome == tremvix::ConversionOutcome::OutOfMemory)
        Dialogs::MessageBox(QStringLiteral("読み込みチャンネル数が多すぎます") + QString(5, QChar(0x3000)),
                            QStringLiteral("多すぎるデータ読み込み"), Dialogs::kOkExclamation);
}

}  // namespace

void TOpen::ConnectIntegrationHandlers() {
    // The analysis items act on the row under the pointer; the others on the current row.
    connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int viewRow = StringGrid1->rowAt(at.y());  // the heading is the grid's row 0, not the view's
        popupRow_ = viewRow >= 0 ? std::optional<int>(viewRow + 1) : std::nullopt;
        PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(at));
    });
    ConnectHandler(Velocity, &QAction::triggered, this, &TOpen::VelocityClick);
    ConnectHandler(Displacement, &QAction::triggered, this, &TOpen::DisplacementClick);
    ConnectHandler(cm1, &QAction::triggered, this, &TOpen::cm1Click);
}

// What the integration commands use now: the step of the current rate, the filter
// of RadioGroup4 and the coefficient sets.
tremvix::IntegrationSetup TOpen::IntegrationSetupNow() const {
    tremvix::IntegrationSetup setup;
    setup.dt = Filters.SamplingInterval;
    const int item = RadioGroup4->itemIndex();
    setup.filter = item == 1 ? tremvix::IntegrationFilter::BandPass
                 : item == 2 ? tremvix::IntegrationFilter::LowPass
                             : tremvix::IntegrationFilter::None;
    setup.bandPass = Filters.BandPass.data();
    setup.lowPass = Filters.LowPass.data();
    return setup;
}

// Each command acts on the row of the list's current cell; none redraws.
void TOpen::VelocityClick() {
    const auto outcome = ConvertChannel(Store(), list_, StringGrid1->row(), tremvix::Conversion::Velocity, IntegrationSetupNow());
    ChannelListChanged();
    ShowOutcome(outcome, QStringLiteral("速度に変換することはできません"));
}

void TOpen::DisplacementClick() {
    const auto outcome =
        ConvertChannel(Store(), list_, StringGrid1->row(), tremvix::Conversion::DisplacementMm, IntegrationSetupNow());
    ChannelListChanged();
    ShowOutcome(outcome, QStringLiteral("変換することはできません"));
}

void TOpen::cm1Click() {
    const auto outcome =
        ConvertChannel(Store(), list_, StringGrid1->row(), tremvix::Conversion::DisplacementCm, IntegrationSetupNow());
    ChannelListChanged();
    ShowOutcome(outcome, QStringLiteral("変換することはできません"));
}
