#include "core/dsp/FilterSettings.h"
#include "core/dsp/Integrate.h"

#include "support/StartUpFilters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

using namespace tremvix;

namespace {

constexpr float kDt = 0.01f;

const FilterSettings& Sets() { return StartUpFilters(); }

std::unique_ptr<ChannelRecord> RecordOf(const std::vector<float>& samples) {
    auto record = std::make_unique<ChannelRecord>();
    record->Filled = 1;
    std::strcpy(record->ChannelId, "CH01");
    std::strcpy(record->PointName, "1F-NS");
    std::strcpy(record->Memo, "memo");
    std::strcpy(record->Unit, "Gal");
    record->SampleCount = static_cast<std::int32_t>(samples.size());
    record->Samples = samples;
    return record;
}

std::vector<float> Integrated(const ChannelRecord& source, IntegrationFilter filter) {
    auto result = std::make_unique<ChannelRecord>();
    EXPECT_TRUE(Integrate(source, kDt, filter, Sets().BandPass.data(), Sets().LowPass.data(),
                          *result));
    EXPECT_EQ(result->Samples.size(), static_cast<std::size_t>(result->SampleCount));
    return result->Samples;
}

}  // namespace

TEST(Integrate, ConstantRecordIntegratesToZeroWithAnyFilter) {
    const auto source = RecordOf(std::vector<float>(2000, 1.0f));
    for (const auto filter :
         {IntegrationFilter::None, IntegrationFilter::BandPass, IntegrationFilter::LowPass}) {
        EXPECT_EQ(Integrated(*source, filter), std::vector<float>(2000, 0.0f));
    }
}

TEST(Integrate, RectangleRuleAfterMeanRemoval) {
    EXPECT_EQ(Integrated(*RecordOf({1.0f, -1.0f, 1.0f, -1.0f}), IntegrationFilter::None),
              (std::vector<float>{0.0f, kDt, 0.0f, kDt}));
    EXPECT_EQ(Integrated(*RecordOf({2.0f, 4.0f}), IntegrationFilter::None),
              (std::vector<float>{0.0f, -kDt}));
    EXPECT_EQ(Integrated(*RecordOf({5.0f}), IntegrationFilter::None), std::vector<float>{0.0f});
}

TEST(Integrate, ResultKeepsTheSourceTextAndCount) {
    const auto source = RecordOf({1.0f, 2.0f, 3.0f});
    auto result = RecordOf(std::vector<float>(10, 42.0f));
    ASSERT_TRUE(Integrate(*source, kDt, IntegrationFilter::BandPass, Sets().BandPass.data(),
                          Sets().LowPass.data(), *result));
    EXPECT_EQ(result->Filled, 1);
    EXPECT_STREQ(result->PointName, "1F-NS");
    EXPECT_STREQ(result->Memo, "memo");
    EXPECT_STREQ(result->Unit, "Gal");
    EXPECT_EQ(result->SampleCount, 3);
    ASSERT_EQ(result->Samples.size(), 3u) << "nothing stale past the count";
    EXPECT_EQ(result->Samples[0], 0.0f);
}

TEST(Integrate, EmptyOrCorruptCounts) {
    EXPECT_TRUE(Integrated(*RecordOf({}), IntegrationFilter::BandPass).empty());

    auto source = RecordOf({});
    source->SampleCount = -5;
    EXPECT_TRUE(Integrated(*source, IntegrationFilter::LowPass).empty());

    // A count past the samples held reads only those.
    source->Samples.assign(300, 1.0f);
    source->SampleCount = 400;
    EXPECT_EQ(Integrated(*source, IntegrationFilter::None), std::vector<float>(300, 0.0f));
}

TEST(Integrate, InPlaceGivesTheSameResult) {
    std::vector<float> samples(1500);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<float>(std::sin(0.05 * static_cast<double>(i)) * 50.0 + 3.0);
    }
    const auto source = RecordOf(samples);
    const std::vector<float> separate = Integrated(*source, IntegrationFilter::BandPass);
    ASSERT_TRUE(Integrate(*source, kDt, IntegrationFilter::BandPass, Sets().BandPass.data(),
                          Sets().LowPass.data(), *source));
    EXPECT_EQ(source->Samples, separate);
    EXPECT_STREQ(source->PointName, "1F-NS");
}

// 100 Gal at 2 Hz, 30 s at 100 samples per second. Away from the ends, where the
// filter sees zeros, the velocity is the rectangle-rule integral of the sine up
// to a constant: -A dt / (2 sin(w dt/2)) cos(w (i - 1/2) dt).
TEST(Integrate, SineAccelerationGivesItsVelocityThroughTheBandPass) {
    constexpr int n = 3000;
    constexpr double amplitude = 100.0;
    const double w = 2.0 * std::numbers::pi * 2.0;
    std::vector<float> acceleration(n);
    for (int i = 0; i < n; ++i) {
        acceleration[i] = static_cast<float>(amplitude * std::sin(w * i * kDt));
    }
    const std::vector<float> velocity =
        Integrated(*RecordOf(acceleration), IntegrationFilter::BandPass);
    ASSERT_EQ(velocity.size(), static_cast<std::size_t>(n));
    EXPECT_EQ(velocity[0], 0.0f);

    const double scale = amplitude * kDt / (2.0 * std::sin(w * kDt / 2.0));  // about A / w
    const int first = 600;
    const int last = n - 600;
    double offset = 0.0;
    for (int i = first; i < last; ++i) {
        offset += velocity[i] + scale * std::cos(w * (i - 0.5) * kDt);
    }
    offset /= (last - first);
    for (int i = first; i < last; ++i) {
        const double expected = -scale * std::cos(w * (i - 0.5) * kDt) + offset;
        // The band-pass gain at 2 Hz is about 0.998.
        EXPECT_NEAR(velocity[i], expected, 0.005 * scale) << i;
    }
}
