#pragma once

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

namespace tremvix::bench {

inline constexpr int kBenchLines = 30000;
inline constexpr int kBenchColumns = 100;

// A standard-format file of data lines x channels (30,000 x 100 unless told) in
// /tmp, removed with the object. Samples look like recorder output: "-12.345".
class BenchDataFile {
public:
    explicit BenchDataFile(int lines = kBenchLines, int columns = kBenchColumns)
        : path_(std::filesystem::path("/tmp") / ("tremvix-bench-" + std::to_string(::getpid()) + "-" +
                                                 std::to_string(lines) + "x" + std::to_string(columns) + ".csv")),
          lines_(lines) {
        std::FILE* out = std::fopen(path_.c_str(), "wb");
        if (out == nullptr) {
            std::perror("bench file");
            std::exit(1);
        }
        const char* const headers[] = {"CH%d", "point %d", "memo %d", "gal"};
        for (const char* format : headers) {
            for (int k = 0; k < columns; ++k) {
                std::fprintf(out, k ? "," : "");
                std::fprintf(out, format, k);
            }
            std::fprintf(out, "\r\n");
        }
        std::mt19937 random(1);
        std::uniform_real_distribution<double> value(-500.0, 500.0);
        for (int i = 0; i < lines; ++i) {
            for (int k = 0; k < columns; ++k) {
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
    int Lines() const { return lines_; }

private:
    std::filesystem::path path_;
    int lines_;
};

}  // namespace tremvix::bench
