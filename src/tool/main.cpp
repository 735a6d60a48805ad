#include <iostream>

#include "core/platform/process.h"
#include "tool/commands.h"
#include "tool/process_setup.h"

int main(int argc, char** argv) {
    talmorek::tool::prepareProcess();
    const talmorek::tool::Args args = talmorek::platform::programArguments(argc, argv);
    return talmorek::tool::runTool(args, std::cout, std::cerr);
}
