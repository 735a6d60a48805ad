#include "core/checks/check_run.h"

#include <algorithm>
#include <string>

#include "core/checks/rules.h"
#include "core/data/errors.h"
#include "core/record/party_list.h"

namespace talmorek::checks {
namespace {

std::string inParentheses(std::int64_t value) { return "(" + std::to_string(value) + ")"; }

void clearRecordFlags(record::RecordOfVote& r, const data::PartyList& parties) {
    r.T4.Chyba = 0;
    // Every party of the list, flagged or not: a party un-flagged since the
    // last run must not keep a stale mark.
    for (int i = 1; i <= parties.length; ++i) {
        const int n = record::partyNumberOf(parties.at(i));
        if (n >= 1 && n <= record::kPartySlots) r.party(n).Chyba = 0;
    }
    r.TS.Chyba = 0;
}

void checkParty(CheckRules& rules, TChybProt& protocol, int n, const data::TStrana& listEntry) {
    const record::TT4P& p = rules.record().party(n);
    if (!rules.Kontrola12(false, n)) protocol.PridejChybu(0, 12, inParentheses(p.KStrana));
    if (!rules.Kontrola13(false, n)) protocol.PridejChybu(n, 13);
    if (!rules.Kontrola14(false, n)) protocol.PridejChybu(0, 14, inParentheses(p.KStrana));
    if (!rules.Kontrola15(false, n)) protocol.PridejChybu(n, 15);
    if (!rules.Kontrola17(false, n)) protocol.PridejChybu(n, 17);
    for (int j = 1; j <= record::kCandidates; ++j) {
        if (!rules.Kontrola18(false, n, j)) protocol.PridejChybu(n, 18, "(kand. č. " + std::to_string(j) + ")");
    }
    if (!rules.Kontrola19(false, n)) protocol.PridejChybu(n, 19);
    // Places beyond the party's list must have no preferential votes.
    const int listed = record::candidateCountOf(listEntry);
    for (int j = std::max(listed + 1, 1); j <= record::kCandidates; ++j) {
        if (!rules.Kontrola20(false, n, j)) protocol.PridejChybu(n, 20, inParentheses(j));
    }
    if (!rules.Kontrola21(false, n)) protocol.PridejChybu(n, 21);
    if (!rules.Kontrola22(false, n)) protocol.PridejChybu(n, 22);
    if (!rules.Kontrola23(false, n)) protocol.PridejChybu(n, 23);
    if (!rules.Kontrola24(false, n)) protocol.PridejChybu(n, 24);
    if (!rules.Kontrola41(false, n)) protocol.PridejChybu(n, 41, inParentheses(n));
    if (!rules.Kontrola42(false, n)) protocol.PridejChybu(n, 42);
}

// What a record brings to the run besides its results block.
enum class Carries { WholeRecord, ResultsBlockOnly };

Verdict runEveryRule(CheckRules& rules, const data::PartyList& parties, TChybProt& protocol, Vybrano vybrano,
                     Carries carries) {
    record::RecordOfVote& r = rules.record();

    protocol.Clear();
    if (vybrano == Vybrano::CheckCommandOrSave) clearRecordFlags(r, parties);
    r.TS.SeznamChyb.clear();

    // Section II.
    if (!rules.Kontrola01(false)) protocol.PridejChybu(0, 1);
    if (!rules.Kontrola02(false)) protocol.PridejChybu(0, 2);
    if (!rules.Kontrola03(false)) protocol.PridejChybu(0, 3);
    if (!rules.Kontrola04(false)) protocol.PridejChybu(0, 4);
    if (!rules.Kontrola05(false)) protocol.PridejChybu(0, 5);
    if (!rules.Kontrola06(false)) protocol.PridejChybu(0, 6);
    if (!rules.Kontrola07(false)) protocol.PridejChybu(0, 7);
    if (!rules.Kontrola08(false)) protocol.PridejChybu(0, 8);
    if (!rules.Kontrola09(false)) protocol.PridejChybu(0, 9);
    if (!rules.Kontrola10(false)) protocol.PridejChybu(0, 10);
    if (!rules.Kontrola11(false)) protocol.PridejChybu(0, 11);
    if (!rules.Kontrola16(false)) protocol.PridejChybu(0, 16);

    // Annex 1, party by party in list order.
    for (int i = 1; i <= parties.length; ++i) {
        const int n = record::partyNumberOf(parties.at(i));
        if (r.isFlagged(n)) checkParty(rules, protocol, n, parties.at(i));
    }

    // The records as records.
    rules.Kontrola62(false);
    rules.Kontrola63(false);
    rules.Kontrola64(false);
    if (!rules.Kontrola66(false)) protocol.PridejChybu(0, 66);
    if (!rules.Kontrola67(false)) protocol.PridejChybu(0, 67);
    if (!rules.Kontrola68(false)) protocol.PridejChybu(0, 68);
    if (!rules.Kontrola69(false)) protocol.PridejChybu(0, 69);
    if (!rules.Kontrola70(false)) protocol.PridejChybu(0, 70);
    // Rule 72 lists each faulty record; the precinct gets one finding more.
    if (!rules.Kontrola72(false)) protocol.PridejChybu(0, 72);
    rules.Kontrola76(false);
    if (!rules.Kontrola77(false)) protocol.PridejChybu(0, 77);

    // Warnings. When every voter took an envelope the turnout is 100 % and
    // rule 91 already says so.
    if (!rules.Kontrola91(false)) {
        protocol.PridejChybu(0, 91);
    } else if (!rules.Kontrola97(false)) {
        protocol.PridejChybu(0, 97);
    }
    if (!rules.Kontrola92(false)) protocol.PridejChybu(0, 92);
    // A very large precinct (rule 93) is worth a question when the register
    // has no count for it, or when its count disagrees (rule 96).
    std::int32_t registered = 0;
    if (!rules.Kontrola96(false, &registered)) {
        protocol.PridejChybu(0, 96, inParentheses(registered));
        if (!rules.Kontrola93(false)) protocol.PridejChybu(0, 93);
    } else if (registered == 0) {
        if (!rules.Kontrola93(false)) protocol.PridejChybu(0, 93);
    }
    if (!rules.Kontrola94(false)) protocol.PridejChybu(0, 94);
    if (!rules.Kontrola95(false)) protocol.PridejChybu(0, 95);
    if (!rules.Kontrola98(false)) protocol.PridejChybu(0, 98, rules.VyuzitiPreferenci);

    // Section III.
    if (carries == Carries::WholeRecord && !rules.Kontrola39(false))
        protocol.PridejChybu(0, 39, rules.ProblemyKomise);
    return rules.classFlags();
}

}  // namespace

Verdict ProvedKontroly(record::RecordOfVote& r, const data::Registers& registers, const data::PartyList& parties,
                       const std::string& stationKodObce, TChybProt& protocol, Vybrano vybrano,
                       const std::string& courseOfVotingFile) {
    try {
        CheckRules rules(r, parties, registers, stationKodObce, protocol);
        return runEveryRule(rules, parties, protocol, vybrano, Carries::WholeRecord);
    } catch (data::DataError& e) {
        // The rules name the field of the course of voting only.
        if (!courseOfVotingFile.empty()) e.locate(courseOfVotingFile);
        throw;
    }
}

Verdict checkResultsBlock(record::RecordOfVote& r, data::RegisterSnapshot& registers, const data::PartyList& parties,
                          TChybProt& protocol) {
    CheckRules rules(r, parties, registers, std::to_string(r.T4.Obec), protocol);
    return runEveryRule(rules, parties, protocol, Vybrano::CheckCommandOrSave, Carries::ResultsBlockOnly);
}

}  // namespace talmorek::checks
