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
    connect(StringGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(at)); });
    ConnectHandler(Velocity, &QAction::triggered, this, &TOpen::VelocityClick);
    ConnectHandler(Displacement, &QAction::triggered, this, &TOpen::DisplacementClick);
    ConnectHandler(cm1, &QAction::triggered, this, &TOpen::cm1Click);
}

namespace {

tremvix::IntegrationSetup SetupOf(const TOpen& open) {
    tremvix::IntegrationSetup setup;
    setup.dt = open.Filters.SamplingInterval;
    const int item = open.RadioGroup4->itemIndex();
    setup.filter = item == 1 ? tremvix::IntegrationFilter::BandPass
                 : item == 2 ? tremvix::IntegrationFilter::LowPass
                             : tremvix::IntegrationFilter::None;
    setup.bandPass = open.Filters.BandPass.data();
    setup.lowPass = open.Filters.LowPass.data();
    return setup;
}

}  // namespace

// Each command acts on the row of the list's current cell; none redraws.
void TOpen::VelocityClick() {
    const auto outcome = ConvertChannel(Store(), list_, StringGrid1->row(), tremvix::Conversion::Velocity, SetupOf(*this));
    ChannelListChanged();
    ShowOutcome(outcome, QStringLiteral("速度に変換することはできません"));
}

void TOpen::DisplacementClick() {
    const auto outcome =
        ConvertChannel(Store(), list_, StringGrid1->row(), tremvix::Conversion::DisplacementMm, SetupOf(*this));
    ChannelListChanged();
    ShowOutcome(outcome, QStringLiteral("変換することはできません"));
}

void TOpen::cm1Click() {
    const auto outcome =
        ConvertChannel(Store(), list_, StringGrid1->row(), tremvix::Conversion::DisplacementCm, SetupOf(*this));
    ChannelListChanged();
    ShowOutcome(outcome, QStringLiteral("変換することはできません"));
}
