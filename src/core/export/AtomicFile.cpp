#include "core/export/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tremvix {
namespace {

namespace fs = std::filesystem;

// The temporary name must fit NAME_MAX (255) together with the dot and the suffix.
constexpr std::size_t kMaxTempStem = 200;
constexpr int kTempAttempts = 100;
constexpr std::size_t kStreamBuffer = 1 << 16;

std::string ErrnoText(int number) {
    return std::error_code(number, std::generic_category()).message();
}

SaveResult Failure(const std::string& step, const fs::path& path, int number) {
    SaveResult result;
    result.errorNumber = number;
    result.error = step + " \"" + path.string() + "\"";
    if (number != 0) result.error += ": " + ErrnoText(number);
    return result;
}

std::string RandomSuffix() {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uniform_int_distribution<int> pick(0, sizeof(kAlphabet) - 2);
    std::string suffix(6, 'X');
    for (char& c : suffix) c = kAlphabet[pick(device)];
    return suffix;
}

// A symbolic link is followed so that the file behind it gets the new content.
fs::path ResolveTarget(const fs::path& target) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(target, ec))) return target;
    const fs::path resolved = fs::weakly_canonical(target, ec);
    return ec ? target : resolved;
}

// Removes the temporary file unless the save went through.
class TempFile {
public:
    TempFile(fs::path path, int fd) : path_(std::move(path)), fd_(fd) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (stream_) std::fclose(stream_);
        else if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(path_.c_str());
    }

    const fs::path& Path() const { return path_; }
    int Fd() const { return fd_; }
    std::FILE* Stream() const { return stream_; }
    void SetStream(std::FILE* stream) { stream_ = stream; }
    // Closes the stream (or the descriptor) and returns the errno of a failed close, else 0.
    int Close() {
        int rc = 0;
        if (stream_) rc = std::fclose(stream_);
        else if (fd_ >= 0) rc = ::close(fd_);
        stream_ = nullptr;
        fd_ = -1;
        return rc == 0 ? 0 : errno;
    }
    void Commit() { committed_ = true; }

private:
    fs::path path_;
    int fd_ = -1;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};

// Creates ".name.XXXXXX" in the target's folder. New targets are created with 0666
// so that the umask applies exactly as for fopen; replacements start private and
// receive the old mode just before the rename.
std::unique_ptr<TempFile> CreateTemp(const fs::path& target, bool replacing, int& error) {
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    const std::string stem = target.filename().string().substr(0, kMaxTempStem);
    const mode_t mode = replacing ? 0600 : 0666;
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        fs::path candidate = folder / ("." + stem + "." + RandomSuffix());
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) return std::make_unique<TempFile>(std::move(candidate), fd);
        if (errno != EEXIST) break;
    }
    error = errno;
    return nullptr;
}

// Makes the rename itself durable. A failure here is not reported: the new content
// is already in place under the target's name.
void SyncFolder(const fs::path& target) {
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

SaveResult WriteFileAtomically(const fs::path& requested, const StreamWriter& write) {
    const fs::path target = ResolveTarget(requested);

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) return Failure("cannot replace the folder", target, EISDIR);
    // Renaming over a device or a pipe would remove it instead of writing to it.
    if (replacing && !S_ISREG(old.st_mode)) return Failure("not a regular file", target, EINVAL);

    int error = 0;
    const std::unique_ptr<TempFile> temp = CreateTemp(target, replacing, error);
    if (!temp) return Failure("cannot create a file in the folder of", target, error);

    std::FILE* stream = ::fdopen(temp->Fd(), "wb");
    if (!stream) return Failure("cannot open a stream on", temp->Path(), errno);
    temp->SetStream(stream);
    std::setvbuf(stream, nullptr, _IOFBF, kStreamBuffer);

    errno = 0;
    const bool written = write(stream);
    const int writeError = errno;
    if (!written) return Failure("cannot write", target, std::ferror(stream) ? writeError : 0);
    if (std::fflush(stream) != 0) return Failure("cannot write", target, errno);
    if (std::ferror(stream)) return Failure("cannot write", target, writeError);
    if (::fsync(temp->Fd()) != 0) return Failure("cannot store", target, errno);
    if (replacing && ::fchmod(temp->Fd(), old.st_mode & 07777) != 0)
        return Failure("cannot set the permissions of", temp->Path(), errno);
    if (const int closeError = temp->Close(); closeError != 0)
        return Failure("cannot close", temp->Path(), closeError);
    if (::rename(temp->Path().c_str(), target.c_str()) != 0) return Failure("cannot replace", target, errno);
    temp->Commit();
    SyncFolder(target);
    return SaveResult{true, {}, 0};
}

}  // namespace tremvix
