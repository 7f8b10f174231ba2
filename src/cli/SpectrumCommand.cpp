// --spectrum: elastic response spectra of one acceleration channel.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "core/analysis/AccelerationUnit.h"
#include "core/analysis/ResponseSpectrum.h"

namespace tremvix::cli {

int RunSpectrum(const CliRequest& request, const Streams& streams) {
    const std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    const TransferColumn* channel = ChosenChannel(request, *record, request.channel, streams.err);
    if (!channel) return kExitRefused;
    // The samples are used as stored; the unit only has to be an acceleration.
    if (!GalPerUnit(channel->unit))
        return Refuse(streams.err, NotAccelerationText(request, *channel, request.channel));

    ResponseSpectrumOptions options;
    options.dampings = request.dampings;
    if (request.periods) {
        options.defaultPeriods = false;
        options.extraPeriods = *request.periods;
    }
    const ResponseSpectrumResult result = ComputeResponseSpectrum(channel->samples, 1.0 / record->rate, options);
    if (result.refusal) return RefuseAnalysis(request, *result.refusal, streams.err);

    CsvOutput csv(streams.out);
    csv.Header({"damping", "period_s", "sd", "sv", "sa", "psv", "psa"});
    for (const DampingSpectrum& spectrum : result.spectra) {
        for (const SpectrumValues& values : spectrum.values) {
            csv.Number(spectrum.damping);
            for (const double value : {values.period, values.sd, values.sv, values.sa, values.psv, values.psa})
                csv.Number(value);
            csv.EndRow();
        }
    }
    return FinishOutput(csv, request, streams.err);
}

}  // namespace tremvix::cli
