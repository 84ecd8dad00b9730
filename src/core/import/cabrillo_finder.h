#pragma once
// The search of a folder tree for Cabrillo logs, each listed with the year,
// contest, callsign and category of its header.

#include "main/keoe_grid.h"

#include <stdexcept>
#include <string>
#include <vector>

struct FoundCabrillo {
    std::string year;     // characters 15..18 of the last "QSO:" line among the first 30
    std::string contest;  // characters 10..109 of the "CONTEST:" line, as they stand
    std::string callsign; // characters 11..110 of the "CALLSIGN:" line
    std::string category; // the reader's category rule, lower case
    std::string qsos;     // number of "QSO:" lines of the whole file
    std::string path;     // full path
};

// The header values of one file. Throws std::runtime_error naming the file
// when it cannot be read.
FoundCabrillo examineCabrilloFile(const std::string& path);

// A file-name mask with "*" and "?", letters compared without regard to case.
bool maskMatches(const std::string& mask, const std::string& fileName);

// Said instead of searching when no folder is given (no logs folder set).
inline constexpr const char* NoLogsFolderMessage = "No logs folder is set: choose one with \">>\".";

// Adds to found every regular file of folder and of its subfolders whose
// name matches mask: a folder's files first (by name), then its subfolders
// (by name). Folders whose name begins with "." are not searched, nor are
// links to folders. Throws std::runtime_error when no folder is given, the
// folder does not exist or a file cannot be read; what was found until then
// stays in found.
void findCabrilloFiles(const std::string& folder, const std::string& mask, std::vector<FoundCabrillo>& found);

// The finder's grid: titles "Year" "Contest" "Callsign" "Category" "QSO`s"
// "Directory", one row per file (two rows when there is none).
void fillFinderGrid(TKeoEGrid& grid, const std::vector<FoundCabrillo>& found);
