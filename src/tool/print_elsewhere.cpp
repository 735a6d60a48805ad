// `print` without the printing linked in: talmorek-tool-print beside this
// executable takes the process over with the same arguments.
#include <cerrno>
#include <iostream>
#include <ostream>
#include <vector>

#include "core/data/path_text.h"
#include "core/platform/process.h"
#include "core/workflow/error_messages.h"
#include "tool/command_support.h"
#include "tool/commands.h"

namespace talmorek::tool {

int runPrintElsewhere(const Args& args, std::ostream& out, std::ostream& err) {
    const std::string self = platform::executablePath();
    // Without the tool's own place, a program of that name elsewhere (the
    // working directory) is not run in its stead.
    if (self.empty()) {
        err << workflow::printProgramMissing("talmorek-tool-print", ENOENT) << "\n";
        return kExitFailure;
    }
    const std::string printer = data::utf8Of(data::pathOf(self).parent_path() / "talmorek-tool-print");
    std::vector<std::string> all{"print"};
    all.insert(all.end(), args.begin(), args.end());
    out.flush();
    err.flush();
    std::cout.flush();
    std::cerr.flush();
    const int error = platform::runInPlace(printer, all);
    err << workflow::printProgramMissing(printer, error) << "\n";
    return kExitFailure;
}

}  // namespace talmorek::tool
