#include "core/formats/TextFormats.h"

#include "core/formats/At2Header.h"
#include "core/formats/JmaCsvRecord.h"
#include "core/formats/KnetComponents.h"
#include "core/formats/KnetHeader.h"
#include "core/formats/KnetRecord.h"
#include "core/formats/NetworkRecord.h"
#include "core/formats/PeerAt2Record.h"
#include "core/formats/RecordText.h"

#include <algorithm>
#include <array>
#include <span>

namespace tremvix::formats {
namespace {

constexpr std::array<const char*, 3> kKnetOrder = {"NS", "EW", "UD"};
constexpr std::array<const char*, 6> kKiknetOrder = {"NS2", "EW2", "UD2", "NS1", "EW1", "UD1"};

bool HasKiknetExtension(const std::filesystem::path& file) {
    const std::string extension = LowerAscii(file.extension().string());
    return extension.size() == 4 && (extension[3] == '1' || extension[3] == '2') &&
           (extension.starts_with(".ns") || extension.starts_with(".ew") || extension.starts_with(".ud"));
}

std::string_view SecondLine(std::string_view text) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return {};
    text.remove_prefix(end + 1);
    text = text.substr(0, text.find('\n'));
    if (text.ends_with('\r')) text.remove_suffix(1);
    return text;
}

// K-NET and KiK-net: one file per component, told apart by the component extension.
class KnetLayout final : public RecordFormat {
public:
    explicit KnetLayout(bool kiknet) : kiknet_(kiknet) {}

    NetworkLayout Layout() const override { return kiknet_ ? NetworkLayout::KiKnet : NetworkLayout::Knet; }
    std::string Name() const override { return kiknet_ ? "KiK-net形式" : "K-NET形式"; }

    bool Recognises(const std::filesystem::path& file, const FileHead& head) const override {
        return head.firstLine && IsKnetFirstLine(*head.firstLine) && HasKiknetExtension(file) == kiknet_;
    }
    ScanResult Scan(const std::filesystem::path& file) const override { return ScanKnetRecord(file, kiknet_); }
    TransferRead Read(const std::filesystem::path& file, const std::vector<int>& channels,
                      const std::function<void(int)>& progress) const override {
        return ReadKnetChannels(file, kiknet_, channels, progress);
    }
    std::vector<std::filesystem::path> RecordFiles(const std::filesystem::path& file) const override {
        std::vector<std::filesystem::path> files;
        for (const KnetComponent& component : FindKnetComponents(file, kiknet_)) files.push_back(component.file);
        return files;
    }
    // A file whose extension names no component of the layout is a record of its own.
    RecordGroup GroupOf(const std::filesystem::path& name, const FileHead&) const override {
        std::string id = name.has_extension() ? name.extension().string().substr(1) : std::string();
        std::transform(id.begin(), id.end(), id.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
        RecordGroup group;
        for (const char* const wanted : kiknet_ ? std::span<const char* const>(kKiknetOrder) : std::span<const char* const>(kKnetOrder))
            group.components.emplace_back(wanted);
        if (std::find(group.components.begin(), group.components.end(), id) == group.components.end()) return {};
        group.key = "K|" + name.stem().string() + (kiknet_ ? "|1" : "|0");
        group.component = std::move(id);
        return group;
    }

private:
    bool kiknet_;
};

class JmaCsvLayout final : public RecordFormat {
public:
    NetworkLayout Layout() const override { return NetworkLayout::JmaCsv; }
    std::string Name() const override { return "JMA形式"; }
    bool Recognises(const std::filesystem::path&, const FileHead& head) const override {
        return head.firstLine && IsJmaFirstLine(*head.firstLine);
    }
    ScanResult Scan(const std::filesystem::path& file) const override { return ScanJmaRecord(file); }
    TransferRead Read(const std::filesystem::path& file, const std::vector<int>& channels,
                      const std::function<void(int)>& progress) const override {
        return ReadJmaChannels(file, channels, progress);
    }
};

// PEER AT2: the components of a station are the files naming the same event, date
// and station on line 2.
class PeerAt2Layout final : public RecordFormat {
public:
    NetworkLayout Layout() const override { return NetworkLayout::PeerAt2; }
    std::string Name() const override { return "PEER形式"; }
    bool Recognises(const std::filesystem::path&, const FileHead& head) const override {
        return head.firstLine && IsPeerFirstLine(*head.firstLine);
    }
    ScanResult Scan(const std::filesystem::path& file) const override { return ScanAt2Record(file); }
    TransferRead Read(const std::filesystem::path& file, const std::vector<int>& channels,
                      const std::function<void(int)>& progress) const override {
        return ReadAt2Channels(file, channels, progress);
    }
    RecordGroup GroupOf(const std::filesystem::path&, const FileHead& head) const override {
        const std::string_view identity = SecondLine(head.bytes);
        return {"A|" + std::string(identity.substr(0, identity.rfind(','))), {}, {}, false, {}};
    }
};

}  // namespace

const RecordFormat& KnetFormat() {
    static const KnetLayout format(false);
    return format;
}

const RecordFormat& KiknetFormat() {
    static const KnetLayout format(true);
    return format;
}

const RecordFormat& JmaCsvFormat() {
    static const JmaCsvLayout format;
    return format;
}

const RecordFormat& PeerAt2Format() {
    static const PeerAt2Layout format;
    return format;
}

}  // namespace tremvix::formats
