#pragma once
// One contest out of an N1MM Logger database: the list of its contests
// (table "ContestInstance") and the QSOs of one of them (table "DXLOG"),
// fields taken by their position in each table.

#include "import/table_source.h"
#include "main/app_state.h"

#include <string>
#include <vector>

struct N1mmContest {
    std::string contest;  // ContestInstance field 1
    std::string date;     // field 2
    std::string category; // field 3
    std::string callsign; // field 9
    std::string id;       // field 12
};

// Every contest of the database in table order. Throws std::runtime_error
// when the table cannot be read.
std::vector<N1mmContest> readN1mmContests(TableSource& db);

// The grid of the contest list: titles "Contest" "Date" "Category"
// "Callsign" "ID", one row per contest (two rows when there is none).
void fillN1mmContestGrid(TKeoEGrid& grid, const std::vector<N1mmContest>& contests);

// Loads the QSOs of one contest (DXLOG rows whose "ContestNR" is the
// contest's ID) into the log table in time order, and sets the log header
// from the contest: ContestName, Category, StationCall, LogYear (first QSO's
// year), QsoCount, and OutputDir (the database's folder). Only the log table
// is cleared first. A QSO whose timestamp cannot be read keeps empty date and
// time cells, goes after the others and is listed in the processing-error
// list. Returns the number of QSOs; 0 leaves the log table empty. Throws
// std::runtime_error when DXLOG cannot be read or has no "ContestNR" field.
int importN1mmContest(AppState& s, TableSource& db, const N1mmContest& contest, const std::string& dbPath);
