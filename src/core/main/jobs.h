#pragma once
// Timing and progress of the main window's long commands (jobs), and the
// message for a QSO that failed inside a table command.

#include "main/app_state.h"

#include <cstddef>
#include <string>
#include <vector>

// Time stamp of a job: only the time of day counts, so a job that runs over
// midnight shows a negative time, as the status bar always did.
struct JobTime {
    int msOfDay = 0; // milliseconds since local midnight
};

// Now, as a job time stamp (local time of day).
JobTime JobNow();
// Milliseconds from start to end, by time of day only, less the time the
// user spent in the windows that waited for him meanwhile.
double JobElapsedMs(JobTime start, JobTime end, double modalMs = 0);
// The status-bar text of a job's length: ">>" + seconds in the shortest
// general form + " s." (1234 ms: ">>1.234 s.").
std::string elapsedText(double elapsedMs);

// Time the user spends in a window that waits for him (a message box, the
// processing-error window, any modal dialog) is his, not the job's: the job's
// clock leaves it out. Such windows nest, and a job may start while one is up
// (a load from the finder's dialog): it leaves out only the windows opened
// over it. Times are milliseconds of a steady clock.
class ModalTime {
public:
    void opened(const void* window, double nowMs);
    // A window that was not counted open is ignored.
    void closed(const void* window, double nowMs);

    // Where a job stands when it starts.
    struct Mark {
        size_t depth = 0;    // windows up at the start
        double spentMs = 0;  // what the windows over them had taken so far
        double atMs = 0;
    };
    Mark mark(double nowMs) const;
    // What the windows opened over the mark's depth took since the mark; one
    // still up counts to now.
    double spentSince(const Mark& m, double nowMs) const;
    size_t openCount() const { return open_.size(); }

private:
    struct Open {
        const void* window;
        double atMs;
    };
    std::vector<Open> open_;     // in the order they opened
    std::vector<double> spent_;  // per depth: the time of the closed windows opened there
};

// The part of Scale that Value has reached between Min and Max. Value below
// Min or Min above Max gives 0, Value above Max gives 100, and so does
// Value = Min = Max; otherwise (Value - Min) / ((Max - Min) / Scale)
// rounded, halves to even. A Scale below 1 gives 0.
int PercentOf(int Min, int Max, int Value, int Scale);

// The text that except_proc shows for the row the job was at:
// "Line: " + RowCounter + "\r" + "Callsign: " + the row's callsign.
std::string except_proc_text(const AppState& s);
