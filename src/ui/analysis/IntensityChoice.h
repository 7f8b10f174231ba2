#pragma once

#include "core/analysis/JmaIntensity.h"
#include "ui/analysis/LoadedChannels.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace tremvix {
class FourierTransformer;
}

// Store indices of the NS, EW and UD components; -1 where none is chosen.
using ComponentPicks = std::array<int, 3>;

// The first north-south, east-west and up-down accelerations found by their ids and
// point names, or none unless all three are.
std::optional<ComponentPicks> FindComponents(const std::vector<LoadedChannel>& channels);

// Whether three acceleration channels are loaded, as an intensity needs.
bool AnyIntensityPossible(const std::vector<LoadedChannel>& channels);

// With a refusal (message text, house style, and caption) there is no intensity.
struct IntensityOutcome {
    std::optional<tremvix::JmaIntensity> intensity;
    QString refusal;
    QString caption;
};

// The JMA instrumental intensity of the three picked channels, converted to gal,
// sampled at `rate` Hz. Refused: fewer than three acceleration channels loaded, a
// component not chosen, one channel chosen twice, a unit that is not an
// acceleration, and whatever the computation refuses (lengths that differ, ...).
IntensityOutcome ComputeIntensityOf(const std::vector<LoadedChannel>& channels, const ComponentPicks& picks, double rate,
                                    tremvix::FourierTransformer& transformer);
