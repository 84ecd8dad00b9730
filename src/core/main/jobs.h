#pragma once
// Timing and progress of the main window's long commands (jobs), and the
// message for a QSO that failed inside a table command.

#include "main/app_state.h"

#include <string>

// Time stamp of a job: only the time of day counts, so a job that runs over
// midnight shows a negative time, as the status bar always did.
struct JobTime {
    int msOfDay = 0; // milliseconds since local midnight
};

// Now, as a job time stamp (local time of day).
JobTime JobNow();
// Milliseconds from start to end, by time of day only.
double JobElapsedMs(JobTime start, JobTime end);
// The status-bar text of a job's length: ">>" + seconds in the shortest
// general form + " s." (1234 ms: ">>1.234 s.").
std::string elapsedText(double elapsedMs);

// The part of Scale that Value has reached between Min and Max. Value below
// Min or Min above Max gives 0, Value above Max gives 100, and so does
// Value = Min = Max; otherwise (Value - Min) / ((Max - Min) / Scale)
// rounded, halves to even. A Scale below 1 gives 0.
int PercentOf(int Min, int Max, int Value, int Scale);

// The text that except_proc shows for the row the job was at:
// "Line: " + RowCounter + "\r" + "Callsign: " + the row's callsign.
std::string except_proc_text(const AppState& s);
