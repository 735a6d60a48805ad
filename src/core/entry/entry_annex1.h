#pragma once
// Page "Příloha č. 1": one party at a time, its votes and the preferential
// votes of its candidates, with the control products and check numbers the
// commission writes on the paper annex. The rules are the check run's,
// asked silently, so that entry and check run agree on every record.
//
// The candidate table and the party list are registers the system does not
// write: a party number beyond the table has no names or marks, a count
// beyond 36 means 36, and a count that is not a number opens no field.

#include <cstdint>
#include <optional>
#include <string>

#include "core/entry/entry_fields.h"
#include "core/entry/entry_finding.h"
#include "core/checks/rules.h"
#include "core/data/registers.h"
#include "core/record/record_of_vote.h"

namespace talmorek::entry {

inline constexpr int kCandidateRows = 36;        // rows of Annex 1, three columns of 12
inline constexpr int kControlProductWidth = 7;   // characters of a control product

// `padl`: `text` padded on the left with `fill` up to `length` characters; a longer text unchanged.
std::string padl(const std::string& text, std::size_t length, char fill = ' ');

// `CurrentCandCount` of a party-list entry: its candidate count, not a
// number → 0, held within 0..36.
int annexCandidateCount(const data::TStrana& listEntry);

// The mark of candidate `order` of party `party` in the candidate table;
// empty for a party or an order the table does not hold.
std::string candidateMark(const data::CandidateTable& table, int party, int order);

// One candidate row as shown.
struct CandidateRow {
    std::string text;     // the preferential votes, "N" for a marked candidate, "0" beyond the list
    bool enabled = false;
    std::string product;  // order × votes right-aligned in seven characters, or "-------"
    bool operator==(const CandidateRow&) const = default;
};

// The control product of candidate `order`: order × votes right-aligned in seven characters.
std::string controlProductText(int order, std::uint16_t votes);

// Row `order` (1..36) of party `party` whose list holds `count` candidates.
CandidateRow candidateRow(const record::TT4P& p, const data::CandidateTable& table, int party, int count, int order);

// Stores the text left in a vote field: not a number → 0, kept modulo 65536.
std::uint16_t annexVotes(std::string_view text);

// Leaving the party's votes: rule 15 (more votes than the precinct's valid votes).
std::optional<FieldFinding> partyVotesFinding(checks::CheckRules& rules, int party);
// Leaving candidate `order`: rule 18 (more preferential votes than the party's votes).
std::optional<FieldFinding> preferentialVotesFinding(checks::CheckRules& rules, int party, int order);
// Leaving the party from its last-candidate field: rule 19 (more preferential
// votes than four per vote); otherwise, after the last party, rule 16 (the
// parties' votes do not add up to the precinct's valid votes).
std::optional<FieldFinding> leavingPartyFinding(checks::CheckRules& rules, int party, bool lastParty);

}  // namespace talmorek::entry
