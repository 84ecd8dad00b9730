#pragma once
// The near zone: QSOs on 7, 14, 21 and 28 MHz with stations whose country
// lies closer to a reference callsign's country than a radius per band.

#include "main/keoe_grid.h"
#include "refdata/cty_search.h"

#include <array>
#include <string>

inline constexpr int NearZoneBandCount = 4;
// The MHz of each near-zone band, in the order of the radii and the grids.
inline constexpr std::array<const char*, NearZoneBandCount> NearZoneMhz = {"7", "14", "21", "28"};
// Radii in km at start: 7, 14, 21, 28 MHz.
inline constexpr std::array<int, NearZoneBandCount> NearZoneStartRadii = {400, 400, 1000, 1500};

// Sets up a near-zone grid: "#", "Distance", "Callsign", "Time", "Mode".
void initNearZoneGrid(TKeoEGrid& grid);

// Refills the four grids with the near QSOs of log in log order and gives
// their counts. A QSO is near when the distance between the countries of
// refCall and of its callsign is below the band's radius (a QSO exactly at
// the radius is not). The band is that of the "kHz" cell (bandOfKHzCell):
// 40, 20, 15 and 10 m in the order of the grids. Calls the country file does not
// know are measured from nowhere: they are never near, and an unknown
// refCall finds nothing. Throws std::invalid_argument when a country
// record's numbers do not convert; the grids then hold what was found so far.
std::array<int, NearZoneBandCount> nearZone(const TKeoEGrid& log, TCty_search& cty, const std::string& refCall,
                                            const std::array<int, NearZoneBandCount>& radiusKm,
                                            std::array<TKeoEGrid*, NearZoneBandCount> grids);
