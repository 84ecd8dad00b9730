#pragma once
// The QSO filter: the log rows that pass every chosen test, copied whole.

#include "main/keoe_grid.h"
#include "refdata/cty_search.h"

#include <optional>
#include <string>

// A chosen country: none (no country found for the typed prefix) or its number.
using ChosenCountry = std::optional<int>;

struct FindCriteria {
    std::optional<std::string> callsign; // the "Callsign" cell contains it
    // Country of the callsign equal to / different from the chosen country.
    bool country = false;
    bool notFromCountry = false;
    ChosenCountry chosenCountry;
    std::optional<int> itu;
    std::optional<int> waz;
    std::optional<std::string> band;      // "band" cell
    std::optional<std::string> mode;      // "Mode" cell
    std::optional<std::string> continent; // "Cont." cell
    bool dupes = false;
    bool newDxcc = false, newWaz = false, newItu = false, newWpx = false, newRus = false;
    bool notInMaster = false;

    bool any() const;
};

// The country of a typed prefix, none when the country file does not know it.
ChosenCountry chosenCountryOf(TCty_search& cty, const std::string& prefix);

// Clears found (giving it the log's columns and titles) and, when some test
// is chosen, copies into it every log row that passes them all, in log
// order; gives the number of rows found. A found grid keeps at least one
// (empty) row under its titles. A callsign the country file does not know
// has no country and no zones: it passes "not from" a known country and no
// other country or zone test; with no chosen country neither country test
// passes. Throws std::invalid_argument when a country record's numbers do
// not convert.
int findQsos(const TKeoEGrid& log, TCty_search& cty, const FindCriteria& c, TKeoEGrid& found);
