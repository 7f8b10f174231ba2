// The kernels on a record far longer than the old 30,000-sample records, against the
// straightforward loops written out in the test.
#include "core/data/ChannelRecord.h"
#include "core/dsp/FilterSettings.h"
#include "core/dsp/Fir.h"
#include "core/dsp/Integrate.h"
#include "core/dsp/MovingAverage.h"
#include "support/PlainKernels.h"

#include "support/StartUpFilters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

constexpr int kLong = 200000;

std::vector<float> LongRecord() {
    std::mt19937 random(5);
    std::normal_distribution<float> noise(0.0f, 3.0f);
    std::vector<float> x(kLong);
    for (int i = 0; i < kLong; ++i) x[i] = 80.0f * std::sin(0.0031f * i) + noise(random) + 2.5f;
    return x;
}

const FilterSettings& Sets() { return StartUpFilters(); }

}  // namespace

TEST(LongRecordKernels, FirAndMovingAverageEqualThePlainLoops) {
    const std::vector<float> x = LongRecord();
    std::vector<float> filtered = x;
    ASSERT_TRUE(ApplyFir(FilterSettings::kCoefficients, Sets().LowPass.data(), filtered.data(), kLong));
    EXPECT_EQ(filtered, plain::Fir(Sets().LowPass.data(), FilterSettings::kCoefficients, x));
    std::vector<float> averaged = x;
    ASSERT_TRUE(MovingAverage(7, kLong, averaged.data()));
    EXPECT_EQ(averaged, plain::Mean(x, 7));
}

TEST(LongRecordKernels, IntegrationEqualsThePlainLoopWithEveryFilter) {
    ChannelRecord record;
    record.Filled = 1;
    record.Samples = LongRecord();
    record.SampleCount = kLong;
    const float* sets[] = {nullptr, Sets().BandPass.data(), Sets().LowPass.data()};
    const IntegrationFilter filters[] = {IntegrationFilter::None, IntegrationFilter::BandPass, IntegrationFilter::LowPass};
    for (int f = 0; f < 3; ++f) {
        ChannelRecord velocity;
        ASSERT_TRUE(Integrate(record, 0.01f, filters[f], Sets().BandPass.data(), Sets().LowPass.data(), velocity));
        ASSERT_EQ(velocity.SampleCount, kLong);
        EXPECT_EQ(velocity.Samples, plain::Integral(record.Samples, 0.01f, sets[f], FilterSettings::kCoefficients))
            << "filter " << f;
    }
}
