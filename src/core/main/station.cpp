#include "main/station.h"

#include "main/text_util.h"

#include <cmath>

namespace {

int letterValue(const std::string& s, size_t i)
{
    if (i >= s.size()) return -1;
    char c = s[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return c - 'A';
}

bool digitValue(const std::string& s, size_t i, int& d)
{
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
    d = s[i] - '0';
    return true;
}

// Four significant digits, halves away from zero (37.625 gives 37.63).
double roundSignificant4(double v)
{
    if (v == 0 || !std::isfinite(v)) return v;
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    const double scale = std::pow(10.0, 3 - magnitude);
    return std::round(v * scale) / scale;
}

std::string twoDecimals(double v)
{
    std::string t = zem::formatFixed(v, 2);
    return t == "-0.00" ? "0.00" : t;
}

} // namespace

LocatorPosition locatorToPosition(const std::string& locator)
{
    LocatorPosition p;
    int d3 = 0, d4 = 0;
    if (!digitValue(locator, 2, d3) || !digitValue(locator, 3, d4)) {
        p.LongitudeText = "0";
        p.LatitudeText = "0";
        return p;
    }
    const double lon = -(20.0 * letterValue(locator, 0) + 2.0 * d3 + (letterValue(locator, 4) + 0.5) / 12.0 - 180.0);
    const double lat = 10.0 * letterValue(locator, 1) + d4 + (letterValue(locator, 5) + 0.5) / 24.0 - 90.0;
    p.LongitudeText = twoDecimals(roundSignificant4(lon));
    p.LatitudeText = twoDecimals(roundSignificant4(lat));
    p.Longitude = zem::toDouble(p.LongitudeText);
    p.Latitude = zem::toDouble(p.LatitudeText);
    return p;
}

bool utcDifferenceAccepted(const std::string& text)
{
    double v = 0;
    if (!zem::tryToDouble(text + "1", v)) return false;
    return std::fabs(v) <= 121;
}
