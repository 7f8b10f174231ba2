#include "core/survey/SurveyRecord.h"

#include "core/formats/RecordLoader.h"
#include "core/survey/StationPosition.h"
#include "core/survey/SurveyPlan.h"

#include <cstdlib>
#include <fstream>
#include <exception>
#include <new>

namespace tremvix {
namespace {

namespace fs = std::filesystem;

constexpr double kRateIfUnstated = 100.0;

// The readers find a record's other components beside the file they open, on disk.
// Members of an archive are therefore written, for the time the record is read, into a
// private temporary folder of their own (only this record's files, under their base
// names) and the folder is removed after: what is on disk is bounded by the records in
// flight, and nothing is written beside the archive.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::error_code error;
        std::string pattern = (fs::temp_directory_path(error) / "tremvix-survey-XXXXXX").string();
        if (!error && ::mkdtemp(pattern.data())) path_ = pattern;
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        std::error_code error;
        if (!path_.empty()) fs::remove_all(path_, error);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

bool WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out.good();
}

// Messages name the survey's file, never the temporary folder.
std::string Renamed(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A reason is one line of a table: the message boxes' line breaks and their padding of
// ideographic spaces do not belong there.
std::string OneLine(const std::string& text) {
    constexpr std::string_view kPadding = "\u3000";
    std::string line;
    for (const char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            while (line.ends_with(kPadding)) line.resize(line.size() - kPadding.size());
            line += ' ';
        } else {
            line += c;
        }
    }
    while (line.ends_with(kPadding) || line.ends_with(' ')) line.resize(line.size() - (line.ends_with(' ') ? 1 : kPadding.size()));
    return line;
}

SurveyOutcome Refused(const PlannedRecord& planned, const std::string& reason) {
    return {planned.name, std::nullopt, OneLine(reason)};
}

SurveyOutcome FromLoaded(const PlannedRecord& planned, const LoadedRecord& loaded, const std::string& tempPrefix,
                         const std::string& namePrefix) {
    if (loaded.refusal) return Refused(planned, Renamed(RefusalText(*loaded.refusal), tempPrefix, namePrefix));
    SurveyRow row = ComputeSurveyRow(loaded);
    row.record = planned.name;
    if (const std::optional<StationPosition> position = ReadStationPosition(planned.head)) {
        row.latitude = position->latitude;
        row.longitude = position->longitude;
    }
    return {planned.name, std::move(row), {}};
}

SurveyOutcome FromMembers(const PlannedRecord& planned, const std::vector<std::string>& members) {
    const TemporaryFolder folder;
    if (folder.Path().empty()) return Refused(planned, "一時フォルダーを作れません");
    if (members.size() != planned.files.size()) return Refused(planned, "書庫のメンバーを読めません");
    for (std::size_t k = 0; k < members.size(); ++k)
        if (!WriteFile(folder.Path() / fs::path(planned.files[k].member).filename(), members[k]))
            return Refused(planned, "一時ファイルに書けません");
    const fs::path first = folder.Path() / fs::path(planned.files.front().member).filename();
    const LoadedRecord loaded = LoadRecordFile(first, FileLayout::Standard, kRateIfUnstated);
    const std::string namePrefix = fs::path(planned.files.front().name).parent_path().string();
    return FromLoaded(planned, loaded, folder.Path().string() + "/", namePrefix.empty() ? "" : namePrefix + "/");
}

}  // namespace

SurveyOutcome SurveyRecord(const PlannedRecord& planned, const std::vector<std::string>& members) {
    if (planned.refusal) return Refused(planned, *planned.refusal);
    try {
        if (planned.files.front().archive >= 0) return FromMembers(planned, members);
        const LoadedRecord loaded = LoadRecordFile(planned.files.front().disk, FileLayout::Standard, kRateIfUnstated);
        return FromLoaded(planned, loaded, {}, {});
    } catch (const std::bad_alloc&) {
        return Refused(planned, "メモリーが足りません");
    } catch (const std::exception& error) {
        // One record's trouble never stops the others (nor ends a worker thread).
        return Refused(planned, std::string("読めません: ") + error.what());
    }
}

}  // namespace tremvix
