#include "core/checks/field_message.h"

#include <algorithm>

#include "core/data/cp1250.h"

namespace talmorek::checks {
namespace {

// The message line holds the catalogue text and the detail after it. The
// line the text was laid out for ends at character 64 (63 for the expected
// electorate of code 96, whose detail follows a plain space): the separator
// before the detail is kept only as far as it fits there, character by
// character, while the catalogue text itself is never shortened. The detail
// follows whatever is left of the separator.
constexpr std::int32_t kExpectedElectorate = 96;

std::string withDetail(const std::string& text, std::int32_t code, std::string_view detail) {
    if (detail.empty()) return text;
    const bool plain = code == kExpectedElectorate;
    const std::string separator = plain ? " " : " (";
    const std::size_t limit = plain ? 63 : 64;
    const std::size_t used = data::utf8Length(text);
    const std::size_t room = used < limit ? limit - used : 0;
    std::string line = text + separator.substr(0, std::min(room, separator.size()));
    line += detail;
    if (!plain) line += ")";
    return line;
}

}  // namespace

std::string secondButtonCaption(bool confirms) { return confirms ? "&Potvrdit" : "&Ignorovat"; }

std::string FieldMessage::secondButton() const { return secondButtonCaption(confirms); }

FieldMessage fieldMessage(const TCisChyb& catalogue, std::int32_t iChyba, std::string_view iParam, bool iInfo,
                          bool iPropust) {
    FieldMessage message;
    const std::string code = std::to_string(iChyba);
    message.warning = iInfo;
    message.heading = iInfo ? "Upozornění (č. " + code + ")" : "Chyba č. " + code;
    message.confirms = confirms(iInfo, iPropust);
    message.text = withDetail(catalogue.NajdiChybu(iChyba).ZkrText, iChyba, iParam);
    return message;
}

}  // namespace talmorek::checks
