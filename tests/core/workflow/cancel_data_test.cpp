// Cancelling the entered data: only the one precinct data file goes.

#include <gtest/gtest.h>

#include <cerrno>

#include "core/workflow/workflow_fixture.h"

namespace talmorek::testing {
namespace {

using Messages = std::vector<Message>;

const Message kAsk{"questionDefaultNo", "Opravdu chcete zrušit pořízená data?", "Rušení dat", {}};

class CancelData : public WorkflowTest {
protected:
    CancelData() { EXPECT_TRUE(workflow.start()); }
};

TEST_F(CancelData, WithoutDataThereIsNothingToCancel) {
    workflow.ZrusitData_MIClick();
    EXPECT_EQ(messages(), (Messages{{"information", "Data nejsou pořízena!", "Rušení dat", {}}}));
}

TEST_F(CancelData, TheEFileIsDeletedAndTheWorkingFilesStay) {
    save(cleanRecord(parties), DataLetter::E);
    workflow.state().KontrolyOK = true;
    workflow.state().DataOK = true;
    prompts.answers = {true};
    workflow.ZrusitData_MIClick();
    EXPECT_EQ(messages(), (Messages{kAsk, {"information", "Data jsou zrušena.", "Rušení dat", {}}}));
    EXPECT_FALSE(has(DataLetter::E));
    EXPECT_TRUE(dir.exists("data/HLASO.RCD"));
    EXPECT_TRUE(dir.exists("data/KOMISE.RCD"));
    EXPECT_EQ(stationOnDisk().Stav, "N");
    EXPECT_TRUE(workflow.state().KontrolyOK) << "the flags of the main window stay";
    EXPECT_TRUE(workflow.state().DataOK);
}

TEST_F(CancelData, TheOFileIsDeleted) {
    save(cleanRecord(parties), DataLetter::O);
    prompts.answers = {true};
    workflow.ZrusitData_MIClick();
    EXPECT_EQ(messages().back(), (Message{"information", "Data jsou zrušena.", "Rušení dat", {}}));
    EXPECT_FALSE(has(DataLetter::O));
}

// A save that could not remove the other file leaves both: cancelling the
// data takes both, so that no older record comes back at the next opening.
TEST_F(CancelData, WithBothFilesBothGo) {
    save(cleanRecord(parties), DataLetter::O);
    writeDataFileOnly(cleanRecord(parties), DataLetter::E);
    prompts.answers = {true};
    workflow.ZrusitData_MIClick();
    EXPECT_EQ(messages().back(), (Message{"information", "Data jsou zrušena.", "Rušení dat", {}}));
    EXPECT_FALSE(has(DataLetter::O));
    EXPECT_FALSE(has(DataLetter::E));
}

TEST_F(CancelData, NoKeepsTheData) {
    save(cleanRecord(parties), DataLetter::O);
    prompts.answers = {false};
    workflow.ZrusitData_MIClick();
    EXPECT_EQ(messages(), Messages{kAsk});
    EXPECT_TRUE(has(DataLetter::O));
}

TEST_F(CancelData, AFileThatCannotBeDeletedIsReported) {
    save(cleanRecord(parties), DataLetter::E);
    files.refuseRemove(dir.file(dataFile(DataLetter::E)), EACCES);
    prompts.answers = {true};
    workflow.ZrusitData_MIClick();
    EXPECT_EQ(messages(), (Messages{kAsk, {"information", "Data se nepovedlo zrušit!", "Rušení dat", {}}}));
    EXPECT_TRUE(has(DataLetter::E));
}

TEST_F(CancelData, ADeletionThatSilentlyLeavesTheFileIsReported) {
    save(cleanRecord(parties), DataLetter::E);
    files.refuseRemove(dir.file(dataFile(DataLetter::E)), 0);
    prompts.answers = {true};
    workflow.ZrusitData_MIClick();
    EXPECT_EQ(messages().back().text, "Data se nepovedlo zrušit!");
    EXPECT_TRUE(has(DataLetter::E));
}

}  // namespace
}  // namespace talmorek::testing
