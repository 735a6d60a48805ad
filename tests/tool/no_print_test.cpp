// A build without printing (the Windows build) says so for every print
// command, in Czech, and writes nothing.

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

TEST(NoPrinting, EveryPrintCommandSaysThisBuildHasNone) {
    testing::TempDir dir;
    for (const char* what : {"protocol", "testpage", "record", "tally"}) {
        SCOPED_TRACE(what);
        std::ostringstream out, err;
        EXPECT_EQ(runTool({"print", what, dir.path(), "--pdf", dir.file("out.pdf")}, out, err), 2);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str(),
                  "Tato sestava talmorek-tool tisknout neumí: tiskové příkazy (print) jsou jen v sestavě pro Linux.\n");
        EXPECT_FALSE(dir.exists("out.pdf"));
    }
}

}  // namespace
}  // namespace talmorek::tool
