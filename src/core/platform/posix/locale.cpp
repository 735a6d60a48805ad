// The user's locale on Linux: the C library's numeric locale, as the
// process chose it.
#include <clocale>
#include <cstring>

#include "core/checks/exact_ratio.h"

namespace talmorek::checks {
namespace {

// "C", "POSIX", and the C locale with a character set ("C.UTF-8", "C.utf8").
bool isCLocale(const char* name) {
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
           std::strncmp(name, "C.", 2) == 0;
}

}  // namespace

std::string userDecimalSeparator() {
    if (isCLocale(std::setlocale(LC_NUMERIC, nullptr))) return ",";
    const char* point = std::localeconv()->decimal_point;
    return point != nullptr && *point != '\0' ? point : ",";
}

}  // namespace talmorek::checks
