#include "core/export/PngEncoder.h"

#include "core/export/TempFolder.h"

#include <gtest/gtest.h>

#include <png.h>

#include <random>

using namespace tremvix;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

namespace {

// Random pixels in rows of `stride` bytes; the padding holds a marker that must not leak.
std::vector<std::uint8_t> RandomPicture(int width, int height, int stride, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * height, 0xEE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x) rows[y * stride + x] = static_cast<std::uint8_t>(random());
    return rows;
}

std::vector<std::uint8_t> Packed(const std::vector<std::uint8_t>& rows, int width, int height, int stride) {
    std::vector<std::uint8_t> packed;
    for (int y = 0; y < height; ++y)
        packed.insert(packed.end(), rows.begin() + y * stride, rows.begin() + y * stride + width * 3);
    return packed;
}

}  // namespace

TEST(PngEncoder, SavedFileDecodesToExactlyThePixels) {
    TempFolder folder;
    for (const auto& [width, height, stride] : {std::tuple{625, 425, 625 * 3}, std::tuple{37, 11, 37 * 3 + 5},
                                               std::tuple{1, 1, 3}}) {
        const auto rows = RandomPicture(width, height, stride, static_cast<unsigned>(width));
        const SaveResult saved = WritePngFile(folder / "graph.png", width, height, rows.data(), stride);
        ASSERT_TRUE(saved.ok) << saved.error;

        int decodedWidth = 0;
        int decodedHeight = 0;
        std::vector<std::uint8_t> decoded;
        std::string error;
        ASSERT_TRUE(DecodePngFile(folder / "graph.png", decodedWidth, decodedHeight, decoded, &error)) << error;
        EXPECT_EQ(decodedWidth, width);
        EXPECT_EQ(decodedHeight, height);
        EXPECT_TRUE(decoded == Packed(rows, width, height, stride)) << width << "x" << height;
    }
}

TEST(PngEncoder, EncodesTrueColourWithAValidSignature) {
    const auto rows = RandomPicture(8, 4, 24, 1);
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(EncodePng(8, 4, rows.data(), 24, out));
    ASSERT_GT(out.size(), 33u);
    EXPECT_EQ(png_sig_cmp(out.data(), 0, 8), 0);
    // IHDR: bit depth 8, colour type 2 (RGB).
    EXPECT_EQ(out[24], 8);
    EXPECT_EQ(out[25], PNG_COLOR_TYPE_RGB);
}

TEST(PngEncoder, RefusesBadPicturesAndKeepsTheOldFile) {
    TempFolder folder;
    const auto rows = RandomPicture(4, 4, 12, 2);
    std::vector<std::uint8_t> out{1, 2, 3};
    std::string error;
    EXPECT_FALSE(EncodePng(0, 4, rows.data(), 12, out, &error));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(EncodePng(4, 4, rows.data(), 11, out));  // stride shorter than a row
    EXPECT_FALSE(EncodePng(4, 4, nullptr, 12, out));
    EXPECT_FALSE(EncodePng(2'000'000, 1, rows.data(), 6'000'000, out, &error));  // libpng's width limit
    EXPECT_FALSE(error.empty());

    WriteBytes(folder / "graph.png", "old");
    EXPECT_FALSE(WritePngFile(folder / "graph.png", 4, 0, rows.data(), 12).ok);
    EXPECT_FALSE(WritePngFile(folder / "missing" / "graph.png", 4, 4, rows.data(), 12).ok);
    EXPECT_EQ(ReadBytes(folder / "graph.png"), "old");
    EXPECT_EQ(folder.Listing(), "graph.png;");
}

TEST(PngEncoder, DecoderExpandsOtherColourTypesAndRejectsBrokenFiles) {
    TempFolder folder;
    // Grey with alpha, written by libpng's simplified interface.
    const std::uint8_t greyAlpha[] = {0, 255, 128, 0, 255, 7};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 3;
    image.height = 1;
    image.format = PNG_FORMAT_GA;
    const std::string file = (folder / "grey.png").string();
    ASSERT_TRUE(png_image_write_to_file(&image, file.c_str(), 0, greyAlpha, 0, nullptr));

    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    ASSERT_TRUE(DecodePngFile(file, width, height, rgb));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(rgb, (std::vector<std::uint8_t>{0, 0, 0, 128, 128, 128, 255, 255, 255}));

    std::string error;
    const std::string whole = ReadBytes(file);
    WriteBytes(folder / "cut.png", whole.substr(0, whole.size() / 2));
    EXPECT_FALSE(DecodePngFile(folder / "cut.png", width, height, rgb, &error));
    EXPECT_FALSE(error.empty());
    WriteBytes(folder / "text.png", "not a picture at all");
    EXPECT_FALSE(DecodePngFile(folder / "text.png", width, height, rgb, &error));
    EXPECT_FALSE(DecodePngFile(folder / "none.png", width, height, rgb, &error));
}
