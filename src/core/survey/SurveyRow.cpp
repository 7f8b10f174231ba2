#include "core/survey/SurveyRow.h"

#include "core/analysis/AccelerationUnit.h"
#include "core/analysis/ComponentRoles.h"
#include "core/analysis/GroundMotionIndices.h"
#include "core/analysis/JmaIntensity.h"
#include "core/analysis/LongPeriodGroundMotion.h"
#include "core/analysis/ResponseSpectrum.h"
#include "core/analysis/SpectrumIntensity.h"
#include "core/data/ChannelRecord.h"
#include "core/dsp/ChannelConversion.h"
#include "core/dsp/FilterSettings.h"
#include "core/formats/RecordLoader.h"
#include "core/data/TextCodec.h"

#include <algorithm>
#include <vector>

namespace tremvix {
namespace {

using Samples = std::vector<float>;

std::optional<double> Larger(std::optional<double> a, std::optional<double> b) {
    if (!a || !b) return std::nullopt;
    return std::max(*a, *b);
}

// The pga (and pgv when asked) of one channel, as --indices computes them.
struct Peaks {
    std::optional<double> pga, pgv;
};

Peaks PeaksOf(const Samples& gal, double rate, bool withVelocity) {
    const std::optional<std::int32_t> whole = WholeHertz(rate);
    if (!whole) return {};
    const FilterSettings filters = FilterSettings::AtRate(*whole);
    const IntegrationSetup setup = IntegrationSetupOf(filters, IntegrationFilter::BandPass);
    const PeakMotion peaks = ComputePeakMotion(FilledRecord(gal), setup, rate, withVelocity);
    if (peaks.refusal) return {};
    return {peaks.pga, peaks.pgv};
}

std::optional<double> SiOf(const Samples& gal, double rate) {
    const SiResult si = ComputeSpectrumIntensity(gal, rate, kSiIntervals, 1);  // the workers are the parallelism
    return si.refusal ? std::nullopt : std::optional<double>(si.si);
}

std::array<std::optional<double>, kSurveyPeriods.size()> SaOf(const Samples& gal, double rate) {
    ResponseSpectrumOptions options;
    options.dampings = {kDefaultDamping};
    options.defaultPeriods = false;
    options.extraPeriods.assign(kSurveyPeriods.begin(), kSurveyPeriods.end());
    options.threads = 1;  // the survey's workers are the parallelism
    const ResponseSpectrumResult result = ComputeResponseSpectrum(gal, 1.0 / rate, options);
    std::array<std::optional<double>, kSurveyPeriods.size()> sa;
    if (result.refusal) return sa;
    for (std::size_t k = 0; k < sa.size(); ++k) {
        const auto& values = result.spectra.front().values;
        const auto found = std::find_if(values.begin(), values.end(),
                                        [&](const SpectrumValues& v) { return v.period == kSurveyPeriods[k]; });
        if (found != values.end()) sa[k] = found->sa;
    }
    return sa;
}

void AddHorizontals(SurveyRow& row, const Samples& ns, const Samples& ew, double rate) {
    const Peaks peaksNs = PeaksOf(ns, rate, true), peaksEw = PeaksOf(ew, rate, true);
    row.pgaNs = peaksNs.pga;
    row.pgaEw = peaksEw.pga;
    row.pgvH = Larger(peaksNs.pgv, peaksEw.pgv);
    const LongPeriodResult lpgm = ComputeLongPeriodClass(ns, ew, rate);
    if (!lpgm.refusal) {
        const auto largest = std::max_element(lpgm.rows.begin(), lpgm.rows.end(),
                                              [](const LongPeriodRow& a, const LongPeriodRow& b) { return a.sva < b.sva; });
        row.lpgmSva = largest->sva;
        row.lpgmPeriod = largest->period;
        row.lpgmClass = lpgm.level;
    }
    row.siH = Larger(SiOf(ns, rate), SiOf(ew, rate));
    const auto saNs = SaOf(ns, rate), saEw = SaOf(ew, rate);
    for (std::size_t k = 0; k < row.sa.size(); ++k) row.sa[k] = Larger(saNs[k], saEw[k]);
}

void AddIntensity(SurveyRow& row, const Samples& ns, const Samples& ew, const Samples& ud, double rate) {
    const JmaIntensity intensity = ComputeJmaIntensity(ns, ew, ud, rate);
    if (intensity.refusal) return;
    row.intensity = intensity.intensity;
    row.reported = intensity.reported;
    row.intensityClass = intensity.intensityClass;
}

}  // namespace

SurveyRow ComputeSurveyRow(const LoadedRecord& record) {
    SurveyRow row;
    row.layout = record.layoutName;
    row.rate = record.rate;
    row.samples = record.samplesPerChannel;
    if (!record.channels.empty()) row.station = TextAsUtf8(record.channels.front().name);

    std::vector<ChannelNames> names;
    for (const TransferColumn& channel : record.channels)
        names.push_back({channel.id, channel.name, GalPerUnit(channel.unit).has_value()});
    const auto gal = [&](int k) {
        const TransferColumn& channel = record.channels[static_cast<std::size_t>(k)];
        return SamplesInGal(channel.samples, *GalPerUnit(channel.unit));
    };
    const std::optional<std::array<int, 2>> horizontals = FindTwoHorizontals(names);
    if (!horizontals) return row;
    const Samples ns = gal((*horizontals)[0]), ew = gal((*horizontals)[1]);
    AddHorizontals(row, ns, ew, record.rate);
    // The vertical is the first one among the accelerations, as --intensity finds it.
    if (const std::optional<std::array<int, 3>> three = FindThreeComponents(names)) {
        const Samples ud = gal((*three)[2]);
        row.pgaUd = PeaksOf(ud, record.rate, false).pga;
        if ((*three)[0] == (*horizontals)[0] && (*three)[1] == (*horizontals)[1])
            AddIntensity(row, ns, ew, ud, record.rate);
        else
            AddIntensity(row, gal((*three)[0]), gal((*three)[1]), ud, record.rate);
    }
    return row;
}

}  // namespace tremvix
