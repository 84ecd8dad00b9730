#pragma once
// The Cabrillo reader: fills the log table and the log header from one
// Cabrillo file.
//
// The caller resets the shared state (Reset_app) before calling, and chains
// what follows a load itself: the log folder, the analysis, the reopen list.
// The reader starts the header afresh (resetLogHeader) and sets StationCall,
// ContestName, Category and LogYear from the header, fills log_grid (columns "#", "kHz", "Mode", "Date", "Time",
// "Callsign" and "TX"), sets QsoCount and RowCounter, and sets OutputDir to the
// absolute folder of the file. It does not change the process's current
// folder. LogTitle is left to the log-folder step, which builds it from the
// header values.
//
// The last QSO line of the header scan names the transmitter field when its
// last field is "0", "1" or "2"; the "TX" column is kept only when that
// field is one digit on every QSO line long enough to hold it, so that a
// received serial or zone is not taken for a transmitter.
//
// The worked call is the field that the usual columns of that line show.
// Where they show none, or a field that is the same on every QSO line (a
// sent exchange wider than usual, as QSO parties have), it is the first field
// after the own call that changes from line to line and holds a callsign.
//
// A time written "hh.mm" or "hh:mm" goes into the table as "hhmm". A QSO line
// whose time is then not four digits, or that lacks its transmitter field or
// any field the log table needs, stays in the log (its time as the file gives
// it, missing cells empty) and is counted and listed in the processing-error
// list (Bad_QSO).

#include "main/app_state.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The file is not a Cabrillo log this reader understands. what() is the text
// for the user: "Error in Cabrillo file", then on lines of their own a
// fragment of the last header line examined (when not empty) and what the
// reader expected. Header values may already have been set: the caller
// resets the state again.
class CabrilloFormatError : public std::runtime_error {
public:
    CabrilloFormatError(const std::string& fragment, const std::string& expected);
    const std::string& fragment() const { return fragment_; }

private:
    std::string fragment_;
};

struct CabrilloReadResult {
    int qsoCount = 0;
    // Field numbers (from 0, "QSO:" being 0) of the worked callsign and of the
    // transmitter number; txTokenIndex is -1 when the log has no such field.
    int callTokenIndex = -1;
    int txTokenIndex = -1;
    // QSO lines listed in the processing-error list by this load.
    int badQsoLines = 0;
};

// Loads the file into s. Throws std::runtime_error when the file cannot be
// read (also a folder of that name) and CabrilloFormatError when no QSO
// layout can be found in it. Lines may end in CR LF, LF or a lone CR.
CabrilloReadResult readCabrilloLog(AppState& s, const std::string& path);

// The log's category from the lines of its header. A "CATEGORY:" line gives
// its characters 11..40, trimmed. Without one, the values of the
// CATEGORY-OPERATOR:, CATEGORY-TRANSMITTER:, CATEGORY-BAND:, CATEGORY-POWER:
// and CATEGORY-MODE: lines, in this order, those present, joined by one
// blank and cut to 50 characters ("MULTI-OP TWO ALL HIGH SSB"). Keywords
// are the line's first field, compared exactly; a later line of a keyword
// replaces an earlier one. No category line at all: nullopt.
std::optional<std::string> cabrilloCategory(const std::vector<std::string>& headerLines);

// What the open dialog shows of a file before it is opened: the CONTEST: and
// CALLSIGN: values found in its first 31 lines, upper case; empty when not
// found or when the file does not exist.
struct CabrilloPreview {
    std::string contest;
    std::string callsign;
};
CabrilloPreview cabrilloPreview(const std::string& path);

// A field that can be a callsign: it holds at least one letter and one digit.
bool looksLikeCallsign(const std::string& token);
