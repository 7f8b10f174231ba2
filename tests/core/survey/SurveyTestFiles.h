#pragma once

#include "core/survey/SurveyRunner.h"
#include "core/survey/SurveyText.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace tremvix::survey_testing {

namespace fs = std::filesystem;

// A fresh folder for one test, removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "tremvix-survey-test-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    fs::path operator/(const std::string& name) const { return path_ / name; }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

inline std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void Write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

inline fs::path Examples() { return fs::path(TREMVIX_EXAMPLES_DIR) / "network"; }

// The example records of every network layout, copied into `folder`; their names.
inline std::vector<std::string> CopyExamples(const fs::path& folder) {
    std::vector<std::string> names;
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(Examples())) {
        fs::copy_file(entry.path(), folder / entry.path().filename());
        names.push_back(entry.path().filename().string());
    }
    return names;
}

struct Member {
    std::string name;
    std::string bytes;
    std::int64_t statedSize = -1;  // >= 0: a sparse member of this size holding `bytes` at its start
};

// An archive written with libarchive: "tar.gz" (pax, gzip), "tar" or "zip".
inline void WriteArchive(const fs::path& file, const std::string& kind, const std::vector<Member>& members) {
    const std::unique_ptr<archive, int (*)(archive*)> writer(archive_write_new(), archive_write_free);
    if (kind == "zip") {
        archive_write_set_format_zip(writer.get());
    } else {
        archive_write_set_format_pax_restricted(writer.get());
        if (kind == "tar.gz") archive_write_add_filter_gzip(writer.get());
    }
    ASSERT_EQ(archive_write_open_filename(writer.get(), file.c_str()), ARCHIVE_OK);
    for (const Member& member : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, member.name.c_str());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        if (member.statedSize >= 0) {
            archive_entry_set_size(entry, member.statedSize);
            archive_entry_sparse_add_entry(entry, 0, static_cast<la_int64_t>(member.bytes.size()));
        } else {
            archive_entry_set_size(entry, static_cast<la_int64_t>(member.bytes.size()));
        }
        ASSERT_EQ(archive_write_header(writer.get(), entry), ARCHIVE_OK) << archive_error_string(writer.get());
        archive_write_data(writer.get(), member.bytes.data(), member.bytes.size());
        archive_entry_free(entry);
    }
    ASSERT_EQ(archive_write_close(writer.get()), ARCHIVE_OK);
}

// The members of an archive holding every file of `folder` under its own name.
inline std::vector<Member> MembersOf(const fs::path& folder) {
    std::vector<Member> members;
    for (const auto& entry : fs::directory_iterator(folder))
        members.push_back({entry.path().filename().string(), Bytes(entry.path())});
    return members;
}

struct Tables {
    std::string rows;
    std::string failures;
    SurveyCounts counts;
};

inline Tables Survey(const std::vector<fs::path>& paths, int threads) {
    Tables tables;
    SurveyOptions options;
    options.threads = threads;
    tables.counts = RunSurvey(paths, options, [&](const SurveyOutcome& outcome) {
        if (outcome.row) tables.rows += SurveyRowLine(*outcome.row);
        else tables.failures += FailureLine(outcome.record, outcome.failure);
    });
    return tables;
}

}  // namespace tremvix::survey_testing
