#include "core/export/PngEncoder.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tremvix {
namespace {

// A decoded picture larger than this is refused rather than allocated.
constexpr std::size_t kMaxDecodedBytes = std::size_t{1} << 30;

// Shared by the libpng callbacks. Plain data only: libpng leaves our frames with
// longjmp, which would skip destructors.
struct PngIo {
    std::vector<std::uint8_t>* bytes = nullptr;
    std::size_t readPosition = 0;
    char message[256] = {};
};

void OnError(png_structp png, png_const_charp message) {
    auto* io = static_cast<PngIo*>(png_get_error_ptr(png));
    std::snprintf(io->message, sizeof io->message, "%s", message ? message : "PNG error");
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

bool Append(std::vector<std::uint8_t>& bytes, const png_bytep data, png_size_t length) noexcept {
    try {
        bytes.insert(bytes.end(), data, data + length);
        return true;
    } catch (...) {
        return false;
    }
}

bool Resize(std::vector<std::uint8_t>& bytes, std::size_t size) noexcept {
    try {
        bytes.assign(size, 0);
        return true;
    } catch (...) {
        return false;
    }
}

void OnWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    if (!Append(*io->bytes, data, length)) png_error(png, "out of memory");
}

void OnFlush(png_structp) {}

void OnRead(png_structp png, png_bytep data, png_size_t length) {
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    if (io->bytes->size() - io->readPosition < length) png_error(png, "file ends too early");
    std::memcpy(data, io->bytes->data() + io->readPosition, length);
    io->readPosition += length;
}

// C-style on purpose: setjmp must not have C++ objects with destructors alive.
bool EncodeRows(PngIo* io, int width, int height, const std::uint8_t* rgb, int stride) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, io, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, io, OnWrite, OnFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rgb + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

void ExpandToRgb8(png_structp png, png_infop info) {
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (bitDepth == 16) png_set_strip_16(png);
    if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    if (colourType & PNG_COLOR_MASK_ALPHA) png_set_strip_alpha(png);
}

// C-style on purpose, as EncodeRows.
bool DecodeRows(PngIo* io, int* width, int* height, std::vector<std::uint8_t>* rgb) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, io, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, io, OnRead);
    png_read_info(png, info);
    ExpandToRgb8(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const png_uint_32 w = png_get_image_width(png, info);
    const png_uint_32 h = png_get_image_height(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != std::size_t{w} * 3) png_error(png, "cannot expand to 8-bit RGB");
    if (rowBytes * h > kMaxDecodedBytes) png_error(png, "picture too large");
    if (!Resize(*rgb, rowBytes * h)) png_error(png, "out of memory");
    // With interlacing every row is read once per pass into the same place.
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < h; ++y) png_read_row(png, rgb->data() + y * rowBytes, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

bool ReadWholeFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

bool EncodePng(int width, int height, const std::uint8_t* rgb, int stride, std::vector<std::uint8_t>& out,
               std::string* error) {
    out.clear();
    if (width <= 0 || height <= 0 || !rgb) {
        SetError(error, "empty picture");
        return false;
    }
    if (static_cast<long long>(stride) < 3LL * width) {
        SetError(error, "row stride shorter than a row");
        return false;
    }
    PngIo io;
    io.bytes = &out;
    if (!EncodeRows(&io, width, height, rgb, stride)) {
        out.clear();
        SetError(error, io.message[0] ? io.message : "cannot create the PNG encoder");
        return false;
    }
    return true;
}

SaveResult WritePngFile(const std::filesystem::path& target, int width, int height, const std::uint8_t* rgb,
                        int stride) {
    std::vector<std::uint8_t> encoded;
    std::string error;
    if (!EncodePng(width, height, rgb, stride, encoded, &error))
        return SaveResult{false, "cannot encode the picture: " + error, 0};
    return WriteFileAtomically(target, [&encoded](std::FILE* file) {
        return std::fwrite(encoded.data(), 1, encoded.size(), file) == encoded.size();
    });
}

bool DecodePngFile(const std::filesystem::path& file, int& width, int& height, std::vector<std::uint8_t>& rgb,
                   std::string* error) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(file, bytes)) {
        SetError(error, "cannot read \"" + file.string() + "\"");
        return false;
    }
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
        SetError(error, "not a PNG file");
        return false;
    }
    PngIo io;
    io.bytes = &bytes;
    int w = 0;
    int h = 0;
    if (!DecodeRows(&io, &w, &h, &rgb)) {
        rgb.clear();
        SetError(error, io.message[0] ? io.message : "cannot create the PNG decoder");
        return false;
    }
    width = w;
    height = h;
    return true;
}

}  // namespace tremvix
