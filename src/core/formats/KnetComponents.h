#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tremvix::formats {

struct KnetComponent {
    std::string id;  // "NS", "EW2", ...; empty for a file without a component extension
    std::filesystem::path file;
};

// The components of the record that `chosen` belongs to, in the layout's order
// (K-NET: NS, EW, UD; KiK-net: the surface NS2, EW2, UD2, then the borehole NS1,
// EW1, UD1): the chosen file and the files of the same name with the other
// component extensions, in either case, that begin like a K-NET file. A file whose
// extension names no component is a record of its own.
std::vector<KnetComponent> FindKnetComponents(const std::filesystem::path& chosen, bool kiknet);

}  // namespace tremvix::formats
