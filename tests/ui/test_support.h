#pragma once
// Shared set-up of the ui tests: a program folder with small country files.

#include "main/platform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <fstream>
#include <string>

inline std::filesystem::path makeProgramFolder(const QTemporaryDir& dir)
{
    const std::filesystem::path p = dir.path().toStdString();
    std::ofstream(p / "cty.dat") << "Sweden:                   14:  18:  EU:   61.20:   -14.57:    -1.0:  SM:\n"
                                    "    7S,8S,SA,SM;\n"
                                    "European Russia:          16:  29:  EU:   53.65:   -41.37:    -4.0:  UA:\n"
                                    "    R,U;\n"
                                    "United States:            05:  08:  NA:   37.53:    91.67:     5.0:  K:\n"
                                    "    AA,K,N,W;\n";
    std::ofstream(p / "zem-cty.dat") << "";
    return p;
}

// A program folder with the country files the program ships and the master
// file the build made, for tests on real logs.
inline std::filesystem::path realProgramFolder(const QTemporaryDir& dir)
{
    const std::filesystem::path p = makeProgramFolder(dir);
    for (const char* f : {"cty.dat", "zem-cty.dat"}) {
        QFile::remove(QString::fromStdString((p / f).string()));
        QFile::copy(QString(ZEM_SOURCE_DIR) + "/data/" + f, QString::fromStdString((p / f).string()));
    }
    QFile::copy(QFileInfo(QString(ZEM_EXE)).absolutePath() + "/master.dta",
                QString::fromStdString((p / "master.dta").string()));
    return p;
}

// Records what the program says instead of showing a modal box that nobody
// would close.
struct MessageRecorder {
    QStringList texts;
    MessageRecorder() { setShowMsgHook([this](const QString& t) { texts << t; }); }
    ~MessageRecorder() { setShowMsgHook({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
};

// Answers the next modal dialog of type D once it is up. An answer that
// leaves its dialog open would keep the test waiting for ever: after a few
// seconds the test fails and the dialog is closed.
template <class D>
void answerModal(std::function<void(D*)> answer)
{
    auto timer = std::make_shared<QTimer>();
    timer->setInterval(10);
    QObject::connect(timer.get(), &QTimer::timeout, [timer, answer]() mutable {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            answer(d);
            QTimer::singleShot(5000, [open = QPointer<QWidget>(d)] {
                if (!open || !open->isVisible() || QApplication::activeModalWidget() != open) return;
                ADD_FAILURE() << "the answered dialog " << open->metaObject()->className() << " stayed open";
                if (auto* dialog = qobject_cast<QDialog*>(open.data())) dialog->reject();
                else open->close();
            });
            timer.reset();
        }
    });
    timer->start();
}

// Loading a log makes its folder current. A test that loads one declares this
// first, so that the folder comes back after its temporary folders are gone
// and the next test does not start inside a deleted folder.
struct CurrentFolderKeeper {
    QString saved = QDir::currentPath();
    CurrentFolderKeeper() = default;
    ~CurrentFolderKeeper() { QDir::setCurrent(saved); }
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;
};
