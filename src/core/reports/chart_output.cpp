#include "reports/chart_output.h"

#include <algorithm>
#include <cctype>

std::string chartImageFileName(const std::string& title)
{
    std::string name = title;
    if (!name.empty() && name.back() == '\n') name.pop_back();
    if (!name.empty() && name.back() == '\r') name.pop_back();
    std::replace(name.begin(), name.end(), '/', '-');
    std::replace(name.begin(), name.end(), '\\', '-');
    return name;
}

std::string withJpgExtension(const std::string& name)
{
    const std::string ext = ".jpg";
    if (name.size() >= ext.size() &&
        std::equal(ext.begin(), ext.end(), name.end() - static_cast<std::ptrdiff_t>(ext.size()),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
        return name;
    return name + ext;
}
