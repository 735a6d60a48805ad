#pragma once
// What the printed record of the vote (the record T/4 with one Annex 1
// sheet per flagged party) is drawn from. The job takes these values once
// when it starts and keeps them for every copy.
#include <map>
#include <string>

#include "core/data/registers.h"
#include "core/record/record_of_vote.h"
#include "core/print/record_footer.h"

namespace talmorek::print {

struct RecordJob {
    const record::RecordOfVote* record = nullptr;  // T4, T4P, TS, course of voting, commission
    // The installation's registers: each party's candidate count is read
    // from the party list whenever a layout needs it.
    const data::Registers* registers = nullptr;
    bool zvlastniOkrsek = false;  // special precinct abroad: form T/4b, else T/4a
    bool sDiakritikou = true;
    std::string electionDates;    // as the main window shows them
    std::map<int, std::string> partyNames;  // party number -> name, from the party list
    RecordFooterValues footer;    // values of every page footer
};

}  // namespace talmorek::print
