#pragma once
// What every fuzz target shares: the readers take file names, so each input
// is written to one scratch file of the process and read back from there.

#include "analysis/analysis_pass.h"
#include "import/post_load.h"
#include "refdata/cty_search.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <functional>
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

// The shipped country files, loaded once per process.
inline TCty_search& shippedCty()
{
    static TCty_search* cty = new TCty_search(dataFolder());
    return *cty;
}

// What a load runs: a reader over a reset state, then the analysis pass
// over what it read, then whatever the target does with the result. A
// reader or step that refuses the input with an exception has done its job.
inline void readAndAnalyse(const std::function<void(AppState&)>& read,
                           const std::function<void(AppState&, SummaryPage&)>& after = {})
{
    AppState s;
    Reset_app(s);
    try {
        read(s);
        SummaryPage page;
        Process_log_and_summary(s, shippedCty(), nullptr, false, page);
        if (after) after(s, page);
    } catch (const std::exception&) {
    }
}

} // namespace fuzz
