#pragma once
// Callsigns of a busy DX cluster for the benchmarks: prefixes of many
// countries, a digit and three letters, a skimmer's "-#" now and then.

#include <iterator>
#include <random>
#include <string>

namespace benchcalls {

inline std::string callOf(std::mt19937& rng, int n)
{
    static const char* const prefixes[] = {"DL", "G", "F", "I", "EA", "OH", "SM", "OK", "SP", "UA", "K", "W",
                                           "N", "VE", "JA", "VK", "PY", "LU", "ZS", "UR", "9A", "YO", "HA", "LZ"};
    std::string call = prefixes[static_cast<std::size_t>(n) % std::size(prefixes)];
    call += static_cast<char>('0' + n % 10);
    int rest = n / 10;
    for (int k = 0; k < 3; ++k) {
        call += static_cast<char>('A' + rest % 26);
        rest /= 26;
    }
    if (rng() % 8 == 0) call += "-#";
    return call;
}

} // namespace benchcalls

