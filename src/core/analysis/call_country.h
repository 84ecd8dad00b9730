#pragma once
// The country of a worked callsign, for every command that walks the log.

#include "refdata/cty_search.h"

#include <string>

// The record of the call's country, or nullptr when the country file does not
// know the call. A failed lookup leaves the previous call's country in the
// lookup's result fields; reading those would give this QSO a country it was
// never worked in, so callers must treat nullptr as "no country": no
// continent, no zones, no country or zone marks and no country counts.
// A record whose numbers do not convert throws std::invalid_argument.
const CountryRecord* countryOfCall(TCty_search& cty, const std::string& call);

// A zone number as written in a record ("5", "17"), or 0 when the text is not
// a usable zone (not a whole number, or below 1).
int zoneNumber(const std::string& zoneText);

// Sample calls of the two Russian countries whose stations carry an oblast.
inline constexpr const char* AsiaticRussiaCall = "UA9AA";
inline constexpr const char* EuropeanRussiaCall = "RA3AA";

// Country number of a sample call; -1 when the file does not place it in a
// numbered country, so that no QSO can match it.
int russianCountryNum(TCty_search& cty, const char* call);
