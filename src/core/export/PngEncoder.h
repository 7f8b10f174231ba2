#pragma once

#include "core/export/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tremvix {

// rgb: height rows of width*3 bytes (R,G,B), top row first, rows `stride` bytes apart.
// Lossless, true colour (8-bit RGB), libpng called directly.
// On failure `out` is left empty and `error` (when given) says why.
bool EncodePng(int width, int height, const std::uint8_t* rgb, int stride, std::vector<std::uint8_t>& out,
               std::string* error = nullptr);

// Encodes and saves atomically: a failed save leaves an existing file as it was.
SaveResult WritePngFile(const std::filesystem::path& target, int width, int height, const std::uint8_t* rgb,
                        int stride);

// For tests and checks: decode a PNG file into 8-bit RGB rows (any colour type libpng can expand).
// rgb receives height rows of width*3 bytes, top row first, without padding; alpha is dropped.
bool DecodePngFile(const std::filesystem::path& file, int& width, int& height, std::vector<std::uint8_t>& rgb,
                   std::string* error = nullptr);

}  // namespace tremvix
