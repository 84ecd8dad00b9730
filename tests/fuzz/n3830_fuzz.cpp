// Claimed-scores mail: decode and read what the input holds, mark it against
// a small log, search it and name its page.

#include "fuzz_util.h"

#include "main/log_table.h"
#include "reports/claimed_scores.h"

#include <cstdlib>
#include <exception>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("scores.eml", data, size);
    TKeoEGrid grid;
    initClaimedScoresGrid(grid);
    ClaimedScoresRead read;
    try {
        read = N3830_proc(path, grid);
    } catch (const std::exception&) {
        return 0;
    }
    if (read.Stations != grid.RowCount() - 1 && !(read.Stations == 0 && grid.RowCount() == 2)) std::abort();
    if (grid.ColCount() < 8 || grid.Cell(grid.ColCount() - 1, 0) != "TOTAL") std::abort();
    TKeoEGrid log;
    initLogGrid(log);
    log.SetRowCount(4);
    const char* calls[] = {"K1AR", "W1AW", ""};
    for (int r = 1; r <= 3; ++r) {
        log.SetCell(lcCallsign, r, calls[r - 1]);
        log.SetCell(lcBand, r, r == 1 ? "20" : "40");
    }
    log_and_3830(grid, log);
    findClaimedCallsign(grid, "k1ar");
    claimedCallsigns(grid);
    if (htmlPageName(read.Subject).find_first_of(":/\\") != std::string::npos) std::abort();
    return 0;
}
