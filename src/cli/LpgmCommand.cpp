// --lpgm: the JMA long-period ground-motion class of two horizontal components.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "cli/HorizontalPair.h"
#include "core/analysis/LongPeriodGroundMotion.h"

namespace tremvix::cli {

int RunLpgm(const CliRequest& request, const Streams& streams) {
    const std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    int status = kExitOk;
    const std::optional<HorizontalPair> pair = ChooseHorizontals(request, *record, streams.err, status);
    if (!pair) return status;
    const LongPeriodResult result = ComputeLongPeriodClass(pair->gal[0], pair->gal[1], record->rate);
    if (result.refusal) return RefuseAnalysis(request, *result.refusal, streams.err);

    CsvOutput csv(streams.out);
    csv.Header({"period_s", "sva", "class"});
    for (const LongPeriodRow& row : result.rows) {
        csv.Number(row.period);
        csv.Number(row.sva);
        csv.Integer(row.level);
        csv.EndRow();
    }
    return FinishOutput(csv, request, streams.err);
}

}  // namespace tremvix::cli
