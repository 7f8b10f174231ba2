#include "cli/CsvOutput.h"

#include <charconv>

namespace tremvix::cli {
namespace {

constexpr std::size_t kBlockBytes = 1 << 16;

template <typename Number>
std::string Shortest(Number value) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string ShortestText(double value) { return Shortest(value); }
std::string ShortestText(float value) { return Shortest(value); }

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

void CsvOutput::Number(double value) {
    Separate();
    buffer_ += ShortestText(value);
}

void CsvOutput::Number(float value) {
    Separate();
    buffer_ += ShortestText(value);
}

void CsvOutput::Integer(std::int64_t value) {
    Separate();
    buffer_ += std::to_string(value);
}

void CsvOutput::Empty() { Separate(); }

void CsvOutput::EndRow() {
    buffer_ += '\n';
    rowStarted_ = false;
    FlushWhenFull();
}

void CsvOutput::FlushWhenFull() {
    if (buffer_.size() < kBlockBytes) return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

bool CsvOutput::Finish() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    out_.flush();
    return out_.good();
}

}  // namespace tremvix::cli
