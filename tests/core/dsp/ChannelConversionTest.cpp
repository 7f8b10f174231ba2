#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "core/dsp/ChannelConversion.h"
#include "core/dsp/FilterSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace tremvix;

namespace {

class Conversions : public ::testing::Test {
protected:
    void SetUp() override {
        filters.StartUp();
        setup = {filters.SamplingInterval, IntegrationFilter::BandPass, filters.BandPass.data(), filters.LowPass.data()};
    }
    // Channel index 0 as a transfer of a unit leaves it.
    void Load(const char* unit, const char* type, bool acceleration) {
        ChannelRecord& r = store->BaseBank[0];
        r.Filled = 1;
        r.SampleCount = 2000;
        r.Samples.resize(2000);
        for (int i = 0; i < 2000; ++i) r.Samples[i] = static_cast<float>(50 * std::sin(2 * M_PI * 2.0 * i * 0.01));
        store->ChannelCount = 1;
        store->IsAcceleration[0] = acceleration;
        list.SetCell(ChannelList::kUnit, 1, unit);
        list.SetCell(ChannelList::kType, 1, type);
    }
    std::string Unit() const { return list.Cell(ChannelList::kUnit, 1); }
    std::string Type() const { return list.Cell(ChannelList::kType, 1); }
    ConversionOutcome Convert(Conversion conversion) { return ConvertChannel(*store, list, 1, conversion, setup); }

    std::unique_ptr<ChannelStore> store = std::make_unique<ChannelStore>();
    ChannelList list;
    FilterSettings filters;
    IntegrationSetup setup;
};

}  // namespace

TEST_F(Conversions, AccelerationToVelocityRewritesUnitAndType) {
    Load("Gal", "A", true);
    EXPECT_EQ(Convert(Conversion::Velocity), ConversionOutcome::Converted);
    EXPECT_EQ(Type(), "V");
    EXPECT_EQ(Unit(), "kine");
    EXPECT_TRUE(store->HasVelocity[0]);
    EXPECT_EQ(store->VelocityBank[0].SampleCount, 2000);
    EXPECT_EQ(store->VelocityBank[0].Samples[0], 0.0f);
    auto expected = std::make_unique<ChannelRecord>();
    Integrate(store->BaseBank[0], setup.dt, setup.filter, setup.bandPass, setup.lowPass, *expected);
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(store->VelocityBank[0].Samples[i], expected->Samples[i]);
    EXPECT_EQ(Convert(Conversion::Velocity), ConversionOutcome::NotConvertible) << "a V row is refused";
}

TEST_F(Conversions, UnitTextsFollowTheExactCell) {
    Load("m/s2", "A", true);
    Convert(Conversion::Velocity);
    EXPECT_EQ(Unit(), "m/s");
    Load("gal", "A", true);
    store->HasVelocity[0] = false;
    Convert(Conversion::Velocity);
    EXPECT_EQ(Unit(), "gal");
}

TEST_F(Conversions, DisplacementFromAccelerationOrFromTheStoredVelocity) {
    Load("Gal", "A", true);
    EXPECT_EQ(Convert(Conversion::DisplacementCm), ConversionOutcome::Converted);
    EXPECT_EQ(Type(), "D");
    EXPECT_EQ(Unit(), "cm");
    EXPECT_TRUE(store->HasVelocity[0]);
    EXPECT_TRUE(store->HasDisplacement[0]);
    const auto cm = std::make_unique<ChannelRecord>(store->DisplacementBank[0]);
    // The cm command integrates twice with the band-pass filter chosen.
    auto v = std::make_unique<ChannelRecord>();
    auto d = std::make_unique<ChannelRecord>();
    Integrate(store->BaseBank[0], setup.dt, IntegrationFilter::BandPass, setup.bandPass, setup.lowPass, *v);
    Integrate(*v, setup.dt, IntegrationFilter::BandPass, setup.bandPass, setup.lowPass, *d);
    EXPECT_EQ(cm->Samples, d->Samples);
    EXPECT_EQ(Convert(Conversion::DisplacementMm), ConversionOutcome::NotConvertible) << "a D row is refused";

    // A second load of the same data, converted to velocity first; then the filter
    // changes, and the displacement in mm integrates the velocity kept from before,
    // which a fresh integration with the new filter would not give.
    store = std::make_unique<ChannelStore>();
    Load("Gal", "A", true);
    Convert(Conversion::Velocity);
    const auto velocity = std::make_unique<ChannelRecord>(store->VelocityBank[0]);
    setup.filter = IntegrationFilter::LowPass;
    EXPECT_EQ(Convert(Conversion::DisplacementMm), ConversionOutcome::Converted);
    EXPECT_EQ(Unit(), "mm");
    EXPECT_EQ(Type(), "D");
    auto expected = std::make_unique<ChannelRecord>();
    ASSERT_TRUE(Integrate(*velocity, setup.dt, IntegrationFilter::LowPass, setup.bandPass, setup.lowPass, *expected));
    auto recomputed = std::make_unique<ChannelRecord>();
    Integrate(store->BaseBank[0], setup.dt, IntegrationFilter::LowPass, setup.bandPass, setup.lowPass, *recomputed);
    ASSERT_NE(recomputed->Samples, velocity->Samples) << "the filters must differ for this test to mean anything";
    EXPECT_EQ(store->VelocityBank[0].Samples, velocity->Samples) << "the stored velocity is kept";
    ASSERT_EQ(store->DisplacementBank[0].SampleCount, 2000);
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(store->DisplacementBank[0].Samples[i], expected->Samples[i] * 10.0f) << "from the stored velocity, " << i;
}

TEST_F(Conversions, RefusedCommandsChangeNothing) {
    const struct {
        const char* type;
        bool acceleration;
        Conversion conversion;
        ConversionOutcome outcome;
    } cases[] = {{"V", false, Conversion::Velocity, ConversionOutcome::NotConvertible},
                 {"D", true, Conversion::Velocity, ConversionOutcome::NotConvertible},
                 {"", false, Conversion::Velocity, ConversionOutcome::NotConvertible},
                 {"D", true, Conversion::DisplacementMm, ConversionOutcome::NotConvertible},
                 {"", false, Conversion::DisplacementCm, ConversionOutcome::NotConvertible},
                 {"V", false, Conversion::DisplacementMm, ConversionOutcome::NothingToDo},
                 {"V", false, Conversion::DisplacementCm, ConversionOutcome::NothingToDo}};
    for (const auto& c : cases) {
        store = std::make_unique<ChannelStore>();
        Load("kine", c.type, c.acceleration);
        EXPECT_EQ(Convert(c.conversion), c.outcome) << c.type;
        EXPECT_EQ(Type(), c.type);
        EXPECT_EQ(Unit(), "kine");
        EXPECT_FALSE(store->HasVelocity[0]);
        EXPECT_FALSE(store->HasDisplacement[0]);
        EXPECT_EQ(store->VelocityBank[0].SampleCount, 0);
        EXPECT_EQ(store->DisplacementBank[0].SampleCount, 0);
    }
}

TEST_F(Conversions, BaseRecordIsNeverChanged) {
    Load("Gal", "A", true);
    const auto before = std::make_unique<ChannelRecord>(store->BaseBank[0]);
    Convert(Conversion::DisplacementMm);
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(store->BaseBank[0].Samples[i], before->Samples[i]);
}
