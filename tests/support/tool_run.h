#pragma once
// The tool's command line run in-process, as the tool's tests drive it:
// the exit code and what it wrote to standard output and standard error.

#include <sstream>
#include <string>

#include "tool/commands.h"

namespace talmorek::tool {

struct ToolRun {
    int code;
    std::string out, err;
};

inline ToolRun run(const Args& argv) {
    std::ostringstream out, err;
    const int code = runTool(argv, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace talmorek::tool
