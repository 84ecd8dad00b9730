// Spot file: read what the input holds as a DX-cluster file, count it per
// spotter and per DX callsign, and search it for a few of its own calls.

#include "fuzz_util.h"

#include "spots/spots.h"

#include <exception>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("spots.txt", data, size);
    TKeoEGrid spots;
    initSpotGrid(spots);
    SpotFileSummary file;
    try {
        file = readSpotFile(path, spots);
    } catch (const std::exception&) {
        return 0;
    }
    (void)badSpotLinesMessage(file.badLines);
    const int n = file.spots;
    TKeoEGrid spotters(3, 2), dx(3, 2), found(SpotColumnCount, 2);
    countSpotsBy(spots, n, spcSpotter, spotters);
    countSpotsBy(spots, n, spcDX, dx);
    for (int r = 1; r < spots.RowCount() && r <= 3; ++r) searchSpots(spots, n, spots.Cell(spcDX, r), found);
    searchSpots(spots, n + 5, "", found);
    return 0;
}
