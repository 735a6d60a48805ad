#pragma once
// `talmorek-tool check`: the check run of the program on a record of the
// vote, with the protocol worded as the printed protocol of checks words it.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/checks/catalogue.h"
#include "core/checks/protocol.h"
#include "core/checks/verdict.h"
#include "core/data/clock.h"
#include "core/data/registers.h"
#include "core/record/recompute.h"
#include "core/record/record_of_vote.h"
#include "core/export/data_file.h"
#include "tool/commands.h"

namespace talmorek::tool {

// The options of the commands that take a record: DIR [STATION]
// [--record FILE.json] [--recompute] [--now …] [--seed N] [--json] [--letter E|O].
struct RecordOptions {
    std::vector<std::string> positional;
    std::string recordFile;
    std::optional<exporting::DataLetter> letter;
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
record::RecomputeSources sourcesFor(const RecordOptions& o, std::shared_ptr<const data::Clock> clock);
// The same with the command's clock, for a command that prints nothing.
record::RecomputeSources sourcesFor(const RecordOptions& o);
// --recompute: a record typed by hand gets what the program gives a record
// as it is typed and saved: KČ2 of section II, the ticked parties' totals
// and check numbers, and the summary.
void recomputeTyped(record::RecordOfVote& record, const data::PartyList& parties, const data::TStanice& station,
                    const record::RecomputeSources& sources);

// The protocol of a check run, one line per finding, "<code> - <text>
// <detail>", the findings of a party under a line "Strana: <n>"; "Nebyly
// zjištěny žádné chyby" when none.
void writeProtocolText(const checks::TChybProt& protocol, std::ostream& out);

// The findings and the verdict of a check run with what it left in the
// record: `SeznamChyb` and the `Chyba` flags.
nlohmann::ordered_json outcomeToJson(const checks::TChybProt& protocol, const checks::Verdict& verdict,
                                     const record::RecordOfVote& record);

}  // namespace talmorek::tool
