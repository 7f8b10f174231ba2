#include "core/survey/SurveyText.h"

#include "core/export/CsvText.h"
#include "core/survey/SurveyRow.h"

#include <cmath>
#include <iconv.h>
#include <vector>

namespace tremvix {
namespace {

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t follow = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 4;
        if (follow == 4 || text.size() - i <= follow) return false;
        for (std::size_t k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
        i += follow + 1;
    }
    return true;
}

std::string FromShiftJis(std::string_view bytes) {
    const iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
    std::string input(bytes);
    std::vector<char> output(bytes.size() * 3 + 4);
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size(), outLeft = output.size();
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
        // A byte that is no Shift-JIS becomes U+FFFD, as the windows show it.
        if (outLeft < 3) break;
        *out++ = '\xEF', *out++ = '\xBF', *out++ = '\xBD';
        outLeft -= 3;
        ++in, --inLeft;
    }
    iconv_close(converter);
    return std::string(output.data(), out);
}

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

std::string TextAsUtf8(std::string_view bytes) { return IsUtf8(bytes) ? std::string(bytes) : FromShiftJis(bytes); }

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
