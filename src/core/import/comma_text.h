#pragma once
// Splitting of a text line into fields the way the log readers expect:
// fields end at any run of blanks or control characters and at every
// delimiter; a field that opens with a double quote runs to the closing
// quote (a doubled quote inside stands for one); two delimiters with only
// blanks between them, or a delimiter that ends the line, give an empty field.

#include <string>
#include <string_view>
#include <vector>

namespace zem {

std::vector<std::string> commaTextTokens(std::string_view line, char delimiter = ',');

} // namespace zem
