// The user's locale on Windows: the decimal separator chosen in the
// regional settings (a Czech station has the comma).
#include "core/checks/exact_ratio.h"
#include "core/platform/windows/win32.h"

namespace talmorek::checks {

std::string userDecimalSeparator() {
    wchar_t separator[8] = {};  // at most four characters and the end
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) return ",";
    return platform::utf8OfWide(separator);
}

}  // namespace talmorek::checks
