#pragma once

#include "core/data/DataFileReader.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tremvix::formats {

// One row of a WIN32 channel table: fields separated by blanks, '#' starting a
// comment line: channel id (hex), record flag, delay, station, component, monitor
// scale, A/D bits, sensitivity (V per unit), unit, natural period, damping, gain (dB),
// LSB value (V), then the station's position and corrections.
struct Win32TableRow {
    std::uint16_t id = 0;
    std::string station, component, unit;
    double sensitivity = 0.0, gainDb = 0.0, lsb = 0.0;
};

using Win32Table = std::map<std::uint16_t, Win32TableRow>;

// The first row of the beginning of a file reads as a channel table row.
bool LooksLikeChannelTable(std::string_view head);

// Every row; a row that does not read is refused with its line.
std::optional<Refusal> ReadChannelTable(const std::filesystem::path& file, Win32Table& table);

// A count in the program's unit: count × LSB / (sensitivity × 10^(gain/20)) in the
// table's unit, m/s² to gal, m/s to kine and m to mm; other units as they are.
struct Win32Scale {
    std::string unit;
    double factor = 1.0;
};
Win32Scale ScaleOf(const Win32TableRow& row);

}  // namespace tremvix::formats
