#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tremvix::testing {

// Bytes of numbers in a chosen order, written here apart from the readers.
inline void PutU32(std::string& bytes, std::size_t at, std::uint32_t value, bool big) {
    for (int k = 0; k < 4; ++k) {
        const int shift = big ? 24 - 8 * k : 8 * k;
        bytes[at + static_cast<std::size_t>(k)] = static_cast<char>((value >> shift) & 0xFF);
    }
}

inline void PutFloat(std::string& bytes, std::size_t at, float value, bool big) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(bytes, at, bits, big);
}

// A SAC binary file as its format describes: 70 floats, 40 integers, 192 bytes of
// texts, then NPTS floats.
struct SacSpec {
    bool big = false;
    std::vector<float> samples;
    float delta = 0.01f;
    float begin = 0.0f;
    int version = 6;
    int idep = 8;  // IACC
    int year = 2024, day = 32, hour = 1, minute = 2, second = 3, millisecond = 400;
    std::string network = "NT", station = "STA1", location = "00", component = "BHZ";
};

inline std::string SacBytes(const SacSpec& spec) {
    std::string bytes(632 + 4 * spec.samples.size(), '\0');
    for (int k = 0; k < 70; ++k) PutFloat(bytes, 4 * k, -12345.0f, spec.big);
    for (int k = 0; k < 40; ++k) PutU32(bytes, 280 + 4 * k, static_cast<std::uint32_t>(-12345), spec.big);
    for (std::size_t at = 440; at < 632; at += 8) std::memcpy(&bytes[at], "-12345  ", 8);
    PutFloat(bytes, 0, spec.delta, spec.big);
    PutFloat(bytes, 20, spec.begin, spec.big);
    const int integers[][2] = {{0, spec.year},   {1, spec.day},    {2, spec.hour},
                               {3, spec.minute}, {4, spec.second}, {5, spec.millisecond},
                               {6, spec.version}, {9, static_cast<int>(spec.samples.size())},
                               {15, 1},          {16, spec.idep},  {35, 1}};
    for (const auto& [index, value] : integers)
        PutU32(bytes, 280 + 4 * static_cast<std::size_t>(index), static_cast<std::uint32_t>(value), spec.big);
    const auto text = [&bytes](std::size_t at, const std::string& value) {
        std::string padded = value + std::string(8, ' ');
        std::memcpy(&bytes[at], padded.data(), 8);
    };
    text(440, spec.station);
    text(464, spec.location);
    text(600, spec.component);
    text(608, spec.network);
    for (std::size_t k = 0; k < spec.samples.size(); ++k) PutFloat(bytes, 632 + 4 * k, spec.samples[k], spec.big);
    return bytes;
}

}  // namespace tremvix::testing
