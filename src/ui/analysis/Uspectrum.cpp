#include "ui/analysis/Uspectrum.h"

#include "core/analysis/ComponentRoles.h"
#include "core/data/ChannelList.h"
#include "ui/analysis/AnalysisExport.h"
#include "ui/analysis/BusyCursor.h"
#include "ui/analysis/SpectrumDrawing.h"
#include "ui/analysis/SpectrumTexts.h"
#include "ui/analysis/TableText.h"
#include "ui/analysis/AnalysisSource.h"
#include "ui/base/Conversions.h"
#include "ui/base/Dialogs.h"
#include "ui/base/HandlerCall.h"
#include "ui/base/WindowStyle.h"
#include "ui/components/Mygraph.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr double kDampings[4] = {0.02, 0.05, 0.10, 0.20};
constexpr double kBandwidths[4] = {0.0, 0.1, 0.2, 0.4};
constexpr int kRatioDefaultSmoothing = 3;  // 0.4 Hz
constexpr double kTaperFraction = 0.05;

QString PickerText(const LoadedChannel& channel) {
    QString text = ChannelLabel(channel);
    if (!channel.name.isEmpty()) text += QStringLiteral("  ") + channel.name;
    if (!channel.unit.isEmpty()) text += QStringLiteral("  [") + channel.unit + QLatin1Char(']');
    return text;
}

// The channels picked when the data changed: the accelerations marked in the main
// window's list, else the first acceleration, else the first channel.
std::vector<int> InitialPicks(const std::vector<LoadedChannel>& channels, const tremvix::ChannelList& list) {
    std::vector<int> picks;
    for (const LoadedChannel& c : channels)
        if (c.galPerUnit && list.IsSelected(c.index + 1) && static_cast<int>(picks.size()) < kMaxSpectrumCurves)
            picks.push_back(c.index);
    if (!picks.empty()) return picks;
    for (const LoadedChannel& c : channels)
        if (c.galPerUnit) return {c.index};
    if (!channels.empty()) return {0};
    return {};
}

QString EmptyPlotText(SpectrumKind kind) {
    switch (kind) {
        case SpectrumKind::Ratio: return QStringLiteral("分子と分母のチャンネルを選んでください");
        case SpectrumKind::RotD: return QStringLiteral("水平二成分のチャンネルを選んでください");
        default: return QStringLiteral("チャンネルを選んでください");
    }
}

// Horizontal over vertical when the components are named; else the second channel over the first.
std::pair<int, int> InitialRatio(const std::vector<LoadedChannel>& channels) {
    std::vector<tremvix::ChannelNames> names;
    for (const LoadedChannel& c : channels) names.push_back({c.id.toStdString(), c.name.toStdString()});
    if (const auto roles = tremvix::FindThreeComponents(names)) return {(*roles)[0], (*roles)[2]};
    return {channels.size() > 1 ? 1 : 0, 0};
}

// The north-south and east-west accelerations when the components are named; else the first two channels.
std::pair<int, int> InitialHorizontals(const std::vector<LoadedChannel>& channels) {
    std::vector<tremvix::ChannelNames> names;
    for (const LoadedChannel& c : channels) names.push_back({c.id.toStdString(), c.name.toStdString(), c.galPerUnit.has_value()});
    if (const auto roles = tremvix::FindTwoHorizontals(names)) return {(*roles)[0], (*roles)[1]};
    return {0, channels.size() > 1 ? 1 : 0};
}

}  // namespace

TSpectrum::TSpectrum(AnalysisSource& source, QWidget* parent) : QWidget(parent, Qt::Window), source_(source) {
    setObjectName(QStringLiteral("Spectrum"));
    setWindowTitle(QStringLiteral("スペクトル解析"));
    ApplyWindowStyle(this, WindowTextColor::Navy);
    resize(980, 692);
    BuildLayout();
    EnableForKind();
    ConnectHandlers();
    shown_ = CurrentControls();
}

TSpectrum::~TSpectrum() = default;

void TSpectrum::ConnectHandlers() {
    ConnectHandler(RadioGroup1, &RadioGroup::clicked, this, &TSpectrum::KindClick);
    ConnectHandler(RadioGroup2, &RadioGroup::clicked, this, &TSpectrum::Redraw);
    ConnectHandler(RadioGroup3, &RadioGroup::clicked, this, &TSpectrum::Redraw);
    for (int i = 0; i < 4; ++i)
        connect(DampingBoxes[i], &QCheckBox::toggled, this, [this, i](bool on) { RunHandler([&] { DampingClick(i, on); }); });
    ConnectHandler(CBRotD00, &QCheckBox::toggled, this, &TSpectrum::Redraw);
    for (QCheckBox* box : {CBMean, CBTaper, CBPad}) ConnectHandler(box, &QCheckBox::toggled, this, &TSpectrum::Redraw);
    ConnectHandler(CheckListBox1, &QListWidget::itemChanged, this, &TSpectrum::CheckListBox1ClickCheck);
    ConnectHandler(ComboBox1, &QComboBox::activated, this, &TSpectrum::Redraw);
    ConnectHandler(ComboBox2, &QComboBox::activated, this, &TSpectrum::Redraw);
    ConnectHandler(ComboBox3, &QComboBox::activated, this, &TSpectrum::Redraw);
    ConnectHandler(ComboBox4, &QComboBox::activated, this, &TSpectrum::Redraw);
    ConnectHandler(Edit1, &QLineEdit::editingFinished, this, &TSpectrum::Redraw);
    ConnectHandler(Edit2, &QLineEdit::editingFinished, this, &TSpectrum::Redraw);
    ConnectHandler(Button1, &QPushButton::clicked, this, &TSpectrum::Redraw);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TSpectrum::Button2Click);
    ConnectHandler(Button3, &QPushButton::clicked, this, &TSpectrum::Button3Click);
    ConnectHandler(Button4, &QPushButton::clicked, this, &TSpectrum::Button4Click);
    ConnectHandler(Button5, &QPushButton::clicked, this, &TSpectrum::Button5Click);
    connect(MyGraph1, &TMyGraph::mouseMoved, this, &TSpectrum::MyGraph1MouseMove);
    // Deferred: the change is told before it has been made.
    connect(&source_, &AnalysisSource::Changed, this, &TSpectrum::InputsChanged, Qt::QueuedConnection);
}

SpectrumKind TSpectrum::Kind() const { return static_cast<SpectrumKind>(std::max(RadioGroup1->itemIndex(), 0)); }

void TSpectrum::EnableForKind() {
    const SpectrumKind kind = Kind();
    const bool fourierBased = kind == SpectrumKind::Fourier || kind == SpectrumKind::Ratio;
    CheckListBox1->setEnabled(kind == SpectrumKind::Response || kind == SpectrumKind::Fourier);
    RadioGroup2->setEnabled(kind == SpectrumKind::Response);
    GroupBox1->setEnabled(kind == SpectrumKind::Response || kind == SpectrumKind::RotD);
    RadioGroup3->setEnabled(fourierBased);
    RadioGroup3->button(0)->setEnabled(kind == SpectrumKind::Fourier);  // ratios are always smoothed
    GroupBox2->setEnabled(fourierBased);
    GroupBox3->setEnabled(kind == SpectrumKind::Ratio);
    GroupBox3->setVisible(kind != SpectrumKind::RotD);
    GroupBox4->setVisible(kind == SpectrumKind::RotD);
}

void TSpectrum::DampingClick(int box, bool on) {
    if (on && Kind() == SpectrumKind::RotD)
        for (int i = 0; i < 4; ++i)
            if (i != box) {
                const QSignalBlocker blocker(DampingBoxes[i]);
                DampingBoxes[i]->setChecked(false);
            }
    Redraw();
}

void TSpectrum::KindClick() {
    if (Kind() == SpectrumKind::Ratio && RadioGroup3->itemIndex() == 0) {
        const QSignalBlocker blocker(RadioGroup3);
        RadioGroup3->setItemIndex(kRatioDefaultSmoothing);
    }
    EnableForKind();
    Redraw();
}

std::vector<int> TSpectrum::CheckedChannels() const {
    std::vector<int> checked;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked) checked.push_back(CheckListBox1->item(i)->data(Qt::UserRole).toInt());
    return checked;
}

SpectrumRequest TSpectrum::RequestFromControls() const {
    SpectrumRequest request;
    request.kind = Kind();
    request.quantity = static_cast<ResponseQuantity>(std::max(RadioGroup2->itemIndex(), 0));
    request.channels = CheckedChannels();
    for (int i = 0; i < 4; ++i)
        if (DampingBoxes[i]->isChecked()) request.dampings.push_back(kDampings[i]);
    const double bandwidth = kBandwidths[std::clamp(RadioGroup3->itemIndex(), 0, 3)];
    request.smoothing = bandwidth;
    request.ratioSmoothing = bandwidth > 0.0 ? bandwidth : kBandwidths[kRatioDefaultSmoothing];
    request.fourier.removeMean = CBMean->isChecked();
    request.fourier.taperFraction = CBTaper->isChecked() ? kTaperFraction : 0.0;
    request.fourier.padToPowerOfTwo = CBPad->isChecked();
    request.numerator = ComboBox1->currentIndex() >= 0 ? ComboBox1->currentData().toInt() : -1;
    request.denominator = ComboBox2->currentIndex() >= 0 ? ComboBox2->currentData().toInt() : -1;
    request.horizontalA = ComboBox3->currentIndex() >= 0 ? ComboBox3->currentData().toInt() : -1;
    request.horizontalB = ComboBox4->currentIndex() >= 0 ? ComboBox4->currentData().toInt() : -1;
    request.rotd00 = CBRotD00->isChecked();
    if (request.kind == SpectrumKind::Ratio) {
        request.bandLow = StrToFloat(Edit1->text());
        request.bandHigh = StrToFloat(Edit2->text());
    }
    return request;
}

void TSpectrum::Redraw() {
    Sync();
    Draw(Told::Message);
}

void TSpectrum::CheckListBox1ClickCheck() {
    Sync();
    Draw(Told::Note);
}

TSpectrum::Controls TSpectrum::CurrentControls() const {
    Controls controls;
    controls.kind = RadioGroup1->itemIndex();
    controls.quantity = RadioGroup2->itemIndex();
    controls.smoothing = RadioGroup3->itemIndex();
    for (int i = 0; i < CheckListBox1->count(); ++i) controls.ticks.push_back(CheckListBox1->item(i)->checkState());
    for (int i = 0; i < 4; ++i) controls.dampings[i] = DampingBoxes[i]->isChecked();
    controls.fourier = {CBMean->isChecked(), CBTaper->isChecked(), CBPad->isChecked()};
    controls.numerator = ComboBox1->currentIndex();
    controls.denominator = ComboBox2->currentIndex();
    controls.bandLow = Edit1->text();
    controls.bandHigh = Edit2->text();
    controls.horizontalA = ComboBox3->currentIndex();
    controls.horizontalB = ComboBox4->currentIndex();
    controls.rotd00 = CBRotD00->isChecked();
    return controls;
}

void TSpectrum::RestoreControls(const Controls& controls) {
    const QSignalBlocker blockers[] = {QSignalBlocker(RadioGroup1), QSignalBlocker(RadioGroup2), QSignalBlocker(RadioGroup3),
                                       QSignalBlocker(CheckListBox1), QSignalBlocker(ComboBox1), QSignalBlocker(ComboBox2),
                                       QSignalBlocker(ComboBox3), QSignalBlocker(ComboBox4), QSignalBlocker(CBRotD00),
                                       QSignalBlocker(CBMean), QSignalBlocker(CBTaper), QSignalBlocker(CBPad),
                                       QSignalBlocker(DampingBoxes[0]), QSignalBlocker(DampingBoxes[1]),
                                       QSignalBlocker(DampingBoxes[2]), QSignalBlocker(DampingBoxes[3])};
    RadioGroup1->setItemIndex(controls.kind);
    RadioGroup2->setItemIndex(controls.quantity);
    RadioGroup3->setItemIndex(controls.smoothing);
    if (static_cast<int>(controls.ticks.size()) == CheckListBox1->count())
        for (int i = 0; i < CheckListBox1->count(); ++i) CheckListBox1->item(i)->setCheckState(controls.ticks[i]);
    for (int i = 0; i < 4; ++i) DampingBoxes[i]->setChecked(controls.dampings[i]);
    CBMean->setChecked(controls.fourier[0]);
    CBTaper->setChecked(controls.fourier[1]);
    CBPad->setChecked(controls.fourier[2]);
    ComboBox1->setCurrentIndex(controls.numerator);
    ComboBox2->setCurrentIndex(controls.denominator);
    Edit1->setText(controls.bandLow);
    Edit2->setText(controls.bandHigh);
    ComboBox3->setCurrentIndex(controls.horizontalA);
    ComboBox4->setCurrentIndex(controls.horizontalB);
    CBRotD00->setChecked(controls.rotd00);
    EnableForKind();
}

// A user's choice that is refused puts the controls back as the picture was drawn; a
// drawing after the data changed shows the reason instead of a picture of data no
// longer loaded.
void TSpectrum::Draw(Told told) {
    const SpectrumRequest request = RequestFromControls();
    SpectrumPlot plot = [&] {
        const BusyCursor busy;
        return ComputeSpectrumPlot(channels_, request, source_.Rate(), transformers_);
    }();
    plot.settings = SpectrumSettings(request, source_.Rate(), channels_);
    if (plot.refusal && told != Told::Instead) {
        RestoreControls(shown_);
        if (told == Told::Message)
            Dialogs::MessageBox(*plot.refusal, plot.refusalCaption, Dialogs::kOkExclamation);
        else
            Label2->setText(plot.refusal->trimmed());
        return;
    }
    ShowPlot(std::move(plot));
}

void TSpectrum::ShowPlot(SpectrumPlot plot) {
    const std::optional<QString> refusal = plot.refusal;
    if (refusal) {
        plot.curves.clear();
        plot.columns.clear();
        plot.xColumn.values.clear();
    }
    plot_ = std::move(plot);
    shown_ = CurrentControls();
    DrawSpectrumPlot(*MyGraph1, plot_);
    for (QPushButton* button : {Button2, Button3, Button4}) button->setEnabled(!plot_.curves.empty());
    if (refusal)
        Label1->setText(refusal->trimmed());
    else if (plot_.curves.empty())
        Label1->setText(EmptyPlotText(Kind()));
    else
        Label1->setText(PeakText(plot_));
    Label2->clear();
}

void TSpectrum::InputsChanged() {
    if (!isVisible()) return;  // brought up to date when shown
    RunHandler([this] {
        const bool changed = SignatureOf(source_.Store()) != signature_ || source_.Rate() != rate_;
        if (synced_ && !changed) return;
        Sync();
        Draw(Told::Instead);
    });
}

void TSpectrum::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    InputsChanged();
}

void TSpectrum::Sync() {
    rate_ = source_.Rate();
    ChannelsSignature signature = SignatureOf(source_.Store());
    if (synced_ && signature == signature_) {
        channels_ = LoadedChannelsOf(source_.Store());
        return;
    }
    synced_ = true;
    signature_ = std::move(signature);
    channels_ = LoadedChannelsOf(source_.Store());
    FillChannelPickers();
}

void TSpectrum::FillChannelPickers() {
    const QSignalBlocker listBlocker(CheckListBox1);
    const QSignalBlocker numeratorBlocker(ComboBox1);
    const QSignalBlocker denominatorBlocker(ComboBox2);
    const QSignalBlocker aBlocker(ComboBox3);
    const QSignalBlocker bBlocker(ComboBox4);
    CheckListBox1->clear();
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3, ComboBox4}) box->clear();
    const std::vector<int> picks = InitialPicks(channels_, source_.List());
    for (const LoadedChannel& channel : channels_) {
        auto* item = new QListWidgetItem(PickerText(channel), CheckListBox1);
        item->setData(Qt::UserRole, channel.index);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool picked = std::find(picks.begin(), picks.end(), channel.index) != picks.end();
        item->setCheckState(picked ? Qt::Checked : Qt::Unchecked);
        for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3, ComboBox4}) box->addItem(ChannelLabel(channel), channel.index);
    }
    const auto [numerator, denominator] = InitialRatio(channels_);
    ComboBox1->setCurrentIndex(channels_.empty() ? -1 : numerator);
    ComboBox2->setCurrentIndex(channels_.empty() ? -1 : denominator);
    const auto [a, b] = InitialHorizontals(channels_);
    ComboBox3->setCurrentIndex(channels_.empty() ? -1 : a);
    ComboBox4->setCurrentIndex(channels_.empty() ? -1 : b);
}

void TSpectrum::PickChannel(int k) {
    Sync();
    if (k < 0 || k >= static_cast<int>(channels_.size())) return;
    {
        const QSignalBlocker blocker(CheckListBox1);
        for (int i = 0; i < CheckListBox1->count(); ++i)
            CheckListBox1->item(i)->setCheckState(CheckListBox1->item(i)->data(Qt::UserRole).toInt() == k ? Qt::Checked
                                                                                                           : Qt::Unchecked);
        const QSignalBlocker comboBlocker(ComboBox1);
        ComboBox1->setCurrentIndex(k);
    }
    Draw(Told::Message);
}

void TSpectrum::MyGraph1MouseMove(int x, int y) {
    const std::optional<double> at = MyGraph1->ValueAtX(x);
    if (plot_.curves.empty() || !at || !MyGraph1->InsideFrame(x, y)) {
        Label2->clear();
        return;
    }
    Label2->setText(ReadoutText(plot_, *at));
}

// The picture for drawing programs, and for spreadsheets the numbers of the CSV file,
// its settings line first.
void TSpectrum::Button2Click() {
    if (plot_.curves.empty()) return;
    auto* copied = new QMimeData;
    copied->setImageData(MyGraph1->image());
    copied->setText(TabSeparatedText(SpectrumCsvRows(plot_)));
    QGuiApplication::clipboard()->setMimeData(copied);  // the clipboard owns it
}

void TSpectrum::Button3Click() {
    if (plot_.curves.empty()) return;
    const QImage picture = MyGraph1->image().copy();
    SaveThroughDialog(QStringLiteral("PNG画像ファイル(*.png)|*.png|すべて(*.*)|*.*"), ".png", QStringLiteral("グラフ"),
                      [&picture](const QString& name) { return SaveImagePng(picture, name); });
}

void TSpectrum::Button4Click() {
    if (plot_.curves.empty()) return;  // nothing to save: no empty file
    const QByteArray text = CsvText(SpectrumCsvRows(plot_));
    SaveThroughDialog(QStringLiteral("CSVファイル (*.csv)|*.csv|すべて (*.*)|*.*"), ".csv", QStringLiteral("スペクトル"),
                      [&text](const QString& name) { return SaveBytes(name, text); });
}

void TSpectrum::Button5Click() { close(); }
