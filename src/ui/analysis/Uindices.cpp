#include "ui/analysis/Uindices.h"

#include "core/dsp/ChannelConversion.h"
#include "ui/analysis/AnalysisExport.h"
#include "ui/analysis/AnalysisSource.h"
#include "ui/analysis/BusyCursor.h"
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

TIndices::TIndices(AnalysisSource& source, QWidget* parent) : QWidget(parent, Qt::Window), source_(source) {
    setObjectName(QStringLiteral("Indices"));
    setWindowTitle(QStringLiteral("最大値・震度"));
    ApplyWindowStyle(this, WindowTextColor::Navy);
    resize(900, 428);
    BuildLayout();
    ConnectHandlers();
}

TIndices::~TIndices() = default;

void TIndices::ConnectHandlers() {
    for (QComboBox* box : ComponentBoxes) ConnectHandler(box, &QComboBox::activated, this, &TIndices::ComputeIntensity);
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

// Everything again from the main window's data; the intensity of the components
// chosen, without a message when it cannot be had.
void TIndices::Sync() {
    const Inputs inputs = CurrentInputs();
    const bool newChannels = !inputs_ || inputs_->channels != inputs.channels;
    inputs_ = inputs;
    channels_ = LoadedChannelsOf(source_.Store());
    if (newChannels) FillComponentBoxes();
    const BusyCursor busy;
    rows_ = ComputeIndicesRows(channels_, source_.IntegrationSetupNow(), source_.Rate());
    FillTable();
    Label1->setText(QStringLiteral("各値は記録から平均値を除いて計算（震度は除かない）　サンプリング率 ") +
                    FormattedNumber("%g", source_.Rate()) + QStringLiteral(" Hz　積分フィルタ（主画面の「フィルタ(積分時)」）: ") +
                    source_.IntegrationFilterName());
    Label1->adjustSize();
    Button1->setEnabled(!rows_.empty());
    Button2->setEnabled(!rows_.empty());
    Button4->setEnabled(!channels_.empty());
    shownPicks_ = Picks();
    const IntensityOutcome outcome = ComputeIntensityOf(channels_, shownPicks_, source_.Rate(), transformer_);
    ShowIntensity(outcome.intensity, outcome.refusal.trimmed());
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
    const std::optional<ComponentPicks> found = FindComponents(channels_);
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

// A refused choice puts the components of the intensity shown back in the boxes.
void TIndices::ComputeIntensity() {
    if (!inputs_ || *inputs_ != CurrentInputs()) return Sync();  // the data changed under the choice
    const IntensityOutcome outcome = ComputeIntensityOf(channels_, Picks(), source_.Rate(), transformer_);
    if (!outcome.intensity) {
        ShowPicks(shownPicks_);
        Dialogs::MessageBox(outcome.refusal, outcome.caption, Dialogs::kOkExclamation);
        return;
    }
    shownPicks_ = Picks();
    ShowIntensity(outcome.intensity, QString());
}

QStringList TIndices::Settings() const {
    return {QStringLiteral("ground-motion indices"), QStringLiteral("filter=") + source_.IntegrationFilterName(),
            QStringLiteral("mean_removed=yes (of the record before every index)"), QStringLiteral("damping=none"),
            QStringLiteral("smoothing=none"), QStringLiteral("rate_hz=") + NumberText(source_.Rate())};
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
    QGuiApplication::clipboard()->setText(TabSeparatedText(IndicesClipboardRows(rows_, Settings())));
}

void TIndices::Button2Click() {
    if (rows_.empty()) return;  // nothing to save: no empty file
    const QByteArray text = CsvText(IndicesCsvRows(rows_, Settings()));
    SaveThroughDialog(QStringLiteral("CSVファイル (*.csv)|*.csv|すべて (*.*)|*.*"), ".csv", QStringLiteral("表"),
                      [&text](const QString& name) { return SaveBytes(name, text); });
}

void TIndices::Button3Click() { close(); }
