// The field splitter and the number reader on arbitrary bytes. The reader must agree
// with the C library's strtod on the decimal numbers it accepts.
#include "core/data/NumberReader.h"
#include "core/data/SplitFields.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::string fields[tremvix::kMaxFields];
    const int count = tremvix::SplitFields(line.c_str(), fields);
    if (count < 0) std::abort();
    const int stored = count < tremvix::kMaxFields ? count : tremvix::kMaxFields;
    for (int i = 0; i < stored; ++i) {
        const std::string& field = fields[i];
        if (field.find_first_of(",\n") != std::string::npos) std::abort();
        const double value = tremvix::ReadNumber(field);
        (void)tremvix::ToSample(value);
        // strtod also knows hexadecimal, infinity and nan, which the data files do not.
        if (field.find_first_of("xXiInN") != std::string::npos) continue;
        const double expected = std::strtod(field.c_str(), nullptr);
        if (!(value == expected || (std::isnan(value) && std::isnan(expected)))) std::abort();
    }
    return 0;
}
