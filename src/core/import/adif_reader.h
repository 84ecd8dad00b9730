#pragma once
// The ADIF reader: fills the log table from an ADIF file.
//
// ADIF is read as the format defines it, not line by line: tags follow one
// another anywhere in the text, "<NAME:LENGTH>" or "<NAME:LENGTH:TYPE>" then
// exactly LENGTH bytes of value (which may hold "<" or line breaks). Names are
// compared without regard to case; "<EOR>" ends a record, "<EOH>" the header.
// Free text before the header's end, and anything that is not a well-formed
// tag, is passed over. A length that runs past the end of the data is cut at
// the end, so nothing is ever read beyond it.
//
// The caller empties the charts and the log table first, asks for the station
// callsign, and chains what follows a load (log folder, analysis, reopen list).

#include "main/app_state.h"

#include <cstddef>
#include <string>
#include <string_view>

// One step of the scan of an ADIF text.
class AdifScanner {
public:
    enum Kind { Field, EndOfRecord, EndOfHeader, End };

    explicit AdifScanner(std::string_view data);
    // Moves to the next field or marker. For a Field, name() and value() hold it.
    Kind next();
    std::string_view name() const { return name_; }
    std::string_view value() const { return value_; }

private:
    bool readTag(size_t at, size_t& after);
    std::string_view data_;
    size_t pos_ = 0;
    std::string_view name_;
    std::string_view value_;
    bool marker_ = false;
};

struct AdifReadOptions {
    // Keep only the records whose OPERATOR equals chosenOperator.
    bool operatorMode = false;
    std::string chosenOperator;
};

struct AdifReadResult {
    int qsoCount = 0;
    // The last CONTEST_ID of a complete record; empty when none carried one.
    std::string contestId;
    // The log names its operators (rows 1 and 2 both carry one): the
    // operator commands have something to work on.
    bool operators = false;
};

// "ADIF LOG": the contest name of a log whose records name no contest.
inline constexpr const char* kAdifContestName = "ADIF LOG";

// Clears s.log_grid, reads the records of data into it (rows from 1) in time
// order (by date and TIME_ON, seconds included; records of the same time in
// file order, records without a date last) and sets QsoCount, ContestName
// ("ADIF LOG" or the last CONTEST_ID, at most 50 characters) and LogYear
// (from row 1's date, the oldest). A record without
// "<EOR>" at the end of the data is not counted. StationCall, Category and
// OutputDir are left alone.
AdifReadResult readAdifRecords(AppState& s, std::string_view data, const AdifReadOptions& opt = {});

// The station callsign the callsign prompt's answer gives: upper case, at
// most 50 characters.
std::string adifStationCall(std::string_view answer);
