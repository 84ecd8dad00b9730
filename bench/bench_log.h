#pragma once
// The country files and the contest-like log the benchmarks share.

#include "main/app_state.h"
#include "main/log_table.h"
#include "refdata/cty_search.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace benchlog {

namespace fs = std::filesystem;

// The shipped country files when they are there, else a small generated pair.
inline TCty_search& countryFiles()
{
    static TCty_search cty = [] {
        TCty_search c;
        const fs::path data = fs::path(__FILE__).parent_path().parent_path() / "data";
        if (fs::exists(data / "cty.dat") && fs::exists(data / "zem-cty.dat")) {
            c.LoadFiles(data / "cty.dat", data / "zem-cty.dat");
            return c;
        }
        const fs::path dir = fs::temp_directory_path() / "zem_analysis_bench";
        fs::create_directories(dir);
        std::ofstream cty(dir / "cty.dat"), zem(dir / "zem-cty.dat");
        const char* prefixes[] = {"DL", "UA", "UA9", "K", "JA", "G", "F", "I", "SP", "OK", "HA", "YO", "LZ", "PA",
                                  "EA", "VE", "LU", "PY", "VK", "ZL"};
        int n = 0;
        for (const char* p : prefixes) {
            ++n;
            char line[200];
            std::snprintf(line, sizeof line, "%-26s%02d:  %02d:  EU:   50.00:   -10.00:    -1.0:  %s:",
                          ("Land " + std::to_string(n) + ":").c_str(), n % 40 + 1, n % 75 + 1, p);
            cty << line << "\n    " << p << ";\n";
        }
        zem << "Moscow (3A):              16:  29:  EU:   55.76:   -37.62:    -3.0:  UA:\n    UA3A;\n";
        c.LoadFiles(dir / "cty.dat", dir / "zem-cty.dat");
        return c;
    }();
    return cty;
}

// A contest-like log: runs of 20 to 200 QSOs on one band, calls drawn from
// common prefixes, one QSO every 1-2 minutes.
inline void makeLog(AppState& s, int qsos)
{
    static const char* prefixes[] = {"DL", "UA3", "RA9", "K", "W", "JA", "G", "F", "I", "SP", "OK", "HA", "YO",
                                     "LZ", "PA", "EA", "VE", "LU", "PY", "VK", "ZL", "UT", "OH", "SM", "9A"};
    static const int bandKHz[] = {1820, 3520, 7020, 14020, 21020, 28020};
    static const char* modes[] = {"CW", "PH", "RY"};
    std::mt19937 rng(42);
    initLogGrid(s.log_grid);
    s.log_grid.SetRowCount(qsos + 1);
    int band = 3, left = 0, minute = 0;
    for (int r = 1; r <= qsos; ++r) {
        if (left-- <= 0) {
            band = static_cast<int>(rng() % 6);
            left = 20 + static_cast<int>(rng() % 180);
        }
        minute += 1 + static_cast<int>(rng() % 2);
        char date[16], time[8];
        std::snprintf(date, sizeof date, "2024-03-%02d", 16 + minute / 1440);
        std::snprintf(time, sizeof time, "%02d%02d", minute / 60 % 24, minute % 60);
        std::string call = std::string(prefixes[rng() % std::size(prefixes)]);
        if (call.back() < '0' || call.back() > '9') call += std::to_string(rng() % 10);
        for (int i = 0; i < 2 + static_cast<int>(rng() % 2); ++i) call += static_cast<char>('A' + rng() % 26);
        s.log_grid.WriteRow(r, {std::to_string(r), "", "", "", "", "", "", "", "", "", "", "",
                                std::to_string(bandKHz[band] + static_cast<int>(rng() % 30)), modes[rng() % 3], date,
                                time, call, "", std::to_string(1 + rng() % 3), "1"});
    }
    s.header.QsoCount = qsos;
    s.header.LogTitle = "BENCH";
}


} // namespace benchlog
