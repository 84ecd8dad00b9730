// MixW2 reader, then the analysis pass over what it read.

#include "fuzz_util.h"

#include "import/mixw_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("mixw.log", data, size);
    fuzz::readAndAnalyse([&](AppState& s) { readMixwLog(s, path); });
    return 0;
}
