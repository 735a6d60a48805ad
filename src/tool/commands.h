#pragma once
// The commands of talmorek-tool. Each takes the arguments after its name,
// writes its result to `out` and one clear Czech line per failure to `err`,
// and returns the process exit code. They are called in-process by the tests.

#include <iosfwd>
#include <string>
#include <vector>

namespace talmorek::tool {

using Args = std::vector<std::string>;

int runInitDemo(const Args& args, std::ostream& out, std::ostream& err);
int runDump(const Args& args, std::ostream& out, std::ostream& err);
int runSummary(const Args& args, std::ostream& out, std::ostream& err);
int runPackage(const Args& args, std::ostream& out, std::ostream& err);
int runDatafile(const Args& args, std::ostream& out, std::ostream& err);
int runCheck(const Args& args, std::ostream& out, std::ostream& err);
int runPrint(const Args& args, std::ostream& out, std::ostream& err);
int runBatch(const Args& args, std::ostream& out, std::ostream& err);
int runGenPrecincts(const Args& args, std::ostream& out, std::ostream& err);
int runInstallStation(const Args& args, std::ostream& out, std::ostream& err);
int runDemoOffice(const Args& args, std::ostream& out, std::ostream& err);

// The print commands run in-process when set (talmorek-tool-print and the
// tests set them); else `print` runs talmorek-tool-print from the tool's
// own directory in the tool's place.
using Command = int (*)(const Args&, std::ostream&, std::ostream&);
void setPrintCommand(Command print);

// `print` when no print command is set: runs talmorek-tool-print from the
// tool's own directory in the tool's place (print_elsewhere.cpp), or, in a
// build without printing, says so (print_not_built.cpp).
int runPrintElsewhere(const Args& args, std::ostream& out, std::ostream& err);

// Dispatches `talmorek-tool <command> ...`.
int runTool(const Args& argv, std::ostream& out, std::ostream& err);

}  // namespace talmorek::tool
