#pragma once
// What the program tells about one callsign: its country facts with the
// distance from home, and the bands on which the log worked it.

#include "main/keoe_grid.h"
#include "refdata/cty_search.h"

#include <array>
#include <string>

// The facts of a callsign's country as texts, ready to show. All empty when
// the country file does not know the call: a failed lookup must not show the
// previous call's country.
struct CallFacts {
    std::string Country, CQ, ITU, Latitude, Longitude, Continent, TimeOffset;
    double DxLat = 0, DxLon = 0;
    std::string Distance; // whole km as text
    bool known = false;
};

// rec: the call's country record, or nullptr when the call is unknown.
CallFacts callFacts(const CountryRecord* rec, double HomeLat, double HomeLon);

// One entry per contest band, "160" "80" "40" "20" "15" "10": the band's
// name when the call was worked there, else empty.
using TBandMatrix = std::array<std::string, 6>;
// Compares the "Callsign" cells of rows 1.. exactly with call.
TBandMatrix Get_band_matrix(const TKeoEGrid& log, const std::string& call);

// The callsign of a QSO line (kHz, mode, date, time and callsign joined by
// two blanks): characters 29 to 42, trimmed.
std::string callOfQsoLine(const std::string& line);
