#include "analysis/cw_time.h"

#include "main/text_util.h"

#include <array>

namespace {

constexpr std::array<int, 26> kLetterUnits = {5, 9, 11, 7, 1, 9, 9, 7, 3, 13, 9, 9, 7,
                                              5, 11, 11, 13, 7, 5, 3, 7, 9, 9, 11, 13, 11};
constexpr std::array<int, 10> kDigitUnits = {19, 17, 15, 13, 11, 9, 11, 13, 15, 17};

} // namespace

int cwCharUnits(char c)
{
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return kLetterUnits[static_cast<std::size_t>(c - 'A')];
    if (c >= '0' && c <= '9') return kDigitUnits[static_cast<std::size_t>(c - '0')];
    switch (c) {
    case ' ': return 7;
    case '/': return 13; // -..-.
    case '=': return 13; // -...-
    case '?': return 15; // ..--..
    case '.': return 17; // .-.-.-
    case ',': return 19; // --..--
    default: return 0;
    }
}

long long cwMessageUnits(std::string_view text)
{
    long long units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        units += cwCharUnits(text[i]);
        if (text[i] != ' ' && i + 1 < text.size() && text[i + 1] != ' ') units += 3;
    }
    return units;
}

double cwSendingMinutes(const CwTiming& t)
{
    const double seconds = static_cast<double>(cwMessageUnits(t.text)) * 1.25 / t.wpm +
                           t.delayBeginMs / 1000.0 + t.delayEndMs / 1000.0;
    return seconds * t.repeat / 60;
}

std::string cwSendingTimeText(const CwTiming& t)
{
    return zem::formatFixed(cwSendingMinutes(t), 2) + " min.";
}
