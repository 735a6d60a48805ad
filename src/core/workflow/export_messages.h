#pragma once
// What the export command tells the commission before it exports data whose
// checks found passable errors or warnings: what the receiving point will
// ask about, worded for an ordinary precinct or a precinct abroad.

#include <string>

#include "core/checks/verdict.h"

namespace talmorek::workflow {

inline constexpr const char* kExportTitle = "Export dat a tisk zápisu";

// The message for the verdict, or an empty text when there is nothing to
// tell (no passable error and no warning).
std::string exportVerdictMessage(const checks::Verdict& verdict, bool zvlastniOkrsek);

}  // namespace talmorek::workflow
