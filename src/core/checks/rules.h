#pragma once
// The check rules over the record of the vote. Each rule is named by the
// code it reports (`Kontrola01` … `Kontrola98`) and answers whether it holds.
//
// The entry window asks single rules silently while the commission types
// (`iBezHlaseni` true: nothing is marked); the check run asks every rule with
// marking, so that a failed rule lists its code in `SeznamChyb` of the
// summary, raises the class flag of its code and sets `Chyba` of the record
// it blames. The receiving office reads those flags in the precinct data
// file, so a rule that marks the wrong record is as wrong as a rule that
// misses an error.
//
// The rules look the registers up through a snapshot of their own: each
// register file is read at the first rule that needs it and kept for the
// life of the rules, so one CheckRules serves one check run (or one question
// of the entry window). A missing or damaged register raises IoError /
// ConversionError out of the rule that needs it.
// A count of the course of voting that is not a number raises
// ConversionError naming the field only: the caller knows where the course
// of voting was read from and adds the file (`DataError::locate`).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/checks/protocol.h"
#include "core/checks/verdict.h"
#include "core/data/register_snapshot.h"
#include "core/data/registers.h"
#include "core/record/record_of_vote.h"

namespace talmorek::checks {

// The record a finding is attributed to (`iZaznam`): the summary, section II,
// or 1..50 for the Annex 1 record of that party. Any other value names none.
inline constexpr int kZaznamTS = -1;
inline constexpr int kZaznamT4 = 0;
inline constexpr int kNoRecord = -2;

class CheckRules {
public:
    // `stationKodObce` is the municipality code of the station record: the
    // commission section of a precinct abroad has no entrusted member.
    CheckRules(record::RecordOfVote& record, const data::PartyList& parties, const data::Registers& registers,
               std::string stationKodObce, TChybProt& protocol);
    // The same over a snapshot the caller keeps for many records (the
    // receiving office's batch, one snapshot per thread): each register is
    // read once for all of them.
    CheckRules(record::RecordOfVote& record, const data::PartyList& parties, data::RegisterSnapshot& registers,
               std::string stationKodObce, TChybProt& protocol);

    // Records that the rule with the two-digit `code` failed: lists the code
    // once in `SeznamChyb` (at most 50 characters), raises its class flag
    // and, unless it is a warning, sets `Chyba` of the record `iZaznam`.
    void OznacChybu(std::string_view code, int iZaznam);

    // Section II (`T4`).
    bool Kontrola01(bool iBezHlaseni);
    bool Kontrola02(bool iBezHlaseni);
    bool Kontrola03(bool iBezHlaseni, std::int64_t* expectedKC1 = nullptr);
    bool Kontrola04(bool iBezHlaseni);
    bool Kontrola05(bool iBezHlaseni);
    bool Kontrola06(bool iBezHlaseni);
    bool Kontrola07(bool iBezHlaseni);
    bool Kontrola08(bool iBezHlaseni);
    bool Kontrola09(bool iBezHlaseni);
    bool Kontrola10(bool iBezHlaseni);
    bool Kontrola11(bool iBezHlaseni, std::int64_t* expectedKC2 = nullptr);
    bool Kontrola16(bool iBezHlaseni);

    // Annex 1 of party n; `j` is a candidate's list order 1..36.
    bool Kontrola12(bool iBezHlaseni, int n);
    bool Kontrola13(bool iBezHlaseni, int n, std::int64_t* expectedKC1 = nullptr);
    bool Kontrola14(bool iBezHlaseni, int n);
    bool Kontrola15(bool iBezHlaseni, int n);
    bool Kontrola17(bool iBezHlaseni, int n, std::int64_t* expectedKC2 = nullptr);
    bool Kontrola18(bool iBezHlaseni, int n, int j);
    bool Kontrola19(bool iBezHlaseni, int n, std::int64_t* preferentialSum = nullptr);
    bool Kontrola20(bool iBezHlaseni, int n, int j);
    bool Kontrola21(bool iBezHlaseni, int n, std::int64_t* expectedKC3 = nullptr);
    bool Kontrola22(bool iBezHlaseni, int n, std::int64_t* expectedKC4 = nullptr);
    bool Kontrola23(bool iBezHlaseni, int n, std::int64_t* expectedPoslKand = nullptr);
    bool Kontrola24(bool iBezHlaseni, int n);
    bool Kontrola41(bool iBezHlaseni, int n);
    bool Kontrola42(bool iBezHlaseni, int n);

    // Section III: the commission.
    bool Kontrola39(bool iBezHlaseni);

    // Structure of the records; these add one finding per faulty record.
    bool Kontrola62(bool iBezHlaseni);
    bool Kontrola63(bool iBezHlaseni);
    bool Kontrola64(bool iBezHlaseni);

    // The summary record.
    bool Kontrola66(bool iBezHlaseni);
    bool Kontrola67(bool iBezHlaseni);
    bool Kontrola68(bool iBezHlaseni);
    bool Kontrola69(bool iBezHlaseni);
    bool Kontrola70(bool iBezHlaseni);
    bool Kontrola72(bool iBezHlaseni);  // adds its own findings
    bool Kontrola76(bool iBezHlaseni);  // adds its own finding
    bool Kontrola77(bool iBezHlaseni);

    // Warnings on section II; they blame no record.
    bool Kontrola91(bool iBezHlaseni);
    bool Kontrola92(bool iBezHlaseni);
    bool Kontrola93(bool iBezHlaseni);
    bool Kontrola94(bool iBezHlaseni);
    bool Kontrola95(bool iBezHlaseni);
    // `registeredVoters` receives R, the reference count of the precinct.
    bool Kontrola96(bool iBezHlaseni, std::int32_t* registeredVoters = nullptr);
    bool Kontrola97(bool iBezHlaseni);
    bool Kontrola98(bool iBezHlaseni);

    // The class flags of every finding these rules marked: after a run, its
    // verdict. Silent calls raise none.
    const Verdict& classFlags() const { return classFlags_; }

    // Detail texts of the last evaluation of rules 39 and 98.
    std::string ProblemyKomise;
    std::string VyuzitiPreferenci;

    // The OKRSKY.RCD record the last evaluation of rule 02 stopped at; its
    // district code is what rule 72 expects in every results record.
    const data::TOkrsky& referenceOkrsek() const { return referenceOkrsek_; }

    record::RecordOfVote& record() { return record_; }
    const data::PartyList& parties() const { return parties_; }
    TChybProt& protocol() { return protocol_; }

private:
    // Marks unless silent; returns `holds` so that a rule can end with it.
    bool judge(bool holds, bool iBezHlaseni, std::string_view code, int iZaznam);
    // The municipality of section II as the registers hold it: decimal text.
    std::string obecText() const;
    record::TT4P& slot(int n) { return record_.party(n); }

    record::RecordOfVote& record_;
    const data::PartyList& parties_;
    std::optional<data::RegisterSnapshot> ownRegisters_;  // when the rules read the registers themselves
    data::RegisterSnapshot& registers_;
    std::string stationKodObce_;
    TChybProt& protocol_;
    data::TOkrsky referenceOkrsek_;
    Verdict classFlags_;
};

}  // namespace talmorek::checks
