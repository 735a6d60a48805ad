#pragma once
// The check run: every rule once, in a fixed order, with marking. The
// program's check command, the entry window's save, the export command and
// the tool's check and print commands all run it through `ProvedKontroly`;
// each loads the record, the registers' directory, the party list and the
// station its own way, and the run itself loads nothing but the registers'
// contents.

#include <string>

#include "core/checks/protocol.h"
#include "core/checks/verdict.h"
#include "core/data/register_snapshot.h"
#include "core/data/registers.h"
#include "core/record/record_of_vote.h"

namespace talmorek::checks {

// Which command asks for the check run (`Vybrano`): the one argument that
// tells the run what to do besides judging. The numbers are the command's
// codes as they have always been kept.
enum class Vybrano : int {
    // The export command checks before it exports: no protocol printout,
    // and the marks of the last run stay until this one sets them.
    ExportCommand = 3,
    // The check command or the entry window's save: the marks start clean
    // and the protocol of checks is printed.
    CheckCommandOrSave = 5,
};

// Runs every rule on `record` and fills `protocol` (cleared first) with one
// finding per failure, sorted. The record receives what the run marks:
// `SeznamChyb` of the summary lists the failed codes, and the `Chyba` flag
// of every record a failed rule blames is set. A run for the check command
// or the save (`Vybrano::CheckCommandOrSave`) starts from clean `Chyba`
// flags; the export command's run keeps the flags read from the data file
// and can only add to them.
//
// The registers are read once, each at the first rule that needs it. A
// rule that fails on a file or a number (a missing register, a count that
// is not a number) raises out of the run there; the protocol and the record
// keep what was found before, and there is no verdict. A count of the
// course of voting that is no number is named with `courseOfVotingFile`,
// where the caller read the course of voting from (HLASO.RCD or a record
// given to the tool).
Verdict ProvedKontroly(record::RecordOfVote& record, const data::Registers& registers,
                       const data::PartyList& parties, const std::string& stationKodObce, TChybProt& protocol,
                       Vybrano vybrano, const std::string& courseOfVotingFile = {});

// The check run at the receiving office over the results block of a
// precinct data file: every rule but the commission's (39), whose course
// of voting and names stay at the station and travel on paper, with the
// marks starting clean as for the check command. `registers` is kept by the
// caller for many records; the municipality is the record's own.
Verdict checkResultsBlock(record::RecordOfVote& record, data::RegisterSnapshot& registers,
                          const data::PartyList& parties, TChybProt& protocol);

}  // namespace talmorek::checks
