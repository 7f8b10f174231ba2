#include "core/data/TextCodec.h"

#include <gtest/gtest.h>

using tremvix::TextAsUtf8;

TEST(TextCodec, Utf8AndShiftJisHeadersDecode) {
    EXPECT_EQ(TextAsUtf8("1階床"), "1階床");
    EXPECT_EQ(TextAsUtf8("\x31\x8A\x4B\x8F\xB0"), "1階床");  // Shift-JIS bytes
    EXPECT_EQ(TextAsUtf8("gal"), "gal");
    EXPECT_EQ(TextAsUtf8("\xB6\xC5"), "ｶﾅ");  // half-width katakana
    EXPECT_EQ(TextAsUtf8(""), "");
    // Characters where Shift-JIS and its Windows form differ read the Windows way.
    EXPECT_EQ(TextAsUtf8("\x81\x60"), "～");
    EXPECT_EQ(TextAsUtf8("\x87\x40"), "①");
    EXPECT_EQ(TextAsUtf8("\x5C"), "\\");
}

TEST(TextCodec, BrokenShiftJisLosesNoCharacter) {
    // One replacement character for each byte that is no Shift-JIS, and what follows kept.
    EXPECT_EQ(TextAsUtf8("A\x82" "B"), "A\xEF\xBF\xBD" "B");
    EXPECT_EQ(TextAsUtf8("NS\x82"), "NS\xEF\xBF\xBD");  // a lead byte cut off at the end
    EXPECT_EQ(TextAsUtf8("\x80\xA0\xFD" "x"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDx");
    EXPECT_EQ(TextAsUtf8("\x8A\x4B\xFF\x8F\xB0"), "階\xEF\xBF\xBD床");
    // Control bytes are themselves.
    EXPECT_EQ(TextAsUtf8(std::string("\x1A\x1C\x7F\x82\xA0", 5)), "\x1A\x1C\x7F" "あ");
    EXPECT_EQ(TextAsUtf8(std::string("\x82\xA0\0x", 4)), std::string("あ\0x", 5));
}

TEST(TextCodec, OnlyStrictUtf8IsTakenAsUtf8) {
    EXPECT_EQ(TextAsUtf8("a\xC2\xA9\xE3\x81\x82\xF0\x9F\x98\x80"), "a\u00A9\u3042\U0001F600");
    // Bytes that a lax reading takes for UTF-8 (a surrogate, an overlong NUL) are Shift-JIS.
    EXPECT_EQ(TextAsUtf8("\xED\xA0\x80"), "\u605D\uFFFD");
    EXPECT_EQ(TextAsUtf8("\xC0\x80"), "\uFF80\uFFFD");
    EXPECT_EQ(TextAsUtf8("\x88\x9F"), "亜");
}
