// TR Log reader, then the analysis pass over what it read.

#include "fuzz_util.h"

#include "analysis/analysis_pass.h"
#include "import/post_load.h"
#include "import/trlog_reader.h"
#include "refdata/cty_search.h"

#include <exception>

namespace {
TCty_search* cty = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    cty = new TCty_search(fuzz::dataFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("log.dat", data, size);
    AppState s;
    Reset_app(s);
    try {
        readTrLog(s, path);
        SummaryPage page;
        Process_log_and_summary(s, *cty, nullptr, false, page);
    } catch (const std::exception&) {
    }
    return 0;
}
