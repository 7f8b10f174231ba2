#include "core/data/UnitRules.h"

namespace tremvix {
namespace {

struct UnitRule {
    std::string_view substring;
    const char* typeCell;
    bool acceleration;
};

constexpr UnitRule kUnitRules[] = {
    {"gal", "A", true}, {"Gal", "A", true}, {"m/s2", "A", true}, {"kine", "V", false}, {"mm", "D", false},
};

}  // namespace

UnitRecognition RecogniseUnit(std::string_view unit) {
    UnitRecognition result{"", false};
    for (const UnitRule& rule : kUnitRules) {
        if (unit.find(rule.substring) != std::string_view::npos) {
            result.typeCell = rule.typeCell;
            result.acceleration = result.acceleration || rule.acceleration;
        }
    }
    return result;
}

}  // namespace tremvix
