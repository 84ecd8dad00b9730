#include "analysis/find_qso.h"

#include "analysis/call_country.h"
#include "main/log_table.h"

#include <utility>

bool FindCriteria::any() const
{
    return callsign || country || notFromCountry || itu || waz || band || mode || continent || dupes || newDxcc ||
           newWaz || newItu || newWpx || newRus || notInMaster;
}

ChosenCountry chosenCountryOf(TCty_search& cty, const std::string& prefix)
{
    const CountryRecord* rec = countryOfCall(cty, prefix);
    if (!rec) return std::nullopt;
    return rec->CountryNum;
}

namespace {

bool passes(const TKeoEGrid& log, int r, TCty_search& cty, const FindCriteria& c)
{
    const auto cell = [&](int col) -> const std::string& { return log.Cell(col, r); };
    const auto marked = [&](bool wanted, int col) { return !wanted || !cell(col).empty(); };
    const auto equals = [&](const std::optional<std::string>& v, int col) { return !v || cell(col) == *v; };

    if (c.callsign && (c.callsign->empty() || cell(lcCallsign).find(*c.callsign) == std::string::npos)) return false;
    if (!equals(c.band, lcBand) || !equals(c.mode, lcMode) || !equals(c.continent, lcCont)) return false;
    if (c.dupes && cell(lcQSO) != "DUPE.") return false;
    if (!marked(c.newDxcc, lcDXCC) || !marked(c.newWaz, lcWAZ) || !marked(c.newItu, lcITU) ||
        !marked(c.newWpx, lcWPX) || !marked(c.newRus, lcRUS) || !marked(c.notInMaster, lcMaster))
        return false;

    if (!(c.country || c.notFromCountry || c.itu || c.waz)) return true;
    // Only now the lookup: the cheap tests above spare most of them.
    const CountryRecord* rec = countryOfCall(cty, cell(lcCallsign));
    if (c.country && !(rec && c.chosenCountry && rec->CountryNum == *c.chosenCountry)) return false;
    if (c.notFromCountry && !(c.chosenCountry && !(rec && rec->CountryNum == *c.chosenCountry))) return false;
    if (c.itu && !(rec && zoneNumber(rec->ITU) == *c.itu)) return false;
    if (c.waz && !(rec && zoneNumber(rec->CQ) == *c.waz)) return false;
    return true;
}

} // namespace

int findQsos(const TKeoEGrid& log, TCty_search& cty, const FindCriteria& c, TKeoEGrid& found)
{
    TKeoEGrid::BatchUpdate batch(found);
    found.SetColCount(log.ColCount());
    found.SetHeader(std::vector<std::string>(log.RowCells(0)));
    found.ClearGrid();
    if (!c.any()) return 0;
    int n = 0;
    for (int r = 1; r < log.RowCount(); ++r) {
        if (log.IsRowEmpty(r) || !passes(log, r, cty, c)) continue;
        ++n;
        found.SetRowCount(n + 1);
        found.WriteRow(n, log.RowCells(r));
    }
    found.SetRowCount(n + 1 < 2 ? 2 : n + 1);
    return n;
}
