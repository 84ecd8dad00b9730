#include "import/comma_text.h"

namespace zem {

namespace {
bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}
} // namespace

std::vector<std::string> commaTextTokens(std::string_view s, char delimiter)
{
    std::vector<std::string> out;
    const size_t n = s.size();
    size_t i = 0;
    while (i < n && isBlank(s[i])) ++i;
    while (i < n) {
        if (s[i] == '"') {
            std::string tok;
            ++i;
            while (i < n) {
                if (s[i] == '"') {
                    if (i + 1 < n && s[i + 1] == '"') {
                        tok += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                tok += s[i++];
            }
            out.push_back(std::move(tok));
        } else {
            const size_t b = i;
            while (i < n && !isBlank(s[i]) && s[i] != delimiter) ++i;
            out.emplace_back(s.substr(b, i - b));
        }
        while (i < n && isBlank(s[i])) ++i;
        if (i < n && s[i] == delimiter) {
            if (i + 1 == n) out.emplace_back();
            do ++i;
            while (i < n && isBlank(s[i]));
        }
    }
    return out;
}

} // namespace zem
