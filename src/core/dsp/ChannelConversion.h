#pragma once

#include "core/dsp/Integrate.h"

namespace tremvix {

class ChannelList;
struct ChannelStore;
struct FilterSettings;

enum class Conversion { Velocity, DisplacementMm, DisplacementCm };

enum class ConversionOutcome {
    Converted,
    NotConvertible,  // refused: the type cell does not allow it
    NothingToDo,     // a displacement of a channel whose file held velocity
    OutOfMemory,     // the filter could not get its work buffer; nothing changed
};

// What integration needs besides the channel: the step and the filter sets.
struct IntegrationSetup {
    float dt = 0.0f;
    IntegrationFilter filter = IntegrationFilter::None;
    const float* bandPass = nullptr;
    const float* lowPass = nullptr;
};

// The step and filter sets of `filters` with the chosen filter. It points into
// `filters`, which must outlive it.
IntegrationSetup IntegrationSetupOf(const FilterSettings& filters, IntegrationFilter filter);

// Integrate with everything but the channel taken from setup.
bool IntegrateWith(const ChannelRecord& source, const IntegrationSetup& setup, ChannelRecord& result);

// Converts the channel of list row `row` (1 to 8) to velocity or displacement,
// writing the velocity and displacement banks, their flags and the row's unit and
// type cells. A refused or failed conversion changes nothing.
ConversionOutcome ConvertChannel(ChannelStore& store, ChannelList& list, int row, Conversion conversion,
                                 const IntegrationSetup& setup);

}  // namespace tremvix
