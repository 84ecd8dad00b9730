#pragma once
// Distance between two positions on the WGS-84 ellipsoid, in whole km.

// Latitudes north positive, longitudes west positive, both in degrees. The
// haversine central angle times the radius of curvature in the direction of
// the path, rounded to whole km (halves to even). Never fails: points half a
// circle apart give half the circumference along the path.
double Calc_distance(double HomeLat, double HomeLon, double DxLat, double DxLon);
