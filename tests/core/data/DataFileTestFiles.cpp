#include "DataFileTestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace tremvix::testing {

TempFolder::TempFolder() {
    // Tests of one run may go in parallel processes: the process id and the test's
    // name keep their folders apart.
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test ? std::string(test->test_suite_name()) + "-" + test->name() : "none";
    path_ = std::filesystem::temp_directory_path() /
            ("tremvix-reader-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write test file " + file.string());
    }
    return file;
}

}  // namespace tremvix::testing
