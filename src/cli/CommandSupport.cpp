#include "cli/CommandSupport.h"

#include "cli/CsvOutput.h"
#include "core/analysis/AccelerationUnit.h"
#include "ui/base/TextCodec.h"

#include "core/data/ChannelRecord.h"

#include <algorithm>
#include <cmath>

namespace tremvix::cli {
namespace {

constexpr std::string_view kProgram = "tremvix: ";
constexpr std::string_view kMessageEnd = "\u3000\u3000\u3000\u3000\u3000";

}  // namespace

int Refuse(std::ostream& err, std::string_view text) {
    err << kProgram << text << '\n';
    return kExitRefused;
}

std::string AboutFile(std::string_view file, std::string_view text) {
    // Texts that already end as our messages do keep a single ending.
    while (text.ends_with("\u3000")) text.remove_suffix(std::string_view("\u3000").size());
    std::string message(file);
    message += "：";
    message += text;
    message += kMessageEnd;
    return message;
}

void Note(std::ostream& err, std::string_view text) { err << kProgram << text << '\n'; }

std::optional<LoadedRecord> LoadRequestedRecord(const CliRequest& request, std::ostream& err) {
    LoadedRecord record = LoadRecordFile(request.file, request.layout, request.rate);
    if (record.refusal) {
        Refuse(err, RefusalText(*record.refusal));
        return std::nullopt;
    }
    for (const std::string& notice : record.notices) Note(err, request.file + "：" + notice);
    return record;
}

std::string Utf8Text(std::string_view bytes) { return DecodeText(bytes).toStdString(); }

std::optional<std::string> MissingChannel(const CliRequest& request, const LoadedRecord& record, int k) {
    const int count = static_cast<int>(record.channels.size());
    if (k >= 1 && k <= count) return std::nullopt;
    return AboutFile(request.file,
                     "チャンネル " + std::to_string(k) + " はありません（" + std::to_string(count) + " チャンネルのファイルです）");
}

const TransferColumn* ChosenChannel(const CliRequest& request, const LoadedRecord& record, int k, std::ostream& err) {
    if (std::optional<std::string> missing = MissingChannel(request, record, k)) {
        Refuse(err, *missing);
        return nullptr;
    }
    return &record.channels[static_cast<std::size_t>(k - 1)];
}

int RefuseAnalysis(const CliRequest& request, const AnalysisRefusal& refusal, std::ostream& err) {
    return Refuse(err, AboutFile(request.file, AnalysisRefusalText(refusal)));
}

std::optional<std::vector<int>> ChannelsToTransfer(const CliRequest& request, const LoadedRecord& record,
                                                   std::ostream& err) {
    const int count = static_cast<int>(record.channels.size());
    std::vector<int> indices;
    if (!request.channels) {
        if (count > kMaxChannels)
            Note(err, request.file + "：" + std::to_string(count) + " チャンネルのうち先頭の " +
                          std::to_string(kMaxChannels) + " チャンネルだけを扱います");
        for (int k = 0; k < std::min(count, kMaxChannels); ++k) indices.push_back(k);
        return indices;
    }
    for (const int k : *request.channels) {
        if (std::optional<std::string> missing = MissingChannel(request, record, k)) {
            Refuse(err, *missing);
            return std::nullopt;
        }
        indices.push_back(k - 1);
    }
    // Marked rows are transferred in the order of the file, a row marked twice once.
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    if (indices.size() > static_cast<std::size_t>(kMaxChannels)) {
        Refuse(err, AboutFile(request.file, "転送するデータチャンネルが多すぎます"));
        return std::nullopt;
    }
    return indices;
}

TransferRead TransferOf(LoadedRecord& record, const std::vector<int>& indices) {
    TransferRead read;
    read.linesRead = record.samplesPerChannel;
    for (const int k : indices) read.columns.push_back(std::move(record.channels[static_cast<std::size_t>(k)]));
    return read;
}

std::optional<std::vector<float>> SamplesInGal(const TransferColumn& channel) {
    const std::optional<double> factor = GalPerUnit(channel.unit);
    if (!factor) return std::nullopt;
    return tremvix::SamplesInGal(channel.samples, *factor);
}

std::string NotAccelerationText(const CliRequest& request, const TransferColumn& channel, int k) {
    return AboutFile(request.file, "チャンネル " + std::to_string(k) + " の単位「" + Utf8Text(channel.unit) +
                                       "」は加速度ではありません");
}

std::string UnusableRateText(const CliRequest& request, double rate) {
    return AboutFile(request.file, "サンプリング振動数 " + ShortestText(rate) + " Hz では描画も積分もできません");
}

int FinishOutput(CsvOutput& csv, std::ostream& err) {
    if (csv.Finish()) return kExitOk;
    return Refuse(err, "標準出力に書き込めません");
}

}  // namespace tremvix::cli
