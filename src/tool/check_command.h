#pragma once
// `talmorek-tool check`: the check run of the program on a record of the
// vote, with the protocol worded as the printed protocol of checks words it.
// `checkRecord` is the part that does not care where the record came from.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "checks/catalogue.h"
#include "checks/protocol.h"
#include "data/clock.h"
#include "data/registers.h"
#include "entry/recompute.h"
#include "entry/record_of_vote.h"
#include "tool/commands.h"

namespace talmorek::tool {

struct CheckFinding {
    checks::TChyba finding;
    std::string text;  // the catalogue text of its code
};

struct CheckOutcome {
    std::vector<CheckFinding> findings;  // in protocol order
    bool PriznakChyby = false;
    bool PriznakPropustitelne = false;
    bool PriznakUpozorneni = false;
};

// The options of the commands that take a record: DIR [STATION]
// [--record FILE.json] [--recompute] [--now …] [--seed N] [--json] [--letter E|O].
struct RecordOptions {
    std::vector<std::string> positional;
    std::string recordFile;
    std::optional<std::string> letter;
    bool recompute = false;
    std::optional<data::LocalDateTime> now;
    std::optional<std::uint32_t> seed;
    bool json = false;
};

// Returns nothing after writing the reason to `err`.
std::optional<RecordOptions> parseRecordOptions(const Args& args, std::ostream& err);
// The one clock of a command: standing at --now when given, else the
// system's. It dates a recomputed summary record and the printouts alike.
std::shared_ptr<const data::Clock> clockFor(const RecordOptions& o);
// `clock` and Nahoda of a recomputation, the latter fixed by --seed.
entry::RecomputeSources sourcesFor(const RecordOptions& o, std::shared_ptr<const data::Clock> clock);
// The same with the command's clock, for a command that prints nothing.
entry::RecomputeSources sourcesFor(const RecordOptions& o);

// Runs every rule as the program's check command does (`Vybrano` 5). The
// record receives what a run leaves in it: `SeznamChyb` and the `Chyba`
// flags. A rule that fails on a file or a number raises out of here.
CheckOutcome checkRecord(entry::RecordOfVote& record, const data::Registers& registers,
                         const data::PartyList& parties, const checks::TCisChyb& catalogue,
                         const std::string& stationKodObce);

// One line per finding, "<code> - <text> <detail>", the findings of a party
// under a line "Strana: <n>"; "Nebyly zjištěny žádné chyby" when none.
void writeProtocolText(const CheckOutcome& outcome, std::ostream& out);

// The outcome with what the run left in the record.
nlohmann::ordered_json outcomeToJson(const CheckOutcome& outcome, const entry::RecordOfVote& record);

}  // namespace talmorek::tool
