#pragma once
// A Cabrillo log of given frequencies and times on one day, opened in the
// real main window by the Rates and Breaks page tests.

#include <QDir>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

inline void writeTimeLineLog(const std::filesystem::path& file,
                             const std::vector<std::pair<std::string, std::string>>& kHzAndTimes)
{
    std::ofstream f(file);
    f << "START-OF-LOG: 3.0\nCONTEST: TEST-CONTEST\nCALLSIGN: SM5XX\nCATEGORY-OPERATOR: SINGLE-OP\n";
    int n = 0;
    for (const auto& [kHz, time] : kHzAndTimes) {
        ++n;
        f << "QSO: " << kHz << " CW 2024-03-16 " << time << " SM5XX        599 001    K" << n << "AA        599 00"
          << n << "\n";
    }
    f << "END-OF-LOG:\n";
}

// Opening a log makes its folder current: tests put the old one back.
struct CurrentFolderGuard {
    QString saved = QDir::currentPath();
    ~CurrentFolderGuard() { QDir::setCurrent(saved); }
};
