// `print` in a build without printing (the Windows build: Debian has no Qt
// for MinGW to draw with): said plainly, nothing written.
#include <ostream>

#include "core/workflow/error_messages.h"
#include "tool/command_support.h"
#include "tool/commands.h"

namespace talmorek::tool {

int runPrintElsewhere(const Args&, std::ostream&, std::ostream& err) {
    err << workflow::printingNotBuilt() << "\n";
    return kExitFailure;
}

}  // namespace talmorek::tool
