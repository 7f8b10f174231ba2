#include "core/data/NumberReader.h"

#include "DataFileTestFiles.h"
#include "support/CommaDecimalLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <cmath>
#include <limits>
#include <string>

namespace tremvix {
namespace {

double Read(const std::string& text) {
    return ReadNumber(text);
}

TEST(NumberReaderTest, PlainSignsAndFractions) {
    EXPECT_EQ(Read("0.12"), 0.12);
    EXPECT_EQ(Read("-0.30"), -0.30);
    EXPECT_EQ(Read("+7"), 7.0);
    EXPECT_EQ(Read(".5"), 0.5);
    EXPECT_EQ(Read("5."), 5.0);
    EXPECT_EQ(Read("-.5e-3"), -0.0005);
    EXPECT_TRUE(std::signbit(Read("-0")));
}

TEST(NumberReaderTest, ExponentNeedsADigit) {
    EXPECT_EQ(Read("1e3"), 1000.0);
    EXPECT_EQ(Read("1E+2"), 100.0);
    EXPECT_EQ(Read("1e"), 1.0);
    EXPECT_EQ(Read("1e+"), 1.0);
    EXPECT_EQ(Read("2.5e-x"), 2.5);
    EXPECT_EQ(Read("1.e5"), 100000.0);
}

TEST(NumberReaderTest, WhiteSpaceSkippedGarbageStops) {
    EXPECT_EQ(Read(" \t\v\f\r\n 3.25"), 3.25);
    EXPECT_EQ(Read("12abc"), 12.0);
    EXPECT_EQ(Read("1.5.6"), 1.5);
    EXPECT_EQ(Read("4,5"), 4.0);
    EXPECT_EQ(Read("3 4"), 3.0);
    EXPECT_EQ(Read("- 3"), 0.0);
}

TEST(NumberReaderTest, NoNumberReadsZero) {
    EXPECT_EQ(Read(""), 0.0);
    EXPECT_EQ(Read("."), 0.0);
    EXPECT_EQ(Read("-"), 0.0);
    EXPECT_EQ(Read("+.e5"), 0.0);
    EXPECT_EQ(Read("gal"), 0.0);
    EXPECT_EQ(Read("\"1.5\""), 0.0);
    // Only decimal numbers: no infinities, NaNs or hexadecimal.
    EXPECT_EQ(Read("inf"), 0.0);
    EXPECT_EQ(Read("nan"), 0.0);
    EXPECT_EQ(Read("0x1A"), 0.0);
}

TEST(NumberReaderTest, StopsAtTheEndGiven) {
    const std::string text = "12345";
    EXPECT_EQ(ReadNumber(text.data(), text.data() + 2), 12.0);
    const std::string exponent = "1e5";
    EXPECT_EQ(ReadNumber(exponent.data(), exponent.data() + 2), 1.0);
}

TEST(NumberReaderTest, OutOfRangeLikeAtof) {
    EXPECT_EQ(Read("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Read("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(Read("123456e305"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Read("1e-400"), 0.0);
    EXPECT_EQ(Read("0.0001e-330"), 0.0);
    EXPECT_EQ(Read("0000.0000"), 0.0);
    EXPECT_EQ(Read(std::string(400, '0') + "1.5"), 1.5);
    EXPECT_EQ(Read("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(NumberReaderTest, SampleRounding) {
    EXPECT_EQ(ToSample(0.1), 0.1f);
    EXPECT_EQ(ToSample(1e39), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ToSample(-1e39), -std::numeric_limits<float>::infinity());
    // Just above the largest float, but nearer to it than to the next power of two.
    EXPECT_EQ(ToSample(3.4028235e38), std::numeric_limits<float>::max());
    EXPECT_EQ(ToSample(0x1.ffffffp+127), std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(ToSample(std::nan(""))));
}

// A comma as decimal point in the C library must not change how files are read.
TEST(NumberReaderTest, IndependentOfTheLocale) {
    const testing::TempFolder folder;
    const locale_support::CommaDecimalLocale locale(folder.Path());
    if (!locale.Active()) {
        GTEST_SKIP() << "no locale with a decimal comma could be set";
    }
    // The C library now reads "0,5" as a half: the locale really is in force.
    ASSERT_EQ(std::strtod("0,5", nullptr), 0.5);
    EXPECT_EQ(Read("0.5"), 0.5);
    EXPECT_EQ(Read("-1.25e2"), -125.0);
    EXPECT_EQ(Read("0,5"), 0.0);
}

}  // namespace
}  // namespace tremvix
