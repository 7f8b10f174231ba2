// Texts of the exported tables: numbers that read back exactly whatever the locale,
// CSV quoting and line ends, tab-separated text, decimals of times.
#include "support/CommaDecimalLocale.h"
#include "ui/analysis/IndicesTable.h"
#include "ui/analysis/TableText.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

namespace {

double ReadBack(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    double value = 0.0;
    const auto result = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    EXPECT_EQ(result.ptr, bytes.constData() + bytes.size()) << text.toStdString();
    return value;
}

}  // namespace

TEST(NumberText, ReadsBackToTheSameDoubleAlsoUnderACommaLocale) {
    QTemporaryDir folder;
    locale_support::CommaDecimalLocale comma(folder.path().toStdString());
    for (const double v : {0.1, 1.0 / 3.0, 523.4, -2.5e-300, 1e22, 980.665, 0.0, 123456789.123456789})
        EXPECT_EQ(ReadBack(NumberText(v)), v) << NumberText(v).toStdString();
    EXPECT_EQ(NumberText(0.1), QStringLiteral("0.1"));
    EXPECT_FALSE(NumberText(1234.5).contains(QLatin1Char(',')));
}

TEST(CsvText, QuotesFieldsThatNeedItAndEndsEveryLineWithLfAsTheCommandLine) {
    const QByteArray text = CsvText({{QStringLiteral("a,b"), QStringLiteral("say \"hi\""), QStringLiteral("計測点")},
                                     {QStringLiteral("1"), QStringLiteral("2"), QString()}});
    EXPECT_EQ(text, QByteArray("\"a,b\",\"say \"\"hi\"\"\",") + QStringLiteral("計測点").toUtf8() + "\n1,2,\n");
}

TEST(TabSeparatedText, OneLinePerRowAndNoStrayTabsInsideFields) {
    const QString text = TabSeparatedText({{QStringLiteral("a\tb"), QStringLiteral("c\nd")}, {QStringLiteral("1"), QStringLiteral("2")}});
    EXPECT_EQ(text, QStringLiteral("a b\tc d\n1\t2\n"));
}

TEST(TimeDecimals, EnoughForEveryMultipleOfTheSamplingInterval) {
    const int rates[8] = {1, 10, 50, 100, 200, 500, 1000, 2000};
    const int decimals[8] = {0, 1, 2, 2, 3, 3, 3, 4};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(TimeDecimals(1.0 / rates[i]), decimals[i]) << rates[i];
    EXPECT_EQ(TimeDecimals(1.0 / 3.0), 6);
}
