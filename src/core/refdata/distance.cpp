#include "refdata/distance.h"

#include "main/text_util.h"

#include <algorithm>
#include <cmath>

namespace {
// Degrees to radians as the distances have always been computed: six
// decimals, not the full value of pi/180, so that the figures stay the same.
constexpr double kDeg = 0.017453;
constexpr double kA = 6378137.0;
constexpr double kE2 = 0.006739496742337;

// Rounding can push a sine a hair past 1 near the antipode; the inverse
// functions would then give NaN.
double clampUnit(double v)
{
    if (!std::isfinite(v)) return 0;
    return std::clamp(v, -1.0, 1.0);
}
} // namespace

double Calc_distance(double HomeLat, double HomeLon, double DxLat, double DxLon)
{
    if (HomeLat == DxLat && DxLon == HomeLon) return 0;
    const double dLon = (HomeLon - DxLon) * kDeg;
    const double dLat = (HomeLat - DxLat) * kDeg;
    const double phiM = (HomeLat + DxLat) / 2 * kDeg;
    const double s2 = std::sin(phiM) * std::sin(phiM);
    const double rm = (1 - kE2) * kA / std::pow(1 - kE2 * s2, 1.5);
    const double rn = kA / std::sqrt(1 - kE2 * s2);
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(HomeLat * kDeg) * std::cos(DxLat * kDeg) * std::sin(dLon / 2) * std::sin(dLon / 2);
    const double c = 2 * std::asin(std::sqrt(clampUnit(std::max(0.0, h))));
    const double sinC = std::sin(c);
    // At the antipode sin c is 0 and the direction has no value: any
    // direction does, the radius then lies between the two radii.
    const double alpha = sinC == 0 ? 0 : std::asin(clampUnit(std::sin(dLon) * std::cos(DxLat * kDeg) / sinC));
    const double sa = std::sin(alpha) * std::sin(alpha);
    const double ca = std::cos(alpha) * std::cos(alpha);
    const double r = rm * rn / (rm * sa + rn * ca);
    return static_cast<double>(zem::roundHalfEven(c * r / 1000));
}
