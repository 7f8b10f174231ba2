#include "core/survey/RecordFiles.h"

#include "core/survey/ArchiveReader.h"
#include "core/survey/SurveyPlan.h"

#include <fstream>
#include <map>

namespace tremvix {
namespace {

RecordOnDisk Error(std::string text) { return {{}, std::move(text)}; }

bool WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace

RecordOnDisk RecordFilesOnDisk(const SurveyPlan& plan, std::size_t index, const std::filesystem::path& folder) {
    if (index >= plan.records.size() || plan.records[index].files.empty()) return Error("記録がありません");
    const PlannedRecord& record = plan.records[index];
    const SurveyFile& first = record.files.front();
    if (first.archive < 0) return {first.disk, {}};
    std::map<std::string, std::filesystem::path> wanted;  // member -> copy
    for (const SurveyFile& file : record.files) {
        // Only the last part of the member's path: nothing is written outside the folder.
        const std::filesystem::path name = std::filesystem::path(file.member).filename();
        if (name.empty() || name == "." || name == "..") return Error("メンバーの名前が不正です（" + file.member + "）");
        wanted[file.member] = folder / name;
    }
    ArchiveReader reader = ArchiveReader::OpenFile(plan.archives[static_cast<std::size_t>(first.archive)]);
    while (!wanted.empty()) {
        const std::optional<ArchiveMember> member = reader.Next();
        if (!member) break;
        const auto found = wanted.find(member->path);
        if (member->kind != MemberKind::File || found == wanted.end()) continue;
        std::string bytes;
        bool tooLarge = false;
        if (!reader.Read(bytes, kMaxArchiveMemberBytes, tooLarge)) break;
        if (tooLarge) return Error("メンバーが大きすぎます（" + member->path + "）");
        if (!WriteFile(found->second, bytes)) return Error("書き込めません: " + found->second.string());
        wanted.erase(found);
    }
    if (!wanted.empty())
        return Error(reader.Error().empty() ? "書庫にメンバーが見つかりません（" + wanted.begin()->first + "）" : reader.Error());
    return {folder / std::filesystem::path(first.member).filename(), {}};
}

}  // namespace tremvix
