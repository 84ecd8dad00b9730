// Cabrillo reader, then everything a load runs over what it read: the
// analysis pass and the Summary's HTML page.

#include "fuzz_util.h"

#include "import/cabrillo_reader.h"
#include "reports/html_export.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("log.cbr", data, size);
    fuzz::readAndAnalyse([&](AppState& s) { readCabrilloLog(s, path); },
                         [](AppState& s, SummaryPage& page) {
                             grid_to_html(page.Summary_Grid, "Summary", fuzz::scratchFolder().string(), s.header,
                                          true);
                         });
    return 0;
}
