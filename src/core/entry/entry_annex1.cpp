#include "core/entry/entry_annex1.h"

#include <algorithm>

#include "core/data/decimal.h"
#include "core/record/party_list.h"

namespace talmorek::entry {
namespace {

constexpr const char* kNoProduct = "-------";

FieldFinding error(int code, EntryControl field, int party) {
    FieldFinding f;
    f.code = code;
    f.field = field;
    f.party = party;
    return f;
}

}  // namespace

std::string padl(const std::string& text, std::size_t length, char fill) {
    if (text.size() >= length) return text;
    return std::string(length - text.size(), fill) + text;
}

int annexCandidateCount(const data::TStrana& listEntry) {
    return std::clamp(record::candidateCountOf(listEntry), 0, kCandidateRows);
}

std::string candidateMark(const data::CandidateTable& table, int party, int order) {
    if (party < 1 || party > data::CandidateTable::kParties) return {};
    if (order < 1 || order > data::CandidateTable::kCandidates) return {};
    return table.at(party, order).Priznak;
}

std::string controlProductText(int order, std::uint16_t votes) {
    return padl(std::to_string(static_cast<std::int64_t>(order) * votes), kControlProductWidth);
}

CandidateRow candidateRow(const record::TT4P& p, const data::CandidateTable& table, int party, int count,
                          int order) {
    if (order > count || order < 1 || order > kCandidateRows) return {"0", false, kNoProduct};
    if (candidateMark(table, party, order) == "N") return {"N", false, kNoProduct};
    const std::uint16_t votes = p.pref(order);
    return {std::to_string(votes), true, controlProductText(order, votes)};
}

std::uint16_t annexVotes(std::string_view text) { return static_cast<std::uint16_t>(data::toIntOr(text, 0)); }

std::optional<FieldFinding> partyVotesFinding(checks::CheckRules& rules, int party) {
    if (!rules.Kontrola15(true, party)) return error(15, EntryField::R_EdPocHl, party);
    return std::nullopt;
}

std::optional<FieldFinding> preferentialVotesFinding(checks::CheckRules& rules, int party, int order) {
    if (!rules.Kontrola18(true, party, order)) return error(18, {EntryField::CandEdit, order}, party);
    return std::nullopt;
}

std::optional<FieldFinding> leavingPartyFinding(checks::CheckRules& rules, int party, bool lastParty) {
    if (!rules.Kontrola19(true, party)) return error(19, {EntryField::CandEdit, 1}, party);
    if (lastParty && !rules.Kontrola16(true)) return error(16, EntryField::R_EdPlatneHlasy, 0);
    return std::nullopt;
}

}  // namespace talmorek::entry
