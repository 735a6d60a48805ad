// talmorek-tool-print: the print commands of talmorek-tool, which runs this
// program in its place for them (so that the tool itself starts without Qt).
#include <iostream>

#include "core/platform/process.h"
#include "tool/commands.h"
#include "tool/process_setup.h"

int main(int argc, char** argv) {
    talmorek::tool::prepareProcess();
    talmorek::tool::setPrintCommand(talmorek::tool::runPrint);
    const talmorek::tool::Args args = talmorek::platform::programArguments(argc, argv);
    return talmorek::tool::runTool(args, std::cout, std::cerr);
}
