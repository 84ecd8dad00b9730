#pragma once
// Geomagnetic A and K indices: one line per UTC day in the observatory's
// index file, the day's A index and eight three-hour K indices. Every QSO of
// the log gets the values of its own date and period.

#include "main/keoe_grid.h"

#include <array>
#include <filesystem>
#include <map>
#include <string>

// One day of the index file. Fields hold the index as the file gives it, or
// nothing when the file has no usable value there.
struct KIndexDay {
    std::string Date; // "yyyy-mm-dd", as the log's "Date" cells
    std::string A;
    std::array<std::string, 8> K; // 00-03, 03-06, ... 21-24 UTC
};

// Every day of a file, by its date text. A repeated date keeps its first line.
using KIndexTable = std::map<std::string, KIndexDay>;

// The file for an observatory: programFolder / (name + "_ak.txt").
std::filesystem::path kIndexFileName(const std::filesystem::path& programFolder, const std::string& observatory);

// Parses one data line. The program's own layout: fixed columns, date 1-10
// ("yyyy-mm-dd"), A 12-14, K 16-17, 19-20 ... 37-38; an A that is not a whole
// number 0 or above, or a K that is not a whole number 0-9, is empty. A line
// of the space-weather service's "Daily Geomagnetic Data" file ("yyyy mm dd",
// then Fredericksburg, College and planetary A and K) gives the planetary A
// (columns 57-62) and the planetary K (from column 64, two columns each, or
// six when written as decimals), rounded to whole numbers; -1 is empty.
// Fields past the line's end are empty.
KIndexDay Add_to_KA_indexs(const std::string& line);
// Reads the days of a file in either layout; empty lines, ";" comment lines
// and the ":" and "#" header lines of the service's file are skipped.
// Throws std::runtime_error when the file cannot be read.
KIndexTable readKIndexFile(const std::string& path);

struct KAIndexResult {
    std::string StatusText; // main status bar, panel 5
    int QsosMarked = 0;     // QSOs that got indices
};

// Fills the "a" and "k" cells of rows 1..qsoCount (emptied first) from the
// day of each QSO's date; a QSO whose date is not in the table, or whose
// time does not start with an hour 00-23, keeps them empty.
// Status: "K Indices for <observatory>", "No a,K Indices for this day" when no
// QSO was marked.
KAIndexResult applyKIndices(TKeoEGrid& log, int qsoCount, const KIndexTable& table, const std::string& observatory);

// The whole step after a load: the observatory's file from the program folder,
// then applyKIndices. A missing or unreadable file leaves the columns empty
// and says so in the status text; nothing is thrown.
KAIndexResult KA_indexs(TKeoEGrid& log, int qsoCount, const std::filesystem::path& programFolder,
                        const std::string& observatory, KIndexTable* tableOut = nullptr);
