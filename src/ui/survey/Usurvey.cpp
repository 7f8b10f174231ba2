#include "ui/survey/Usurvey.h"

#include "core/export/PngEncoder.h"
#include "core/map/JapanMap.h"
#include "core/survey/ArchiveReader.h"
#include "core/survey/RecordFiles.h"
#include "ui/base/Dialogs.h"
#include "ui/base/WindowStyle.h"
#include "ui/export/SaveThroughDialog.h"
#include "ui/survey/EventMapView.h"
#include "ui/survey/SurveyRun.h"
#include "ui/survey/SurveyTableModel.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Often enough that the first rows show well within a second, rarely enough that
// the table and the map are not redrawn for every record.
constexpr int kPollMs = 100;

std::filesystem::path PathOf(const QString& name) { return std::filesystem::path(QFile::encodeName(name).toStdString()); }

void Tell(const QString& text) {
    Dialogs::MessageBox(text + QString(5, QChar(0x3000)), QStringLiteral("一括解析"), Dialogs::kOkExclamation);
}

tremvix::SaveResult SaveBytes(const QString& name, const QByteArray& bytes) {
    return tremvix::WriteFileAtomically(PathOf(name), [&bytes](std::FILE* file) {
        return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file) ==
               static_cast<std::size_t>(bytes.size());
    });
}

}  // namespace

TSurvey::TSurvey(std::function<void(const QString& file)> openRecord, QWidget* parent)
    : QWidget(parent, Qt::Window), openRecord_(std::move(openRecord)) {
    setObjectName(QStringLiteral("Survey"));
    setWindowTitle(QStringLiteral("一括解析"));
    ApplyWindowStyle(this, WindowTextColor::Teal);
    resize(1244, 757);
    BuildLayout();
    ConnectHandlers();
    timer_ = new QTimer(this);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &TSurvey::Poll);
}

TSurvey::~TSurvey() = default;

void TSurvey::Start(const std::vector<std::filesystem::path>& paths, int threads) {
    run_.reset();  // a survey still running stops first
    model_->Clear();
    failures_.clear();
    StringGrid2->setRowCount(1);
    taken_ = 0;
    markEntry_.clear();
    entryMark_.clear();
    MyMap1->SetSelected(std::nullopt);
    ShowMarks();
    source_.clear();
    for (const std::filesystem::path& path : paths)
        source_ += (source_.isEmpty() ? QString() : QStringLiteral("、")) + QFile::decodeName(path.filename().c_str());
    run_ = std::make_unique<SurveyRun>(paths, threads);
    Button3->setEnabled(true);
    for (QPushButton* button : {Button4, Button5}) button->setEnabled(false);
    ShowProgress();
    timer_->start();
}

bool TSurvey::Running() const { return run_ && timer_->isActive(); }

void TSurvey::Poll() {
    if (!run_) return;
    const bool finished = run_->Finished();  // read first: what it wrote before is in Take()
    std::vector<SurveyTableModel::Entry> entries;
    for (tremvix::SurveyOutcome& outcome : run_->Take()) {
        const std::size_t planIndex = taken_++;
        if (outcome.row) {
            outcome.row->record = outcome.record;
            entries.push_back({std::move(*outcome.row), planIndex, {}});
        } else {
            failures_.push_back({outcome.record, outcome.failure});
            const int row = StringGrid2->rowCount();
            StringGrid2->setRowCount(row + 1);
            StringGrid2->setCell(0, row, QString::fromStdString(outcome.record));
            StringGrid2->setCell(1, row, QString::fromStdString(outcome.failure));
        }
    }
    if (!entries.empty()) {
        const std::optional<std::size_t> kept = model_->EntryAt(StringGrid1->row());
        const std::size_t first = model_->Entries().size();
        model_->Append(std::move(entries));
        for (std::size_t e = first; e < model_->Entries().size(); ++e) {
            const tremvix::SurveyRow& row = model_->Entries()[e].row;
            entryMark_.push_back(-1);
            if (!row.latitude || !row.longitude) continue;
            entryMark_.back() = static_cast<int>(markEntry_.size());
            markEntry_.push_back(e);
        }
        if (kept) StringGrid1->setCurrentCell(StringGrid1->col(), model_->RowOf(*kept));
        ShowMarks();
    }
    ShowProgress();
    if (finished) {
        timer_->stop();
        Button3->setEnabled(false);
        emit SurveyFinished();
    }
}

void TSurvey::ShowProgress() {
    const SurveyRun::Progress now = run_ ? run_->Now() : SurveyRun::Progress{};
    const bool over = run_ && run_->Finished();
    if (!now.planned && !over) {
        ProgressBar1->setRange(0, 0);  // listing the records: how many is not known yet
        Label1->setText(source_ + QStringLiteral("：記録を探しています…"));
    } else {
        ProgressBar1->setRange(0, static_cast<int>(std::max<std::size_t>(now.total, 1)));
        ProgressBar1->setValue(static_cast<int>(now.done));
        QString text = source_ + QStringLiteral("：%1 / %2 件").arg(now.done).arg(now.total);
        if (!failures_.empty()) text += QStringLiteral("（読めなかったもの %1 件）").arg(failures_.size());
        if (over && run_->Stopped()) text += QStringLiteral("　停止しました");
        if (over && !run_->Error().empty()) text += QStringLiteral("　中断しました：") + QString::fromStdString(run_->Error());
        Label1->setText(text);
    }
    Label1->adjustSize();
    Button4->setEnabled(!model_->Entries().empty());
    Button5->setEnabled(!failures_.empty());
}

tremvix::MarkScheme TSurvey::Scheme() const {
    switch (RadioGroup1->itemIndex()) {
        case 1: return tremvix::MarkScheme::LongPeriod;
        case 2: return tremvix::MarkScheme::Pga;
        default: return tremvix::MarkScheme::Intensity;
    }
}

void TSurvey::ShowMarks() {
    std::vector<StationMark> marks;
    marks.reserve(markEntry_.size());
    const tremvix::MarkScheme scheme = Scheme();
    for (const std::size_t e : markEntry_) {
        const tremvix::SurveyRow& row = model_->Entries()[e].row;
        marks.push_back({tremvix::DegreesMinutes(*row.longitude), tremvix::DegreesMinutes(*row.latitude), tremvix::MarkClass(row, scheme)});
    }
    MyMap1->Show(std::move(marks), scheme);
}

void TSurvey::CurrentRowChanged(int row) {
    // The grid loses its current cell for a moment whenever rows come; it gets it back.
    if (row < 1) return;
    const std::optional<std::size_t> entry = model_->EntryAt(row);
    const int mark = entry && *entry < entryMark_.size() ? entryMark_[*entry] : -1;
    MyMap1->SetSelected(mark >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(mark)) : std::nullopt);
}

void TSurvey::Button1Click() {
    const QString folder = Dialogs::FolderName();
    if (!folder.isEmpty()) Start({PathOf(folder)});
}

void TSurvey::Button2Click() {
    const QString file = Dialogs::OpenFileName(
        QStringLiteral("書庫 (*.tar;*.tar.gz;*.tgz;*.zip)|*.tar;*.tar.gz;*.tgz;*.zip|すべて (*.*)|*.*"));
    if (!file.isEmpty()) Start({PathOf(file)});
}

void TSurvey::Button3Click() {
    if (run_) run_->Stop();
}

void TSurvey::Button4Click() {
    if (model_->Entries().empty()) return;
    std::vector<tremvix::SurveyRow> rows;
    for (const SurveyTableModel::Entry& entry : model_->Entries()) rows.push_back(entry.row);
    const QByteArray text = SurveyRowsCsv(rows);
    SaveThroughDialog(QStringLiteral("CSVファイル (*.csv)|*.csv|すべて (*.*)|*.*"), ".csv", QStringLiteral("表"),
                      [&text](const QString& name) { return SaveBytes(name, text); });
}

void TSurvey::Button5Click() {
    if (failures_.empty()) return;
    const QByteArray text = SurveyFailuresCsv(failures_);
    SaveThroughDialog(QStringLiteral("CSVファイル (*.csv)|*.csv|すべて (*.*)|*.*"), ".csv", QStringLiteral("表"),
                      [&text](const QString& name) { return SaveBytes(name, text); });
}

void TSurvey::Button6Click() {
    const QImage rgb = MyMap1->image().convertToFormat(QImage::Format_RGB888);
    SaveThroughDialog(QStringLiteral("PNGファイル (*.png)|*.png"), ".png", QStringLiteral("地図"), [&rgb](const QString& name) {
        return tremvix::WritePngFile(PathOf(name), rgb.width(), rgb.height(), rgb.constBits(), static_cast<int>(rgb.bytesPerLine()));
    });
}

void TSurvey::Button7Click() { MyMap1->Copy(); }

void TSurvey::Button8Click() { close(); }

void TSurvey::RadioGroup1Click() { ShowMarks(); }

void TSurvey::StringGrid1DblClick(int row) {
    const std::optional<std::size_t> entry = model_->EntryAt(row);
    if (!entry || !run_) return;
    const std::size_t planIndex = model_->Entries()[*entry].planIndex;
    if (!copies_) copies_ = std::make_unique<QTemporaryDir>();
    const QString folder = copies_->filePath(QString::number(planIndex));
    QDir().mkpath(folder);
    const tremvix::RecordOnDisk files = tremvix::RecordFilesOnDisk(run_->Plan(), planIndex, PathOf(folder));
    if (!files.error.empty()) return Tell(QStringLiteral("記録を開けません：") + QString::fromStdString(files.error));
    openRecord_(QFile::decodeName(files.first.c_str()));
}

void TSurvey::MyMap1Click(std::size_t mark) {
    if (mark >= markEntry_.size()) return;
    StringGrid1->setCurrentCell(std::max(StringGrid1->col(), 0), model_->RowOf(markEntry_[mark]));
}

// Closing the window stops the survey; what was done stays shown.
void TSurvey::closeEvent(QCloseEvent* event) {
    if (run_) run_->Stop();
    QWidget::closeEvent(event);
}
