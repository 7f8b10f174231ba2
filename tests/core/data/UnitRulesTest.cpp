#include "core/data/UnitRules.h"

#include <gtest/gtest.h>

#include <string>

namespace tremvix {
namespace {

void ExpectUnit(const char* unit, const std::string& type, bool acceleration) {
    const UnitRecognition r = RecogniseUnit(unit);
    EXPECT_EQ(std::string(r.typeCell), type) << unit;
    EXPECT_EQ(r.acceleration, acceleration) << unit;
}

TEST(UnitRulesTest, KnownUnits) {
    ExpectUnit("gal", "A", true);
    ExpectUnit("Gal", "A", true);
    ExpectUnit("m/s2", "A", true);
    ExpectUnit("cm/s2", "A", true);
    ExpectUnit("kine", "V", false);
    ExpectUnit("mm", "D", false);
}

TEST(UnitRulesTest, LastHitWinsAccelerationStays) {
    ExpectUnit("mm/s2", "D", true);
    ExpectUnit("gal kine", "V", true);
    ExpectUnit("kine mm", "D", false);
}

TEST(UnitRulesTest, NoHitIsEmptyAndCaseMatters) {
    ExpectUnit("cm", "", false);
    ExpectUnit("m/s", "", false);
    ExpectUnit("GAL", "", false);
    ExpectUnit("", "", false);
    ExpectUnit("KINE", "", false);
}

}  // namespace
}  // namespace tremvix
