#pragma once

#include <optional>
#include <string_view>

namespace tremvix {

// Gal (cm/s²) per unit of a channel's unit text, for the analyses that need an
// acceleration in gal: 1 for "gal", "Gal", "cm/s2" and the like, 100 for "m/s2",
// 0.1 for "mm/s2", 980.665 for "g". Nothing for a unit that is not an
// acceleration (velocities, displacements, empty or unknown texts).
std::optional<double> GalPerUnit(std::string_view unit);

}  // namespace tremvix
