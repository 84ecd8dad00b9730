// ADIF reader, both ways (all operators, and one operator), then the
// analysis pass over what it read and the ADIF writer over the result.

#include "fuzz_util.h"

#include "analysis/analysis_pass.h"
#include "import/adif_reader.h"
#include "import/post_load.h"
#include "refdata/cty_search.h"
#include "reports/adif_writer.h"

#include <exception>
#include <sstream>
#include <string_view>

namespace {
TCty_search* cty = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    cty = new TCty_search(fuzz::dataFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The buffer ends exactly where the input does: a read past it is seen.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const bool oneOperator : {false, true}) {
        AppState s;
        Reset_app(s);
        try {
            readAdifRecords(s, text, {oneOperator, "OP1"});
            SummaryPage page;
            Process_log_and_summary(s, *cty, nullptr, false, page);
            std::ostringstream out;
            writeAdif(out, s.log_grid, s.header, "fuzz.adi");
        } catch (const std::exception&) {
        }
    }
    return 0;
}
