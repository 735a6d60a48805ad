#pragma once
// What every tool command shares: the Czech line for a failure and the exit
// codes (0 done, 1 the data hold errors, 2 bad input or a failed file).

#include <exception>
#include <ostream>

#include "core/workflow/error_messages.h"

namespace talmorek::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFindings = 1;
inline constexpr int kExitFailure = 2;

inline int reportFailure(const std::exception& e, std::ostream& err) {
    err << workflow::czechMessage(e) << "\n";
    return kExitFailure;
}

}  // namespace talmorek::tool
