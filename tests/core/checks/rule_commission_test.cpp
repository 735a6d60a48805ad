// Rule 39: section III, the commission that signs the record.

#include <gtest/gtest.h>

#include "core/checks/check_fixture.h"
#include "core/data/errors.h"
#include "support/error_of.h"

namespace talmorek::testing {
namespace {

struct CommissionCase {
    const char* name;
    const char* total;
    const char* present;
    std::vector<std::string> names;
    const char* clerk;
    const char* entrusted;
    const char* problems;  // after "Nalezené problémy: "
};

const CommissionCase kCases[] = {
    {"complete", "7", "5", {"A", "B", "C", "D"}, "Z", "P", ""},
    {"totalMissing", "", "5", {"A", "B", "C", "D"}, "Z", "P", "není vyplněn počet členů komise celkem"},
    {"totalBlank", "  ", "5", {"A", "B", "C", "D"}, "Z", "P", "není vyplněn počet členů komise celkem"},
    {"presentMissing", "7", "", {}, "Z", "P", "není vyplněn počet přítomných členů komise"},
    {"bothMissing", "", "", {}, "Z", "P",
     "není vyplněn počet členů komise celkem, není vyplněn počet přítomných členů komise"},
    {"presentOne", "1", "1", {}, "Z", "P", "není vyplněno jméno ostatního člena komise"},
    {"presentZero", "0", "0", {}, "Z", "P",
     "není vyplněno jméno ostatního člena komise, počet přítomných členů není nadpoloviční většina"},
    {"blankName", "7", "5", {"A", "", "C", " "}, "Z", "P", "není vyplněno jméno ostatního člena komise"},
    {"fewerNamesThanPresent", "7", "5", {"A", "B"}, "Z", "P", "není vyplněno jméno ostatního člena komise"},
    {"threeOfSeven", "7", "3", {"A", "B"}, "Z", "P", "počet přítomných členů není nadpoloviční většina"},
    {"fourOfEightIsHalf", "8", "4", {"A", "B", "C"}, "Z", "P", "počet přítomných členů není nadpoloviční většina"},
    {"fourOfSeven", "7", "4", {"A", "B", "C"}, "Z", "P", ""},
    {"moreThanTotal", "5", "6", {"A", "B", "C", "D", "E"}, "Z", "P", "počet přítomných členů > než celkový počet"},
    {"clerkMissing", "7", "5", {"A", "B", "C", "D"}, " ", "P", "není vyplněno jméno zapisovatele komise"},
    {"entrustedMissing", "7", "5", {"A", "B", "C", "D"}, "Z", "", "není vyplněno jméno pověřené osoby"},
    {"everything", "", "0", {}, "", "", 
     "není vyplněn počet členů komise celkem, není vyplněno jméno ostatního člena komise, "
     "není vyplněno jméno zapisovatele komise, není vyplněno jméno pověřené osoby"},
};

class CommissionRule : public CheckTest, public ::testing::WithParamInterface<CommissionCase> {
protected:
    void fill(const CommissionCase& c) {
        record.hlasovani.ClenuOVKC = c.total;
        record.hlasovani.ClenuOVKP = c.present;
        record.hlasovani.Zapisovat = c.clerk;
        record.hlasovani.PoverPred = c.entrusted;
        record.komise.clear();
        for (const auto& name : c.names) record.komise.push_back({name});
    }
};

TEST_P(CommissionRule, ListsEveryProblemInOrder) {
    const CommissionCase& c = GetParam();
    fill(c);
    const bool holds = std::string(c.problems).empty();
    EXPECT_EQ(rules.Kontrola39(false), holds);
    EXPECT_EQ(rules.ProblemyKomise, std::string("Nalezené problémy: ") + c.problems);
    EXPECT_EQ(record.T4.Chyba, holds ? 0 : 1);
    EXPECT_EQ(rules.classFlags().PriznakChyby, !holds);
}

INSTANTIATE_TEST_SUITE_P(Problems, CommissionRule, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckTest, Rule39AbroadNeedsNoEntrustedMember) {
    checks::CheckRules abroad(record, parties, registers, "999997", protocol);
    record.hlasovani.PoverPred = "";
    EXPECT_TRUE(abroad.Kontrola39(false));
    EXPECT_FALSE(rules.Kontrola39(true)) << "the station's code decides, not section II";
}

// The rule does not know where the course of voting was read from: it names
// the field, and the caller adds the file.
TEST_F(CheckTest, Rule39FailsWithTheConversionErrorForACountThatIsNoNumber) {
    struct Case {
        const char* present;
        const char* total;
        const char* field;
    } cases[] = {{"5x", "7", "ClenuOVKP"}, {"5", "x", "ClenuOVKC"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        record.hlasovani.ClenuOVKP = c.present;
        record.hlasovani.ClenuOVKC = c.total;
        if (const auto e = errorOf<data::ConversionError>([&] { rules.Kontrola39(false); })) {
            EXPECT_EQ(e->field(), c.field);
            EXPECT_EQ(e->file(), "");
        }
    }
}

}  // namespace
}  // namespace talmorek::testing
