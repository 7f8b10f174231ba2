#include "cli/CommandSupport.h"

#include "cli/CsvOutput.h"
#include "core/analysis/AccelerationUnit.h"

#include "core/data/ChannelRecord.h"
#include "core/data/TextCodec.h"

#include <algorithm>
#include <cmath>

namespace tremvix::cli {
namespace {

constexpr std::string_view kProgram = "tremvix: ";
constexpr std::string_view kIdeographicSpace = "\u3000";

void SayLine(std::ostream& err, std::string_view text) { err << kProgram << WithoutPadding(text) << '\n'; }

}  // namespace

std::string WithoutPadding(std::string_view text) {
    // The message boxes pad their texts with ideographic spaces; a terminal line ends at its last word.
    std::string plain;
    std::size_t lineStart = 0;
    while (lineStart <= text.size()) {
        const std::size_t lineEnd = std::min(text.find('\n', lineStart), text.size());
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        while (line.ends_with(kIdeographicSpace)) line.remove_suffix(kIdeographicSpace.size());
        plain += line;
        if (lineEnd < text.size()) plain += '\n';
        lineStart = lineEnd + 1;
    }
    return plain;
}

int Refuse(std::ostream& err, std::string_view text) {
    SayLine(err, text);
    return kExitRefused;
}

int WrongUsage(std::ostream& err, std::string_view text) {
    SayLine(err, text);
    err << "使い方は tremvix --help で表示されます\n";
    return kExitUsage;
}

std::string AboutFile(std::string_view file, std::string_view text) {
    std::string message(file);
    message += "：";
    message += WithoutPadding(text);
    return message;
}

void Note(std::ostream& err, std::string_view text) { SayLine(err, text); }

std::optional<LoadedRecord> LoadRequestedRecord(const CliRequest& request, std::ostream& err) {
    LoadedRecord record = LoadRecordFile(request.file, request.layout, request.rate);
    if (record.refusal) {
        Refuse(err, RefusalText(*record.refusal));
        return std::nullopt;
    }
    for (const std::string& notice : record.notices) Note(err, request.file + "：" + notice);
    return record;
}

std::string Utf8Text(std::string_view bytes) { return TextAsUtf8(bytes); }

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

ChannelPick NumbersOfChoices(const CliRequest& request, const LoadedRecord& record, std::ostream& err) {
    ChannelPick pick;
    if (!request.channels) return pick;
    for (const ChannelChoice& choice : *request.channels) {
        if (choice.number > 0) {
            pick.channels.push_back(choice.number);
            continue;
        }
        std::vector<int> matches;
        std::string ids;
        for (std::size_t k = 0; k < record.channels.size(); ++k) {
            const std::string id = Utf8Text(record.channels[k].id);
            if (id == choice.name) matches.push_back(static_cast<int>(k) + 1);
            ids += (k ? "、" : "") + id;
        }
        if (matches.size() == 1) {
            pick.channels.push_back(matches.front());
            continue;
        }
        const std::string about = "--channels の「" + choice.name + "」";
        if (matches.empty()) {
            pick.status = WrongUsage(err, AboutFile(request.file, about + "という ID のチャンネルはありません（ID: " + ids + "）"));
        } else {
            std::string numbers;
            for (const int k : matches) numbers += (numbers.empty() ? "" : "、") + std::to_string(k);
            pick.status = WrongUsage(err, AboutFile(request.file, about + "に当たるチャンネルが複数あります（チャンネル " +
                                                                     numbers + "）。番号で指定してください"));
        }
        return pick;
    }
    return pick;
}

ChannelPick ComponentsOfChoices(const CliRequest& request, const LoadedRecord& record, std::ostream& err) {
    ChannelPick pick = NumbersOfChoices(request, record, err);
    const std::vector<int>& k = pick.channels;
    for (std::size_t i = 0; pick.status == kExitOk && i < k.size(); ++i)
        if (std::find(k.begin(), k.begin() + static_cast<std::ptrdiff_t>(i), k[i]) != k.begin() + static_cast<std::ptrdiff_t>(i))
            pick.status = WrongUsage(err, AboutFile(request.file, "--channels: 同じチャンネル " + std::to_string(k[i]) +
                                                                    " が二つの成分に指定されています"));
    return pick;
}

int CheckOutputIsNotInput(const CliRequest& request, const std::vector<std::filesystem::path>& inputs,
                          std::ostream& err) {
    const std::filesystem::path output(request.output);
    for (const std::filesystem::path& input : inputs) {
        std::error_code error;
        if (std::filesystem::equivalent(output, input, error))
            return WrongUsage(err, "出力ファイル " + request.output + " は入力ファイル " + input.string() +
                                       " と同じファイルです（入力を上書きしません）");
    }
    return kExitOk;
}

ChannelPick ChannelsToTransfer(const CliRequest& request, const LoadedRecord& record, std::ostream& err) {
    const int count = static_cast<int>(record.channels.size());
    ChannelPick pick;
    if (!request.channels) {
        if (count > kMaxChannels)
            Note(err, request.file + "：" + std::to_string(count) + " チャンネルのうち先頭の " +
                          std::to_string(kMaxChannels) + " チャンネルだけを扱います");
        for (int k = 0; k < std::min(count, kMaxChannels); ++k) pick.channels.push_back(k);
        return pick;
    }
    const ChannelPick numbers = NumbersOfChoices(request, record, err);
    if (numbers.status != kExitOk) return numbers;
    for (const int k : numbers.channels) {
        if (std::optional<std::string> missing = MissingChannel(request, record, k)) {
            pick.status = Refuse(err, *missing);
            return pick;
        }
        pick.channels.push_back(k - 1);
    }
    // Marked rows are transferred in the order of the file, a row marked twice once.
    std::vector<int>& indices = pick.channels;
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    if (indices.size() > static_cast<std::size_t>(kMaxChannels))
        pick.status = Refuse(err, AboutFile(request.file, "転送するデータチャンネルが多すぎます"));
    return pick;
}

TransferRead TransferOf(LoadedRecord& record, const std::vector<int>& indices) {
    TransferRead read;
    read.linesRead = record.samplesPerChannel;
    for (const int k : indices) read.columns.push_back(std::move(record.channels[static_cast<std::size_t>(k)]));
    return read;
}

std::vector<ChannelNames> ChannelNamesOf(const LoadedRecord& record) {
    std::vector<ChannelNames> names;
    for (const TransferColumn& channel : record.channels)
        names.push_back({channel.id, channel.name, GalPerUnit(channel.unit).has_value()});
    return names;
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

int FinishOutput(CsvOutput& csv, const CliRequest& request, std::ostream& err) {
    if (!csv.AllFinite())
        return Refuse(err, AboutFile(request.file, "数値にならない値（NaN または無限大）が出たため何も出力しません"));
    if (csv.Finish()) return kExitOk;
    return Refuse(err, "標準出力に書き込めません");
}

}  // namespace tremvix::cli
