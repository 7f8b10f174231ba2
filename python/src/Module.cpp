// _tremvix: the core of the program for Python. The package `tremvix` wraps it.
#include "Bindings.h"

namespace tremvix::python {

std::string MessageText(std::string_view text) {
    constexpr std::string_view kPadding = "\u3000";
    std::string line;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view part = text.substr(start, end - start);
        while (part.ends_with(kPadding)) part.remove_suffix(kPadding.size());
        line += part;
        if (end < text.size()) line += '\n';
        start = end + 1;
    }
    return line;
}

}  // namespace tremvix::python

PYBIND11_MODULE(_tremvix, module) {
    namespace py = pybind11;
    module.doc() = "The compiled core of Tremvix; use the package tremvix.";
    py::register_exception<tremvix::python::RecordRefused>(module, "RecordError", PyExc_Exception);
    tremvix::python::DefineRecords(module);
    tremvix::python::DefineAnalyses(module);
    tremvix::python::DefineSurvey(module);
}
