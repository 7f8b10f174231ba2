// The transfer: marked file columns into the main window's channel store.
#include "core/data/ChannelStore.h"
#include "core/data/ChannelTransfer.h"
#include "core/data/DataFileReader.h"
#include "core/dsp/FilterSettings.h"
#include "ui/base/Conversions.h"
#include "ui/base/Dialogs.h"
#include "ui/base/HandlerCall.h"
#include "ui/data/DataSetHost.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/StringGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <optional>

namespace {

const QString kSpaces5 = QString(5, QChar(0x3000));
const QString kSelectionError = QStringLiteral("選択エラー");
const QString kFileError = QStringLiteral("ファイル形式エラー");

void Refuse(const QString& text, const QString& caption) {
    Dialogs::MessageBox(text + kSpaces5, caption, Dialogs::kOkExclamation);
}

// The half-width of the moving average, read once and checked before anything changes.
std::optional<int> MovingAverageHalfWidth(const DataSetHost::TransferSettings& settings) {
    if (!settings.movingAverage) return 0;
    const int k = StrToInt(settings.spanText);
    if (k < 0) {
        Refuse(QStringLiteral("移動平均のスパンには0以上の整数を指定してください"), kSelectionError);
        return std::nullopt;
    }
    return k;
}

}  // namespace

// Called from code as well as from the event: a conversion error ends it here too.
void TSetData::Button4Click() {
    RunHandler([&] { Transfer(); });
}

// The holder names the layout of the data it now holds: a network record's own.
QString TSetData::DataLayoutCaption() const {
    return ScannedNetwork ? QString::fromStdString(tremvix::NetworkLayoutName(*ScannedNetwork)) + QStringLiteral("データファイル")
                          : menuCaption_;
}

std::vector<int> TSetData::MarkedColumns() const {
    std::vector<int> columns;
    for (int r = 1; r < StringGrid1->rowCount(); ++r)
        if (StringGrid1->cell(4, r) == kMark) columns.push_back(r - 1);
    return columns;
}

tremvix::FileLayout TSetData::ChosenLayout() const {
    return host_.Store().EDefenceMode ? tremvix::FileLayout::EDefence : tremvix::FileLayout::Standard;
}

// The checks that need no file: nothing is read, and the progress bar stays, when
// one of them refuses.
bool TSetData::TransferAllowed(std::size_t marked) {
    const tremvix::ChannelStore& store = host_.Store();
    // A network record does not follow the menu; a CSV file must be read as it was listed.
    if (ScannedLayout && *ScannedLayout != ChosenLayout()) {
        Refuse(QStringLiteral("ファイルを読み込んだ後でデータ形式が変更されました。もう一度ファイルを読み込んでください"),
               kFileError);
        return false;
    }
    // The channels already loaded are cleared first when CheckBox1 is ticked.
    const int c = CheckBox1->isChecked() ? 0 : store.ChannelCount;
    const int n = static_cast<int>(marked);
    if (n == 0) {
        Refuse(QStringLiteral("転送するデータチャンネルが指定されておりません"), kSelectionError);
        return false;
    }
    if (c + n > tremvix::kMaxChannels) {
        Refuse(QStringLiteral("転送するデータチャンネルが多すぎます"), kSelectionError);
        return false;
    }
    return true;
}

// The marked columns read in full, or nothing (the message shown) when the file
// can no longer be read as it was scanned.
std::optional<tremvix::TransferRead> TSetData::ReadForTransfer(const std::vector<int>& columns) {
    const tremvix::ChannelStore& store = host_.Store();
    // At least one step, so that a short file shows an empty bar rather than a busy one.
    ProgressBar1->setMaximum(std::max(store.FileLineCount / 100, 1));
    ProgressBar1->setValue(0);
    const auto progress = [this](int line) { ProgressBar1->setValue(line / 100); };
    tremvix::TransferRead read = ReadMarked(columns, progress);
    if (read.refusal) {
        Dialogs::MessageBox(QString::fromStdString(RefusalText(*read.refusal)),
                            QString::fromStdString(RefusalCaption(*read.refusal)), Dialogs::kOkExclamation);
        return std::nullopt;
    }
    // A file that shrank or grew since the scan is no more the file the user chose from.
    if (read.moreLinesThanScanned || read.linesRead != store.FileLineCount) {
        Refuse(QStringLiteral("ファイルが読み込み後に変更されています。もう一度ファイルを読み込んでください"), kFileError);
        return std::nullopt;
    }
    // The networks' readers report in steps of samples, not at the last line: a read
    // that went through is complete.
    if (ScannedNetwork) ProgressBar1->setValue(ProgressBar1->maximum());
    return read;
}

tremvix::TransferRead TSetData::ReadMarked(const std::vector<int>& columns,
                                           const std::function<void(int)>& progress) const {
    const std::filesystem::path path(DataFilePath.toStdString());
    if (ScannedNetwork) return ReadNetworkChannels(path, *ScannedNetwork, ScannedCompanion, columns, progress);
    return ReadChannels(path, ChosenLayout(), columns, host_.Store().FileLineCount, progress);
}

void TSetData::Transfer() {
    tremvix::ChannelStore& store = host_.Store();
    const std::vector<int> columns = MarkedColumns();
    const DataSetHost::TransferSettings settings = host_.TransferSettingsNow();

    // Everything that can refuse the transfer is checked before the store changes.
    const std::optional<int> halfWidth = MovingAverageHalfWidth(settings);
    if (!halfWidth) return;
    if (!TransferAllowed(columns.size())) return;
    std::optional<tremvix::TransferRead> read = ReadForTransfer(columns);
    if (!read) return;

    if (CheckBox1->isChecked()) host_.ClearForTransfer();
    // The data come now, so the record's own rate applies without the "read again" notice.
    if (ScannedRate > 0.0) host_.UseRecordRate(ScannedRate);
    tremvix::TransferProcessing processing;
    if (settings.lowPassSet) {
        processing.lowPassSet = settings.lowPassSet;
        processing.lowPassCount = tremvix::FilterSettings::kCoefficients;
    }
    processing.movingAverage = settings.movingAverage;
    processing.halfWidth = *halfWidth;
    const tremvix::AppendResult appended = AppendChannels(store, host_.List(), std::move(*read), processing);
    host_.ShowTransferred(DataLayoutCaption());
    if (appended.processingFailed)
        Refuse(QStringLiteral("読み込みチャンネル数が多すぎます"), QStringLiteral("多すぎるデータ読み込み"));
    if (CheckBox2->isChecked()) host_.Redraw();
}
