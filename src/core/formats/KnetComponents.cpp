#include "core/formats/KnetComponents.h"

#include "core/formats/KnetHeader.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

namespace tremvix::formats {
namespace {

constexpr std::array<std::string_view, 3> kKnetOrder = {"NS", "EW", "UD"};
constexpr std::array<std::string_view, 6> kKiknetOrder = {"NS2", "EW2", "UD2", "NS1", "EW1", "UD1"};

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return upper;
}

bool BeginsLikeKnet(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return false;
    }
    const std::optional<std::string> first = ReadFirstLine(file);
    return first && IsKnetFirstLine(*first);
}

// The sibling with component extension `id`, spelt in the chosen file's case first.
std::optional<std::filesystem::path> FindSibling(const std::filesystem::path& chosen, std::string_view id,
                                                 bool lowerFirst) {
    const std::string upper(id);
    const std::string lower = LowerAscii(id);
    for (const std::string& extension : lowerFirst ? std::array{lower, upper} : std::array{upper, lower}) {
        std::filesystem::path candidate = chosen;
        candidate.replace_extension(extension);
        if (BeginsLikeKnet(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace

std::vector<KnetComponent> FindKnetComponents(const std::filesystem::path& chosen, bool kiknet) {
    const std::string extension = chosen.extension().string();
    const std::string chosenId = extension.size() > 1 ? UpperAscii(extension.substr(1)) : std::string();
    const bool lowerFirst = extension.size() > 1 && LowerAscii(extension) == extension;
    const std::span<const std::string_view> order =
        kiknet ? std::span<const std::string_view>(kKiknetOrder) : std::span<const std::string_view>(kKnetOrder);
    if (std::find(order.begin(), order.end(), chosenId) == order.end()) {
        return {{std::string(), chosen}};
    }
    std::vector<KnetComponent> components;
    for (const std::string_view id : order) {
        if (id == chosenId) {
            components.push_back({std::string(id), chosen});
        } else if (const auto sibling = FindSibling(chosen, id, lowerFirst)) {
            components.push_back({std::string(id), *sibling});
        }
    }
    return components;
}

}  // namespace tremvix::formats
