#include "analysis/call_country.h"

#include "main/text_util.h"

const CountryRecord* countryOfCall(TCty_search& cty, const std::string& call)
{
    if (!cty.LookupCall(call)) return nullptr;
    return &cty.Result();
}

int zoneNumber(const std::string& zoneText)
{
    int z = 0;
    if (!zem::tryToInt(zoneText, z) || z < 1) return 0;
    return z;
}
