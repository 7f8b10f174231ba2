#include "core/export/CsvWriter.h"

#include "core/export/FixedNotation.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

namespace tremvix {
namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 16;
constexpr std::string_view kLineEnd = "\r\n";
// The longest sample line: every field at its widest, the commas and the line end.
constexpr std::size_t kMaxSampleLine = kMaxChannels * (kMaxFixed6Chars + 1) + 2;
static_assert(kChunkBytes > kMaxSampleLine);

using ChunkSink = std::function<bool(std::string_view)>;

int ChannelCountOf(const ChannelStore& store) { return std::clamp(store.ChannelCount, 0, kMaxChannels); }

// A fixed text field up to its NUL, never past its width.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return std::string_view(field, strnlen(field, N));
}

// Collects text in a fixed buffer and hands it on in large pieces.
class ChunkBuffer {
public:
    explicit ChunkBuffer(const ChunkSink& sink) : sink_(sink), bytes_(kChunkBytes) {}

    void Append(std::string_view text) {
        MakeRoom(text.size());
        std::memcpy(bytes_.data() + used_, text.data(), text.size());
        used_ += text.size();
    }
    // A writable place for up to `length` bytes; Commit says how many were used.
    char* Reserve(std::size_t length) {
        MakeRoom(length);
        return bytes_.data() + used_;
    }
    char* Limit() { return bytes_.data() + bytes_.size(); }
    bool Ok() const { return ok_; }
    void Commit(char* end) { used_ = static_cast<std::size_t>(end - bytes_.data()); }

    bool Flush() {
        if (used_ > 0 && ok_) ok_ = sink_(std::string_view(bytes_.data(), used_));
        used_ = 0;
        return ok_;
    }

private:
    void MakeRoom(std::size_t length) {
        if (bytes_.size() - used_ < length) Flush();
        if (bytes_.size() < length) bytes_.resize(length);
    }

    const ChunkSink& sink_;
    std::vector<char> bytes_;
    std::size_t used_ = 0;
    bool ok_ = true;
};

template <std::size_t N>
void AppendHeaderLine(ChunkBuffer& out, const ChannelStore& store, char (ChannelRecord::*field)[N]) {
    const int channels = ChannelCountOf(store);
    for (int i = 0; i < channels; ++i) {
        if (i > 0) out.Append(",");
        out.Append(FieldText(store.BaseBank[i].*field));
    }
    out.Append(kLineEnd);
}

void AppendSampleLine(ChunkBuffer& out, const ChannelStore& store, int row) {
    const int channels = ChannelCountOf(store);
    char* cursor = out.Reserve(kMaxSampleLine);
    char* const limit = out.Limit();
    for (int i = 0; i < channels; ++i) {
        if (i > 0) *cursor++ = ',';
        cursor = WriteFixed6(cursor, limit, static_cast<double>(store.BaseBank[i].SampleOrZero(row)));
    }
    *cursor++ = '\r';
    *cursor++ = '\n';
    out.Commit(cursor);
}

bool EmitCsv(const ChannelStore& store, const ChunkSink& sink) {
    ChunkBuffer out(sink);
    AppendHeaderLine(out, store, &ChannelRecord::ChannelId);
    AppendHeaderLine(out, store, &ChannelRecord::PointName);
    AppendHeaderLine(out, store, &ChannelRecord::Memo);
    AppendHeaderLine(out, store, &ChannelRecord::Unit);
    const int rows = CsvRowCount(store);
    for (int row = 0; row < rows && out.Ok(); ++row) AppendSampleLine(out, store, row);
    return out.Flush();
}

}  // namespace

int CsvRowCount(const ChannelStore& store) { return std::max(store.DataCount, 0); }

bool WriteCsvTo(std::FILE* file, const ChannelStore& store) {
    return EmitCsv(store, [file](std::string_view chunk) {
        return std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
    });
}

std::string FormatCsv(const ChannelStore& store) {
    std::string text;
    EmitCsv(store, [&text](std::string_view chunk) {
        text.append(chunk);
        return true;
    });
    return text;
}

SaveResult WriteCsv(const std::filesystem::path& target, const ChannelStore& store) {
    return WriteFileAtomically(target, [&store](std::FILE* file) { return WriteCsvTo(file, store); });
}

}  // namespace tremvix
