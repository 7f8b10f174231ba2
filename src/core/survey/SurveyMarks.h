#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tremvix {

struct SurveyRow;

// What the stations of the event map are coloured by.
enum class MarkScheme { Intensity, LongPeriod, Pga };

struct LegendEntry {
    std::string label;    // UTF-8: "震度5弱", "階級2", "100–200 gal"
    std::uint32_t color;  // 0x00BBGGRR
};

// The classes of a scheme from the lowest up, each with its colour: the JMA's colour
// scale of the seismic intensity classes (0 … 7), the long-period ground-motion
// classes 0 … 4 in the same hues, and the larger horizontal PGA in ten bands.
const std::vector<LegendEntry>& Legend(MarkScheme scheme);

// The index into Legend(scheme) of a row's class, or nothing when the row has no such
// product (no three components, no horizontals).
std::optional<int> MarkClass(const SurveyRow& row, MarkScheme scheme);

// The band of a horizontal PGA in gal: 0 below 2, … 9 from 1,000.
int PgaBand(double gal);

}  // namespace tremvix
