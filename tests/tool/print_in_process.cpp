// The tool's tests call the print commands in-process, as talmorek-tool-print does.
#include "tool/commands.h"

namespace {
const bool printInProcess = (talmorek::tool::setPrintCommand(talmorek::tool::runPrint), true);
}  // namespace
