// --rotd: orientation-independent spectra of two horizontal components.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "cli/HorizontalPair.h"
#include "core/analysis/RotatedSpectrum.h"

namespace tremvix::cli {

int RunRotd(const CliRequest& request, const Streams& streams) {
    if (request.dampings.size() != 1) return WrongUsage(streams.err, "--rotd の --damping は一つだけ指定してください");
    const std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    int status = kExitOk;
    const std::optional<HorizontalPair> pair = ChooseHorizontals(request, *record, streams.err, status);
    if (!pair) return status;
    RotatedSpectrumOptions options;
    options.damping = request.dampings.front();
    if (request.periods) options.periods = *request.periods;
    const RotatedSpectrumResult result = ComputeRotatedSpectrum(pair->gal[0], pair->gal[1], record->rate, options);
    if (result.refusal) return RefuseAnalysis(request, *result.refusal, streams.err);

    CsvOutput csv(streams.out);
    csv.Header({"period_s", "psa_a", "psa_b", "rotd00", "rotd50", "rotd100", "angle100_deg", "gmroti50"});
    for (const RotatedSpectrumRow& row : result.rows) {
        for (const double value : {row.period, row.psaA, row.psaB, row.rotd00, row.rotd50, row.rotd100}) csv.Number(value);
        csv.Integer(row.angle100);
        csv.Number(row.gmroti50);
        csv.EndRow();
    }
    return FinishOutput(csv, request, streams.err);
}

}  // namespace tremvix::cli
