#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tremvix {

enum class ComponentRole { NorthSouth, EastWest, UpDown };

// The direction a channel's id or point name names, read from their words:
// "NS", "N-S", "NS2", "1F-NS" give north-south; "EW", "E-W" east-west; "UD", "UP",
// "U-D", "V", "VERT" up-down; an id that is an azimuth in degrees ("000", "180",
// "090", "270") a horizontal. Nothing when neither text says.
std::optional<ComponentRole> RoleOf(const std::string& id, const std::string& name);

struct ChannelNames {
    std::string id;
    std::string name;
    bool acceleration = true;  // false: passed over when components are looked for
};

// Indices of the first north-south, east-west and up-down channels among the
// accelerations, in that order; nothing unless all three are found.
std::optional<std::array<int, 3>> FindThreeComponents(const std::vector<ChannelNames>& channels);

// Indices of the first north-south and east-west channels among the accelerations.
std::optional<std::array<int, 2>> FindTwoHorizontals(const std::vector<ChannelNames>& channels);

}  // namespace tremvix
