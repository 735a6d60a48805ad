#pragma once
// What every tool command shares: the Czech line for a failure and the exit
// codes (0 done, 1 the data hold errors, 2 bad input or a failed file).

#include <exception>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/data/path_text.h"
#include "core/workflow/error_messages.h"

namespace talmorek::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFindings = 1;
inline constexpr int kExitFailure = 2;

inline int reportFailure(const std::exception& e, std::ostream& err) {
    err << workflow::czechMessage(e) << "\n";
    return kExitFailure;
}

// The arguments "DIR [--multi]" of the commands that write the demo's
// files; nothing, with the usage written to `err`, when they are not that.
struct DemoArguments {
    std::string dir;      // as given
    std::string slashed;  // ending with '/'
    bool multi = false;
};

inline std::optional<DemoArguments> demoArguments(const std::vector<std::string>& args, const char* usage,
                                                  std::ostream& err) {
    DemoArguments parsed;
    for (const auto& a : args) {
        if (a == "--multi") {
            parsed.multi = true;
        } else if (parsed.dir.empty() && !a.empty() && a[0] != '-') {
            parsed.dir = a;
        } else {
            parsed.dir.clear();
            break;
        }
    }
    if (parsed.dir.empty()) {
        err << usage;
        return std::nullopt;
    }
    parsed.slashed = data::slashed(parsed.dir);
    return parsed;
}

}  // namespace talmorek::tool
