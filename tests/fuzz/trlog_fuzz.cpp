// TR Log reader, then the analysis pass over what it read.

#include "fuzz_util.h"

#include "import/trlog_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("log.dat", data, size);
    fuzz::readAndAnalyse([&](AppState& s) { readTrLog(s, path); });
    return 0;
}
