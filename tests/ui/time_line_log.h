#pragma once
// The real main window with a Cabrillo log of given frequencies and times on
// one day, for the Rate and Breaks page tests.

#include "main/form2.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

using KHzAndTimes = std::vector<std::pair<std::string, std::string>>;

inline void writeTimeLineLog(const std::filesystem::path& file, const KHzAndTimes& qsos)
{
    std::ofstream f(file);
    f << "START-OF-LOG: 3.0\nCONTEST: TEST-CONTEST\nCALLSIGN: SM5XX\nCATEGORY-OPERATOR: SINGLE-OP\n";
    int n = 0;
    for (const auto& [kHz, time] : qsos) {
        ++n;
        f << "QSO: " << kHz << " CW 2024-03-16 " << time << " SM5XX        599 001    K" << n << "AA        599 00"
          << n << "\n";
    }
    f << "END-OF-LOG:\n";
}

// Opening a log makes its folder current: the old one is put back.
struct CurrentFolderGuard {
    QString saved = QDir::currentPath();
    ~CurrentFolderGuard() { QDir::setCurrent(saved); }
};

struct TimeLineWindow {
    CurrentFolderGuard cwd;
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    TForm2 w{makeProgramFolder(prog)};

    TimeLineWindow()
    {
        w.show();
        QCoreApplication::processEvents();
    }
    // Opens the log; what the program said until then is forgotten.
    void open(const KHzAndTimes& qsos)
    {
        const auto file = std::filesystem::path(logs.path().toStdString()) / "time_line.cbr";
        writeTimeLineLog(file, qsos);
        w.Open_cabrillo_proc(QString::fromStdString(file.string()));
        msgs.texts.clear();
    }
    std::filesystem::path outputDir() { return w.state().header.OutputDir; }
};
