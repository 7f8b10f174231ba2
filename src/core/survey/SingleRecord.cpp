#include "core/survey/SingleRecord.h"

#include "core/survey/ArchiveReader.h"
#include "core/survey/SurveyPlan.h"

#include <map>

namespace tremvix {
namespace {

SurveyOutcome FromArchive(const PlannedRecord& planned, const std::filesystem::path& archive) {
    std::map<std::string, std::size_t> wanted;  // member -> slot
    for (std::size_t slot = 0; slot < planned.files.size(); ++slot) wanted[planned.files[slot].member] = slot;
    std::vector<std::string> members(planned.files.size());
    ArchiveReader reader = ArchiveReader::OpenFile(archive);
    while (!wanted.empty()) {
        const std::optional<ArchiveMember> member = reader.Next();
        if (!member) break;
        const auto found = wanted.find(member->path);
        if (member->kind != MemberKind::File || found == wanted.end()) continue;
        bool tooLarge = false;
        if (!reader.Read(members[found->second], kMaxArchiveMemberBytes, tooLarge)) break;
        if (tooLarge) return {planned.name, std::nullopt, "メンバーが大きすぎます（" + member->path + "）"};
        wanted.erase(found);
    }
    if (!wanted.empty())
        return {planned.name, std::nullopt, reader.Error().empty() ? "書庫が読み込み中に変わりました" : reader.Error()};
    return SurveyRecord(planned, members);
}

}  // namespace

SurveyOutcome SurveySingleRecord(const PlannedRecord& planned, const std::vector<std::filesystem::path>& archives) {
    if (planned.refusal || planned.files.empty() || planned.files.front().archive < 0) return SurveyRecord(planned, {});
    const auto archive = static_cast<std::size_t>(planned.files.front().archive);
    if (archive >= archives.size()) return {planned.name, std::nullopt, "書庫のメンバーを読めません"};
    return FromArchive(planned, archives[archive]);
}

}  // namespace tremvix
