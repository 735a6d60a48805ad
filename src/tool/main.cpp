#include <iostream>

#include "tool/commands.h"
#include "tool/process_setup.h"

int main(int argc, char** argv) {
    talmorek::tool::prepareProcess();
    talmorek::tool::Args args(argv + 1, argv + argc);
    return talmorek::tool::runTool(args, std::cout, std::cerr);
}
