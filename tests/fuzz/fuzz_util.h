#pragma once
// What every fuzz target shares: the readers take file names, so each input
// is written to one scratch file of the process and read back from there.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fuzz {

inline std::filesystem::path scratchFolder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("zem-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

// Writes the input to scratchFolder()/name and returns its path.
inline std::string writeInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const auto path = scratchFolder() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path.string();
}

// The program's data folder (country files), fixed at build time.
inline std::filesystem::path dataFolder() { return std::filesystem::path(ZEM_SOURCE_DIR) / "data"; }

} // namespace fuzz
