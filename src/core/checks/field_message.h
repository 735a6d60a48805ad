#pragma once
// The wording of the message dialog that interrupts entry when a value just
// typed breaks a check rule: the heading with the code, the catalogue text
// with the detail of this finding, and the caption of the button that lets
// the commission go on. Errors are shown in red, warnings in blue.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/checks/catalogue.h"

namespace talmorek::checks {

struct FieldMessage {
    std::string heading;       // "Chyba č. 11" or "Upozornění (č. 96)"
    std::string text;          // catalogue text, with the detail when there is one
    bool warning = false;      // blue instead of red
    bool confirms = false;     // the second button confirms the value rather than ignoring the rule
    bool operator==(const FieldMessage&) const = default;

    // "&Potvrdit" when it confirms, else "&Ignorovat".
    std::string secondButton() const;
};

// A warning or a passable error is confirmed ("&Potvrdit"): the value may
// stand as typed. Any other error is ignored ("&Ignorovat"): the value stands
// against the rule, and the check run will report it again.
constexpr bool confirms(bool iInfo, bool iPropust) { return iInfo || iPropust; }
std::string secondButtonCaption(bool confirms);

// `NastavHlasku` without the window: the message for the code `iChyba` with
// the detail `iParam` (UTF-8, may be empty). `iInfo` marks a warning;
// `iPropust` an error the commission may confirm rather than ignore.
FieldMessage fieldMessage(const TCisChyb& catalogue, std::int32_t iChyba, std::string_view iParam, bool iInfo,
                          bool iPropust);

}  // namespace talmorek::checks
