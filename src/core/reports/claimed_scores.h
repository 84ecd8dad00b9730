#pragma once
// The claimed-scores mail of a score-reporting list: a free-text part, then
// per entry category a header line ("CALL ...") and one line per station.
// The stations go into a table, and each gets "OK" under every band on which
// the loaded log worked it.

#include "main/keoe_grid.h"

#include <string>
#include <vector>

// Text lines of a mail or text file: header lines unfolded, a body in
// quoted-printable or base64 decoded, the plain-text parts of a multipart
// body one after another (other parts left out). A file without a mail
// header is taken as it stands.
std::vector<std::string> mailTextLines(const std::string& bytes);

struct ClaimedScoresRead {
    std::string Subject; // characters 10-109 of the "SUBJECT:" line, upper case
    int Stations = 0;    // station rows read into the table
};

// Sets up the table as it is before any mail: 9 columns, 2 rows, "#" in column 0.
void initClaimedScoresGrid(TKeoEGrid& grid);

// Reads the mail's lines into grid (cleared first): row 0 the titles of the
// last header line plus "160" "80" "40" "20" "15" "10" "TOTAL", then one
// row per station: number, callsign, category, the further words, the club
// under "CLUB". A header line without "HR" or "CLUB" is read without the
// hours check or the club column.
ClaimedScoresRead readClaimedScores(const std::vector<std::string>& lines, TKeoEGrid& grid);
// The same from a file. Throws std::runtime_error when it cannot be read.
ClaimedScoresRead N3830_proc(const std::string& path, TKeoEGrid& grid);

// Empties and refills the six band columns from the log table (rows 1 up to
// its RowCount - 1, callsign and band cells); nothing when the table holds
// no station (cell (0, 1) empty).
void log_and_3830(TKeoEGrid& grid, const TKeoEGrid& log);

// The callsigns of the table, rows 1 onward.
std::vector<std::string> claimedCallsigns(const TKeoEGrid& grid);
// The last row whose callsign equals the answer in upper case; 0 when none.
int findClaimedCallsign(const TKeoEGrid& grid, const std::string& answer);

// A page name that a file can carry: ":", "/" and "\" become "-", blanks
// around are trimmed and a trailing ".htm" is dropped (the export adds it).
std::string htmlPageName(const std::string& text);
