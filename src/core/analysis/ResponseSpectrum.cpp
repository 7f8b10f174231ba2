#include "core/analysis/ResponseSpectrum.h"

#include "core/analysis/OscillatorBlock.h"
#include "core/analysis/SdofRecursion.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>
#include <system_error>
#include <thread>

namespace tremvix {

namespace {

// Below this many oscillator steps a second thread costs more than it saves.
constexpr double kStepsWorthAThread = 2.0e5;

struct WorkBlock {
    std::vector<OscillatorSpec> oscillators;
    std::vector<std::size_t> slots;  // index into the flat peak table
    double cost = 0.0;               // vector steps
};

std::optional<AnalysisRefusal> CheckInput(std::span<const float> acceleration, double dt,
                                          const ResponseSpectrumOptions& options) {
    auto refuse = [](AnalysisRefusalKind kind) { return std::optional<AnalysisRefusal>(AnalysisRefusal{kind}); };
    if (acceleration.size() < 2) {
        return refuse(AnalysisRefusalKind::TooFewSamples);
    }
    if (!std::isfinite(dt) || dt <= 0.0) {
        return refuse(AnalysisRefusalKind::BadSamplingStep);
    }
    if (!std::all_of(acceleration.begin(), acceleration.end(), [](float a) { return std::isfinite(a); })) {
        return refuse(AnalysisRefusalKind::NonFiniteSample);
    }
    if (options.dampings.empty() ||
        !std::all_of(options.dampings.begin(), options.dampings.end(),
                     [](double z) { return std::isfinite(z) && z >= 0.0 && z < 1.0; })) {
        return refuse(AnalysisRefusalKind::BadDamping);
    }
    if (!std::all_of(options.extraPeriods.begin(), options.extraPeriods.end(),
                     [](double t) { return std::isfinite(t) && t > 0.0; }) ||
        (!options.defaultPeriods && options.extraPeriods.empty())) {
        return refuse(AnalysisRefusalKind::BadPeriod);
    }
    return std::nullopt;
}

std::vector<double> PeriodsAskedFor(const ResponseSpectrumOptions& options) {
    std::vector<double> periods = options.defaultPeriods ? DefaultSpectrumPeriods() : std::vector<double>{};
    periods.insert(periods.end(), options.extraPeriods.begin(), options.extraPeriods.end());
    std::sort(periods.begin(), periods.end());
    periods.erase(std::unique(periods.begin(), periods.end()), periods.end());
    return periods;
}

// Oscillators with the same sub-step count go into blocks together; each block is
// one unit of work.
std::vector<WorkBlock> MakeBlocks(const std::vector<double>& periods, const std::vector<double>& dampings,
                                  double dt, std::size_t sampleCount) {
    struct Entry {
        OscillatorSpec spec;
        std::size_t slot;
    };
    std::vector<Entry> entries;
    entries.reserve(dampings.size() * periods.size());
    for (std::size_t d = 0; d < dampings.size(); ++d) {
        for (std::size_t p = 0; p < periods.size(); ++p) {
            const OscillatorSpec spec{2.0 * std::numbers::pi / periods[p], dampings[d],
                                      SubstepsPerSample(periods[p], dt)};
            entries.push_back({spec, d * periods.size() + p});
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.spec.substeps < b.spec.substeps; });

    std::vector<WorkBlock> blocks;
    for (const Entry& e : entries) {
        if (blocks.empty() || blocks.back().oscillators.size() == static_cast<std::size_t>(kOscillatorsPerBlock) ||
            blocks.back().oscillators.front().substeps != e.spec.substeps) {
            blocks.push_back({});
        }
        blocks.back().oscillators.push_back(e.spec);
        // A vector of four oscillators costs the same however many of its lanes are used.
        const double vectors = static_cast<double>((blocks.back().oscillators.size() + 3) / 4);
        blocks.back().cost = static_cast<double>(sampleCount - 1) * e.spec.substeps * vectors;
        blocks.back().slots.push_back(e.slot);
    }
    return blocks;
}

void RunBlock(std::span<const double> ground, double dt, const WorkBlock& block, PeakSet wanted,
              std::vector<OscillatorPeaks>& peaks) {
    OscillatorPeaks out[kOscillatorsPerBlock];
    RunOscillatorBlock(ground, dt, block.oscillators, out, wanted);
    for (std::size_t i = 0; i < block.slots.size(); ++i) {
        peaks[block.slots[i]] = out[i];
    }
}

// The blocks, longest first: taken in this order, the last ones to finish are short.
std::vector<std::size_t> LongestFirst(const std::vector<WorkBlock>& blocks) {
    std::vector<std::size_t> order(blocks.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return blocks[a].cost > blocks[b].cost; });
    return order;
}

int ThreadsFor(const std::vector<WorkBlock>& blocks, int asked) {
    double steps = 0.0;
    for (const WorkBlock& b : blocks) {
        steps += b.cost * 4.0;
    }
    if (steps < kStepsWorthAThread) {
        return 1;
    }
    return std::clamp(asked, 1, static_cast<int>(std::max<std::size_t>(blocks.size(), 1)));
}

// Every thread takes the next block not yet taken, longest first, until none is
// left: a thread that gets less of the processor simply takes fewer blocks. A
// thread that cannot be started leaves its blocks to the others.
void RunShared(std::span<const double> ground, double dt, const std::vector<WorkBlock>& blocks, int threads,
               PeakSet wanted, std::vector<OscillatorPeaks>& peaks) {
    const std::vector<std::size_t> order = LongestFirst(blocks);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t k = next++; k < order.size(); k = next++) {
            RunBlock(ground, dt, blocks[order[k]], wanted, peaks);
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break;
        }
    }
    work();
    for (std::thread& helper : helpers) {
        helper.join();
    }
}

}  // namespace

std::vector<double> DefaultSpectrumPeriods() {
    std::vector<double> periods(kDefaultPeriodCount);
    const double first = std::log(kShortestDefaultPeriod);
    const double span = std::log(kLongestDefaultPeriod) - first;
    for (int i = 0; i < kDefaultPeriodCount; ++i) {
        periods[static_cast<std::size_t>(i)] = std::exp(first + span * i / (kDefaultPeriodCount - 1));
    }
    periods.front() = kShortestDefaultPeriod;
    periods.back() = kLongestDefaultPeriod;
    return periods;
}

ResponseSpectrumResult ComputeResponseSpectrum(std::span<const float> acceleration, double dt,
                                               const ResponseSpectrumOptions& options) {
    ResponseSpectrumResult result;
    result.refusal = CheckInput(acceleration, dt, options);
    if (result.refusal) {
        return result;
    }
    std::vector<double> periods = PeriodsAskedFor(options);
    if (SubstepsPerSample(periods.front(), dt) > kMaxSubsteps) {
        result.refusal = AnalysisRefusal{AnalysisRefusalKind::PeriodTooShort};
        return result;
    }

    const std::vector<double> ground(acceleration.begin(), acceleration.end());
    const std::vector<WorkBlock> blocks = MakeBlocks(periods, options.dampings, dt, ground.size());
    std::vector<OscillatorPeaks> peaks(periods.size() * options.dampings.size());
    RunShared(ground, dt, blocks, ThreadsFor(blocks, options.threads),
              options.velocityOnly ? PeakSet::VelocityOnly : PeakSet::All, peaks);

    for (std::size_t d = 0; d < options.dampings.size(); ++d) {
        DampingSpectrum spectrum{options.dampings[d], {}};
        spectrum.values.reserve(periods.size());
        for (std::size_t p = 0; p < periods.size(); ++p) {
            const OscillatorPeaks& peak = peaks[d * periods.size() + p];
            const double omega = 2.0 * std::numbers::pi / periods[p];
            spectrum.values.push_back({periods[p], peak.sd, peak.sv, peak.sa, omega * peak.sd, omega * omega * peak.sd});
        }
        result.spectra.push_back(std::move(spectrum));
    }
    result.periods = std::move(periods);
    return result;
}

}  // namespace tremvix
