#include "core/survey/SurveyPlan.h"

#include "core/formats/RecordFormats.h"
#include "core/survey/ArchiveReader.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <set>

namespace tremvix {
namespace {

namespace fs = std::filesystem;

struct Found {
    SurveyFile file;
    std::string head;
};

// What one path gives before grouping.
struct Listing {
    std::vector<Found> files;
    std::vector<PlannedRecord> refused;
};

PlannedRecord Refused(std::string name, std::string reason) {
    PlannedRecord record;
    record.name = std::move(name);
    record.refusal = std::move(reason);
    return record;
}

class Lister {
public:
    explicit Lister(SurveyPlan& plan) : plan_(plan) {}
    Listing List(const fs::path& path);

private:
    void Walk(const fs::path& folder, const std::string& prefix, std::vector<fs::path>& ancestors);
    void AddFile(const fs::path& file, const std::string& name);
    void AddArchive(const fs::path& file, const std::string& prefix);

    void AddGivenFile(const fs::path& file);

    SurveyPlan& plan_;
    Listing listing_;
    std::set<fs::path> used_;  // files on disk already in a record, links resolved
};

Listing Lister::List(const fs::path& path) {
    listing_ = {};
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
        std::vector<fs::path> ancestors{fs::weakly_canonical(path, error)};
        Walk(path, "", ancestors);
    } else if (fs::is_regular_file(status) && HasArchiveExtension(path)) {
        AddArchive(path, "");
    } else {
        AddGivenFile(path);
    }
    return std::move(listing_);
}

// A component given alone brings the others beside it, as the data set window lists
// them; a component given after its record is not a second record.
void Lister::AddGivenFile(const fs::path& file) {
    const std::vector<fs::path> files = formats::RecordFilesOf(file);
    for (const fs::path& each : files) {
        std::error_code error;
        if (!used_.insert(fs::weakly_canonical(each, error)).second) continue;
        AddFile(each, each.string());
    }
}

void Lister::Walk(const fs::path& folder, const std::string& prefix, std::vector<fs::path>& ancestors) {
    std::error_code error;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    if (error) listing_.refused.push_back(Refused(prefix.empty() ? folder.string() : prefix, "フォルダーを読めません: " + error.message()));
    for (const fs::path& entry : entries) {
        const std::string name = prefix + entry.filename().string();
        std::error_code statusError;
        const fs::file_status status = fs::status(entry, statusError);
        if (statusError) {
            listing_.refused.push_back(Refused(name, "開けません（リンクの先がないか、輪になっています）: " + statusError.message()));
        } else if (fs::is_directory(status)) {
            const fs::path real = fs::weakly_canonical(entry, statusError);
            if (std::find(ancestors.begin(), ancestors.end(), real) != ancestors.end()) {
                listing_.refused.push_back(Refused(name, "検索中のフォルダーに戻るリンクなので飛ばします"));
                continue;
            }
            ancestors.push_back(real);
            Walk(entry, name + "/", ancestors);
            ancestors.pop_back();
        } else if (fs::is_regular_file(status) && HasArchiveExtension(entry)) {
            AddArchive(entry, name + "/");
        } else if (fs::is_regular_file(status)) {
            AddFile(entry, name);
        } else {
            listing_.refused.push_back(Refused(name, "通常のファイルではありません"));
        }
    }
}

void Lister::AddFile(const fs::path& file, const std::string& name) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        listing_.refused.push_back(Refused(name, "ファイルを開けません"));
        return;
    }
    std::string head(kHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        listing_.refused.push_back(Refused(name, "ファイルを読めません"));
        return;
    }
    listing_.files.push_back({SurveyFile{name, file, -1, {}}, std::move(head)});
}

void Lister::AddArchive(const fs::path& file, const std::string& prefix) {
    const std::string archiveName = prefix.empty() ? file.string() : prefix.substr(0, prefix.size() - 1);
    ArchiveReader reader = ArchiveReader::OpenFile(file);
    const int index = static_cast<int>(plan_.archives.size());
    plan_.archives.push_back(file);
    std::set<std::string> seen;
    while (const std::optional<ArchiveMember> member = reader.Next()) {
        // A member without a name still gets a row in the failures table.
        const std::string name = prefix + (member->path.empty() ? std::string("（名前のないメンバー）") : member->path);
        if (member->kind == MemberKind::Folder) continue;
        if (const std::optional<std::string> escaping = EscapingPathReason(member->path)) {
            listing_.refused.push_back(Refused(name, *escaping));
        } else if (member->kind != MemberKind::File) {
            listing_.refused.push_back(Refused(name, "リンクや特殊ファイルのメンバーは読みません"));
        } else if (member->size && *member->size > kMaxArchiveMemberBytes) {
            listing_.refused.push_back(Refused(name, "メンバーが大きすぎます（" + std::to_string(*member->size) + " バイト）"));
        } else if (!seen.insert(member->path).second) {
            listing_.refused.push_back(Refused(name, "同じ名前のメンバーが二つあります"));
        } else {
            std::string head;
            bool more = false;
            if (!reader.Read(head, kHeadBytes, more)) break;
            listing_.files.push_back({SurveyFile{name, {}, index, member->path}, std::move(head)});
        }
    }
    if (!reader.Error().empty()) listing_.refused.push_back(Refused(archiveName, reader.Error()));
}

// The key that puts the components of one record together (see RecordGroup).
formats::RecordGroup KeyOf(const Found& found) {
    const fs::path name(found.file.name);
    formats::RecordGroup group = formats::RecordGroupOf(name, found.head);
    const std::string folder = std::to_string(found.file.archive) + "|" + name.parent_path().string() + "|";
    if (!group.key.empty()) group.key.insert(0, folder);
    if (!group.companionKey.empty()) group.companionKey.insert(0, folder);
    return group;
}

std::string MissingComponents(const std::vector<std::string>& order, const std::set<std::string>& present) {
    std::string missing;
    for (const std::string& id : order)
        if (!present.count(id)) missing += (missing.empty() ? "" : "、") + id;
    return missing;
}

std::vector<PlannedRecord> Grouped(std::vector<Found> files) {
    std::sort(files.begin(), files.end(), [](const Found& a, const Found& b) { return a.file.name < b.file.name; });
    std::vector<PlannedRecord> records;
    std::map<std::string, std::size_t> groups;
    std::map<std::string, std::pair<std::vector<std::string>, std::set<std::string>>> components;
    std::map<std::string, std::vector<SurveyFile>> companions;
    std::vector<std::pair<std::size_t, std::string>> needing;  // records and the companions they need
    for (Found& found : files) {
        const formats::RecordGroup key = KeyOf(found);
        if (key.companion) {
            companions[key.key].push_back(std::move(found.file));
            continue;
        }
        if (!key.key.empty()) {
            components[key.key].first = key.components;
            components[key.key].second.insert(key.component);
            if (const auto group = groups.find(key.key); group != groups.end()) {
                records[group->second].files.push_back(std::move(found.file));
                continue;
            }
            groups.emplace(key.key, records.size());
        }
        if (!key.companionKey.empty()) needing.emplace_back(records.size(), key.companionKey);
        std::string name = found.file.name;
        records.emplace_back().name = std::move(name);
        records.back().head = std::move(found.head);
        records.back().files.push_back(std::move(found.file));
    }
    for (const auto& [key, index] : groups) {
        const auto& [order, present] = components[key];
        if (order.empty()) continue;
        if (const std::string missing = MissingComponents(order, present); !missing.empty())
            records[index].refusal = "成分がそろっていません（" + missing + " がありません）";
    }
    for (const auto& [index, key] : needing)
        for (const SurveyFile& companion : companions[key]) records[index].files.push_back(companion);
    return records;
}

}  // namespace

SurveyPlan PlanSurvey(const std::vector<fs::path>& paths) {
    SurveyPlan plan;
    Lister lister(plan);
    for (const fs::path& path : paths) {
        Listing listing = lister.List(path);
        std::vector<PlannedRecord> records = Grouped(std::move(listing.files));
        for (PlannedRecord& refused : listing.refused) records.push_back(std::move(refused));
        std::stable_sort(records.begin(), records.end(),
                         [](const PlannedRecord& a, const PlannedRecord& b) { return a.name < b.name; });
        for (PlannedRecord& record : records) plan.records.push_back(std::move(record));
    }
    return plan;
}

}  // namespace tremvix
