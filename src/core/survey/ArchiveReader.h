#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

struct archive;

namespace tremvix {

// Largest member read into memory: a record of a recording network is a few MB, so a
// bigger one is broken or hostile (a sparse file that unpacks to gigabytes).
inline constexpr std::uint64_t kMaxArchiveMemberBytes = 512ull << 20;

enum class MemberKind { File, Folder, Other };

struct ArchiveMember {
    std::string path;                   // as stored, "./" in front removed
    MemberKind kind = MemberKind::File;
    std::optional<std::uint64_t> size;  // as the header states it, when it does
};

// Nothing when the member's path stays inside the archive, else why it is refused:
// absolute paths, ".." steps, empty paths.
std::optional<std::string> EscapingPathReason(const std::string& path);

// Reads .tar (plain, gzip, bzip2, xz) and .zip archives member by member, in the
// order they are stored, without writing anything to disk.
class ArchiveReader {
public:
    static ArchiveReader OpenFile(const std::filesystem::path& file);
    // `bytes` must outlive the reader.
    static ArchiveReader OpenMemory(std::span<const char> bytes);
    ArchiveReader(ArchiveReader&&) noexcept;
    ArchiveReader& operator=(ArchiveReader&&) noexcept;
    ~ArchiveReader();

    // Why the archive could not be opened or read on; empty while all is well.
    const std::string& Error() const { return error_; }
    // The next member's header, or nothing at the end or on an error.
    std::optional<ArchiveMember> Next();
    // Up to `limit` bytes of the current member from where the reading stands; false
    // on a read error (see Error()). `truncated` tells that more was there.
    bool Read(std::string& bytes, std::uint64_t limit, bool& truncated);

private:
    ArchiveReader();
    void Fail(std::string text);

    std::unique_ptr<archive, int (*)(archive*)> handle_;
    std::string error_;
};

// True when the name ends like an archive the survey opens (.tar, .tar.gz, .tgz, .zip).
bool HasArchiveExtension(const std::filesystem::path& file);

}  // namespace tremvix
