#include "core/survey/SurveyText.h"

#include "core/export/CsvText.h"
#include "core/survey/SurveyRow.h"

#include <cmath>
#include <vector>

namespace tremvix {
namespace {

std::string Number(std::optional<double> value) {
    if (!value || !std::isfinite(*value)) return {};
    return ShortestText(*value);
}

std::string Joined(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k) line += (k ? "," : "") + fields[k];
    return line + '\n';
}

}  // namespace

std::string SurveyHeaderLine() {
    return "record,station,layout,latitude,longitude,rate_hz,samples,pga_ns,pga_ew,pga_ud,pgv_h,intensity,reported,"
           "class,lpgm_sva,lpgm_period_s,lpgm_class,si_h,sa_0.1,sa_0.2,sa_0.5,sa_1.0,sa_2.0,sa_5.0\n";
}

std::vector<std::string> SurveyFields(const SurveyRow& row) {
    std::vector<std::string> fields = {row.record, row.station, row.layout, Number(row.latitude), Number(row.longitude),
                                       Number(row.rate), std::to_string(row.samples)};
    for (const std::optional<double>& value : {row.pgaNs, row.pgaEw, row.pgaUd, row.pgvH, row.intensity})
        fields.push_back(Number(value));
    fields.push_back(row.reported);
    fields.push_back(row.intensityClass);
    fields.push_back(Number(row.lpgmSva));
    fields.push_back(Number(row.lpgmPeriod));
    fields.push_back(row.lpgmClass ? std::to_string(*row.lpgmClass) : std::string());
    fields.push_back(Number(row.siH));
    for (const std::optional<double>& value : row.sa) fields.push_back(Number(value));
    return fields;
}

// Numbers never hold a comma or a quote, so quoting every field changes only the texts.
std::string SurveyRowLine(const SurveyRow& row) {
    std::vector<std::string> fields = SurveyFields(row);
    for (std::string& field : fields) field = CsvField(field);
    return Joined(fields);
}

std::string FailureHeaderLine() { return "record,reason\n"; }

std::string FailureLine(std::string_view record, std::string_view reason) {
    return Joined({CsvField(record), CsvField(reason)});
}

}  // namespace tremvix
