#pragma once

#include <string>

namespace tremvix {

// The extension of a file name: the text from the last "." of its file-name part
// (what follows the last "/"), or empty when that part has no ".".
// "graph." has the extension ".", ".hidden" the extension ".hidden".
std::string ExtensionOf(const std::string& name);

// `name` with `ext` (".png", ".csv") appended when its extension is empty; any other
// name is returned unchanged, whatever its extension is.
std::string WithDefaultExtension(const std::string& name, const std::string& ext);

}  // namespace tremvix
