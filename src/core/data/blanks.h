#pragma once
// Blanks around typed or stored text: a count of "  5" typed with spaces is
// still 5, and a name of spaces only is no name.

#include <string>
#include <string_view>

namespace talmorek::data {

// Without leading and trailing blanks (spaces).
std::string trimBlanks(std::string_view text);

}  // namespace talmorek::data
