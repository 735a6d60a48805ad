// The program's check command, `talmorek-tool check` and the protocol that
// `talmorek-tool print` draws run the same check run: for the same saved
// data they find the same, mark the record the same and give the same
// verdict.

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <sstream>

#include <nlohmann/json.hpp>

#include "core/workflow/workflow_fixture.h"
#include "core/print/recorded_page.h"
#include "tool/commands.h"

namespace talmorek::testing {
namespace {

using Json = nlohmann::ordered_json;

struct SameRunCase {
    const char* name;
    std::function<void(record::RecordOfVote&)> change;
};
void PrintTo(const SameRunCase& c, std::ostream* os) { *os << c.name; }

class SameCheckRun : public WorkflowTest, public ::testing::WithParamInterface<SameRunCase> {
protected:
    // `talmorek-tool check DIR --json` on the saved data.
    Json toolCheck() {
        std::ostringstream out, err;
        const int status = tool::runCheck({dir.path(), "--json"}, out, err);
        EXPECT_EQ(err.str(), "");
        const Json json = Json::parse(out.str());
        EXPECT_EQ(status, json["PriznakChyby"].get<bool>() ? 1 : 0);
        return json;
    }

    // The codes of the findings in the protocol of checks that
    // `talmorek-tool print protocol DIR` draws, in their order.
    std::vector<int> printedCodes() {
        std::ostringstream out, err;
        const int status = tool::runPrint({"protocol", dir.path(), "--pdf", dir.file("out.pdf"), "--calls",
                                           dir.file("calls.txt"), "--now", "2021-10-09T14:30:05"},
                                          out, err);
        EXPECT_EQ(status, 0) << err.str();
        std::vector<int> codes;
        const std::regex findingLine(R"(^\s*(\d{1,2}) - )");
        for (const auto& page : print::parseRecordedDocument(dir.read("calls.txt")).pages) {
            for (const auto& call : page.calls) {
                const auto* text = std::get_if<print::TextCall>(&call);
                std::smatch m;
                if (text != nullptr && std::regex_search(text->text, m, findingLine))
                    codes.push_back(std::stoi(m[1].str()));
            }
        }
        return codes;
    }
};

TEST_P(SameCheckRun, ForTheSameSavedData) {
    save(changed(GetParam().change), DataLetter::E);
    // The tools read the saved data and write nothing; the program's
    // command runs last, since it saves its verdict.
    const Json tool = toolCheck();
    const std::vector<int> printed = printedCodes();
    ASSERT_TRUE(workflow.start());
    const workflow::CheckedRecord checked = workflow.Kontroly(checks::Vybrano::CheckCommandOrSave);
    const checks::Verdict& verdict = checked.verdict;
    workflow.Kontroly_MIClick();
    ASSERT_EQ(messages(), std::vector<Message>{});
    EXPECT_EQ(tool["PriznakChyby"].get<bool>(), verdict.PriznakChyby);
    EXPECT_EQ(tool["PriznakPropustitelne"].get<bool>(), verdict.PriznakPropustitelne);
    EXPECT_EQ(tool["PriznakUpozorneni"].get<bool>(), verdict.PriznakUpozorneni);

    std::vector<int> programCodes;
    Json programFindings = Json::array();
    for (const auto& f : workflow.protocol()->findings()) {
        programCodes.push_back(f.Chyba);
        programFindings.push_back({f.KStrana, f.Chyba, f.Param});
    }
    Json toolFindings = Json::array();
    for (const auto& f : tool["findings"]) toolFindings.push_back({f["party"], f["code"], f["detail"]});
    EXPECT_EQ(toolFindings, programFindings);
    EXPECT_EQ(printed, programCodes);

    // What the run marked in the record, as the program saved it.
    const record::RecordOfVote saved = readBack(verdict.PriznakChyby ? DataLetter::E : DataLetter::O);
    // The data file keeps the list blank-padded to its width.
    const std::string listed = saved.TS.SeznamChyb.substr(0, saved.TS.SeznamChyb.find_last_not_of(' ') + 1);
    EXPECT_EQ(tool["SeznamChyb"].get<std::string>(), listed);
    EXPECT_EQ(tool["Chyba"]["T4"].get<int>(), saved.T4.Chyba);
    EXPECT_EQ(tool["Chyba"]["TS"].get<int>(), saved.TS.Chyba);
    for (int n : {1, 2, 7}) EXPECT_EQ(tool["Chyba"]["T4P"][std::to_string(n)].get<int>(), saved.party(n).Chyba) << n;
}

const SameRunCase kSameRuns[] = {
    {"clean", [](record::RecordOfVote&) {}},
    {"passableErrors", [](record::RecordOfVote& r) { r.T4.ZapsOsoby = 0; }},
    {"warning",
     [](record::RecordOfVote& r) {
         r.T4.VydObalky = 750;
         r.T4.OdevzdObalky = 745;
         r.T4.PlatneHlasy = 740;
         r.party(1).PocHlasu = 519;
     }},
    {"errorsOfParties",
     [](record::RecordOfVote& r) {
         r.party(7).PocHlasu = 600;
         prefer(r, 2, 21, 5);  // party 2 has 20 candidates
     }},
    {"everyClass",
     [](record::RecordOfVote& r) {
         r.T4.ZapsOsoby = 0;
         r.T4.OdevzdObalky = 400;
         r.T4.PlatneHlasy = 390;
     }},
};

INSTANTIATE_TEST_SUITE_P(Records, SameCheckRun, ::testing::ValuesIn(kSameRuns),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talmorek::testing
