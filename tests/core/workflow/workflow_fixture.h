#pragma once
// A station installation in a temporary directory with the main menu's
// workflow over it, and scripted stand-ins for the user and the printer:
// every message is recorded, questions are answered from a queue, print
// jobs and export dialogs are recorded instead of shown, and the station's
// files go through a file system that injects the faults a test asks for.
//
// The installation is the one of the check tests (precinct 554782 / 3 with
// five parties); the data directory is "data/" under it.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "workflow/export_dialogs.h"
#include "workflow/print_jobs.h"
#include "workflow/prompts.h"
#include "workflow/workflow.h"
#include "core/checks/installation_fixture.h"
#include "data/registers.h"
#include "data/station.h"
#include "data/working_files.h"
#include "export/data_file.h"
#include "support/fault_file_system.h"

namespace talmorek::testing {

struct Message {
    std::string kind;   // question, exclamation, information, infoDialog, failure
    std::string text;   // the heading for infoDialog
    std::string title;  // the caption for infoDialog
    std::string body;   // infoDialog only
    bool operator==(const Message&) const = default;
};

inline void PrintTo(const Message& m, std::ostream* os) {
    *os << m.kind << "(\"" << m.text << "\", \"" << m.title << "\"";
    if (!m.body.empty()) *os << ", \"" << m.body << "\"";
    *os << ")";
}

class ScriptedPrompts : public workflow::Prompts {
public:
    bool question(const std::string& text, const std::string& title) override {
        messages.push_back({"question", text, title, {}});
        if (answers.empty()) {
            ADD_FAILURE() << "a question nobody scripted: " << text;
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void exclamation(const std::string& text, const std::string& title) override {
        messages.push_back({"exclamation", text, title, {}});
    }
    void information(const std::string& text, const std::string& title) override {
        messages.push_back({"information", text, title, {}});
    }
    void infoDialog(const std::string& caption, const std::string& heading, const std::string& body) override {
        messages.push_back({"infoDialog", heading, caption, body});
    }
    void failure(const std::string& text, const std::string& title) override {
        messages.push_back({"failure", text, title, {}});
    }

    std::deque<bool> answers;
    std::vector<Message> messages;
};

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

    void protocolOfChecks(const checks::TChybProt& chyby, const entry::TT4& t4, const data::TStanice&,
                          bool sDiakritikou, const data::LocalDateTime& now) override {
        PrintCall c = call("protocolOfChecks", sDiakritikou, now);
        for (const auto& f : chyby.findings()) c.codes.push_back(f.Chyba);
        c.obec = t4.Obec;
        calls.push_back(c);
    }
    void tallySheet(const data::PartyList& strany, const data::CandidateTable&, const data::TStanice&,
                    bool sDiakritikou, const data::LocalDateTime& now) override {
        PrintCall c = call("tallySheet", sDiakritikou, now);
        c.parties = strany.length;
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
    bool exportTarget(const data::Directories&, const data::TStanice& stanice) override {
        ++targetShown;
        stavWhenShown = stanice.Stav;
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

class WorkflowTest : public ::testing::Test {
protected:
    WorkflowTest() {
        writeInstallation(dir);
        std::filesystem::create_directory(dir.file("data"));
        writeStation(station());
        parties = data::Registers(dir.path()).NactiStrany();
    }

    void writeStation(const data::TStanice& s) const { dir.write("STANICE.RCD", data::encodeStanice(s)); }
    data::TStanice stationOnDisk() const { return data::NactiStanici(dir.path()); }

    // What the entry window leaves on disk after a save: the results block
    // under `letter`, HLASO.RCD and KOMISE.RCD.
    void save(const entry::RecordOfVote& r, const char* letter) const {
        exporting::ZapisData(r, dataDir(), "554782", kOkrsek, letter);
        data::ZapisHlasovani(dataDir(), r.hlasovani);
        data::ZapisKomisi(dataDir(), r.komise);
    }

    // The clean record of the precinct changed by `change`, recomputed as
    // the entry window recomputes before it saves.
    template <typename Change>
    entry::RecordOfVote changed(Change change) const {
        entry::RecordOfVote r = cleanRecord(parties);
        change(r);
        r.T4.KC2 = entry::kc2OfSection2(r.T4);
        entry::RecomputeAll(r, parties, entry::tickedParties(r, parties), station(), fixedClock());
        return r;
    }
    // Turnout of 92 %: warning 97 only.
    entry::RecordOfVote warningsOnly() const {
        return changed([](entry::RecordOfVote& r) {
            r.T4.VydObalky = 750;
            r.T4.OdevzdObalky = 745;
            r.T4.PlatneHlasy = 740;
            r.party(1).PocHlasu = 519;
        });
    }
    // The count of the extracts not typed: passable errors 04 and 06.
    entry::RecordOfVote passableOnly() const {
        return changed([](entry::RecordOfVote& r) { r.T4.ZapsOsoby = 0; });
    }
    // Party 7 with more votes than the precinct's valid votes: errors.
    entry::RecordOfVote withErrors() const {
        return changed([](entry::RecordOfVote& r) { r.party(7).PocHlasu = 600; });
    }

    std::string dataDir() const { return dir.file("data/"); }
    std::string dataFile(const char* letter) const {
        return "data/" + exporting::dataFileName(letter, "554782", kOkrsek);
    }
    bool has(const char* letter) const { return dir.exists(dataFile(letter)); }

    // The results block of the data file with `letter`.
    entry::RecordOfVote readBack(const char* letter) const {
        entry::RecordOfVote r;
        EXPECT_TRUE(exporting::NactiData(r, dataDir(), "554782", kOkrsek, letter));
        return r;
    }

    const std::vector<Message>& messages() const { return prompts.messages; }

    TempDir dir;
    data::PartyList parties;
    ScriptedPrompts prompts;
    RecordingPrintJobs printJobs;
    ScriptedExportDialogs exportDialogs;
    FaultFileSystem files;
    workflow::Workflow workflow{data::Directories{dir.path(), dir.path(), dir.file("data/"), false}, prompts, printJobs,
                                exportDialogs, fixedClock(), files};
};

}  // namespace talmorek::testing
