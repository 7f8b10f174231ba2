#include "core/export/FileNames.h"

namespace tremvix {

std::string ExtensionOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    const std::size_t partStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < partStart) return {};
    return name.substr(dot);
}

std::string WithDefaultExtension(const std::string& name, const std::string& ext) {
    return ExtensionOf(name).empty() ? name + ext : name;
}

}  // namespace tremvix
