#pragma once
// The own station's position from its Maidenhead locator, and the check of
// the typed difference with UTC.

#include <optional>
#include <string>

struct LocatorPosition {
    // The texts of the "Longitude :" and "Latitude :" labels: the value
    // rounded to 4 significant digits with exactly 2 decimals, or "0" when
    // the locator's digit positions hold no digits.
    std::string LongitudeText;
    std::string LatitudeText;
    // The labels' values (west and north positive); empty when the locator
    // is not usable, so the home position stays as it was.
    std::optional<double> Longitude;
    std::optional<double> Latitude;
};

// Letters count from "A" in either case; characters past the end of the
// text count as one below "A" (so a 4-character locator gives a point a
// little south-west of the square's centre).
LocatorPosition locatorToPosition(const std::string& locator);

// Whether the text may stay in the UTC difference edit while it is being
// typed: the text with "1" appended must read as a number of at most 121 in
// absolute value ("-" and "4." pass; "13" and "200" do not).
bool utcDifferenceAccepted(const std::string& text);
