#include "analysis/call_country.h"

#include "main/text_util.h"

#include <stdexcept>

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

int russianCountryNum(TCty_search& cty, const char* call)
{
    try {
        const CountryRecord* rec = countryOfCall(cty, call);
        if (rec && rec->CountryNum > 0) return rec->CountryNum;
    } catch (const std::invalid_argument&) {
    }
    return -1;
}
