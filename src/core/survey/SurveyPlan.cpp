#include "core/survey/SurveyPlan.h"

#include "core/formats/At2Header.h"
#include "core/formats/KnetComponents.h"
#include "core/formats/KnetHeader.h"
#include "core/formats/RecordLines.h"
#include "core/survey/ArchiveReader.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <set>

namespace tremvix {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 3> kKnetOrder = {"NS", "EW", "UD"};
constexpr std::array<std::string_view, 6> kKiknetOrder = {"NS2", "EW2", "UD2", "NS1", "EW1", "UD1"};

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

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return upper;
}

std::string_view Line(std::string_view text, int index) {
    for (int k = 0; k < index; ++k) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return {};
        text.remove_prefix(end + 1);
    }
    text = text.substr(0, text.find('\n'));
    if (text.ends_with('\r')) text.remove_suffix(1);
    return text;
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
    std::vector<fs::path> files{file};
    if (const std::optional<std::string> first = formats::ReadFirstLine(file); first && formats::IsKnetFirstLine(*first)) {
        const std::string id = Upper(file.extension().string());
        const bool kiknet = id.size() == 4 && (id[3] == '1' || id[3] == '2');
        files.clear();
        for (const formats::KnetComponent& component : formats::FindKnetComponents(file, kiknet))
            files.push_back(component.file);
    }
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

// The key that puts the components of one record together; empty: a record of its own.
struct GroupKey {
    std::string key;
    std::vector<std::string_view> components;  // the layout's, for K-NET and KiK-net
    std::string component;                     // this file's
};

GroupKey KeyOf(const Found& found) {
    const fs::path name(found.file.name);
    const std::string folder = std::to_string(found.file.archive) + "|" + name.parent_path().string();
    const std::string_view first = Line(found.head, 0);
    if (formats::IsKnetFirstLine(first)) {
        const std::string id = name.has_extension() ? Upper(name.extension().string().substr(1)) : std::string();
        const bool kiknet = id.size() == 3 && (id[2] == '1' || id[2] == '2');
        const std::vector<std::string_view> order = kiknet ? std::vector<std::string_view>(kKiknetOrder.begin(), kKiknetOrder.end())
                                                           : std::vector<std::string_view>(kKnetOrder.begin(), kKnetOrder.end());
        if (std::find(order.begin(), order.end(), id) == order.end()) return {};
        return {"K" + folder + "|" + name.stem().string() + (kiknet ? "|1" : "|0"), order, id};
    }
    if (formats::IsPeerFirstLine(first)) {
        // Line 2 less its component field: event, date and station.
        const std::string_view identity = Line(found.head, 1);
        return {"A" + folder + "|" + std::string(identity.substr(0, identity.rfind(','))), {}, {}};
    }
    return {};
}

std::string MissingComponents(const std::vector<std::string_view>& order, const std::set<std::string>& present) {
    std::string missing;
    for (const std::string_view id : order)
        if (!present.count(std::string(id))) missing += (missing.empty() ? "" : "、") + std::string(id);
    return missing;
}

std::vector<PlannedRecord> Grouped(std::vector<Found> files) {
    std::sort(files.begin(), files.end(), [](const Found& a, const Found& b) { return a.file.name < b.file.name; });
    std::vector<PlannedRecord> records;
    std::map<std::string, std::size_t> groups;
    std::map<std::string, std::pair<std::vector<std::string_view>, std::set<std::string>>> components;
    for (Found& found : files) {
        const GroupKey key = KeyOf(found);
        if (!key.key.empty()) {
            components[key.key].first = key.components;
            components[key.key].second.insert(key.component);
            if (const auto group = groups.find(key.key); group != groups.end()) {
                records[group->second].files.push_back(std::move(found.file));
                continue;
            }
            groups.emplace(key.key, records.size());
        }
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
