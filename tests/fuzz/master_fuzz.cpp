// Master callsign file: load, exact and pattern searches, the list of all calls.

#include "fuzz_util.h"

#include "refdata/master_call_db.h"

#include <exception>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("master.dta", data, size);
    TMasterCallDB m;
    try {
        m.LoadFromFile(path);
    } catch (const std::exception&) {
        return 0;
    }
    for (const char* c : {"DL1ABC", "K1AR", "W?AW", "??", "A", "", "9A1A", "UA9???", "ZZ9ZZZ", "_"}) {
        m.ExactSearch(c);
        m.PartialSearch(c);
    }
    m.AllCalls();
    return 0;
}
