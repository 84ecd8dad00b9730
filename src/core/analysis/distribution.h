#pragma once
// The distributions of the Distribution page: stations by the number of bands
// on which they were worked, and the callsigns of each band; the dupe marks
// and band counts of the log table's "QSO" column that rest on them; the
// counts of the additional-information window; and the list files written
// into the log folder.

#include "main/keoe_grid.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

constexpr int DistributionColumns = 6;

// A station (or station and mode) worked on more bands than the six columns
// hold: a general logbook has the WARC bands, 60 and 6 m too.
struct ManyBandsEntry {
    std::string item;
    int bands = 0;
    bool operator==(const ManyBandsEntry&) const = default;
};

struct BandDistribution {
    std::array<std::vector<std::string>, DistributionColumns> columns; // stations on exactly 1..6 bands
    // Entries worked on more than 6 bands, in the order of the columns. They
    // have no column but are stations of the log all the same: they are in
    // `all` and get their band count in the "QSO" column.
    std::vector<ManyBandsEntry> tooManyBands;
    std::vector<std::string> all; // every item of columns 1..6 and of tooManyBands, sorted
};

// The "QSO" cell of a repeated QSO.
inline constexpr const char* kDupeMark = "DUPE.";

// By number of bands: DUPE. rows skipped, the band cell as band, case-insensitive keys.
// mixedMode: items are callsign + "-" + mode.
// Rows 1..qsoCount are read (never beyond the table). An item is the
// callsign as the station's first QSO writes it; entries that differ only
// in letter case are one station. Columns are in alphabetical order without
// regard to letter case.
BandDistribution distributionByBands(const TKeoEGrid& log, int qsoCount, bool mixedMode);
// Total on band: column k = callsign of every QSO on band k (bandOfKHzCell
// of its "kHz" cell), dupes included; QSOs off the six bands are in no
// column. Items in log order.
BandDistribution totalOnBand(const TKeoEGrid& log, int qsoCount);

// Column titles 1..7 after each command.
const std::array<std::string, 7>& byBandsTitles();
const std::array<std::string, 7>& totalOnBandTitles();

// Sorting rule of the all-stations list: letter case ignored, then exact text.
bool lessNoCase(const std::string& a, const std::string& b);

// Marks every repeated QSO of rows 1..qsoCount (dupe_key.h) "DUPE." in the
// "QSO" column (the first QSO of a key stays unmarked) and returns the
// number marked.
int Mark_dupes(TKeoEGrid& log, int qsoCount);

// Writes into every empty "QSO" cell of rows 1..qsoCount the number of bands
// ("1".."6") of the column of dist holding that row's callsign (letter case
// aside), or the band count of its tooManyBands entry ("7" and up). Cells
// holding any text are left as they are.
void qso_proc(TKeoEGrid& log, int qsoCount, const BandDistribution& dist);

// The one message about the entries worked on more than six bands, naming
// them (the first kManyBandsNamed of them, then how many more); empty when
// there is none.
inline constexpr size_t kManyBandsNamed = 100;
std::string tooManyBandsText(const BandDistribution& dist);

// Text "N dupes" of the status bar.
std::string dupesText(int count);

// ---- files ----

// "Bands distribution/Calls on 1 band (57).txt" for each non-empty column
// 1..6 under logFolder, and "Total callsigns (N).txt" in logFolder when
// column 1 is not empty. An existing file is replaced. Throws
// std::runtime_error naming a file that cannot be written.
void saveByBandsFiles(const BandDistribution& dist, const std::filesystem::path& logFolder);
// "Bands distribution/Calls 160m (12).txt" for each non-empty band list.
void saveTotalOnBandFiles(const BandDistribution& dist, const std::filesystem::path& logFolder);

// ---- additional information ----

struct AddInfoCell {
    int value = 0;
    int max = 0; // the bar's full scale
    bool operator==(const AddInfoCell&) const = default;
};
// Rows 1..6 "On k bands", row 7 "On 1 bands" again, row 8 "More then 1".
struct AddInfoRows {
    std::array<AddInfoCell, 8> notFound;
    std::array<AddInfoCell, 8> qso;
    std::array<AddInfoCell, 8> stations;
};
// counts: S1..S6; total: T (all stations); qsoCount: Q. notFoundInMaster
// tells whether a station is missing from the master file; it is asked once
// for each item of columns 1..6, in column order.
AddInfoRows additionalInfo(const std::array<std::vector<std::string>, DistributionColumns>& columns, int total,
                           int qsoCount, const std::function<bool(const std::string&)>& notFoundInMaster);
