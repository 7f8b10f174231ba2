#include "core/data/SplitFields.h"

#include <cstring>

namespace tremvix {

std::string_view LineContent(std::string_view line) {
    std::size_t end = line.size();
    if (const void* nul = std::memchr(line.data(), '\0', line.size())) {
        end = static_cast<std::size_t>(static_cast<const char*>(nul) - line.data());
    }
    bool endsWithLf = false;
    if (const void* lf = std::memchr(line.data(), '\n', end)) {
        end = static_cast<std::size_t>(static_cast<const char*>(lf) - line.data());
        endsWithLf = true;
    }
    if (endsWithLf && end > 0 && line[end - 1] == '\r') {
        --end;
    }
    return line.substr(0, end);
}

int SplitFields(std::string_view line, std::string* fields, int capacity) {
    if (line.empty() || line.front() == '\0') {
        return 0;
    }
    const std::string_view content = LineContent(line);
    int count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = content.find(',', start);
        const std::size_t stop = comma == std::string_view::npos ? content.size() : comma;
        if (count < capacity) {
            fields[count].assign(content.data() + start, stop - start);
        }
        ++count;
        if (comma == std::string_view::npos) {
            return count;
        }
        start = comma + 1;
    }
}

int SplitFields(const char* line, std::string* fields, int capacity) {
    return SplitFields(std::string_view(line, std::strlen(line)), fields, capacity);
}

}  // namespace tremvix
