#pragma once
// Page "T/4 - odd. II": the four totals of the precinct. Each total is
// judged the moment its field is left, by the same rules the check run
// applies (asked silently), so that the entry and the check run never
// disagree on one record. Only the first rule that fails is reported.

#include <optional>
#include <string_view>

#include "core/entry/entry_fields.h"
#include "core/entry/entry_finding.h"
#include "core/checks/rules.h"
#include "core/record/record_of_vote.h"

namespace talmorek::entry {

// `R_EdZapsOsoby`, `R_EdVydObalky`, `R_EdOdevzdObalky` or `R_EdPlatneHlasy`.
bool isSection2Total(EntryField field);

// Stores the text left in a total: text that is not a number reads as 0,
// and the 16-bit totals keep the value modulo 65536 (70000 is kept as
// 4464, which the field then shows).
void storeSection2Total(record::TT4& t4, EntryField field, std::string_view text);

// The first rule of `field` that fails on the current record, as the field
// to correct reports it: a hard error ("&Opravit"/"&Potvrdit") or a warning.
// The persons' count is compared with the register's count R (warning 96
// carries R); a very large precinct (warning 93) is worth a question only
// when the register has no count for it.
std::optional<FieldFinding> section2Finding(EntryField field, checks::CheckRules& rules);

}  // namespace talmorek::entry
