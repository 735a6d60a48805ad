#pragma once
// Loading the record of the vote that a station has saved, as every check
// run does: the results block from the precinct data file ("O" when it
// exists, else "E"), the course of voting from HLASO.RCD and, when members
// other than the chair were present, the commission from KOMISE.RCD.

#include "data/directories.h"
#include "data/station.h"
#include "entry/record_of_vote.h"

namespace talmorek::app {

// Returns false, with the results block cleared, when neither data file
// exists. File and conversion failures raise.
bool loadSavedRecord(const data::Directories& dirs, const data::TStanice& station, entry::RecordOfVote& record);

}  // namespace talmorek::app
