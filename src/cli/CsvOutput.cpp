#include "cli/CsvOutput.h"

#include <cmath>

namespace tremvix::cli {

void CsvOutput::Header(std::initializer_list<std::string_view> names) {
    for (const std::string_view name : names) Text(name);
    EndRow();
}

void CsvOutput::Separate() {
    if (rowStarted_) buffer_ += ',';
    rowStarted_ = true;
}

void CsvOutput::Text(std::string_view text) {
    Separate();
    buffer_ += CsvField(text);
}

template <typename Real>
void CsvOutput::Append(Real value) {
    Separate();
    if (!std::isfinite(value)) allFinite_ = false;
    else buffer_ += ShortestText(value);
}

void CsvOutput::Number(double value) { Append(value); }
void CsvOutput::Number(float value) { Append(value); }

void CsvOutput::Integer(std::int64_t value) {
    Separate();
    buffer_ += std::to_string(value);
}

void CsvOutput::Empty() { Separate(); }

void CsvOutput::EndRow() {
    buffer_ += '\n';
    rowStarted_ = false;
}

bool CsvOutput::Finish() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    out_.flush();
    return out_.good();
}

}  // namespace tremvix::cli
