#include "core/dsp/ChannelConversion.h"

#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "core/dsp/FilterSettings.h"

#include <memory>
#include <utility>

namespace tremvix {

IntegrationSetup IntegrationSetupOf(const FilterSettings& filters, IntegrationFilter filter) {
    return {filters.SamplingInterval, filter, filters.BandPass.data(), filters.LowPass.data()};
}

bool IntegrateWith(const ChannelRecord& source, const IntegrationSetup& setup, ChannelRecord& result) {
    return Integrate(source, setup.dt, setup.filter, setup.bandPass, setup.lowPass, result);
}

ConversionOutcome ConvertChannel(ChannelStore& store, ChannelList& list, int row, Conversion conversion,
                                 const IntegrationSetup& setup) {
    if (row < 1 || row > kMaxChannels) return ConversionOutcome::NotConvertible;
    const int c = row - 1;
    const std::string type = list.Cell(ChannelList::kType, row);
    if (conversion == Conversion::Velocity) {
        if (type != "A") return ConversionOutcome::NotConvertible;
        if (store.IsAcceleration[c] && !store.HasVelocity[c]) {
            if (!IntegrateWith(store.BaseBank[c], setup, store.VelocityBank[c])) return ConversionOutcome::OutOfMemory;
            store.HasVelocity[c] = true;
            const std::string& unit = list.Cell(ChannelList::kUnit, row);
            if (unit == "m/s2") list.SetCell(ChannelList::kUnit, row, "m/s");
            else if (unit == "Gal") list.SetCell(ChannelList::kUnit, row, "kine");
        }
        list.SetCell(ChannelList::kType, row, "V");
        return ConversionOutcome::Converted;
    }

    if (type != "A" && type != "V") return ConversionOutcome::NotConvertible;
    if (!store.IsAcceleration[c]) return ConversionOutcome::NothingToDo;
    // Worked out aside so that a failure leaves both banks as they were.
    const auto velocity = std::make_unique<ChannelRecord>();
    const bool haveVelocity = store.HasVelocity[c];
    if (!haveVelocity && !IntegrateWith(store.BaseBank[c], setup, *velocity)) return ConversionOutcome::OutOfMemory;
    const ChannelRecord& from = haveVelocity ? store.VelocityBank[c] : *velocity;
    const auto displacement = std::make_unique<ChannelRecord>();
    if (!IntegrateWith(from, setup, *displacement)) return ConversionOutcome::OutOfMemory;
    if (!haveVelocity) {
        store.VelocityBank[c] = std::move(*velocity);
        store.HasVelocity[c] = true;
    }
    store.DisplacementBank[c] = std::move(*displacement);
    store.HasDisplacement[c] = true;
    if (conversion == Conversion::DisplacementMm) {
        list.SetCell(ChannelList::kUnit, row, "mm");
        ChannelRecord& d = store.DisplacementBank[c];
        for (float& sample : d.Samples) sample = sample * 10.0f;
    } else {
        list.SetCell(ChannelList::kUnit, row, "cm");
    }
    list.SetCell(ChannelList::kType, row, "D");
    return ConversionOutcome::Converted;
}

}  // namespace tremvix
