#pragma once
// A main window with a small Cabrillo log loaded through the real chain, in
// scratch folders that go away with it; the current folder is restored.

#include "main/form2.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

struct LogWindow {
    struct Qso {
        std::string kHz, date, time, call;
    };
    MessageRecorder msgs;
    QString oldCurrent = QDir::currentPath();
    QTemporaryDir prog, logs;
    std::filesystem::path programFolder = makeProgramFolder(prog);
    std::unique_ptr<TForm2> w;

    // prepare runs on the program folder before the window starts.
    explicit LogWindow(const std::function<void(const std::filesystem::path&)>& prepare = {})
    {
        if (prepare) prepare(programFolder);
        w = std::make_unique<TForm2>(programFolder);
        w->show();
        QCoreApplication::processEvents();
        msgs.texts.clear(); // the missing master file
    }
    ~LogWindow()
    {
        w.reset();
        QDir::setCurrent(oldCurrent);
    }

    void load(const std::vector<Qso>& qsos)
    {
        const auto file = std::filesystem::path(logs.path().toStdString()) / "test.cbr";
        std::ofstream f(file);
        f << "START-OF-LOG: 3.0\nCONTEST: TEST-CONTEST\nCALLSIGN: SM5XX\nCATEGORY-OPERATOR: SINGLE-OP\n";
        for (const Qso& q : qsos)
            f << "QSO: " << q.kHz << " CW " << q.date << " " << q.time << " SM5XX        599 001    " << q.call
              << "        599 001\n";
        f << "END-OF-LOG:\n";
        f.close();
        w->Open_cabrillo_proc(QString::fromStdString(file.string()));
        QCoreApplication::processEvents();
    }
};
