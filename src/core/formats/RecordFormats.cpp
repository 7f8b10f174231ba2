#include "core/formats/RecordFormats.h"

#include "core/formats/NetworkRecord.h"
#include "core/formats/MiniSeedRecord.h"
#include "core/formats/RecordLines.h"
#include "core/formats/SacRecord.h"
#include "core/formats/TextFormats.h"
#include "core/formats/Win32Record.h"

#include <array>
#include <fstream>

namespace tremvix::formats {

std::span<const RecordFormat* const> RecordFormats() {
    // SAC is known by a few zero bytes deep in its header: it comes last.
    static const std::array<const RecordFormat*, 7> kFormats = {
        &KnetFormat(), &KiknetFormat(), &JmaCsvFormat(), &PeerAt2Format(), &MiniSeedFormat(), &Win32Format(), &SacFormat(),
    };
    return kFormats;
}

FileHead ReadFileHead(const std::filesystem::path& file) {
    FileHead head;
    std::ifstream in(file, std::ios::binary);
    if (!in) return head;
    head.bytes.resize(kFileHeadBytes);
    in.read(head.bytes.data(), static_cast<std::streamsize>(head.bytes.size()));
    head.bytes.resize(static_cast<std::size_t>(in.gcount()));
    head.firstLine = ReadFirstLine(file);
    return head;
}

FileHead HeadOfBytes(std::string_view bytes) {
    FileHead head;
    head.bytes = std::string(bytes.substr(0, kFileHeadBytes));
    if (!bytes.empty()) {
        std::string_view line = bytes.substr(0, bytes.find('\n'));
        if (line.ends_with('\r')) line.remove_suffix(1);
        head.firstLine = std::string(line);
    }
    return head;
}

const RecordFormat* RecogniseFormat(const std::filesystem::path& file, const FileHead& head) {
    for (const RecordFormat* const format : RecordFormats())
        if (format->Recognises(file, head)) return format;
    return nullptr;
}

const RecordFormat& FormatOf(NetworkLayout layout) {
    for (const RecordFormat* const format : RecordFormats())
        if (format->Layout() == layout) return *format;
    return *RecordFormats().front();
}

std::vector<std::filesystem::path> RecordFilesOf(const std::filesystem::path& file) {
    const RecordFormat* const format = RecogniseFormat(file, ReadFileHead(file));
    return format ? format->RecordFiles(file) : std::vector<std::filesystem::path>{file};
}

RecordGroup RecordGroupOf(const std::filesystem::path& name, std::string_view head) {
    const FileHead fileHead = HeadOfBytes(head);
    const RecordFormat* const format = RecogniseFormat(name, fileHead);
    return format ? format->GroupOf(name, fileHead) : RecordGroup{};
}

}  // namespace tremvix::formats
