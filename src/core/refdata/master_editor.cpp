#include "refdata/master_editor.h"

#include "main/text_util.h"

#include <algorithm>
#include <stdexcept>

std::string editorCall(std::string_view text)
{
    // The master file writes a blank as "_": the two are one character to it.
    std::string c = zem::upperAscii(zem::trim(text));
    std::replace(c.begin(), c.end(), '_', ' ');
    return zem::trim(c);
}

bool MasterCallList::Add(std::string_view call)
{
    std::string c = editorCall(call);
    if (c.empty()) return false;
    const auto it = std::lower_bound(calls_.begin(), calls_.end(), c);
    if (it != calls_.end() && *it == c) return false;
    calls_.insert(it, std::move(c));
    return true;
}

void MasterCallList::AddAll(const std::vector<std::string>& calls)
{
    const auto oldSize = calls_.size();
    calls_.reserve(oldSize + calls.size());
    for (const auto& c : calls) {
        std::string e = editorCall(c);
        if (!e.empty()) calls_.push_back(std::move(e));
    }
    std::sort(calls_.begin() + static_cast<std::ptrdiff_t>(oldSize), calls_.end());
    std::inplace_merge(calls_.begin(), calls_.begin() + static_cast<std::ptrdiff_t>(oldSize), calls_.end());
    calls_.erase(std::unique(calls_.begin(), calls_.end()), calls_.end());
}

std::vector<std::string> readCallTextFile(const std::string& path)
{
    std::vector<std::string> calls;
    for (const auto& line : zem::readLines(path)) {
        std::string c = editorCall(line);
        if (c.empty() || c[0] == '#') continue;
        calls.push_back(std::move(c));
    }
    return calls;
}

void writeCallTextFile(const std::vector<std::string>& calls, const std::string& path)
{
    zem::writeLines(path, calls, "\r\n");
}
