#include "core/data/NumberReader.h"

#include "DataFileTestFiles.h"
#include "support/CommaDecimalLocale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <cmath>
#include <limits>
#include <random>
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

// Every decimal text reads as the nearest double, whichever way it is computed:
// checked against the C library's strtod on texts at the edges of exact arithmetic
// (2^53, 10^22, nineteen and twenty digits) and on many random ones.
TEST(NumberReaderTest, NearestDoubleLikeStrtod) {
    const auto expectLikeStrtod = [](const std::string& text) {
        const double want = std::strtod(text.c_str(), nullptr);
        const double got = Read(text);
        EXPECT_EQ(std::signbit(got), std::signbit(want)) << text;
        EXPECT_EQ(got, want) << text;
    };
    for (const char* text :
         {"9007199254740992", "9007199254740993", "9007199254740995", "900719925474099.3", "1e22", "1e23", "3e22",
          "9007199254740991e22", "9007199254740993e-22", "4.9e-22", "1234567890123456789", "12345678901234567891",
          "0.1234567890123456789", "-1.7976931348623157e308", "2.2250738585072014e-308", "123456789e-30",
          "-0.000", "1e+022", "1e-022", "1e0000000000000000000000000000022", "8.589973e9", "0.30000000000000004"}) {
        expectLikeStrtod(text);
    }
    std::mt19937 random(29);
    std::uniform_int_distribution<int> digit(0, 9), length(0, 21), exponent(-40, 40), choice(0, 3);
    for (int i = 0; i < 20000; ++i) {
        std::string text = choice(random) == 0 ? "-" : "";
        const int whole = length(random), fraction = length(random);
        for (int k = 0; k < whole; ++k) text += static_cast<char>('0' + digit(random));
        if (whole == 0 || fraction > 0) text += '.';
        for (int k = 0; k < std::max(fraction, whole == 0 ? 1 : 0); ++k) text += static_cast<char>('0' + digit(random));
        if (choice(random) < 2) text += "e" + std::to_string(exponent(random));
        expectLikeStrtod(text);
    }
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
