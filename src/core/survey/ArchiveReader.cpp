#include "core/survey/ArchiveReader.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <sys/stat.h>

namespace tremvix {
namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;

std::string LowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

archive* NewReader() {
    archive* handle = archive_read_new();
    if (!handle) return nullptr;
    archive_read_support_filter_all(handle);
    archive_read_support_format_tar(handle);
    archive_read_support_format_gnutar(handle);
    archive_read_support_format_zip(handle);
    return handle;
}

}  // namespace

std::optional<std::string> EscapingPathReason(const std::string& path) {
    if (path.empty()) return "名前のないメンバーです";
    if (path.front() == '/' || path.front() == '\\') return "絶対パスのメンバーは読みません（書庫の外を指します）";
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find_first_of("/\\", start), path.size());
        if (path.compare(start, end - start, "..") == 0 && end - start == 2)
            return "「..」を含むメンバーは読みません（書庫の外を指します）";
        start = end + 1;
    }
    return std::nullopt;
}

bool HasArchiveExtension(const std::filesystem::path& file) {
    const std::string name = LowerAscii(file.filename().string());
    for (const char* ending : {".tar", ".tar.gz", ".tgz", ".zip"})
        if (name.size() > std::string_view(ending).size() && name.ends_with(ending)) return true;
    return false;
}

ArchiveReader::ArchiveReader() : handle_(NewReader(), archive_read_free) {
    if (!handle_) error_ = "書庫を読む準備ができません";
}

ArchiveReader::ArchiveReader(ArchiveReader&&) noexcept = default;
ArchiveReader& ArchiveReader::operator=(ArchiveReader&&) noexcept = default;
ArchiveReader::~ArchiveReader() = default;

void ArchiveReader::Fail(std::string text) {
    if (!error_.empty()) return;
    const char* detail = handle_ ? archive_error_string(handle_.get()) : nullptr;
    error_ = detail ? text + "（" + detail + "）" : text;
}

ArchiveReader ArchiveReader::OpenFile(const std::filesystem::path& file) {
    ArchiveReader reader;
    if (reader.handle_ && archive_read_open_filename(reader.handle_.get(), file.c_str(), kBlockBytes) != ARCHIVE_OK)
        reader.Fail("書庫を開けません");
    return reader;
}

ArchiveReader ArchiveReader::OpenMemory(std::span<const char> bytes) {
    ArchiveReader reader;
    if (reader.handle_ && archive_read_open_memory(reader.handle_.get(), bytes.data(), bytes.size()) != ARCHIVE_OK)
        reader.Fail("書庫を開けません");
    return reader;
}

std::optional<ArchiveMember> ArchiveReader::Next() {
    if (!error_.empty()) return std::nullopt;
    archive_entry* entry = nullptr;
    const int status = archive_read_next_header(handle_.get(), &entry);
    if (status == ARCHIVE_EOF) return std::nullopt;
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN) {
        Fail("書庫が壊れています");
        return std::nullopt;
    }
    ArchiveMember member;
    const char* path = archive_entry_pathname(entry);
    member.path = path ? path : "";
    while (member.path.starts_with("./")) member.path.erase(0, 2);
    const mode_t type = archive_entry_filetype(entry);
    const bool link = archive_entry_hardlink(entry) != nullptr;
    member.kind = link ? MemberKind::Other
                  : type == AE_IFREG ? MemberKind::File
                  : type == AE_IFDIR ? MemberKind::Folder
                                     : MemberKind::Other;
    if (member.kind == MemberKind::Folder && member.path.ends_with('/')) member.path.pop_back();
    if (archive_entry_size_is_set(entry)) member.size = static_cast<std::uint64_t>(std::max<la_int64_t>(archive_entry_size(entry), 0));
    return member;
}

bool ArchiveReader::Read(std::string& bytes, std::uint64_t limit, bool& truncated) {
    bytes.clear();
    truncated = false;
    if (!error_.empty()) return false;
    char block[kBlockBytes];
    for (;;) {
        const la_ssize_t got = archive_read_data(handle_.get(), block, sizeof block);
        if (got < 0) {
            Fail("書庫のメンバーを読めません");
            return false;
        }
        if (got == 0) return true;
        const std::uint64_t room = limit - bytes.size();
        if (static_cast<std::uint64_t>(got) > room) {
            bytes.append(block, static_cast<std::size_t>(room));
            truncated = true;
            return true;
        }
        bytes.append(block, static_cast<std::size_t>(got));
    }
}

}  // namespace tremvix
