#pragma once
// A shown main window over a program folder of its own, with a folder for
// logs. Loading a log makes its folder current: the folder comes back when
// the window is gone.
#include "main/form2.h"
#include "test_support.h"

#include <QFile>
#include <QTest>

struct MainWindowWithLogs {
    CurrentFolderKeeper folderBack; // first: restored after the folders are gone
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    TForm2 w{makeProgramFolder(prog)};

    MainWindowWithLogs()
    {
        w.show();
        QTest::qWait(20); // start-up runs once the window is shown
        msgs.texts.clear(); // the warning about the missing master file
    }
    // Writes a file into the log folder and returns its path.
    QString writeLog(const QString& name, const QByteArray& text)
    {
        const QString path = logs.path() + "/" + name;
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(text);
        return path;
    }
};

// The same over a program folder with the shipped country files and the
// built master file, for tests on real logs.
struct RealMainWindowWithLogs {
    CurrentFolderKeeper folderBack;
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    TForm2 w{realProgramFolder(prog)};

    RealMainWindowWithLogs()
    {
        w.show();
        QTest::qWait(20);
    }
    // Copies a log of tests/data into the log folder and returns its path.
    QString copyLog(const QString& name)
    {
        const QString path = logs.path() + "/" + name;
        QFile::copy(QString(ZEM_SOURCE_DIR) + "/tests/data/" + name, path);
        return path;
    }
};
