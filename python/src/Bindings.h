#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tremvix::python {

namespace py = pybind11;

// A record or its data refused by the program: Python's tremvix.RecordError.
class RecordRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Samples as the analyses take them: 32-bit floats, contiguous (other dtypes are
// converted, each value rounded once to float).
using FloatArray = py::array_t<float, py::array::c_style | py::array::forcecast>;

inline std::span<const float> SpanOf(const FloatArray& samples) {
    return {samples.data(), static_cast<std::size_t>(samples.size())};
}

// A message of the program as one line: the padding of ideographic spaces the
// message boxes put at line ends is dropped.
std::string MessageText(std::string_view text);

void DefineRecords(py::module_& module);
void DefineAnalyses(py::module_& module);
void DefineSurvey(py::module_& module);

}  // namespace tremvix::python
