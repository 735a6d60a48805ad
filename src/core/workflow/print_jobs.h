#pragma once
// The print jobs the main menu commands start. The core decides when a job
// runs and with what; the program builds the document with the layouts of
// the print subsystem and shows it in the preview window, modally, so each
// call returns when the user has closed the preview. Tests record the calls.
//
// Every job is handed the moment of printing, read from the workflow's
// clock when the job starts: the same clock that dates the summary record,
// so a fixed clock fixes the printouts too.

#include "core/checks/protocol.h"
#include "core/data/clock.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/record/record_of_vote.h"

namespace talmorek::workflow {

// What the record of the vote (form T/4 with its Annex 1 sheets) is printed
// from after a completed export. Pointers stay valid for the call only.
struct RecordPrintRequest {
    const record::RecordOfVote* record = nullptr;  // results block, course of voting, commission
    const checks::TChybProt* chyby = nullptr;     // the last check run, for the first page's footer
    const data::TStanice* station = nullptr;
    const data::Registers* registers = nullptr;   // party names and candidate counts
    int pocetKopii = 2;           // copies printed directly before the preview (at least 1)
    bool zvlastniOkrsek = false;  // special precinct abroad: form T/4b, else T/4a
    bool sDiakritikou = true;
    data::LocalDateTime now;  // the moment of printing, on every page's footer
};

class PrintJobs {
public:
    virtual ~PrintJobs() = default;

    // The protocol of checks of the run that just ended, in the preview.
    // `t4` carries the identification printed in its heading (`Obec`,
    // `Okrsek`, `KC1`); the station gives the municipality and region names.
    virtual void protocolOfChecks(const checks::TChybProt& chyby, const record::TT4& t4,
                                  const data::TStanice& station, bool sDiakritikou,
                                  const data::LocalDateTime& now) = 0;

    // The auxiliary tally sheet for preferential votes, one table per party
    // of the list, in the preview.
    virtual void tallySheet(const data::PartyList& parties, const data::CandidateTable& candidates,
                            const data::TStanice& station, bool sDiakritikou, const data::LocalDateTime& now) = 0;

    // The printer test page, in the preview. The program adds the facts of
    // the platform and the printer; the station gives the election dates and
    // the operating-system code.
    virtual void testPage(const data::TStanice& station, bool sDiakritikou, const data::LocalDateTime& now) = 0;

    // The platform's printer selection dialog; the printer chosen there is
    // used by every later job.
    virtual void selectPrinter() = 0;

    // `TiskZapisu`: the chosen number of copies straight to the printer,
    // then the same document in the preview.
    virtual void recordOfVote(const RecordPrintRequest& request) = 0;
};

}  // namespace talmorek::workflow
