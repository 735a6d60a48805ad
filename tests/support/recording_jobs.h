#pragma once
// Print jobs and export dialogs as a script: each print job is recorded with
// what the tests look at instead of being drawn, and the export dialogs
// answer with what the test set.

#include <cstdint>
#include <string>
#include <vector>

#include "core/checks/protocol.h"
#include "core/data/clock.h"
#include "core/data/directories.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/record/record_of_vote.h"
#include "core/workflow/export_dialogs.h"
#include "core/workflow/print_jobs.h"

namespace talmorek::testing {

// One call of a print job, with what the tests look at.
struct PrintCall {
    std::string job;  // protocolOfChecks, tallySheet, testPage, selectPrinter, recordOfVote
    bool sDiakritikou = true;
    std::vector<int> codes;  // protocolOfChecks: the codes of the findings, in order
    std::int32_t obec = 0;   // protocolOfChecks: the identification of T4
    int parties = 0;         // tallySheet: entries of the party list
    int copies = 0;          // recordOfVote
    bool zvlastniOkrsek = false;  // recordOfVote
    std::int64_t celkem = 0;      // recordOfVote: the control total of the record printed
    data::LocalDateTime now;      // the moment of printing the job was given
};

class RecordingPrintJobs : public workflow::PrintJobs {
public:
    static PrintCall call(std::string job, bool sDiakritikou = true, const data::LocalDateTime& now = {}) {
        PrintCall c;
        c.job = std::move(job);
        c.sDiakritikou = sDiakritikou;
        c.now = now;
        return c;
    }

    void protocolOfChecks(const checks::TChybProt& chyby, const record::TT4& t4, const data::TStanice&,
                          bool sDiakritikou, const data::LocalDateTime& now) override {
        PrintCall c = call("protocolOfChecks", sDiakritikou, now);
        for (const auto& f : chyby.findings()) c.codes.push_back(f.Chyba);
        c.obec = t4.Obec;
        calls.push_back(c);
    }
    void tallySheet(const data::PartyList& parties, const data::CandidateTable&, const data::TStanice&,
                    bool sDiakritikou, const data::LocalDateTime& now) override {
        PrintCall c = call("tallySheet", sDiakritikou, now);
        c.parties = parties.length;
        calls.push_back(c);
    }
    void testPage(const data::TStanice&, bool sDiakritikou, const data::LocalDateTime& now) override {
        calls.push_back(call("testPage", sDiakritikou, now));
    }
    void selectPrinter() override { calls.push_back(call("selectPrinter")); }
    void recordOfVote(const workflow::RecordPrintRequest& r) override {
        PrintCall c = call("recordOfVote", r.sDiakritikou, r.now);
        c.copies = r.pocetKopii;
        c.zvlastniOkrsek = r.zvlastniOkrsek;
        c.celkem = r.record->TS.Celkem;
        calls.push_back(c);
    }

    std::vector<std::string> jobs() const {
        std::vector<std::string> out;
        for (const auto& c : calls) out.push_back(c.job);
        return out;
    }

    std::vector<PrintCall> calls;
};

class ScriptedExportDialogs : public workflow::ExportDialogs {
public:
    bool exportTarget(const data::Directories&, const data::TStanice& station) override {
        ++targetShown;
        stavWhenShown = station.Stav;
        return exportDone;
    }
    int pocetKopii() override {
        ++copiesShown;
        return copies;
    }

    bool exportDone = false;
    int copies = 2;
    int targetShown = 0;
    int copiesShown = 0;
    std::string stavWhenShown;
};
}  // namespace talmorek::testing
