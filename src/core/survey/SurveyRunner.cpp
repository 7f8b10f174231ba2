#include "core/survey/SurveyRunner.h"

#include "core/survey/ArchiveReader.h"
#include "core/survey/OrderedPool.h"
#include "core/survey/SurveyPlan.h"

#include <map>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace tremvix {
namespace {

// A record of an archive whose members are being gathered.
struct Gathering {
    std::size_t index = 0;
    std::vector<std::string> members;
    std::size_t found = 0;
    bool done = false;
};

class Survey {
public:
    Survey(const SurveyPlan& plan, OrderedPool& pool) : plan_(plan), pool_(pool) {}
    void Run();

private:
    void Stream(int archive);
    void SubmitMembers(Gathering& gathering);

    const SurveyPlan& plan_;
    OrderedPool& pool_;
};

void Survey::Run() {
    std::set<int> streamed;
    for (std::size_t index = 0; index < plan_.records.size(); ++index) {
        const PlannedRecord& record = plan_.records[index];
        const int archive = record.files.empty() ? -1 : record.files.front().archive;
        if (record.refusal) {
            pool_.Put(index, SurveyRecord(record, {}));
        } else if (archive < 0) {
            pool_.Submit(index, [&record] { return SurveyRecord(record, {}); });
        } else if (streamed.insert(archive).second) {
            // One pass through the archive hands over every record it holds.
            Stream(archive);
        }
    }
}

void Survey::SubmitMembers(Gathering& gathering) {
    gathering.done = true;
    const PlannedRecord& record = plan_.records[gathering.index];
    pool_.Submit(gathering.index, [&record, members = std::move(gathering.members)] { return SurveyRecord(record, members); });
}

void Survey::Stream(int archive) {
    std::vector<Gathering> gatherings;
    // A member may serve several records (one channel table beside many data files).
    std::map<std::string, std::vector<std::pair<std::size_t, std::size_t>>> wanted;  // member -> (gathering, slot)
    for (std::size_t index = 0; index < plan_.records.size(); ++index) {
        const PlannedRecord& record = plan_.records[index];
        if (record.refusal || record.files.front().archive != archive) continue;
        for (std::size_t slot = 0; slot < record.files.size(); ++slot)
            wanted[record.files[slot].member].emplace_back(gatherings.size(), slot);
        gatherings.push_back({index, std::vector<std::string>(record.files.size()), 0, false});
    }
    ArchiveReader reader = ArchiveReader::OpenFile(plan_.archives[static_cast<std::size_t>(archive)]);
    while (const std::optional<ArchiveMember> member = reader.Next()) {
        const auto found = wanted.find(member->path);
        if (member->kind != MemberKind::File || found == wanted.end()) continue;
        std::string bytes;
        bool tooLarge = false;
        if (!reader.Read(bytes, kMaxArchiveMemberBytes, tooLarge)) break;
        const std::vector<std::pair<std::size_t, std::size_t>> users = std::move(found->second);
        wanted.erase(found);
        for (std::size_t u = 0; u < users.size(); ++u) {
            const auto [which, slot] = users[u];
            Gathering& gathering = gatherings[which];
            if (gathering.done) continue;
            if (tooLarge) {
                gathering.done = true;
                gathering.members.clear();
                pool_.Put(gathering.index, {plan_.records[gathering.index].name, std::nullopt,
                                            "メンバーが大きすぎます（" + member->path + "）"});
                continue;
            }
            gathering.members[slot] = u + 1 == users.size() ? std::move(bytes) : bytes;
            if (++gathering.found == gathering.members.size()) SubmitMembers(gathering);
        }
    }
    const std::string reason = reader.Error().empty() ? "書庫が読み込み中に変わりました" : reader.Error();
    for (Gathering& gathering : gatherings)
        if (!gathering.done) pool_.Put(gathering.index, {plan_.records[gathering.index].name, std::nullopt, reason});
}

}  // namespace

SurveyCounts RunSurvey(const std::vector<std::filesystem::path>& paths, const SurveyOptions& options,
                       const std::function<void(const SurveyOutcome&)>& write) {
    return RunSurvey(PlanSurvey(paths), options, write);
}

SurveyCounts RunSurvey(const SurveyPlan& plan, const SurveyOptions& options,
                       const std::function<void(const SurveyOutcome&)>& write) {
    struct Stopped {};
    const int threads = options.threads > 0 ? options.threads
                                            : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    SurveyCounts counts;
    std::size_t done = 0;
    const std::size_t total = plan.records.size();
    OrderedPool pool(threads, total, [&](const SurveyOutcome& outcome) {
        ++(outcome.row ? counts.rows : counts.failures);
        write(outcome);
        if (options.progress) options.progress(++done, total);
        // Unwinds out of the pool, whose destructor drops the queued jobs and joins.
        if (options.stop && done < total && options.stop()) throw Stopped{};
    });
    try {
        Survey(plan, pool).Run();
        pool.Finish();
    } catch (const Stopped&) {
        counts.stopped = true;
    }
    return counts;
}

}  // namespace tremvix
