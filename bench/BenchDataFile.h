#pragma once

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

namespace tremvix::bench {

inline constexpr int kBenchLines = 30000;
inline constexpr int kBenchColumns = 100;

// A standard-format file of 30,000 data lines x 100 channels in /tmp, removed with
// the object. Samples look like recorder output: "-12.345".
class BenchDataFile {
public:
    BenchDataFile()
        : path_(std::filesystem::path("/tmp") / ("tremvix-bench-" + std::to_string(::getpid()) + ".csv")) {
        std::FILE* out = std::fopen(path_.c_str(), "wb");
        if (out == nullptr) {
            std::perror("bench file");
            std::exit(1);
        }
        const char* const headers[] = {"CH%d", "point %d", "memo %d", "gal"};
        for (const char* format : headers) {
            for (int k = 0; k < kBenchColumns; ++k) {
                std::fprintf(out, k ? "," : "");
                std::fprintf(out, format, k);
            }
            std::fprintf(out, "\r\n");
        }
        std::mt19937 random(1);
        std::uniform_real_distribution<double> value(-500.0, 500.0);
        for (int i = 0; i < kBenchLines; ++i) {
            for (int k = 0; k < kBenchColumns; ++k) {
                std::fprintf(out, "%s%.3f", k ? "," : "", value(random));
            }
            std::fprintf(out, "\r\n");
        }
        std::fclose(out);
    }
    ~BenchDataFile() { std::filesystem::remove(path_); }
    BenchDataFile(const BenchDataFile&) = delete;
    BenchDataFile& operator=(const BenchDataFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace tremvix::bench
