// ADIF reader, both ways (all operators, and one operator), then the
// analysis pass over what it read and the ADIF writer over the result.

#include "fuzz_util.h"

#include "import/adif_reader.h"
#include "reports/adif_writer.h"

#include <sstream>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The buffer ends exactly where the input does: a read past it is seen.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const bool oneOperator : {false, true})
        fuzz::readAndAnalyse([&](AppState& s) { readAdifRecords(s, text, {oneOperator, "OP1"}); },
                             [](AppState& s, SummaryPage&) {
                                 std::ostringstream out;
                                 writeAdif(out, s.log_grid, s.header, "fuzz.adi");
                             });
    return 0;
}
