// Failures reach the user through one door, the commands' `Prompts`: those
// of the print jobs as well as those of the data, and anything unexpected
// that escapes a command of the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QTimer>
#include <QWidget>

#include "core/data/errors.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "gui/shell/qt_print_jobs.h"
#include "shell_fixtures.h"
#include "support/installation.h"
#include "core/workflow/station_display.h"

namespace talmorek::gui::testing {
namespace {

// The demo party list with the first party's candidate count spoilt.
void spoilFirstCandidateCount(const Installation& inst) {
    std::string strany = inst.dir.read("STRANY.RCD");
    data::TStrana first = data::decodeStrana(std::string_view(strany).substr(0, data::strany::kRecordSize));
    first.PocetKandidatu = "x";
    strany.replace(0, data::strany::kRecordSize, data::encodeStrana(first));
    inst.dir.write("STRANY.RCD", strany);
}

class Failures : public StartedProgram {};

// The print command meets a party list whose count is no number: the list
// reads (the entry window works with it), the command tells how many
// tables the sheet has, and the sheet stops at that party as it is drawn,
// before anything is offered or printed; the command tells it under its
// title, naming the file, the record and the field, and no preview is left
// open.
TEST_F(Failures, ADataFailureOfAPrintJobIsToldByItsCommand) {
    inst.printWithQt = true;
    spoilFirstCandidateCount(inst);
    start();
    ModalAnswerer answerer;  // a window of its own would be seen (and closed) here
    choose("Scitaciarch_MI");
    EXPECT_TRUE(answerer.seen().empty()) << answerer.seen()[0];
    ASSERT_EQ(inst.prompts.calls.size(), 2u) << ::testing::PrintToString(inst.prompts.calls);
    EXPECT_EQ(inst.prompts.calls[0].rfind("info|Sčítací arch|Tisk pomocného sčítacího archu", 0), 0u);
    EXPECT_EQ(inst.prompts.calls[1], "failure|Sčítací arch|Soubor " + inst.dir.file("STRANY.RCD") +
                                         ", záznam 1, pole PocetKandidatu: text 'x' není platné celé číslo.");
    // The program goes on.
    choose("ZrusitData_MI");
    EXPECT_EQ(inst.prompts.calls.back(), "information|Rušení dat|Data nejsou pořízena!");
}

// A print job that fails for any other reason tells it itself, through the
// same prompts, under the job's title; a failure of the data goes back to
// the command untold.
TEST(QtPrintJobsFailures, AreToldThroughTheCommandsPrompts) {
    ScriptedPrompts prompts;
    QWidget owner;
    QtPrintJobs jobs(&owner, prompts);
    const data::CandidateTable candidates;
    ModalAnswerer answerer;  // a message box of the job's own would be seen (and closed) here

    data::PartyList spoilt;
    spoilt.length = 1;
    spoilt.entries[1] = {"1", "Strana", "x"};
    spoilt.sourceFile = "/i/STRANY.RCD";
    EXPECT_THROW(jobs.tallySheet(spoilt, candidates, data::TStanice{}, true, data::LocalDateTime{}), data::ConversionError);
    EXPECT_TRUE(prompts.calls.empty()) << prompts.calls[0];

    data::PartyList impossible;  // longer than a party list can be: a broken caller
    for (auto& entry : impossible.entries) entry = {"1", "Strana", "0"};
    impossible.length = data::PartyList::kCapacity + 1;
    jobs.tallySheet(impossible, candidates, data::TStanice{}, true, data::LocalDateTime{});
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].rfind("failure|Sčítací arch|Neočekávaná chyba: ", 0), 0u) << prompts.calls[0];
    EXPECT_TRUE(answerer.seen().empty()) << answerer.seen()[0];
}

// Nothing may cross Qt's event loop: what escapes a command anyway is told
// through the prompts under the program's caption, and the program goes on.
TEST_F(Failures, AnUnexpectedFailureOfACommandIsToldOnceUnderTheProgramsCaption) {
    inst.writeData(talmorek::testing::recordWithWarningsOnly(inst.parties()), exporting::DataLetter::E);
    start();
    inst.prompts.questionFails = "dialog broken";
    choose("ZrusitData_MI");
    ASSERT_EQ(inst.prompts.calls.size(), 2u);
    EXPECT_EQ(inst.prompts.calls[1],
              std::string("failure|") + workflow::kMainWindowCaption + "|Neočekávaná chyba: dialog broken");
    EXPECT_TRUE(window().isVisible());
    inst.prompts.questionFails.clear();
    inst.prompts.answers = {false};
    choose("ZrusitData_MI");
    EXPECT_EQ(inst.prompts.calls.back(), "questionDefaultNo|Rušení dat|Opravdu chcete zrušit pořízená data?");
}

}  // namespace
}  // namespace talmorek::gui::testing
