#pragma once

#include "core/survey/SurveyTestFiles.h"
#include "ui/survey/Usurvey.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <vector>
#include <string>

namespace survey_ui_testing {

namespace fs = std::filesystem;
using tremvix::survey_testing::Bytes;
using tremvix::survey_testing::Write;

struct Station {
    const char* code;
    const char* lat;
    const char* lon;
    int scale;  // the numerator of the scale factor: the amplitudes grow with it
};

// Stations of an event at known places; the last one states no position (0, 0).
inline const Station kStations[] = {
    {"TKY001", "35.6895", "139.6917", 7845},  {"OKN001", "26.2124", "127.6809", 1500},
    {"HKD001", "43.0618", "141.3545", 3000},  {"MYG001", "38.2682", "140.8694", 30000},
    {"OSK001", "34.6937", "135.5023", 5000},  {"FKO001", "33.5902", "130.4017", 900},
    {"NIG001", "37.9161", "139.0364", 12000}, {"XXX001", "0.0000", "0.0000", 2000},
};

inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The example K-NET record written again for each station: its code, position and
// scale factor changed, the counts kept.
inline void WriteEvent(const fs::path& folder) {
    const fs::path examples = tremvix::survey_testing::Examples();
    for (const Station& station : kStations)
        for (const char* component : {"NS", "EW", "UD"}) {
            std::string text = Bytes(examples / (std::string("SMP0010001011200.") + component));
            text = Replaced(text, "SMP001", station.code);
            text = Replaced(text, "Station Lat.      35.601", std::string("Station Lat.      ") + station.lat);
            text = Replaced(text, "Station Long.     139.322", std::string("Station Long.     ") + station.lon);
            text = Replaced(text, "7845(gal)", std::to_string(station.scale) + "(gal)");
            // The header's peak follows the scale, as a reader checks it against the
            // samples: the largest distance from the mean, in gal.
            const std::size_t peakAt = text.find("Max. Acc. (gal)   ") + 18;
            const std::size_t peakEnd = text.find('\n', peakAt);
            std::istringstream counts(text.substr(text.find("Memo.") + 6));
            std::vector<double> gal;
            for (long count = 0; counts >> count;) gal.push_back(count * static_cast<double>(station.scale) / 8223790.0);
            double mean = 0.0;
            for (const double v : gal) mean += v;
            mean /= static_cast<double>(gal.size());
            double largest = 0.0;
            for (const double v : gal) largest = std::max(largest, std::fabs(v - mean));
            char peak[32];
            std::snprintf(peak, sizeof peak, "%.3f", largest);
            text.replace(peakAt, peakEnd - peakAt, peak);
            Write(folder / (std::string(station.code) + "0001011200." + component), text);
        }
}

inline bool WaitForSurvey(TSurvey& window) {
    return QTest::qWaitFor([&] { return !window.Running(); }, 60000);
}

}  // namespace survey_ui_testing
