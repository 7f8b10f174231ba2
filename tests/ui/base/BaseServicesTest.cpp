#include "support/CommaDecimalLocale.h"
#include "ui/base/CNumberFormat.h"
#include "ui/base/Conversions.h"
#include "ui/base/TextCodec.h"
#include "ui/widgets/TickLabel.h"

#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

#include <gtest/gtest.h>

TEST(Conversions, IntegersAsTheToolkitReadsThem) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("  250"), 250);
    EXPECT_EQ(StrToInt("-12"), -12);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    for (const char* bad : {"", " ", "-", "+", "1a", "a", "12 ", "2147483648", "1.5", "99999999999999999999"}) {
        try {
            StrToInt(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' は整数ではありません").arg(QString::fromUtf8(bad)));
        }
    }
    EXPECT_THROW(StrToInt(QStringLiteral("１２")), ConversionError);  // full-width digits
}

TEST(Conversions, FloatsAsTheToolkitReadsThem) {
    EXPECT_DOUBLE_EQ(StrToFloat("10"), 10.0);
    EXPECT_DOUBLE_EQ(StrToFloat(" 2.5 "), 2.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-.5e-3"), -0.0005);
    EXPECT_DOUBLE_EQ(StrToFloat("1E2"), 100.0);
    for (const char* bad : {"", "abc", "1,5", "1e", "--1", "1e999"}) {
        try {
            StrToFloat(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' は浮動小数点数ではありません").arg(QString::fromUtf8(bad)));
        }
    }
}

TEST(TextCodec, Utf8AndShiftJisHeadersDecode) {
    EXPECT_EQ(DecodeText("1階床"), QStringLiteral("1階床"));
    EXPECT_EQ(DecodeText("\x31\x8A\x4B\x8F\xB0"), QStringLiteral("1階床"));  // Shift-JIS bytes
    EXPECT_EQ(DecodeText("gal"), QStringLiteral("gal"));
    EXPECT_EQ(DecodeText("\xB6\xC5"), QStringLiteral("ｶﾅ"));  // half-width katakana
}

TEST(CNumberFormat, CommaLocalesDoNotChangeTheTexts) {
    const QTemporaryDir folder;
    const locale_support::CommaDecimalLocale locale(folder.path().toStdString());
    if (!locale.Active()) GTEST_SKIP() << "no locale with a decimal comma could be set";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    ASSERT_STREQ(probe, "0,5") << "the comma locale is in force";
    char text[32];
    FormatInCLocale(text, sizeof text, "%10.3f", 1.5);
    EXPECT_STREQ(text, "     1.500");
    EXPECT_EQ(TickLabel(2.5f), "2.5");
}
