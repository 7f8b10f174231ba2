#include "core/formats/RecordLines.h"

#include "core/formats/RecordText.h"

#include <climits>

namespace tremvix::formats {

std::string FileNameText(const std::filesystem::path& file) {
    return file.filename().string();
}

Refusal BadRecordAt(const std::filesystem::path& file, int line, std::string detail) {
    Refusal refusal{RefusalKind::BadRecord, line};
    refusal.detail = std::move(detail);
    refusal.file = FileNameText(file);
    return refusal;
}

std::optional<std::string> ReadFirstLine(const std::filesystem::path& file) {
    RecordLines lines(RecordLines::kPeekBlockSize);
    std::string_view line;
    if (lines.Open(file) || !lines.Next(line)) {
        return std::nullopt;
    }
    return std::string(line);
}

RecordLines::RecordLines(std::size_t blockSize) : reader_(blockSize) {}

std::optional<Refusal> RecordLines::Open(const std::filesystem::path& file) {
    fileName_ = FileNameText(file);
    line_ = 0;
    failure_.reset();
    switch (reader_.Open(file)) {
    case LineReader::OpenStatus::Opened:
        return std::nullopt;
    case LineReader::OpenStatus::NotAFile:
        return Named(Refusal{RefusalKind::NotAFile});
    case LineReader::OpenStatus::CannotOpen:
        break;
    }
    return Named(Refusal{RefusalKind::CannotOpen});
}

bool RecordLines::Next(std::string_view& content) {
    if (failure_) {
        return false;
    }
    std::string_view line;
    const LineReader::Status status = reader_.Next(line, kMaxLineBytes);
    if (status == LineReader::Status::End) {
        return false;
    }
    const int number = line_ < INT_MAX ? line_ + 1 : INT_MAX;
    if (status == LineReader::Status::TooLong) {
        failure_ = Named(Refusal{RefusalKind::LineTooLong, number, kMaxLineBytes});
        return false;
    }
    if (status == LineReader::Status::ReadError) {
        failure_ = Named(Refusal{RefusalKind::ReadError, number});
        return false;
    }
    line_ = number;
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
    }
    content = line;
    return true;
}

std::optional<Refusal> RecordLines::NextHeader(std::string_view& content) {
    if (Next(content)) {
        return std::nullopt;
    }
    if (failure_) {
        return failure_;
    }
    return Named(Refusal{RefusalKind::EndsBeforeHeader, line_ + 1});
}

Refusal RecordLines::BadAt(int line, std::string detail) const {
    Refusal refusal{RefusalKind::BadRecord, line};
    refusal.detail = std::move(detail);
    return Named(std::move(refusal));
}

Refusal RecordLines::Named(Refusal refusal) const {
    refusal.file = fileName_;
    return refusal;
}

std::optional<Refusal> TakeSamplingRate(const RecordLines& lines, std::string_view value, double& rate) {
    const std::optional<double> hertz = ParseHertz(value);
    if (!hertz) return lines.Bad("サンプリング周波数が読めません");
    rate = *hertz;
    return std::nullopt;
}

}  // namespace tremvix::formats
