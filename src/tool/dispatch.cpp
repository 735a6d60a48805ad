#include <ostream>
#include <string_view>

#include "tool/command_support.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

Command printCommand = nullptr;

// `print`: in-process where the printing is linked in, else as the build
// has it (print_elsewhere.cpp or print_not_built.cpp).
int runPrintCommand(const Args& args, std::ostream& out, std::ostream& err) {
    if (printCommand) return printCommand(args, out, err);
    return runPrintElsewhere(args, out, err);
}

struct CommandEntry {
    std::string_view name;
    std::string_view usage;
    int (*run)(const Args&, std::ostream&, std::ostream&);
};

constexpr CommandEntry kCommands[] = {
    {"init-demo", "init-demo DIR [--multi]", runInitDemo},
    {"demo-office", "demo-office DIR [--multi]", runDemoOffice},
    {"install-station", "install-station SOURCE DIR [--multi] [--program PATH] [--menu MENU | --no-menu]", runInstallStation},
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
     runPrintCommand},
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
