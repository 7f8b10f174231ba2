#include "core/data/TextField.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace tremvix {
namespace {

template <std::size_t N>
std::string FieldText(const std::array<char, N>& field) {
    return std::string(field.data());
}

template <std::size_t N>
bool ZeroAfterText(const std::array<char, N>& field) {
    for (std::size_t i = FieldText(field).size(); i < N; ++i) {
        if (field[i] != 0) {
            return false;
        }
    }
    return true;
}

TEST(TextFieldTest, ShortTextCopiedAndZeroFilled) {
    std::array<char, 13> unit;
    unit.fill('x');
    CopyTextField(unit.data(), 13, "gal");
    EXPECT_EQ(FieldText(unit), "gal");
    EXPECT_TRUE(ZeroAfterText(unit));
}

TEST(TextFieldTest, AsciiCutAtWidthMinusOne) {
    std::array<char, 10> id;
    id.fill('x');
    CopyTextField(id.data(), 10, "ABCDEFGHIJKLMN");
    EXPECT_EQ(FieldText(id), "ABCDEFGHI");
    CopyTextField(id.data(), 10, "ABCDEFGHI");
    EXPECT_EQ(FieldText(id), "ABCDEFGHI");
}

TEST(TextFieldTest, ShiftJisNeverSplitsADoubleByteCharacter) {
    std::array<char, 10> id;
    // "A" then four double-byte characters: 9 bytes, fits exactly.
    CopyTextField(id.data(), 10, "A\x8C\x76\x91\xAA\x93\x5F\x82\xA0");
    EXPECT_EQ(FieldText(id), "A\x8C\x76\x91\xAA\x93\x5F\x82\xA0");
    // Five double-byte characters: 10 bytes, the fifth would need byte 10.
    CopyTextField(id.data(), 10, "\x8C\x76\x91\xAA\x93\x5F\x82\xA0\xE0\x40");
    EXPECT_EQ(FieldText(id), "\x8C\x76\x91\xAA\x93\x5F\x82\xA0");
    // Half-width katakana (0xA1-0xDF) are single bytes.
    CopyTextField(id.data(), 10, "\xB6\xB6\xB6\xB6\xB6\xB6\xB6\xB6\xB6\xB6\xB6");
    EXPECT_EQ(FieldText(id).size(), 9u);
    // A trail byte that looks like a lead byte (0x82 0x81) does not mislead the walk.
    CopyTextField(id.data(), 10,
                  "\x82\x81\x82\x81\x82\x81\x82\x81"
                  "AB");
    EXPECT_EQ(FieldText(id),
              "\x82\x81\x82\x81\x82\x81\x82\x81"
              "A");
    EXPECT_TRUE(ZeroAfterText(id));
}

TEST(TextFieldTest, Utf8CutAtCodePointBoundary) {
    std::array<char, 10> id;
    // "計測点" in UTF-8: three 3-byte characters, exactly the 9 bytes there is room for.
    CopyTextField(id.data(), 10, "計測点");
    EXPECT_EQ(FieldText(id), "計測点");
    CopyTextField(id.data(), 10, "A計測点");
    EXPECT_EQ(FieldText(id), "A計測");
    std::array<char, 13> unit;
    CopyTextField(unit.data(), 13, "m/s²m/s²m/s²");  // 15 bytes, "²" is two
    EXPECT_EQ(FieldText(unit), "m/s²m/s²m/");
}

TEST(TextFieldTest, Utf8Validity) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("計測"));
    EXPECT_FALSE(IsValidUtf8("\x8C\x76"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE8\xA8"));      // cut short
}

TEST(TextFieldTest, TinyWidths) {
    std::array<char, 2> one{'x', 'y'};
    CopyTextField(one.data(), 1, "abc");
    EXPECT_EQ(one[0], '\0');
    EXPECT_EQ(one[1], 'y');
    CopyTextField(one.data(), 0, "abc");
    EXPECT_EQ(one[1], 'y');
    CopyTextField(one.data(), 2, "\x8C\x76");  // a double-byte character cannot fit in one byte
    EXPECT_EQ(one[0], '\0');
}

}  // namespace
}  // namespace tremvix
