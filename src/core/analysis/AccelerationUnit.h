#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tremvix {

// Gal (cm/s²) per unit of a channel's unit text, for the analyses that need an
// acceleration in gal: 1 for "gal", "Gal", "cm/s2" and the like, 100 for "m/s2",
// 0.1 for "mm/s2", 980.665 for "g". Nothing for a unit that is not an
// acceleration (velocities, displacements, empty or unknown texts).
std::optional<double> GalPerUnit(std::string_view unit);

// The samples in gal: each one times galPerUnit in double precision, rounded once to
// a float; a factor of 1 keeps them as they are.
std::vector<float> SamplesInGal(std::span<const float> samples, double galPerUnit);

}  // namespace tremvix
