#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tremvix {

struct SurveyRow;

// The survey's CSV: LF line ends, fields quoted when they hold a comma, a quote or a line
// end, numbers in the C locale as the shortest text that reads back to the same double,
// an empty field for a product that does not apply or is not finite.
std::string SurveyHeaderLine();
std::string SurveyRowLine(const SurveyRow& row);
// The fields of a row as SurveyRowLine writes them, unquoted, in the header's order.
std::vector<std::string> SurveyFields(const SurveyRow& row);
std::string FailureHeaderLine();
std::string FailureLine(std::string_view record, std::string_view reason);

}  // namespace tremvix
