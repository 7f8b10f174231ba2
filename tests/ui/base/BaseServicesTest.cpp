#include "support/CommaDecimalLocale.h"
#include "ui/base/CNumberFormat.h"
#include "ui/base/Conversions.h"
#include "ui/base/Dialogs.h"
#include "ui/base/TextCodec.h"
#include "ui/base/ToolkitTranslations.h"
#include "ui/widgets/TickLabel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

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

TEST(TextCodec, WindowsShowWhatTheCommandLineWrites) {
    EXPECT_EQ(DecodeText("\x31\x8A\x4B\x8F\xB0"), QStringLiteral("1階床"));
    EXPECT_EQ(DecodeText("1階床"), QStringLiteral("1階床"));
    // A broken double-byte character hides nothing after it, and no control code is swapped.
    EXPECT_EQ(DecodeText("A\x82" "B"), QStringLiteral("A\uFFFDB"));
    EXPECT_EQ(DecodeText("NS\x82"), QStringLiteral("NS\uFFFD"));
    EXPECT_EQ(DecodeText("\x82\xA0\x7F"), QStringLiteral("\u3042\u007F"));
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

TEST(Dialogs, FiltersShowTheirDescriptionOnceAndAllFilesMeansEveryFile) {
    EXPECT_EQ(Dialogs::QtFiltersOf(QStringLiteral("標準データファイル (*.csv)|*.csv|すべて (*.*)|*.*")),
              (QStringList{QStringLiteral("標準データファイル (*.csv) (*.csv)"), QStringLiteral("すべて (*.*) (*)")}));
    QFileDialog dialog;
    Dialogs::ConfigureFileDialog(dialog, true, QStringLiteral("標準データファイル (*.csv)|*.csv|すべて (*.*)|*.*"));
    const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), QStringLiteral("標準データファイル (*.csv)")) << "the pattern is shown once";
    EXPECT_EQ(types->itemText(1), QStringLiteral("すべて (*.*)"));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite)) << "the callers ask with the final name";
    // "*.*" lists names without a dot too.
    EXPECT_TRUE(QDir::match(QStringList{QStringLiteral("*")}, QStringLiteral("README")));
    EXPECT_TRUE(Dialogs::QtFiltersOf(QStringLiteral("A|*.*")).first().endsWith(QStringLiteral("(*)")));
}

TEST(ToolkitTranslations, DialogButtonsSpeakJapanese) {
    QTranslator translator;
    ASSERT_TRUE(InstallToolkitTranslations(translator)) << "qt6-translations-l10n is part of the set-up";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    QFileDialog dialog;
    Dialogs::ConfigureFileDialog(dialog, false, QStringLiteral("計測データファイル(*.csv)|*.csv|すべて(*.*)|*.*"));
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("開く(&O)"));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
    QCoreApplication::removeTranslator(&translator);
}
