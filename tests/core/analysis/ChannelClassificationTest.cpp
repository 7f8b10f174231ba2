#include "core/analysis/AccelerationUnit.h"
#include "core/analysis/ComponentRoles.h"

#include <gtest/gtest.h>

using namespace tremvix;

TEST(GalPerUnit, AccelerationUnitsAndOnlyThem) {
    for (const char* gal : {"gal", "Gal", "GAL", " gal ", "cm/s2", "cm/s/s", "cm/s^2", "gal(cm/s/s)"})
        EXPECT_EQ(GalPerUnit(gal), 1.0) << gal;
    EXPECT_EQ(GalPerUnit("m/s2"), 100.0);
    EXPECT_EQ(GalPerUnit("m/s^2"), 100.0);
    EXPECT_EQ(GalPerUnit("mm/s2"), 0.1);
    EXPECT_EQ(GalPerUnit("g"), 980.665);
    for (const char* other : {"kine", "cm/s", "mm", "cm", "m/s", "", "galx", "V"})
        EXPECT_FALSE(GalPerUnit(other)) << other;
    // Converted in double and rounded once; gal stays bit for bit.
    const std::vector<float> samples = {0.1f, -2.5f, 3.0e-7f};
    EXPECT_EQ(SamplesInGal(samples, 1.0), samples);
    EXPECT_EQ(SamplesInGal(samples, 100.0),
              (std::vector<float>{static_cast<float>(0.1f * 100.0), -250.0f, static_cast<float>(3.0e-7f * 100.0)}));
}

TEST(ComponentRoles, WordsOfIdsAndNames) {
    EXPECT_EQ(RoleOf("NS", ""), ComponentRole::NorthSouth);
    EXPECT_EQ(RoleOf("NS2", ""), ComponentRole::NorthSouth);
    EXPECT_EQ(RoleOf("ACC-EW", ""), ComponentRole::EastWest);
    EXPECT_EQ(RoleOf("CH3", "1F-UD"), ComponentRole::UpDown);
    EXPECT_EQ(RoleOf("N-S", ""), ComponentRole::NorthSouth);
    EXPECT_EQ(RoleOf("UP", ""), ComponentRole::UpDown);
    EXPECT_EQ(RoleOf("090", ""), ComponentRole::EastWest);
    EXPECT_EQ(RoleOf("180", ""), ComponentRole::NorthSouth);
    EXPECT_EQ(RoleOf("000", ""), ComponentRole::NorthSouth);
    // Shift-JIS bytes around the word do not hide it; letters inside words do not count.
    EXPECT_EQ(RoleOf("", "1\x8a\x4b\x8f\xb0 EW"), ComponentRole::EastWest);
    EXPECT_FALSE(RoleOf("NEWS", "CONSTANT"));
    EXPECT_FALSE(RoleOf("045", "X"));
    EXPECT_FALSE(RoleOf("CH1", ""));
}

TEST(ComponentRoles, SeismologysChannelCodesAndOrientationLetters) {
    EXPECT_EQ(RoleOf("HNN", "SM.SMPH.00"), ComponentRole::NorthSouth);
    EXPECT_EQ(RoleOf("BHE", ""), ComponentRole::EastWest);
    EXPECT_EQ(RoleOf("HHZ", ""), ComponentRole::UpDown);
    EXPECT_FALSE(RoleOf("EL", ""));
    EXPECT_EQ(RoleOf("U", "N.SMPH"), ComponentRole::UpDown);
    EXPECT_EQ(RoleOf("E", ""), ComponentRole::EastWest);
    // Not an orientation, not a seismometer's instrument code, or not upper case.
    EXPECT_FALSE(RoleOf("HN1", ""));
    EXPECT_FALSE(RoleOf("HXN", ""));
    EXPECT_FALSE(RoleOf("hnn", ""));
    EXPECT_FALSE(RoleOf("X", ""));
}

TEST(ComponentRoles, TheFirstOfEachDirectionInListOrder) {
    // KiK-net lists the surface first: those are taken.
    const std::vector<ChannelNames> kik = {{"NS2", ""}, {"EW2", ""}, {"UD2", ""}, {"NS1", ""}, {"EW1", ""}, {"UD1", ""}};
    EXPECT_EQ(FindThreeComponents(kik), (std::array<int, 3>{0, 1, 2}));
    const std::vector<ChannelNames> shuffled = {{"UP", ""}, {"090", ""}, {"000", ""}};
    EXPECT_EQ(FindThreeComponents(shuffled), (std::array<int, 3>{2, 1, 0}));
    EXPECT_FALSE(FindThreeComponents({{"NS", ""}, {"EW", ""}, {"X", ""}}));
    // Only accelerations count: a velocity named UD is passed over.
    const std::vector<ChannelNames> mixed = {{"UD", "", false}, {"NS", ""}, {"EW", ""}, {"UD", ""}};
    EXPECT_EQ(FindThreeComponents(mixed), (std::array<int, 3>{1, 2, 3}));
}
