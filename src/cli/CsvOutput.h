#pragma once

#include "core/export/CsvText.h"

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace tremvix::cli {

// Rows of UTF-8 CSV with LF line ends, gathered whole and written at the end, so that
// an output found wrong on the way leaves nothing behind.
class CsvOutput {
public:
    explicit CsvOutput(std::ostream& out) : out_(out) {}
    CsvOutput(const CsvOutput&) = delete;
    CsvOutput& operator=(const CsvOutput&) = delete;

    void Header(std::initializer_list<std::string_view> names);
    void Text(std::string_view text);
    void Number(double value);
    void Number(float value);
    void Integer(std::int64_t value);
    void Empty();
    void EndRow();
    // False once a number was NaN or infinite: such an output must not be written.
    bool AllFinite() const { return allFinite_; }
    // Writes the rows; false when the stream failed.
    bool Finish();

private:
    void Separate();
    template <typename Real>
    void Append(Real value);

    std::ostream& out_;
    std::string buffer_;
    bool rowStarted_ = false;
    bool allFinite_ = true;
};

}  // namespace tremvix::cli
