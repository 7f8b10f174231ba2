// --fourier: the Fourier amplitude spectrum of one channel, optionally smoothed.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "core/analysis/FourierSpectrum.h"
#include "core/analysis/FourierTransformer.h"
#include "core/analysis/ParzenSmoothing.h"

namespace tremvix::cli {

int RunFourier(const CliRequest& request, const Streams& streams) {
    const std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    const TransferColumn* channel = ChosenChannel(request, *record, request.channel, streams.err);
    if (!channel) return kExitRefused;

    FourierTransformer transformer;
    FourierSpectrum spectrum = ComputeFourierSpectrum(channel->samples, 1.0 / record->rate, {}, transformer);
    if (spectrum.refusal) return RefuseAnalysis(request, *spectrum.refusal, streams.err);
    if (request.smoothing) {
        SmoothedSpectrum smoothed =
            SmoothParzen(spectrum.amplitudes, spectrum.frequencyStep, *request.smoothing, transformer);
        if (smoothed.refusal) return RefuseAnalysis(request, *smoothed.refusal, streams.err);
        spectrum.amplitudes = std::move(smoothed.amplitudes);
    }

    CsvOutput csv(streams.out);
    csv.Header({"frequency_hz", "amplitude"});
    for (std::size_t k = 0; k < spectrum.frequencies.size(); ++k) {
        csv.Number(spectrum.frequencies[k]);
        csv.Number(spectrum.amplitudes[k]);
        csv.EndRow();
    }
    return FinishOutput(csv, request, streams.err);
}

}  // namespace tremvix::cli
