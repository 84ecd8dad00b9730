#include "refdata/call_info.h"

#include "main/log_table.h"
#include "main/text_util.h"
#include "refdata/distance.h"

CallFacts callFacts(const CountryRecord* rec, double HomeLat, double HomeLon)
{
    CallFacts f;
    if (!rec) return f;
    f.known = true;
    f.Country = shownCountryName(rec->Country);
    f.CQ = rec->CQ;
    f.ITU = rec->ITU;
    f.Continent = rec->Continent;
    f.Latitude = zem::formatShortest(rec->Latitude);
    f.Longitude = zem::formatShortest(rec->Longitude);
    f.TimeOffset = zem::formatShortest(rec->TimeOffset);
    f.DxLat = rec->Latitude;
    f.DxLon = rec->Longitude;
    f.Distance = zem::formatShortest(Calc_distance(HomeLat, HomeLon, f.DxLat, f.DxLon));
    return f;
}

TBandMatrix Get_band_matrix(const TKeoEGrid& log, const std::string& call)
{
    static const std::array<std::string, 6> bands = {"160", "80", "40", "20", "15", "10"};
    TBandMatrix m;
    for (int r = 1; r < log.RowCount(); ++r) {
        if (log.Cell(lcCallsign, r) != call) continue;
        const std::string band = log.Cell(lcBand, r).substr(0, 3);
        for (size_t i = 0; i < bands.size(); ++i)
            if (band == bands[i]) m[i] = bands[i];
    }
    return m;
}

std::string callOfQsoLine(const std::string& line)
{
    if (line.size() <= 28) return {};
    return zem::trim(std::string_view(line).substr(28, 14));
}
