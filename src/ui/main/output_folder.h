#pragma once
// Where a save dialog opens: what the user writes from a log goes with the
// log's other outputs; without a log, into the folder the caller names.

#include "main/app_state.h"

#include <QDir>
#include <QString>

// The loaded log's output folder, or fallback when no log is loaded (after
// Close Log the header still names the closed log's folder) or when that
// folder has gone.
inline QString logOutputFolderOr(const LogHeader& h, const QString& fallback)
{
    if (h.QsoCount > 0 && !h.OutputDir.empty()) {
        const QString dir = QString::fromStdString(h.OutputDir);
        if (QDir(dir).exists()) return dir;
    }
    return fallback;
}
