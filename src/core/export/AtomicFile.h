#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace tremvix {

// Outcome of a save. On failure `error` says which step failed and why (errno text)
// and `errorNumber` holds the errno value (0 when the writer failed without one).
struct SaveResult {
    bool ok = false;
    std::string error;
    int errorNumber = 0;
};

// Writes the content of a stream to a file of its own.
// Returns false when it could not write everything.
using StreamWriter = std::function<bool(std::FILE*)>;

// Replaces `target` with what `write` puts into the stream, or leaves it untouched.
// The data goes to a hidden temporary file next to the target (".name.XXXXXX"),
// is flushed and synced, and is then renamed over the target; on any failure the
// temporary file is removed and an existing target keeps its old content.
//
// Permissions: a new file gets 0666 less the umask, as fopen would create it; an
// existing target keeps its mode bits. The owner becomes the saving user. A target
// that is a symbolic link is resolved, so the file it points to is replaced and
// the link stays.
SaveResult WriteFileAtomically(const std::filesystem::path& target, const StreamWriter& write);

}  // namespace tremvix
