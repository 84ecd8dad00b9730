// Cabrillo reader, then everything a load runs over what it read: the
// analysis pass and the Summary's HTML page.

#include "fuzz_util.h"

#include "analysis/analysis_pass.h"
#include "import/cabrillo_reader.h"
#include "import/post_load.h"
#include "refdata/cty_search.h"
#include "reports/html_export.h"

#include <exception>

namespace {
TCty_search* cty = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    cty = new TCty_search(fuzz::dataFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("log.cbr", data, size);
    AppState s;
    Reset_app(s);
    try {
        readCabrilloLog(s, path);
    } catch (const std::exception&) {
        return 0; // refused with a message: that is the sound outcome
    }
    SummaryPage page;
    try {
        Process_log_and_summary(s, *cty, nullptr, false, page);
        grid_to_html(page.Summary_Grid, "Summary", fuzz::scratchFolder().string(), s.header, true);
    } catch (const std::exception&) {
    }
    return 0;
}
