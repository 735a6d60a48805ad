#pragma once
// A station installation in a temporary directory with the main menu's
// workflow over it, the scripted stand-ins of tests/support for the user,
// the printer and the export dialogs, and the station's files going through
// a file system that injects the faults a test asks for.
//
// The installation is the one of the check tests (precinct 554782 / 3 with
// five parties); the data directory is "data/" under it.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "core/workflow/workflow.h"
#include "support/installation.h"
#include "support/recording_jobs.h"
#include "support/scripted_prompts.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "core/export/data_file.h"
#include "support/fault_file_system.h"

namespace talmorek::testing {

using exporting::DataLetter;

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

    // What the entry window leaves on disk after a save.
    void save(const record::RecordOfVote& r, DataLetter letter) const { saveRecord(dataDir(), r, letter); }
    // The data file with `letter` alone, the other left as it is: both files
    // at once, as a save interrupted between writing one and removing the
    // other leaves them.
    void writeDataFileOnly(const record::RecordOfVote& r, DataLetter letter) const {
        exporting::ZapisData(r, dataDir(), "554782", kOkrsek, letter);
    }

    // The clean record of the precinct changed by `change`, recomputed as
    // the entry window recomputes before it saves.
    template <typename Change>
    record::RecordOfVote changed(Change change) const {
        return changedRecord(parties, change);
    }
    record::RecordOfVote warningsOnly() const { return recordWithWarningsOnly(parties); }
    record::RecordOfVote passableOnly() const { return recordWithPassableErrorsOnly(parties); }
    record::RecordOfVote withErrors() const { return recordWithErrors(parties); }

    std::string dataDir() const { return dir.file("data/"); }
    std::string dataFile(DataLetter letter) const {
        return "data/" + exporting::dataFileName(letter, "554782", kOkrsek);
    }
    bool has(DataLetter letter) const { return dir.exists(dataFile(letter)); }

    // The results block of the data file with `letter`.
    record::RecordOfVote readBack(DataLetter letter) const {
        record::RecordOfVote r;
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
