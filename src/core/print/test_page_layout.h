#pragma once
// The printer test page ("Zkušební tisk"): lets the commission check before
// election day that nothing is cut at the right margin, that Arial and
// Courier New (or their CE variants) are present and that the Czech
// diacritics print; it lists what a helpdesk needs and has fields for the
// user's contact details.

#include <string>
#include <vector>

#include "core/print/print_state.h"

namespace talmorek::print {

// Written on the page for a failed test to be sent back to.
inline constexpr const char* kSupportAddress = "podpora@example.org";

// Facts of the platform and the printer that the page reports.
struct TestPageFacts {
    std::string systemName;     // the operating system (on Windows see `windowsName`)
    std::string servicePack;    // the platform's service-pack or release text, may be empty
    std::string printerName;    // the printer currently selected
    std::vector<std::string> printerFonts;  // font families the printer offers
    std::string electionDates;  // as the main window shows them (data::electionDates)
};

// The version of a Windows platform: kind 2 is the NT family.
struct WindowsVersion {
    int platformKind = 2;
    int major = 0;
    int minor = 0;
};

// The name of a Windows version; later rules override earlier ones. From
// version 6.2 on Windows reports the same number for every release, so the
// station record's operating-system code (`KodOS`) tells them apart. Empty
// when no rule matches.
std::string windowsName(const WindowsVersion& v, std::string_view kodOS);

// The printing fonts the printer offers, in a fixed order: "Arial, ",
// "Arial CE, ", "Courier New, ", "Courier New CE" for each it has. A
// blank-free name beginning with "Arial" counts as Arial.
std::string fontList(const std::vector<std::string>& printerFonts);

// Builds the one-page document on `ctx.preview` (from `InitTisk` to
// `KonecTisku`); the caller then shows it.
void printTestPage(PrintContext& ctx, const TestPageFacts& facts, const data::LocalDateTime& now, bool sDiakritikou);

}  // namespace talmorek::print
