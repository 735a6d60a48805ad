#include "core/data/errors.h"

namespace talmorek::data {

void DataError::locate(std::string_view file, std::string_view field, long long record) {
    if (file_.empty()) file_ = file;
    if (field_.empty()) field_ = field;
    if (record_ < 0) record_ = record;
}

std::string ConversionError::describe(const std::string& text, const std::string& file, const std::string& field) {
    std::string what = "'" + text + "' is not a valid integer value";
    if (!field.empty()) what = "Field " + field + (file.empty() ? "" : " of " + file) + ": " + what;
    return what;
}

}  // namespace talmorek::data
