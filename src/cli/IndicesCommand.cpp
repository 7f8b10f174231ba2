// --indices: ground-motion indices of every acceleration channel.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "core/analysis/GroundMotionIndices.h"
#include "core/data/ChannelRecord.h"
#include "core/dsp/ChannelConversion.h"

namespace tremvix::cli {
namespace {

struct ChannelIndices {
    int number = 0;
    std::string id;
    GroundMotionIndices indices;
};

void WriteRow(CsvOutput& csv, const ChannelIndices& row) {
    const GroundMotionIndices& x = row.indices;
    csv.Integer(row.number);
    csv.Text(row.id);
    for (const double value : {x.pga, x.pgaTime, x.pgv, x.pgd, x.arias}) csv.Number(value);
    if (x.d5_95) csv.Number(*x.d5_95);
    else csv.Empty();
    csv.Number(x.cav);
    csv.EndRow();
}

}  // namespace

int RunIndices(const CliRequest& request, const Streams& streams) {
    std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    // The integration is the main window's: its filter sets for its whole-number rate.
    const std::optional<std::int32_t> rate = WholeHertz(record->rate);
    if (!rate) return Refuse(streams.err, UnusableRateText(request, record->rate));
    const FilterSettings filters = FilterSettings::AtRate(*rate);
    const IntegrationSetup setup = IntegrationSetupOf(filters, request.integration);

    // Everything is computed before anything is written, so a refusal leaves no rows.
    std::vector<ChannelIndices> rows;
    for (std::size_t k = 0; k < record->channels.size(); ++k) {
        const TransferColumn& channel = record->channels[k];
        std::optional<std::vector<float>> gal = SamplesInGal(channel);
        if (!gal) continue;
        const int number = static_cast<int>(k) + 1;
        ChannelIndices row{number, Utf8Text(channel.id),
                           ComputeGroundMotionIndices(FilledRecord(std::move(*gal)), setup, record->rate)};
        if (row.indices.refusal)
            return Refuse(streams.err, AboutFile(request.file, "チャンネル " + std::to_string(number) + "：" +
                                                                   AnalysisRefusalText(*row.indices.refusal)));
        rows.push_back(std::move(row));
    }
    if (rows.empty()) Note(streams.err, request.file + "：加速度のチャンネルがありません");

    CsvOutput csv(streams.out);
    csv.Header({"channel", "id", "pga", "pga_time_s", "pgv", "pgd", "arias", "d5_95", "cav"});
    for (const ChannelIndices& row : rows) WriteRow(csv, row);
    return FinishOutput(csv, request, streams.err);
}

}  // namespace tremvix::cli
