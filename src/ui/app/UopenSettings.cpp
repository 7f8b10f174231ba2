// The main window's settings: selection, sampling rate, display time, start point,
// processing options and the data list switch.
#include "core/data/ChannelList.h"
#include "ui/base/CNumberFormat.h"
#include "ui/base/Conversions.h"
#include "ui/base/Dialogs.h"
#include "ui/app/Forms.h"
#include "ui/base/HandlerCall.h"
#include "ui/app/Uopen.h"
#include "ui/base/WindowStyle.h"
#include "ui/display/Udatalist.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"
#include "ui/widgets/UpDown.h"

#include <QAction>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const QString kNoticeCaption = QStringLiteral("フィルタ条件変更");

void Notice(const QString& text) {
    Dialogs::MessageBox(text + QString(4, QChar(0x3000)), kNoticeCaption, Dialogs::kOkExclamation);
}

constexpr int kRates[8] = {1, 10, 50, 100, 200, 500, 1000, 2000};
constexpr float kFactors[3] = {1.0f, 2.5f, 5.0f};
constexpr int kMultipliers[3] = {1, 10, 100};
constexpr int kSteps[4] = {10, 50, 100, 500};

}  // namespace

void TOpen::ConnectSettingsHandlers() {
    ConnectHandler(StringGrid1, &StringGrid::cellClicked, this, &TOpen::StringGrid1Click);
    ConnectHandler(Button5, &QPushButton::clicked, this, &TOpen::Button5Click);
    ConnectHandler(Button9, &QPushButton::clicked, this, &TOpen::Button9Click);
    ConnectHandler(RadioGroup1, &RadioGroup::clicked, this, &TOpen::RadioGroup1Click);
    void (TOpen::*const rateItems[8])() = {&TOpen::N11Click,   &TOpen::N101Click,  &TOpen::N501Click,
                                           &TOpen::N1001Click, &TOpen::N2001Click, &TOpen::N5001Click,
                                           &TOpen::N10001Click, &TOpen::N20001Click};
    for (int k = 0; k < 8; ++k) ConnectHandler(RateItems[k], &QAction::triggered, this, rateItems[k]);
    ConnectHandler(Nyquist21, &QAction::triggered, this, &TOpen::Nyquist21Click);
    ConnectHandler(Nyquist41, &QAction::triggered, this, &TOpen::Nyquist41Click);
    ConnectHandler(Nyquist81, &QAction::triggered, this, &TOpen::Nyquist81Click);
    ConnectHandler(RadioGroup2, &RadioGroup::clicked, this, &TOpen::RadioGroup2Click);
    ConnectHandler(RadioGroup3, &RadioGroup::clicked, this, &TOpen::RadioGroup3Click);
    ConnectHandler(TrackBar1, &QSlider::valueChanged, this, &TOpen::TrackBar1Change);
    ConnectHandler(Edit1, &QLineEdit::textChanged, this, &TOpen::Edit1Change);
    ConnectHandler(RadioGroup5, &RadioGroup::clicked, this, &TOpen::RadioGroup5Click);
    ConnectHandler(CBFilter, &QCheckBox::toggled, this, &TOpen::CBFilterClick);
    ConnectHandler(CBMove, &QCheckBox::toggled, this, &TOpen::CBMoveClick);
    ConnectHandler(RadioGroup4, &RadioGroup::clicked, this, &TOpen::RadioGroup4Click);
    ConnectHandler(CBList, &QCheckBox::toggled, this, &TOpen::CBListClick);
}

void TOpen::StringGrid1Click() {
    const int r = StringGrid1->row();
    if (r < 1 || r > Store().ChannelCount) return;
    const bool marked = list_.Cell(tremvix::ChannelList::kSelect, r) == tremvix::ChannelList::kMark;
    list_.SetCell(tremvix::ChannelList::kSelect, r, marked ? "" : tremvix::ChannelList::kMark);
    ChannelListChanged();
}

void TOpen::Button5Click() {
    for (int r = 1; r <= Store().ChannelCount; ++r) list_.SetCell(tremvix::ChannelList::kSelect, r, tremvix::ChannelList::kMark);
    ChannelListChanged();
}

void TOpen::Button9Click() {
    for (int r = 1; r <= Store().ChannelCount; ++r) list_.SetCell(tremvix::ChannelList::kSelect, r, "");
    ChannelListChanged();
}

void TOpen::ShowLowPassLabel() {
    Label10->setText(QString::asprintf("%.2f", static_cast<double>(Filters.HighCutPass)) + QStringLiteral("Hzローパス"));
    Label10->adjustSize();
    Label10->setVisible(CBFilter->isChecked());
}

void TOpen::RadioGroup1Click() {
    Notice(QStringLiteral("サンプリング振動数を変更したときは，再度，データを読み込んでください"));
    const int item = RadioGroup1->itemIndex();
    const bool listed = item >= 0 && item < 8;
    if (listed) {
        Filters.SamplingRate = kRates[item];
        exactRate_.reset();
    }
    Filters.Recompute();
    ShowLowPassLabel();
    ShowRecordRate(listed ? 0.0 : exactRate_.value_or(0.0));
}

// A record that states its rate brings it with its data: one of the eight rates is
// chosen as the menu would, silently; any other is kept all the same, in whole Hz
// (the filters and time axes count in whole samples per second), and shown in the
// group's title, no item being checked.
void TOpen::UseRecordRate(double hz) {
    const int item = static_cast<int>(std::find(std::begin(kRates), std::end(kRates), hz) - std::begin(kRates));
    const bool listed = item < 8;
    {
        const QSignalBlocker quiet(RadioGroup1);
        RadioGroup1->setItemIndex(listed ? item : -1);
    }
    for (int k = 0; k < 8; ++k) RateItems[k]->setChecked(k == item);
    Filters.SamplingRate = listed ? kRates[item] : tremvix::WholeHertz(hz).value_or(hz < 1.0 ? 1 : 1000000);
    exactRate_ = listed ? std::nullopt : std::optional<double>(hz);
    Filters.Recompute();
    ShowLowPassLabel();
    ShowRecordRate(listed ? 0.0 : hz);
}

// The rate is shown whole: the group's title names it alone when the title and the
// rate together would not fit its width; the tool tip always names both.
void TOpen::ShowRecordRate(double hz) {
    const QString title = QStringLiteral("サンプリング率");
    const QString rate = FormattedNumber("%g", hz) + QStringLiteral("Hz");
    const QString full = title + QStringLiteral("（") + rate + QStringLiteral("）");
    QStyleOptionGroupBox option;
    option.initFrom(RadioGroup1);
    option.text = full;
    option.textAlignment = RadioGroup1->alignment();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label = RadioGroup1->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, RadioGroup1);
    const bool fits = label.right() < RadioGroup1->width();
    RadioGroup1->setTitle(hz > 0.0 ? (fits ? full : rate) : title);
    RadioGroup1->setToolTip(hz > 0.0 ? full : QStringLiteral("１秒当たりのサンプリング数を設定する"));
}

// The menu item sets its own check mark and selects the matching item of the
// group, which raises the group's click only when the selection changes.
void TOpen::SelectRate(int item) {
    for (int k = 0; k < 8; ++k) RateItems[k]->setChecked(k == item);
    RadioGroup1->setItemIndex(item);
}

void TOpen::N11Click() { SelectRate(0); }
void TOpen::N101Click() { SelectRate(1); }
void TOpen::N501Click() { SelectRate(2); }
void TOpen::N1001Click() { SelectRate(3); }
void TOpen::N2001Click() { SelectRate(4); }
void TOpen::N5001Click() { SelectRate(5); }
void TOpen::N10001Click() { SelectRate(6); }

// "2000" passes through the first item on its way, so the rate changes twice
// unless the group already stood on the first item.
void TOpen::N20001Click() {
    RadioGroup1->setItemIndex(0);
    SelectRate(7);
}

void TOpen::SelectLowPassRatio(QAction* item, float ratio) {
    for (QAction* each : {Nyquist21, Nyquist41, Nyquist81}) each->setChecked(each == item);
    Filters.LowPassRatio = ratio;
    RadioGroup1Click();
}

void TOpen::Nyquist21Click() { SelectLowPassRatio(Nyquist21, 0.5f); }
void TOpen::Nyquist41Click() { SelectLowPassRatio(Nyquist41, 0.25f); }
void TOpen::Nyquist81Click() { SelectLowPassRatio(Nyquist81, 0.125f); }

void TOpen::DisplayTimeChanged() {
    DisplayTime = static_cast<float>(DisplayTimeMultiplier) * DisplayTimeFactor;
    Label2->setText(QString::asprintf("%.1f", static_cast<double>(DisplayTime)));
    Redraw();
}

void TOpen::RadioGroup2Click() {
    const int item = RadioGroup2->itemIndex();
    if (item >= 0 && item < 3) DisplayTimeFactor = kFactors[item];
    DisplayTimeChanged();
}

void TOpen::RadioGroup3Click() {
    const int item = RadioGroup3->itemIndex();
    if (item >= 0 && item < 3) DisplayTimeMultiplier = kMultipliers[item];
    DisplayTimeChanged();
}

// The track bar drives the edit one way only.
void TOpen::TrackBar1Change() {
    const int position = TrackBar1->value();
    if (position >= 0) Edit1->setText(QString::number(position));
}

void TOpen::Edit1Change() {
    // Called from code as well as from the event: a conversion error ends it here too.
    RunHandler([&] {
        const QString text = Edit1->text();
        if (text.isEmpty()) return;
        const int v = StrToInt(text);
        if (v > Store().DataCount) return;
        Label8->setText(QString::asprintf("%.3f", static_cast<double>(v) / Filters.SamplingRate) + QStringLiteral(" 秒"));
        Label8->adjustSize();
        Redraw();
    });
}

void TOpen::RadioGroup5Click() {
    const int item = RadioGroup5->itemIndex();
    if (item >= 0 && item < 4) UpDown1->setIncrement(kSteps[item]);
}

void TOpen::CBFilterClick() {
    Notice(QStringLiteral("フィルタの条件を変更したときは，再度，データを読み込んでください"));
    ShowLowPassLabel();
}

void TOpen::CBMoveClick() {
    Notice(QStringLiteral("移動平均の選択を変更したときは，再度，データを読み込んでください"));
    Label14->setVisible(CBMove->isChecked());
    Edit3->setVisible(CBMove->isChecked());
}

void TOpen::RadioGroup4Click() { Notice(QStringLiteral("フィルタの条件を変更したときは，再度，データを読み込んでください")); }

void TOpen::CBListClick() {
    if (CBList->isChecked())
        ShowWindow(DataList);
    else
        DataList->close();
}
