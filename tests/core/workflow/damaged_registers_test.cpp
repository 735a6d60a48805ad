// Registers and working files damaged so that they read without an error of
// their own (empty, random, cut short) are named in Czech by the command
// that needs them, rather than giving an entry window without parties,
// messages that all read "Chyba nenalezena", or a commission one name short.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/entry/entry_form_fixture.h"
#include "core/checks/catalogue.h"
#include "core/data/working_files.h"

namespace talmorek::testing {
namespace {

struct DamageCase {
    const char* name;
    std::function<void(const TempDir&)> damage;
    std::string file;  // relative to the installation
    const char* what;  // the Czech words after the file's name
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

const char* const kEmpty = " je prázdný, ačkoli má obsahovat aspoň jeden záznam.";

class DamagedRegister : public EntryFormTest, public ::testing::WithParamInterface<DamageCase> {};

// F2 and F3 each say it, under their titles; nothing saved changes.
TEST_P(DamagedRegister, IsNamedByTheEntryWindowAndTheChecks) {
    const DamageCase& c = GetParam();
    record::RecordOfVote r = cleanRecord(parties);
    save(r, DataLetter::E);
    c.damage(dir);
    const auto before = filesOnDisk();
    const std::string message = "Soubor " + dir.file(c.file) + c.what;

    EXPECT_FALSE(form.PorizeniDat_MIClick());
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back().kind, "failure");
    EXPECT_EQ(messages().back().text, message);

    prompts.messages.clear();
    workflow.Kontroly_MIClick();
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back().kind, "failure");
    EXPECT_EQ(messages().back().text, message);
    EXPECT_EQ(filesOnDisk(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Workflow, DamagedRegister,
    ::testing::Values(
        DamageCase{"empty_party_list", [](const TempDir& d) { d.write("STRANY.RCD", ""); }, "STRANY.RCD", kEmpty},
        DamageCase{"empty_catalogue", [](const TempDir& d) { d.write("CISCHYB.RCD", ""); }, "CISCHYB.RCD", kEmpty},
        DamageCase{"random_catalogue",
                   [](const TempDir& d) {
                       std::string bytes(72 * 3, '\xA7');
                       d.write("CISCHYB.RCD", bytes);
                   },
                   "CISCHYB.RCD", ", záznam 1, pole Chyba: hodnota '-1482184793' není v tomto poli přípustná."},
        DamageCase{"commission_cut_short",
                   [](const TempDir& d) {
                       const std::string komise = d.read("data/KOMISE.RCD");
                       d.write("data/KOMISE.RCD", komise.substr(0, komise.size() - 7));
                   },
                   "data/KOMISE.RCD", " je poškozen (neúplný záznam 4)."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talmorek::testing
