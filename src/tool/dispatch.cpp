#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <iostream>
#include <ostream>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/workflow/error_messages.h"
#include "tool/command_support.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

Command printCommand = nullptr;

// `print` without the printing linked in: talmorek-tool-print beside this
// executable takes the process over with the same arguments.
int runPrintElsewhere(const Args& args, std::ostream& out, std::ostream& err) {
    if (printCommand) return printCommand(args, out, err);
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string printer = (self.parent_path() / "talmorek-tool-print").string();
    // Without the tool's own place, a program of that name elsewhere (the
    // working directory) is not run in its stead.
    if (ec || self.empty()) {
        err << workflow::printProgramMissing("talmorek-tool-print", ec ? ec.value() : ENOENT) << "\n";
        return kExitFailure;
    }
    std::vector<std::string> all{printer, "print"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    out.flush();
    err.flush();
    std::cout.flush();
    std::cerr.flush();
    ::execv(printer.c_str(), argv.data());
    const int error = errno;
    err << workflow::printProgramMissing(printer, error) << "\n";
    return kExitFailure;
}

struct CommandEntry {
    std::string_view name;
    std::string_view usage;
    int (*run)(const Args&, std::ostream&, std::ostream&);
};

constexpr CommandEntry kCommands[] = {
    {"init-demo", "init-demo DIR [--multi]", runInitDemo},
    {"demo-office", "demo-office DIR [--multi]", runDemoOffice},
    {"install-station", "install-station SOURCE DIR [--multi] [--program PATH] [--no-menu]", runInstallStation},
    {"dump", "dump FILE", runDump},
    {"summary", "summary DIR [STATION]", runSummary},
    {"datafile", "datafile show FILE [--json] | datafile write DIR [STATION] --record FILE.json --letter E|O [--recompute]",
     runDatafile},
    {"package", "package encode PLAIN OUT [--key KLÍČ] | package decode PACKAGE OUT [--key KLÍČ]", runPackage},
    {"check", "check DIR [STATION] [--record FILE.json] [--recompute] [--now YYYY-MM-DDTHH:MM:SS] [--seed N] [--json]",
     runCheck},
    {"print",
     "print protocol|testpage|record|tally DIR [STATION] [--record FILE.json] --pdf OUT [--calls OUT.txt] [--direct] "
     "[--bez-hacku] [--recompute] [--now YYYY-MM-DDTHH:MM:SS] [--seed N]",
     runPrintElsewhere},
    {"batch", "batch DIR --installation INST [--jobs N] [--csv FILE] [--json FILE] [--totals FILE]", runBatch},
    {"gen-precincts", "gen-precincts INST DIR --count N [--seed S]", runGenPrecincts},
};

void printUsage(std::ostream& err) {
    err << "Použití: talmorek-tool PŘÍKAZ ...\n";
    for (const auto& c : kCommands) err << "  talmorek-tool " << c.usage << "\n";
}

}  // namespace

void setPrintCommand(Command print) { printCommand = print; }

int runTool(const Args& argv, std::ostream& out, std::ostream& err) {
    if (argv.empty()) {
        printUsage(err);
        return 2;
    }
    for (const auto& c : kCommands) {
        if (argv[0] == c.name) return c.run(Args(argv.begin() + 1, argv.end()), out, err);
    }
    err << "Neznámý příkaz: " << argv[0] << "\n";
    printUsage(err);
    return 2;
}

}  // namespace talmorek::tool
