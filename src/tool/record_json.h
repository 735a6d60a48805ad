#pragma once
// The record of the vote as JSON, with the names of the paper form's data:
//
//   {"T4": {...}, "T4P": {"7": {...}, ...}, "TS": {...},
//    "Hlasovani": {...}, "Komise": ["name", ...]}
//
// Every field of `T4`, `T4P` (`PrefHlasy` an array of 36 counts for list
// orders 1..36), `TS` (its reserved value is `Rezerva`, its reserved groups
// `RezervaA1`…`RezervaD2`) and `Hlasovani` can be given; an omitted field
// keeps the value of a cleared record: `Typ` 1 in `T4`, 2 in a `T4P` given
// in the file, 3 in `TS`, sixty "0" in `ZakrStrany`, 0 or empty otherwise.
// An unknown field, a value of the wrong JSON type or a value outside the
// field's range is refused, naming the field. Writing gives the same keys,
// so what is written can be read back.

#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "core/record/record_of_vote.h"

namespace talmorek::tool {

// A record file that cannot be taken as a record of the vote. The message is
// Czech and names the field.
class RecordJsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

record::RecordOfVote recordFromJson(const nlohmann::ordered_json& json);
// Parses the text first; a text that is not JSON is refused the same way.
record::RecordOfVote parseRecordJson(std::string_view text);

// Every field; `T4P` holds the slots that are flagged or not empty.
nlohmann::ordered_json recordToJson(const record::RecordOfVote& record);

}  // namespace talmorek::tool
