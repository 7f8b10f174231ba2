// --survey as a user runs it: each row the single-record commands' values, refusals
// counted and listed, the output the same whatever the number of threads.
#include "CliTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <charconv>
#include <map>

namespace {

using Row = std::map<std::string, std::string>;

std::string Network(const std::string& name) { return std::string(TREMVIX_EXAMPLES_DIR) + "/network/" + name; }

// Rows by their record, each field by its header name.
std::map<std::string, Row> SurveyRows(const QByteArray& out) {
    const std::vector<std::vector<std::string>> rows = CsvRows(out);
    std::map<std::string, Row> byRecord;
    if (rows.empty()) return byRecord;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        Row row;
        for (std::size_t c = 0; c < rows[0].size() && c < rows[r].size(); ++c) row[rows[0][c]] = rows[r][c];
        byRecord[rows[r][0]] = row;
    }
    return byRecord;
}

double Value(const std::string& text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << "not a number: " << text;
    return value;
}

// Field `column` of the output row whose first field is `first`.
std::string Field(const QByteArray& out, const std::string& first, std::size_t column) {
    for (const std::vector<std::string>& row : CsvRows(out))
        if (!row.empty() && row[0] == first && column < row.size()) return row[column];
    ADD_FAILURE() << "no row " << first;
    return {};
}

std::string Larger(const std::string& a, const std::string& b) { return Value(a) >= Value(b) ? a : b; }

// The row of `file` against --indices, --intensity, --lpgm, --si and --spectrum on it
// (channels 1, 2, 3 being NS, EW, UD), value for value.
void ExpectRowOfSingleCommands(const Row& row, const std::string& file) {
    const CliResult indices = RunInProcess({"--indices", file});
    ASSERT_EQ(indices.status, 0) << indices.err.toStdString();
    EXPECT_EQ(row.at("pga_ns"), Field(indices.out, "1", 2));
    EXPECT_EQ(row.at("pga_ew"), Field(indices.out, "2", 2));
    EXPECT_EQ(row.at("pga_ud"), Field(indices.out, "3", 2));
    EXPECT_EQ(row.at("pgv_h"), Larger(Field(indices.out, "1", 4), Field(indices.out, "2", 4)));

    const std::vector<std::vector<std::string>> intensity = CsvRows(RunInProcess({"--intensity", file}).out);
    ASSERT_EQ(intensity.size(), 2u);
    EXPECT_EQ(row.at("intensity"), intensity[1][1]);
    EXPECT_EQ(row.at("reported"), intensity[1][2]);
    EXPECT_EQ(row.at("class"), intensity[1][3]);

    const std::vector<std::vector<std::string>> lpgm = CsvRows(RunInProcess({"--lpgm", file}).out);
    ASSERT_EQ(lpgm.size(), 33u);
    const auto largest = std::max_element(lpgm.begin() + 1, lpgm.end(),
                                          [](const auto& a, const auto& b) { return Value(a[1]) < Value(b[1]); });
    int level = 0;
    for (std::size_t r = 1; r < lpgm.size(); ++r) level = std::max(level, std::stoi(lpgm[r][2]));
    EXPECT_EQ(row.at("lpgm_sva"), (*largest)[1]);
    EXPECT_EQ(row.at("lpgm_period_s"), (*largest)[0]);
    EXPECT_EQ(row.at("lpgm_class"), std::to_string(level));

    const QByteArray si = RunInProcess({"--si", file}).out;
    EXPECT_EQ(row.at("si_h"), Larger(Field(si, "1", 2), Field(si, "2", 2)));

    const std::vector<std::string> periods = {"0.1", "0.2", "0.5", "1", "2", "5"};
    const std::vector<std::string> columns = {"sa_0.1", "sa_0.2", "sa_0.5", "sa_1.0", "sa_2.0", "sa_5.0"};
    std::array<QByteArray, 2> spectra;
    for (int k = 0; k < 2; ++k)
        spectra[k] = RunInProcess({"--spectrum", file, "--channel", std::to_string(k + 1), "--periods", "0.1,0.2,0.5,1,2,5"}).out;
    for (std::size_t p = 0; p < periods.size(); ++p) {
        const auto sa = [&](int k) {
            for (const std::vector<std::string>& r : CsvRows(spectra[k]))
                if (r.size() > 4 && r[1] == periods[p]) return r[4];
            return std::string("missing");
        };
        EXPECT_EQ(row.at(columns[p]), Larger(sa(0), sa(1))) << columns[p];
    }
}

TEST(SurveyCommand, EachRowHoldsTheValuesOfTheSingleRecordCommands) {
    const std::string standard = std::string(TREMVIX_EXAMPLES_DIR) + "/sample_standard.csv";
    const CliResult survey = RunInProcess({"--survey", std::string(TREMVIX_EXAMPLES_DIR) + "/network", standard, "--threads", "2"});
    ASSERT_EQ(survey.status, 0) << survey.err.toStdString();
    EXPECT_TRUE(survey.out.startsWith("record,station,layout,latitude,longitude,rate_hz,samples,pga_ns,pga_ew,pga_ud,"
                                      "pgv_h,intensity,reported,class,lpgm_sva,lpgm_period_s,lpgm_class,si_h,sa_0.1,"
                                      "sa_0.2,sa_0.5,sa_1.0,sa_2.0,sa_5.0\n"));
    const std::map<std::string, Row> rows = SurveyRows(survey.out);
    ASSERT_EQ(rows.size(), 6u);
    ExpectRowOfSingleCommands(rows.at("SMP0010001011200.EW"), Network("SMP0010001011200.NS"));
    ExpectRowOfSingleCommands(rows.at("jma_sample_47999.csv"), Network("jma_sample_47999.csv"));
    ExpectRowOfSingleCommands(rows.at(standard), standard);
    const Row& knet = rows.at("SMP0010001011200.EW");
    EXPECT_EQ(knet.at("station"), "SMP001");
    EXPECT_EQ(knet.at("rate_hz"), "100");
    EXPECT_EQ(knet.at("samples"), "4000");
    // A PEER record of one component: none of the products apply.
    const Row& alone = rows.at("RSN9002_OTHERH_OTH000.AT2");
    for (const char* column : {"pga_ns", "pga_ud", "intensity", "class", "lpgm_class", "si_h", "sa_1.0"})
        EXPECT_EQ(alone.at(column), "") << column;
    EXPECT_NE(survey.err.toStdString().find("記録 6 件、読めなかったもの 0 件"), std::string::npos);
}

class SurveyFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        const QDir examples(QString::fromStdString(std::string(TREMVIX_EXAMPLES_DIR) + "/network"));
        QDir().mkpath(Path("event"));
        for (const QString& name : examples.entryList(QDir::Files))
            QFile::copy(examples.filePath(name), Path("event/" + name));
        QFile broken(Path("event/notes.txt"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("not a record\n");
    }
    QString Path(const QString& name) const { return folder_.filePath(name); }
    std::string Std(const QString& name) const { return Path(name).toStdString(); }

    QTemporaryDir folder_;
};

TEST_F(SurveyFilesTest, RefusedRecordsAreCountedListedAndExitOne) {
    const CliResult result = RunInProcess({"--survey", Std("event"), "--failures", Std("failures.csv")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(SurveyRows(result.out).size(), 5u);
    EXPECT_EQ(FileBytes(Path("failures.csv")).left(24), QByteArray("record,reason\nnotes.txt,"));
    EXPECT_NE(result.err.toStdString().find("読めなかったもの 1 件"), std::string::npos) << result.err.toStdString();
    // Without --failures only the count is said.
    const CliResult counted = RunInProcess({"--survey", Std("event")});
    EXPECT_EQ(counted.status, 1);
    EXPECT_EQ(counted.out, result.out);
    EXPECT_NE(counted.err.toStdString().find("--failures"), std::string::npos);
}

TEST_F(SurveyFilesTest, TheProgramWritesTheSameBytesWithOneOrTwoThreads) {
    const CliResult one = RunProgram({"--survey", Path("event"), "--threads", "1", "--out", Path("one.csv"),
                                      "--failures", Path("one-failures.csv")});
    const CliResult two = RunProgram({"--survey", Path("event"), "--threads=2", "--out", Path("two.csv"),
                                      "--failures", Path("two-failures.csv")});
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(two.status, 1);
    EXPECT_TRUE(one.out.isEmpty());
    EXPECT_EQ(FileBytes(Path("one.csv")), FileBytes(Path("two.csv")));
    EXPECT_EQ(FileBytes(Path("one-failures.csv")), FileBytes(Path("two-failures.csv")));
    EXPECT_EQ(SurveyRows(FileBytes(Path("one.csv"))).size(), 5u);
    // Not a terminal: no progress on the error stream.
    EXPECT_EQ(one.err.count('\r'), 0);
}

TEST_F(SurveyFilesTest, WrongUsageIsRefusedBeforeAnythingIsRead) {
    const QByteArray before = FileBytes(Path("event/jma_sample_47999.csv"));
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--survey"}, {"--survey", "--threads", "2"}, {"--survey", Std("event"), "--threads", "0"},
          {"--survey", Std("event"), "--threads", "two"}, {"--survey", Std("event"), "--rate", "50"},
          {"--info", Std("event/jma_sample_47999.csv"), "--threads", "2"},
          {"--survey", Std("event/jma_sample_47999.csv"), "--out", Std("event/jma_sample_47999.csv")},
          {"--survey", Std("event"), "--failures", Std("same.csv"), "--out", Std("same.csv")}}) {
        const CliResult result = RunInProcess(arguments);
        EXPECT_EQ(result.status, 2) << arguments.back() << ' ' << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << arguments.back();
    }
    EXPECT_EQ(FileBytes(Path("event/jma_sample_47999.csv")), before);
    EXPECT_FALSE(QFile::exists(Path("same.csv")));
}

TEST(SurveyCommand, TheUsageTextNamesTheSurveyAndItsOptions) {
    const std::string usage = RunInProcess({"--help"}).out.toStdString();
    for (const char* word : {"--survey PATH", "--threads N", "--out FILE", "--failures FILE"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
}

}  // namespace
