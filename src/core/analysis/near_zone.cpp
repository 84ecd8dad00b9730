#include "analysis/near_zone.h"

#include "analysis/call_country.h"
#include "main/log_table.h"
#include "main/text_util.h"
#include "refdata/distance.h"

void initNearZoneGrid(TKeoEGrid& grid)
{
    grid.SetColCount(5);
    grid.SetHeader({"#", "Distance", "Callsign", "Time", "Mode"});
    grid.ClearGrid();
}

std::array<int, NearZoneBandCount> nearZone(const TKeoEGrid& log, TCty_search& cty, const std::string& refCall,
                                            const std::array<int, NearZoneBandCount>& radiusKm,
                                            std::array<TKeoEGrid*, NearZoneBandCount> grids)
{
    std::array<int, NearZoneBandCount> counts{};
    for (TKeoEGrid* g : grids) {
        initNearZoneGrid(*g);
        g->SetRowCount(1);
    }
    // One change notice per grid at the end, not one per row.
    TKeoEGrid::BatchUpdate b7(*grids[0]), b14(*grids[1]), b21(*grids[2]), b28(*grids[3]);
    // Our own copy of the reference position: the home position of the
    // program is the user's, not this window's.
    const CountryRecord* ref = countryOfCall(cty, refCall);
    if (!ref) return counts;
    const double refLat = ref->Latitude;
    const double refLon = ref->Longitude;

    for (int r = 1; r < log.RowCount(); ++r) {
        // 40, 20, 15 and 10 m: contest bands 3 .. 6.
        const int band = bandOfKHzCell(log.Cell(lcKHz, r)) - 3;
        if (band < 0) continue;
        const std::string& call = log.Cell(lcCallsign, r);
        const CountryRecord* dx = countryOfCall(cty, call);
        if (!dx) continue;
        const double d = Calc_distance(refLat, refLon, dx->Latitude, dx->Longitude);
        if (!(d < radiusKm[static_cast<size_t>(band)])) continue;
        int& n = counts[static_cast<size_t>(band)];
        ++n;
        TKeoEGrid& g = *grids[static_cast<size_t>(band)];
        g.SetRowCount(n + 1);
        g.WriteRow(n, {std::to_string(n), zem::formatShortest(d), call, log.Cell(lcTime, r), log.Cell(lcMode, r)});
    }
    return counts;
}
