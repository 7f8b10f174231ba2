#pragma once

#include <string_view>

namespace tremvix {

// What the transfer derives from a channel's unit text: the channel list's type
// cell ("A", "V", "D" or "") and whether the channel is an acceleration.
struct UnitRecognition {
    const char* typeCell;
    bool acceleration;
};

// Case-sensitive substring search in the order gal, Gal, m/s2, kine, mm; every hit
// overwrites the type, so the last one wins ("mm/s2" gives "D"), while an
// acceleration hit stays set.
UnitRecognition RecogniseUnit(std::string_view unit);

}  // namespace tremvix
