#pragma once

#include "cli/CliRequest.h"
#include "core/analysis/AnalysisRefusal.h"
#include "core/analysis/ComponentRoles.h"
#include "core/dsp/FilterSettings.h"
#include "core/formats/RecordLoader.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tremvix::cli {

class CsvOutput;

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// The output and message streams of one command.
struct Streams {
    std::ostream& out;
    std::ostream& err;
};

// Messages on the error stream are lines of their own: the dialog padding of ideographic
// spaces at the end of a line is dropped, wherever the text comes from.
std::string WithoutPadding(std::string_view text);
// A message line on the error stream; returns kExitRefused.
int Refuse(std::ostream& err, std::string_view text);
// A message line and the hint to --help; returns kExitUsage.
int WrongUsage(std::ostream& err, std::string_view text);
// "<file>：<text>".
std::string AboutFile(std::string_view file, std::string_view text);
// A note that does not stop the command.
void Note(std::ostream& err, std::string_view text);

// Channels picked for a command: numbers or indices, or the exit status of a refusal
// already said on err.
struct ChannelPick {
    std::vector<int> channels;
    int status = kExitOk;
};

// The request's --channels as channel numbers (from 1), in the order given: a name is
// the channel whose id is that text as the data set window lists it. A name that
// matches no channel or several is wrong usage. Numbers are passed on unchecked.
ChannelPick NumbersOfChoices(const CliRequest& request, const LoadedRecord& record, std::ostream& err);

// The same for channels that stand for components (NS, EW, ...): one channel for two
// of them is wrong usage, as the windows refuse it, whether named by number or by id.
ChannelPick ComponentsOfChoices(const CliRequest& request, const LoadedRecord& record, std::ostream& err);

// Wrong usage (said on err) when the request's output is one of `inputs`, links
// followed; kExitOk otherwise. An output that does not exist yet is none of them.
int CheckOutputIsNotInput(const CliRequest& request, const std::vector<std::filesystem::path>& inputs,
                          std::ostream& err);

// The record of the request's file, or nothing when it was refused (said on err).
// The record's notices go to err as notes.
std::optional<LoadedRecord> LoadRequestedRecord(const CliRequest& request, std::ostream& err);

// Header bytes as text: UTF-8 when they are valid UTF-8, else read as Shift-JIS.
std::string Utf8Text(std::string_view bytes);

// Nothing when channel number k (from 1) is one of the record's, else the message.
std::optional<std::string> MissingChannel(const CliRequest& request, const LoadedRecord& record, int k);

// Channel indices (from 0) to transfer: the request's `--channels` in file order,
// each once, else the first eight (with a note when the record has more). A refusal,
// said on err, when a channel is not the record's or more than eight are asked for.
ChannelPick ChannelsToTransfer(const CliRequest& request, const LoadedRecord& record, std::ostream& err);
// Those channels as a transfer hands them over (their samples move out of `record`).
TransferRead TransferOf(LoadedRecord& record, const std::vector<int>& indices);

// Channel number k of the request's file, or nothing with the message said on err.
const TransferColumn* ChosenChannel(const CliRequest& request, const LoadedRecord& record, int k, std::ostream& err);
// "<file>：<the analysis's refusal>", said on err; returns kExitRefused.
int RefuseAnalysis(const CliRequest& request, const AnalysisRefusal& refusal, std::ostream& err);

// The ids and names of the record's channels, for finding its components by them;
// channels that are no acceleration are passed over.
std::vector<ChannelNames> ChannelNamesOf(const LoadedRecord& record);

// The samples in gal, or nothing when the channel's unit is not an acceleration.
std::optional<std::vector<float>> SamplesInGal(const TransferColumn& channel);
// "<file>：チャンネル K の単位「...」は加速度ではありません".
std::string NotAccelerationText(const CliRequest& request, const TransferColumn& channel, int k);

// "<file>：サンプリング振動数 ... Hz では描画も積分もできません" (see WholeHertz).
std::string UnusableRateText(const CliRequest& request, double rate);

// Ends the output; a failed write is a failure, not a success, and an output holding
// a number that is not finite is refused whole (nothing is written).
int FinishOutput(CsvOutput& csv, const CliRequest& request, std::ostream& err);

}  // namespace tremvix::cli
