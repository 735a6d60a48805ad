#pragma once
// The entry window's logic over the tests' installation: the workflow of the
// main menu, the scripted user, and a beep that counts. The data directory
// holds HLASO.RCD and KOMISE.RCD as an installation creates them (empty),
// unless a test saves a record first.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/workflow/workflow_fixture.h"
#include "core/entry/refusal_beep.h"
#include "core/entry/entry_form.h"

namespace talmorek::testing {

class CountingBeep : public entry::Beep {
public:
    void beep() override { ++count; }
    int count = 0;
};

class EntryFormTest : public WorkflowTest {
protected:
    using Field = entry::EntryField;
    using Page = entry::EntryPage;

    EntryFormTest() {
        data::ZapisHlasovani(dataDir(), data::Hlasovani{});
        data::ZapisKomisi(dataDir(), {});
    }

    // Every file of the installation with its bytes, to prove what a step did not touch.
    std::map<std::string, std::string> filesOnDisk() const {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path())) {
            if (!e.is_regular_file()) continue;
            const std::string name = std::filesystem::relative(e.path(), dir.path()).generic_string();
            files[name] = dir.read(name);
        }
        return files;
    }

    // Opens the window, failing the test when it does not open.
    void openForm() {
        ASSERT_TRUE(form.open()) << (messages().empty() ? "" : messages().back().text);
        prompts.messages.clear();
        prompts.calls.clear();
    }

    void type(const entry::EntryControl& control, std::string_view text) {
        EXPECT_EQ(form.fieldExit(control, text), std::nullopt);
    }

    data::Hlasovani hlasoOnDisk() const { return data::NactiHlasovani(dataDir()); }
    std::string komiseBytes() const { return dir.read("data/KOMISE.RCD"); }

    CountingBeep beep;
    entry::EntryForm form{workflow, prompts, beep};
};

}  // namespace talmorek::testing
