#pragma once
// DX-cluster spot files: reading the "DX de" lines, counting the spots per
// spotter and per DX callsign, and finding all spots of one callsign.

#include "main/keoe_grid.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Columns of the spot table (and of the search result).
enum TSpotColumn : int { spcNumber = 0, spcSpotter, spcFrequency, spcBand, spcDX, spcComments, spcTime, SpotColumnCount };
const std::vector<std::string>& spotColumnTitles();

struct Spot {
    std::string Spotter, Frequency, Band, DX, Comments, Time;
};

enum class SpotLine {
    NotSpot,       // does not start with "DX de": skipped without a word
    Spot,          // a spot, all fields read
    BadFrequency,  // a spot whose frequency does not convert: kept, no band
    Unreadable,    // starts like a spot but ends before its fields, or has
                   // no spotter: skipped
};

// Reads one line in the cluster layout
//   DX de CALL:   freq  DXCALL       comment                        hhmmZ
// The spotter is the text from column 7 up to its ":" (skimmers write
// "W1NT-6-#:", which fills the old fixed field; a "-" that a cut suffix
// leaves at the end is dropped); the frequency is the first
// word after it, however many digits it has; the DX callsign, the comment
// and the time stand at columns 27-39, 40-70 and 71-74.
SpotLine parseSpotLine(std::string_view line, Spot& out);

struct SpotFileSummary {
    int spots = 0;
    // Lines that start like a spot but could not be read whole, as written.
    std::vector<std::string> badLines;
};

// Reads the spot lines of text into the spot table, emptied first, one row
// each from row 1, numbered. With no spot line the table is left as it was.
// The lines go straight into the table: no second copy of the spots is held.
SpotFileSummary readSpotText(std::string_view text, TKeoEGrid& grid);
// Throws std::runtime_error naming the file when it cannot be read.
SpotFileSummary readSpotFile(const std::string& path, TKeoEGrid& grid);

// The one message for the lines of a file that were not read whole, or empty
// when there are none.
std::string badSpotLinesMessage(const std::vector<std::string>& badLines);

// Sets up a grid as a spot table: 7 columns and their titles, no rows.
void initSpotGrid(TKeoEGrid& grid);

// One row per distinct callsign of column col of rows 1..spotCount (letter
// case ignored, spelled as first met): "#", callsign, number of its spots,
// largest count first, numbered in that order. Counts are 64-bit and the
// number of callsigns is limited by memory alone. Returns the number of
// distinct callsigns.
int countSpotsBy(const TKeoEGrid& spots, int spotCount, int col, TKeoEGrid& out);

// Copies every row of rows 1..spotCount whose "Spotter" or "DX" cell equals
// call, letter case ignored as in the counts above, into out (emptied
// first). Returns the number of rows copied.
int searchSpots(const TKeoEGrid& spots, int spotCount, const std::string& call, TKeoEGrid& out);
