#include "SurveyTestFiles.h"

#include "core/survey/OrderedPool.h"

#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

namespace tremvix {
namespace {

using namespace survey_testing;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string FirstField(const std::string& line) { return line.substr(0, line.find(',')); }

// A folder holding the examples and records that must be refused, each for its own reason.
void AddBrokenRecords(const fs::path& folder) {
    const std::string ns = Bytes(Examples() / "SMP0010001011200.NS");
    const std::string ew = Bytes(Examples() / "SMP0010001011200.EW");
    const std::string ud = Bytes(Examples() / "SMP0010001011200.UD");
    Write(folder / "TRU0010001011200.NS", ns);
    Write(folder / "TRU0010001011200.EW", ew);
    Write(folder / "TRU0010001011200.UD", ud.substr(0, ud.size() / 2));
    Write(folder / "MIS0010001011200.NS", ns);
    Write(folder / "MIS0010001011200.EW", ew);
    Write(folder / "notes.txt", "not a record\n");
    fs::create_symlink(folder / "nowhere.csv", folder / "gone.csv");
}

// The temporary folder of this process pointed at a folder of its own, so that the
// folders other test programs have open at the same time are not taken for leftovers.
class OwnTemporaryFolder {
public:
    explicit OwnTemporaryFolder(const fs::path& folder) {
        if (const char* old = std::getenv("TMPDIR")) old_ = old;
        fs::create_directories(folder);
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~OwnTemporaryFolder() {
        if (old_) ::setenv("TMPDIR", old_->c_str(), 1);
        else ::unsetenv("TMPDIR");
    }
    OwnTemporaryFolder(const OwnTemporaryFolder&) = delete;
    OwnTemporaryFolder& operator=(const OwnTemporaryFolder&) = delete;

private:
    std::optional<std::string> old_;
};

TEST(SurveyRunner, FolderTarGzAndZipOfTheSameRecordsGiveTheSameTable) {
    const ScratchFolder scratch;
    const OwnTemporaryFolder temporary(scratch / "tmp");
    CopyExamples(scratch / "event");
    WriteArchive(scratch / "event.tar.gz", "tar.gz", MembersOf(scratch / "event"));
    WriteArchive(scratch / "event.zip", "zip", MembersOf(scratch / "event"));
    const Tables folder = Survey({scratch / "event"}, 2);
    const Tables tarGz = Survey({scratch / "event.tar.gz"}, 2);
    const Tables zip = Survey({scratch / "event.zip"}, 2);
    EXPECT_EQ(folder.failures, "");
    // K-NET, KiK-net, JMA, and two PEER records (one of three components, one alone).
    const std::vector<std::string> rows = Lines(folder.rows);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(FirstField(rows[0]), "RSN9001_SAMPLEV_SMP-UP.AT2");
    EXPECT_EQ(FirstField(rows[2]), "SMP0010001011200.EW");
    EXPECT_EQ(FirstField(rows[3]), "SMPH010001011200.EW1");
    EXPECT_EQ(FirstField(rows[4]), "jma_sample_47999.csv");
    EXPECT_EQ(tarGz.rows, folder.rows);
    EXPECT_EQ(tarGz.failures, "");
    EXPECT_EQ(zip.rows, folder.rows);
    EXPECT_EQ(zip.failures, "");
    // Nothing of the archives is left behind in the temporary folder.
    EXPECT_TRUE(fs::is_empty(scratch / "tmp"));
}

TEST(SurveyRunner, RefusedRecordsGoToTheFailuresAndTheOthersAreRight) {
    const ScratchFolder scratch;
    CopyExamples(scratch / "good");
    CopyExamples(scratch / "mixed");
    AddBrokenRecords(scratch / "mixed");
    const Tables good = Survey({scratch / "good"}, 2);
    const Tables mixed = Survey({scratch / "mixed"}, 2);
    EXPECT_EQ(mixed.rows, good.rows);
    EXPECT_EQ(mixed.counts.rows, 5u);
    const std::vector<std::string> failures = Lines(mixed.failures);
    ASSERT_EQ(failures.size(), 4u) << mixed.failures;
    EXPECT_EQ(FirstField(failures[0]), "MIS0010001011200.EW");
    EXPECT_NE(failures[0].find("UD がありません"), std::string::npos) << failures[0];
    EXPECT_EQ(FirstField(failures[1]), "TRU0010001011200.EW");
    EXPECT_EQ(FirstField(failures[2]), "gone.csv");
    EXPECT_EQ(FirstField(failures[3]), "notes.txt");
    EXPECT_EQ(mixed.counts.failures, 4u);
    // Reasons are single lines without the message boxes' padding.
    for (const std::string& failure : failures) EXPECT_FALSE(failure.ends_with("\u3000")) << failure;
    EXPECT_NE(failures[3].find("notes.txt：ファイルがヘッダ行の途中で終わっています（2行目）"), std::string::npos) << failures[3];
}

TEST(SurveyRunner, OneTwoAndThreeThreadsWriteTheSameBytes) {
    const ScratchFolder scratch;
    CopyExamples(scratch / "event");
    AddBrokenRecords(scratch / "event");
    // Several copies, so that the workers really overlap.
    for (const char* copy : {"a", "b", "c"}) CopyExamples(scratch / "event" / copy);
    WriteArchive(scratch / "more.tar", "tar", MembersOf(Examples()));
    const Tables one = Survey({scratch / "event", scratch / "more.tar"}, 1);
    for (const int threads : {2, 3}) {
        const Tables many = Survey({scratch / "event", scratch / "more.tar"}, threads);
        EXPECT_EQ(many.rows, one.rows) << threads;
        EXPECT_EQ(many.failures, one.failures) << threads;
    }
    EXPECT_EQ(one.counts.rows, 5u * 5u);
}

TEST(SurveyRunner, OneChannelTableServesEveryDataFileBesideItInAnArchiveToo) {
    const ScratchFolder scratch;
    const fs::path seismology = fs::path(TREMVIX_EXAMPLES_DIR) / "seismology";
    fs::create_directories(scratch / "win");
    for (const char* name : {"20000101120700.cnt", "20000101120800.cnt"})
        Write(scratch / "win" / name, Bytes(seismology / "20000101120700.cnt"));
    Write(scratch / "win" / "20000101120700.ch", Bytes(seismology / "20000101120700.ch"));
    WriteArchive(scratch / "win.tar", "tar", MembersOf(scratch / "win"));
    const Tables folder = Survey({scratch / "win"}, 2);
    const Tables tar = Survey({scratch / "win.tar"}, 2);
    ASSERT_EQ(Lines(folder.rows).size(), 2u);
    EXPECT_EQ(folder.failures, "");
    EXPECT_EQ(tar.rows, folder.rows);
    EXPECT_EQ(tar.failures, "");
}

TEST(SurveyRunner, ArchiveMembersThatEscapeOrAreHugeAreRefusedAndTheOthersRead) {
    const ScratchFolder scratch;
    std::vector<Member> members = MembersOf(Examples());
    members.push_back({"../escaped.csv", Bytes(fs::path(TREMVIX_EXAMPLES_DIR) / "sample_standard.csv")});
    members.push_back({"/absolute.csv", "x\n"});
    members.push_back({"sub/../../up.csv", "x\n"});
    members.push_back({"sparse.csv", "1,2,3\n", 10ll << 30});
    WriteArchive(scratch / "event.tar.gz", "tar.gz", members);
    const Tables tables = Survey({scratch / "event.tar.gz"}, 2);
    EXPECT_EQ(tables.rows, Survey({Examples()}, 1).rows);
    const std::vector<std::string> failures = Lines(tables.failures);
    ASSERT_EQ(failures.size(), 4u) << tables.failures;
    EXPECT_EQ(FirstField(failures[0]), "../escaped.csv");
    EXPECT_NE(failures[0].find("書庫の外"), std::string::npos);
    EXPECT_EQ(FirstField(failures[1]), "/absolute.csv");
    EXPECT_NE(failures[1].find("書庫の外"), std::string::npos);
    EXPECT_EQ(FirstField(failures[2]), "sparse.csv");
    // Refused by its stated size, before a byte of it is read.
    EXPECT_NE(failures[2].find("大きすぎます（10737418240 バイト）"), std::string::npos) << failures[2];
    EXPECT_EQ(FirstField(failures[3]), "sub/../../up.csv");
    EXPECT_FALSE(fs::exists(scratch.Path().parent_path() / "escaped.csv"));
}

// A zip of stored members written byte by byte, since archive writers refuse what
// hostile archives hold (here: members without a name).
std::string StoredZip(const std::vector<Member>& members) {
    const auto le = [](std::string& out, std::uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k) out += static_cast<char>((value >> (8 * k)) & 0xFF);
    };
    std::string body, directory;
    for (const Member& member : members) {
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(member.bytes.data()), static_cast<uInt>(member.bytes.size())));
        const auto size = static_cast<std::uint32_t>(member.bytes.size());
        const auto offset = static_cast<std::uint32_t>(body.size());
        const auto nameLength = static_cast<std::uint32_t>(member.name.size());
        le(body, 0x04034b50, 4), le(body, 20, 2), le(body, 0, 2), le(body, 0, 2), le(body, 0, 4);
        le(body, crc, 4), le(body, size, 4), le(body, size, 4), le(body, nameLength, 2), le(body, 0, 2);
        body += member.name + member.bytes;
        le(directory, 0x02014b50, 4), le(directory, 20, 2), le(directory, 20, 2), le(directory, 0, 2), le(directory, 0, 2);
        le(directory, 0, 4), le(directory, crc, 4), le(directory, size, 4), le(directory, size, 4);
        le(directory, nameLength, 2), le(directory, 0, 2), le(directory, 0, 2), le(directory, 0, 2), le(directory, 0, 2);
        le(directory, 0, 4), le(directory, offset, 4);
        directory += member.name;
    }
    std::string zip = body + directory;
    le(zip, 0x06054b50, 4), le(zip, 0, 2), le(zip, 0, 2);
    le(zip, static_cast<std::uint32_t>(members.size()), 2), le(zip, static_cast<std::uint32_t>(members.size()), 2);
    le(zip, static_cast<std::uint32_t>(directory.size()), 4), le(zip, static_cast<std::uint32_t>(body.size()), 4), le(zip, 0, 2);
    return zip;
}

TEST(SurveyRunner, AMemberWithoutANameIsNamedInTheFailures) {
    const ScratchFolder scratch;
    Write(scratch / "odd.zip", StoredZip({{"", "x\n"}, {"jma.csv", Bytes(Examples() / "jma_sample_47999.csv")}}));
    const Tables tables = Survey({scratch / "odd.zip"}, 1);
    EXPECT_EQ(tables.counts.rows, 1u);
    const std::vector<std::string> failures = Lines(tables.failures);
    ASSERT_EQ(failures.size(), 1u) << tables.failures;
    EXPECT_EQ(FirstField(failures[0]), "（名前のないメンバー）");
}

TEST(SurveyRunner, AFolderLinkBackIntoTheSearchIsSkippedWithAReason) {
    const ScratchFolder scratch;
    CopyExamples(scratch / "event");
    fs::create_directories(scratch / "event" / "deeper");
    fs::create_directory_symlink(scratch / "event", scratch / "event" / "deeper" / "loop");
    fs::create_symlink("self", scratch / "event" / "self");
    const Tables tables = Survey({scratch / "event"}, 2);
    EXPECT_EQ(tables.counts.rows, 5u);
    const std::vector<std::string> failures = Lines(tables.failures);
    ASSERT_EQ(failures.size(), 2u) << tables.failures;
    EXPECT_EQ(FirstField(failures[0]), "deeper/loop");
    EXPECT_EQ(FirstField(failures[1]), "self");
}

TEST(SurveyRunner, AComponentGivenAloneBringsItsRecordOnce) {
    const Tables tables = Survey({Examples() / "SMP0010001011200.UD", Examples() / "SMP0010001011200.NS"}, 1);
    const std::vector<std::string> rows = Lines(tables.rows);
    ASSERT_EQ(rows.size(), 1u) << tables.rows << tables.failures;
    const std::string fromFolder = Lines(Survey({Examples()}, 1).rows)[2];
    EXPECT_EQ(FirstField(rows[0]), (Examples() / "SMP0010001011200.EW").string());
    EXPECT_EQ(rows[0].substr(rows[0].find(',')), fromFolder.substr(fromFolder.find(',')));
}

TEST(OrderedPool, WritesInIndexOrderWhateverOrderTheJobsEndIn) {
    std::vector<std::string> written;
    OrderedPool pool(3, 8, [&](const SurveyOutcome& outcome) { written.push_back(outcome.record); });
    for (std::size_t k = 0; k < 8; ++k) {
        if (k == 5) {
            pool.Put(k, {"5", std::nullopt, "refused"});
            continue;
        }
        pool.Submit(k, [k] {
            // Earlier jobs take longer, so they end after later ones.
            std::this_thread::sleep_for(std::chrono::milliseconds(5 * (8 - static_cast<int>(k))));
            return SurveyOutcome{std::to_string(k), std::nullopt, "x"};
        });
    }
    pool.Finish();
    EXPECT_EQ(written, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7"}));
}

TEST(OrderedPool, OneThreadRunsEachJobOnTheSubmitterAndStillWritesInOrder) {
    std::vector<std::string> written;
    OrderedPool pool(1, 3, [&](const SurveyOutcome& outcome) { written.push_back(outcome.record); });
    const std::thread::id submitter = std::this_thread::get_id();
    std::vector<std::thread::id> ranOn;
    pool.Put(2, {"2", std::nullopt, "refused"});  // known before the jobs before it
    for (std::size_t k = 0; k < 2; ++k)
        pool.Submit(k, [k, &ranOn] {
            ranOn.push_back(std::this_thread::get_id());
            return SurveyOutcome{std::to_string(k), std::nullopt, "x"};
        });
    EXPECT_EQ(written, (std::vector<std::string>{"0", "1", "2"}));  // written before Finish
    pool.Finish();
    EXPECT_EQ(written.size(), 3u);
    EXPECT_EQ(ranOn, (std::vector<std::thread::id>{submitter, submitter}));
}

}  // namespace
}  // namespace tremvix
