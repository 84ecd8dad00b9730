// Country file: load what the input holds as cty.dat (with the shipped
// oblast file) and look up a few hundred calls, among them pieces of the
// input itself.

#include "fuzz_util.h"

#include "refdata/cty_search.h"

#include <exception>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("cty.dat", data, size);
    TCty_search cty;
    try {
        cty.LoadFiles(path, fuzz::dataFolder() / "zem-cty.dat");
    } catch (const std::exception&) {
        return 0;
    }
    static const std::vector<std::string> calls = {
        "DL1ABC", "K1ABC", "W1ABC/KH6", "UA9AA", "RA3AA", "R2DX", "RW1AA", "VK2/DL1ABC", "DL1ABC/P",
        "", "/", "//", "A", "1", "3DA0RU", "KH6/W1ABC/M", "UA0/", "/P", "R1FJL", "E51ABC", "????"};
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> probes = calls;
    for (std::size_t i = 0; i < text.size() && probes.size() < 300; i += 7)
        probes.push_back(text.substr(i, 1 + (i % 9)));
    for (const auto& c : probes) {
        try {
            cty.LookupCall(c);
            cty.WpxPrefix(c);
            cty.NormalizePortable(c);
        } catch (const std::exception&) {
        }
    }
    return 0;
}
