#include "core/checks/error_class.h"

namespace talmorek::checks {
namespace {
constexpr std::string_view kPassable = "04050607080910";
constexpr std::string_view kWarnings = "9192939495969798";
}  // namespace

std::string twoDigitCode(int code) {
    std::string s = std::to_string(code);
    return s.size() < 2 ? "0" + s : s;
}

bool listedAtCodeBoundary(std::string_view list, std::string_view code) {
    if (code.empty()) return false;
    for (std::size_t at = list.find(code); at != std::string_view::npos; at = list.find(code, at + 1)) {
        if (at % 2 == 0) return true;
    }
    return false;
}

ErrorClass classOf(std::string_view code) {
    if (listedAtCodeBoundary(kPassable, code)) return ErrorClass::Passable;
    if (listedAtCodeBoundary(kWarnings, code)) return ErrorClass::Warning;
    return ErrorClass::Error;
}

}  // namespace talmorek::checks
