// A survey stopped half way keeps what was written, and the records of an archive
// come out to disk one at a time for opening.
#include "SurveyTestFiles.h"

#include "core/survey/RecordFiles.h"
#include "core/survey/SurveyPlan.h"

#include <algorithm>

using namespace tremvix;
using namespace tremvix::survey_testing;

TEST(SurveyStop, AStoppedSurveyWritesAPrefixOfTheWholeTableAndSaysSo) {
    ScratchFolder folder;
    CopyExamples(folder.Path());
    const Tables whole = Survey({folder.Path()}, 2);
    ASSERT_GE(whole.counts.rows + whole.counts.failures, 4u);

    std::string rows;
    std::size_t written = 0;
    SurveyOptions options;
    options.threads = 2;
    options.stop = [&] { return written >= 2; };
    const SurveyCounts counts = RunSurvey({folder.Path()}, options, [&](const SurveyOutcome& outcome) {
        ++written;
        if (outcome.row) rows += SurveyRowLine(*outcome.row);
    });
    EXPECT_TRUE(counts.stopped);
    EXPECT_EQ(written, 2u);
    EXPECT_EQ(counts.rows + counts.failures, 2u);
    EXPECT_EQ(whole.rows.substr(0, rows.size()), rows) << "the rows before the stop are the table's first rows";

    options.stop = [] { return false; };
    EXPECT_FALSE(RunSurvey({folder.Path()}, options, [](const SurveyOutcome&) {}).stopped);
}

TEST(SurveyStop, TheRecordOfAnArchiveIsCopiedOutWithAllItsComponents) {
    ScratchFolder folder;
    CopyExamples(folder / "event");
    std::vector<Member> members = MembersOf(folder / "event");
    for (Member& member : members) member.name = "event/" + member.name;
    WriteArchive(folder / "event.tar.gz", "tar.gz", members);
    const SurveyPlan plan = PlanSurvey({folder / "event.tar.gz"});
    const auto knet = std::find_if(plan.records.begin(), plan.records.end(),
                                   [](const PlannedRecord& r) { return r.files.size() == 3 && !r.refusal; });
    ASSERT_NE(knet, plan.records.end());
    std::filesystem::create_directories(folder / "copies");
    const RecordOnDisk copied = RecordFilesOnDisk(plan, static_cast<std::size_t>(knet - plan.records.begin()), folder / "copies");
    ASSERT_TRUE(copied.error.empty()) << copied.error;
    EXPECT_EQ(copied.first.parent_path(), folder / "copies") << "nothing written outside the folder given";
    for (const SurveyFile& file : knet->files) {
        const std::string name = std::filesystem::path(file.member).filename().string();
        EXPECT_EQ(Bytes(folder / "copies" / name), Bytes(folder / "event" / name)) << name;
    }
    // A file on disk is opened where it is.
    const SurveyPlan onDisk = PlanSurvey({folder / "event"});
    EXPECT_EQ(RecordFilesOnDisk(onDisk, 0, folder / "unused").first, onDisk.records[0].files[0].disk);
    EXPECT_FALSE(RecordFilesOnDisk(onDisk, onDisk.records.size(), folder / "unused").error.empty());
}
