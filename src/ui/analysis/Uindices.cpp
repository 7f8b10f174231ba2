#include "ui/analysis/Uindices.h"

#include "core/analysis/SpectrumIntensity.h"
#include "core/dsp/ChannelConversion.h"
#include "ui/analysis/AnalysisExport.h"
#include "ui/analysis/AnalysisSource.h"
#include "ui/analysis/BusyCursor.h"
#include "ui/analysis/LongPeriodPanel.h"
#include "ui/analysis/TableText.h"
#include "ui/base/CNumberFormat.h"
#include "ui/base/Dialogs.h"
#include "ui/base/HandlerCall.h"
#include "ui/base/WindowStyle.h"
#include "ui/widgets/StringGrid.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

TIndices::TIndices(AnalysisSource& source, QWidget* parent) : QWidget(parent, Qt::Window), source_(source) {
    setObjectName(QStringLiteral("Indices"));
    setWindowTitle(QStringLiteral("最大値・震度"));
    ApplyWindowStyle(this, WindowTextColor::Navy);
    resize(900, 731);
    BuildLayout();
    ConnectHandlers();
}

TIndices::~TIndices() = default;

void TIndices::ConnectHandlers() {
    for (QComboBox* box : ComponentBoxes) ConnectHandler(box, &QComboBox::activated, this, &TIndices::ComponentsChosen);
    ConnectHandler(Button4, &QPushButton::clicked, this, &TIndices::ComputeIntensity);
    ConnectHandler(Button1, &QPushButton::clicked, this, &TIndices::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TIndices::Button2Click);
    ConnectHandler(Button3, &QPushButton::clicked, this, &TIndices::Button3Click);
    // Deferred: the change is told before it has been made.
    connect(&source_, &AnalysisSource::Changed, this, &TIndices::InputsChanged, Qt::QueuedConnection);
}

TIndices::Inputs TIndices::CurrentInputs() const {
    return {SignatureOf(source_.Store()), source_.Rate(),
            static_cast<int>(source_.IntegrationSetupNow().filter), source_.Filters().LowPassRatio};
}

void TIndices::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    InputsChanged();
}

void TIndices::InputsChanged() {
    if (!isVisible() || (inputs_ && *inputs_ == CurrentInputs())) return;
    RunHandler([this] { Sync(); });
}

// Everything again from the main window's data; the intensity and the products of the
// horizontals of the components chosen, without a message when they cannot be had.
void TIndices::Sync() {
    const Inputs inputs = CurrentInputs();
    const bool newChannels = !inputs_ || inputs_->channels != inputs.channels;
    inputs_ = inputs;
    channels_ = LoadedChannelsOf(source_.Store());
    if (newChannels) FillComponentBoxes();
    const BusyCursor busy;
    rows_ = ComputeIndicesRows(channels_, source_.IntegrationSetupNow(), source_.Rate());
    FillTable();
    Label1->setText(QStringLiteral("各値は記録から平均値を除いて計算（震度・SI・階級は除かない）　サンプリング率 ") +
                    FormattedNumber("%g", source_.Rate()) + QStringLiteral(" Hz　積分フィルタ（主画面の「フィルタ(積分時)」）: ") +
                    source_.IntegrationFilterName());
    Label1->adjustSize();
    Button1->setEnabled(!rows_.empty());
    Button2->setEnabled(!rows_.empty());
    Button4->setEnabled(!channels_.empty());
    shownPicks_ = Picks();
    const IntensityOutcome outcome = ComputeIntensityOf(channels_, shownPicks_, source_.Rate(), transformer_);
    ShowIntensity(outcome.intensity, outcome.refusal.trimmed());
    ShowHorizontals(ComputeLongPeriodOf(channels_, shownPicks_[0], shownPicks_[1], source_.Rate()));
}

void TIndices::FillTable() {
    StringGrid1->setRowCount(std::max<int>(static_cast<int>(rows_.size()) + 1, 2));
    const QStringList headings = IndicesHeadings();
    for (int c = 0; c < headings.size(); ++c) StringGrid1->setCell(c, 0, headings[c]);
    for (int c = 0; c < headings.size(); ++c) StringGrid1->setCell(c, 1, QString());
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const QStringList cells = IndicesCells(rows_[r], 1.0 / source_.Rate());
        for (int c = 0; c < cells.size(); ++c) StringGrid1->setCell(c, r + 1, cells[c]);
    }
}

void TIndices::FillComponentBoxes() {
    std::optional<ComponentPicks> found = FindComponents(channels_);
    if (!found) found = FindHorizontals(channels_);  // the class and SI need no UD
    for (int i = 0; i < 3; ++i) {
        QComboBox* box = ComponentBoxes[i];
        const QSignalBlocker blocker(box);
        box->clear();
        for (const LoadedChannel& channel : channels_) box->addItem(ChannelLabel(channel), channel.index);
        box->setCurrentIndex(found ? (*found)[i] : -1);
    }
}

ComponentPicks TIndices::Picks() const {
    ComponentPicks picks{};
    for (int i = 0; i < 3; ++i)
        picks[i] = ComponentBoxes[i]->currentIndex() >= 0 ? ComponentBoxes[i]->currentData().toInt() : -1;
    return picks;
}

void TIndices::ShowPicks(const ComponentPicks& picks) {
    for (int i = 0; i < 3; ++i) {
        const QSignalBlocker blocker(ComponentBoxes[i]);
        ComponentBoxes[i]->setCurrentIndex(ComponentBoxes[i]->findData(picks[i]));
    }
}

void TIndices::ComputeIntensity() { Choose(true); }
void TIndices::ComponentsChosen() { Choose(false); }

// A refused choice puts the components shown back in the boxes. The intensity decides,
// but for a record that cannot have one (fewer than three accelerations): there a box
// chooses the horizontals of the class and the SI, and their refusal is told.
void TIndices::Choose(bool intensityAsked) {
    if (!inputs_ || *inputs_ != CurrentInputs()) return Sync();  // the data changed under the choice
    const ComponentPicks picks = Picks();
    const IntensityOutcome intensity = ComputeIntensityOf(channels_, picks, source_.Rate(), transformer_);
    const LongPeriodOutcome longPeriod = ComputeLongPeriodOf(channels_, picks[0], picks[1], source_.Rate());
    const bool horizontalsOnly = !intensityAsked && !AnyIntensityPossible(channels_);
    if (horizontalsOnly ? !longPeriod.result : !intensity.intensity) {
        ShowPicks(shownPicks_);
        if (horizontalsOnly)
            Dialogs::MessageBox(longPeriod.refusal + QString(5, QChar(0x3000)), longPeriod.caption, Dialogs::kOkExclamation);
        else
            Dialogs::MessageBox(intensity.refusal, intensity.caption, Dialogs::kOkExclamation);
        return;
    }
    shownPicks_ = picks;
    ShowIntensity(intensity.intensity, intensity.refusal.trimmed());
    ShowHorizontals(longPeriod);
}

QStringList TIndices::Settings() const {
    return {QStringLiteral("ground-motion indices"), QStringLiteral("filter=") + source_.IntegrationFilterName(),
            QStringLiteral("mean_removed=yes (of the record before every index)"), QStringLiteral("damping=none"),
            QStringLiteral("smoothing=none"), QStringLiteral("rate_hz=") + NumberText(source_.Rate()),
            QStringLiteral("si=(1/2.4)·∫Sv dT over 0.1-2.5 s (trapezoid rule on 481 periods even in log T)"),
            QStringLiteral("si_damping=0.2 (relative velocity)"), QStringLiteral("si_mean_removed=no"),
            QStringLiteral("si_h=the larger of NS and EW"),
            QStringLiteral("si_intensity_guide=the gas industry's table (a guide only)"),
            QStringLiteral("lpgm=JMA long-period ground-motion class of NS and EW: horizontal vector of absolute velocity"),
            QStringLiteral("lpgm_damping=0.05"), QStringLiteral("lpgm_periods_s=1.6-7.8 by 0.2"),
            QStringLiteral("lpgm_high_pass=JMA second-order Butterworth at 0.0513344838 Hz (about 20 s)"),
            QStringLiteral("lpgm_mean_removed=no"), QStringLiteral("lpgm_classes=5/15/50/100 cm/s")};
}

const std::optional<tremvix::LongPeriodResult>& TIndices::LongPeriodClass() const { return LongPeriod->Result(); }

HorizontalProducts TIndices::Products() const {
    return {shownPicks_, LongPeriod->Result() ? &*LongPeriod->Result() : nullptr,
            LargerHorizontalSi(rows_, shownPicks_[0], shownPicks_[1])};
}

void TIndices::ShowHorizontals(const LongPeriodOutcome& longPeriod) {
    LongPeriod->Show(longPeriod);
    const std::optional<HorizontalSi> si = LargerHorizontalSi(rows_, shownPicks_[0], shownPicks_[1]);
    if (si) {
        const auto channel = std::find_if(channels_.begin(), channels_.end(), [&si](const LoadedChannel& c) { return c.index == si->index; });
        Label9->setText(QStringLiteral("SI ") + FormattedNumber("%.3f", si->si) + QStringLiteral(" cm/s（") +
                        (channel != channels_.end() ? ChannelLabel(*channel) : QString()) + QStringLiteral("）"));
        Label10->setText(QStringLiteral("震度の目安 ") + QString::fromStdString(tremvix::SiIntensityGuide(si->si)) +
                         QStringLiteral("（都市ガス業界の SI 値と震度の対応による目安。計測震度ではない）"));
    } else {
        Label9->setText(QStringLiteral("SI —"));
        Label10->setText(QStringLiteral("上の NS・EW に2つの加速度のチャンネルを選ぶと、その SI 値の大きい方を示す"));
    }
    for (QLabel* label : {Label9, Label10}) label->adjustSize();
}

void TIndices::ShowIntensity(const std::optional<tremvix::JmaIntensity>& intensity, const QString& note) {
    intensity_ = intensity;
    if (!intensity) {
        Label2->setText(note);
        Label3->setText(QStringLiteral("計測震度 —"));
        Label4->clear();
        Label5->clear();
    } else {
        Label2->setText(QStringLiteral("a0 = ") + FormattedNumber("%.3f", intensity->a0) + QStringLiteral(" gal"));
        Label3->setText(QStringLiteral("計測震度 ") + FormattedNumber("%.3f", intensity->intensity));
        Label4->setText(QString::fromStdString(intensity->intensityClass));
        Label5->setText(QStringLiteral("発表値 ") + QString::fromStdString(intensity->reported));
    }
    for (QLabel* label : {Label2, Label3, Label4, Label5}) label->adjustSize();
}

void TIndices::Button1Click() {
    if (rows_.empty()) return;
    std::vector<QStringList> table = IndicesClipboardRows(rows_, Settings());
    for (QStringList& row : HorizontalClipboardRows(Products())) table.push_back(std::move(row));
    QGuiApplication::clipboard()->setText(TabSeparatedText(table));
}

void TIndices::Button2Click() {
    if (rows_.empty()) return;  // nothing to save: no empty file
    std::vector<QStringList> table = IndicesCsvRows(rows_, Settings());
    for (QStringList& row : HorizontalCsvRows(Products())) table.push_back(std::move(row));
    const QByteArray text = CsvText(table);
    SaveThroughDialog(QStringLiteral("CSVファイル (*.csv)|*.csv|すべて (*.*)|*.*"), ".csv", QStringLiteral("表"),
                      [&text](const QString& name) { return SaveBytes(name, text); });
}

void TIndices::Button3Click() { close(); }
