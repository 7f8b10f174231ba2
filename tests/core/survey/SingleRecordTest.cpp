#include "SurveyTestFiles.h"

#include "core/survey/SingleRecord.h"
#include "core/survey/SurveyPlan.h"

namespace tremvix {
namespace {

using namespace survey_testing;

// The tables made of each planned record surveyed on its own, in the plan's order.
Tables RecordByRecord(const std::vector<fs::path>& paths) {
    const SurveyPlan plan = PlanSurvey(paths);
    Tables tables;
    for (const PlannedRecord& record : plan.records) {
        const SurveyOutcome outcome = SurveySingleRecord(record, plan.archives);
        EXPECT_EQ(outcome.record, record.name);
        if (outcome.row) tables.rows += SurveyRowLine(*outcome.row), ++tables.counts.rows;
        else tables.failures += FailureLine(outcome.record, outcome.failure), ++tables.counts.failures;
    }
    return tables;
}

TEST(SingleRecord, EachRecordAloneGivesTheWholeSurveysLines) {
    const ScratchFolder scratch;
    CopyExamples(scratch / "event");
    const std::string ns = Bytes(Examples() / "SMP0010001011200.NS");
    Write(scratch / "event" / "MIS0010001011200.NS", ns);  // its other components are missing
    Write(scratch / "event" / "notes.txt", "not a record\n");
    WriteArchive(scratch / "event.tar.gz", "tar.gz", MembersOf(scratch / "event"));
    WriteArchive(scratch / "event.zip", "zip", MembersOf(scratch / "event"));
    const std::vector<fs::path> paths = {scratch / "event", scratch / "event.tar.gz", scratch / "event.zip"};
    const Tables whole = Survey(paths, 2);
    const Tables alone = RecordByRecord(paths);
    EXPECT_EQ(alone.rows, whole.rows);
    EXPECT_EQ(alone.failures, whole.failures);
    EXPECT_EQ(alone.counts.rows, 15u);
    EXPECT_EQ(alone.counts.failures, 6u);
}

TEST(SingleRecord, AnArchiveThatChangedOrVanishedIsAReasonNotACrash) {
    const ScratchFolder scratch;
    WriteArchive(scratch / "event.tar", "tar", MembersOf(Examples()));
    const SurveyPlan plan = PlanSurvey({scratch / "event.tar"});
    ASSERT_FALSE(plan.records.empty());
    // The archive is rewritten without the planned members, then removed.
    WriteArchive(scratch / "event.tar", "tar", {{"other.csv", "a\n"}});
    const SurveyOutcome changed = SurveySingleRecord(plan.records.front(), plan.archives);
    EXPECT_FALSE(changed.row);
    EXPECT_EQ(changed.failure, "書庫が読み込み中に変わりました");
    fs::remove(scratch / "event.tar");
    const SurveyOutcome gone = SurveySingleRecord(plan.records.front(), plan.archives);
    EXPECT_FALSE(gone.row);
    EXPECT_FALSE(gone.failure.empty());
    // A plan entry that names an archive the plan does not have.
    EXPECT_EQ(SurveySingleRecord(plan.records.front(), {}).failure, "書庫のメンバーを読めません");
}

}  // namespace
}  // namespace tremvix
