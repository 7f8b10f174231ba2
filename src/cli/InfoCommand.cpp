// --info: one row per channel with its texts, length and peak.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "core/analysis/GroundMotionIndices.h"

namespace tremvix::cli {

int RunInfo(const CliRequest& request, const Streams& streams) {
    const std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    CsvOutput csv(streams.out);
    csv.Header({"channel", "id", "name", "unit", "rate_hz", "samples", "peak", "peak_index"});
    int number = 1;
    for (const TransferColumn& channel : record->channels) {
        csv.Integer(number++);
        csv.Text(Utf8Text(channel.id));
        csv.Text(Utf8Text(channel.name));
        csv.Text(Utf8Text(channel.unit));
        csv.Number(record->rate);
        csv.Integer(static_cast<std::int64_t>(channel.samples.size()));
        if (channel.samples.empty()) {
            csv.Empty();
            csv.Empty();
        } else {
            // The first sample of the largest magnitude, with its sign.
            const SamplePeak peak = PeakOf(channel.samples);
            csv.Number(channel.samples[peak.index]);
            csv.Integer(static_cast<std::int64_t>(peak.index));
        }
        csv.EndRow();
    }
    return FinishOutput(csv, request, streams.err);
}

}  // namespace tremvix::cli
