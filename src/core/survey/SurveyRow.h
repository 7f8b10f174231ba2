#pragma once

#include <array>
#include <optional>
#include <string>

namespace tremvix {

struct LoadedRecord;

// Periods of the sa columns, s.
inline constexpr std::array<double, 6> kSurveyPeriods = {0.1, 0.2, 0.5, 1.0, 2.0, 5.0};

// One record of an event and its products. Empty optionals are products that do not
// apply (no three components, no two horizontals) or that the analysis refused.
struct SurveyRow {
    std::string record;   // the record's first file, as the survey names it
    std::string station;  // UTF-8
    std::string layout;
    std::optional<double> latitude, longitude;
    double rate = 0.0;
    int samples = 0;
    std::optional<double> pgaNs, pgaEw, pgaUd;  // gal, of the record less its mean
    std::optional<double> pgvH;                 // cm/s, the larger horizontal
    std::optional<double> intensity;
    std::string reported, intensityClass;       // empty with no intensity
    std::optional<double> lpgmSva, lpgmPeriod;  // the largest row of the long-period table
    std::optional<int> lpgmClass;
    std::optional<double> siH;                  // cm/s, the larger horizontal
    std::array<std::optional<double>, kSurveyPeriods.size()> sa;  // gal at h = 0.05, the larger horizontal
};

// The products of one whole record; the caller sets record, latitude and longitude.
SurveyRow ComputeSurveyRow(const LoadedRecord& record);

}  // namespace tremvix
