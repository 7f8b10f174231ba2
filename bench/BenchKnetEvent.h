#pragma once

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace tremvix::bench {

inline constexpr int kEventSamples = 12000;  // 120 s at 100 Hz
inline const char* const kEventComponents[] = {"NS", "EW", "UD"};

// One component of a generated K-NET record of an event: a decaying sine per station.
inline std::string KnetEventFile(int station, int k, double latitude, double longitude) {
    char line[128];
    std::string text;
    const auto add = [&](const char* format, auto... values) {
        std::snprintf(line, sizeof line, format, values...);
        text += line;
    };
    add("Origin Time       2011/03/11 14:46:00\nLat.              38.103\nLong.             142.860\n");
    add("Depth. (km)       24\nMag.              9.0\nStation Code      EVT%03d\n", station);
    add("Station Lat.      %.4f\nStation Long.     %.4f\n", latitude, longitude);
    add("Station Height(m) 15\nRecord Time       2011/03/11 14:46:34\nSampling Freq(Hz) 100Hz\n");
    add("Duration Time(s)  %d\nDir.              %s\n", kEventSamples / 100, k == 0 ? "N-S" : k == 1 ? "E-W" : "U-D");
    add("Scale Factor      7845(gal)/8223790\nMax. Acc. (gal)   0.000\nLast Correction   2011/03/11 14:46:19\nMemo.\n");
    for (int i = 0; i < kEventSamples; ++i) {
        const double wave = std::exp(-i / 4000.0) * std::sin(0.03 * i * (k + 1) + station) * 200000.0 * (1 + station % 7);
        add("%9ld%s", std::lround(wave) + i % 13, i % 8 == 7 ? "\n" : "");
    }
    return text + "\n";
}

// The file name the network gives that component.
inline std::string KnetEventFileName(int station, int k) {
    char name[64];
    std::snprintf(name, sizeof name, "EVT%03d1103111446.%s", station, kEventComponents[k]);
    return name;
}

}  // namespace tremvix::bench
