#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

// One scratch file per fuzzing process, rewritten for every input.
inline std::filesystem::path ScratchFile(const char* tag) {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tremvix-fuzz-" + std::string(tag) + "-" + std::to_string(getpid()));
    return path;
}

inline void WriteScratch(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
}
