#pragma once
// The common ground of the rule tests: the installation of
// tests/support/installation.h, the clean record of its precinct, a protocol over
// the installation's catalogue, and the rules over all of them.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/checks/catalogue.h"
#include "core/checks/error_class.h"
#include "core/checks/protocol.h"
#include "core/checks/rules.h"
#include "support/installation.h"

namespace talmorek::checks {
// Findings print as (party, code, "detail") in failure messages.
inline void PrintTo(const TChyba& f, std::ostream* os) {
    *os << "(" << f.KStrana << ", " << f.Chyba << ", \"" << f.Param << "\")";
}
}  // namespace talmorek::checks

namespace talmorek::testing {

class CheckTest : public ::testing::Test {
protected:
    CheckTest() {
        writeInstallation(dir);
        parties = registers.NactiStrany();
        record = cleanRecord(parties);
    }

    // Rebuilds the registers, e.g. after a change to `content`.
    void rewriteInstallation() {
        writeInstallation(dir, content);
        parties = registers.NactiStrany();
    }

    // The protocol as (party, code, detail) triples, in order.
    std::vector<checks::TChyba> findings() const { return protocol.findings(); }

    TempDir dir;
    InstallationContent content;
    data::Registers registers{dir.path()};
    checks::TCisChyb catalogue{std::vector<checks::TChybaInfo>(checks::catalogueTexts().begin(),
                                                               checks::catalogueTexts().end())};
    checks::TChybProt protocol{catalogue};
    data::PartyList parties;
    record::RecordOfVote record;
    checks::CheckRules rules{record, parties, registers, "554782", protocol};
};

}  // namespace talmorek::testing
