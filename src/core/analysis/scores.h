#pragma once
// Claimed scores of the loaded log under the rules of four contests: the
// points of every QSO, written into the log table's "Pts." column, and the
// text of the score that the main window shows.
//
// Every rule gives nothing to a dupe (dupe_key.h), to a QSO outside the six
// contest bands (its "band" cell, as the analysis pass wrote it, is not one
// of "160" .. "10"), and, where the points depend on where the station is,
// to a callsign the country file does not know: such a QSO has no country
// to score (countryOfCall).

#include "main/app_state.h"
#include "main/keoe_grid.h"
#include "refdata/cty_search.h"

#include <string>

enum class TScoreContest { CQWW, CQWPX, CupOfUral, UCG };

// Band index 1..6 ("160" .. "10") of a "band" cell, -1 for anything else.
int scoreBandOfCell(const std::string& bandCell);

// Same country: the country numbers of cty.dat when either has one, else
// (countries only the program's own file knows) the primary prefixes.
bool sameCountry(const CountryRecord& a, const CountryRecord& b);

// Points of one QSO between the own station and a worked one on band 1..6.
// CQ WW: same country 0, same continent 1 (2 between two North American
// countries), other continent 3.
int cqwwQsoPoints(const CountryRecord& own, const CountryRecord& worked);
// CQ WPX: same country 1, same continent 1 (2 within North America), other
// continent 3; doubled on 160, 80 and 40 m except the same-country point.
int cqwpxQsoPoints(const CountryRecord& own, const CountryRecord& worked, int band);
// UCG: the reference's country 1; Asia 1 (2 on 40 m); elsewhere 3 (6 on 40 m).
// reference is nullptr when the country file has no country for the
// reference call.
int ucgQsoPoints(const CountryRecord* reference, const CountryRecord& worked, int band);

// The call whose country is the UCG reference (Asiatic Russia).
inline constexpr const char* UcgReferenceCall = "UA9AA";

// Writes the points of every QSO of s.log_grid into "Pts." (as decimal
// text, "0" included) and returns their sum, which is what the analysis pass
// then adds up in the Summary's "Points" column. CQ WW and CQ WPX score from
// the own station's country: that of s.header.OwnCall (the callsign as the
// log gave it), else of StationCall; when the country file does not know
// it, no QSO gets country-dependent points. Cup of Ural: 11 for the first
// QSO with a callsign on a band (letters compared without regard to case),
// 1 for every later one that is no dupe.
long long writeQsoPoints(AppState& s, TCty_search& cty, TScoreContest contest);

// The score text of the message. CQ WW: "<waz> WAZ + <dxcc> DXCC + <points>
// QSO points = <(waz + dxcc) * points> total points", the multipliers being
// the Total row's "WAZ" and "DXCC" cells of the Summary; CQ WPX and UCG:
// "<wpx> WPX * <points> QSO points = <wpx * points> total points"; Cup of
// Ural: "<points> QSO points". A Summary cell that is not a number counts 0.
std::string scoreText(TScoreContest contest, const TKeoEGrid& summary, long long wpxCount, long long points);
// What the message box shows: the contest name, ":", a line break, the text.
std::string scoreMessage(const std::string& contestName, const std::string& scoreText);
