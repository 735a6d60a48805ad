#pragma once
// What the printer test page reports about this computer and its printer.

#include <string>

#include "core/print/test_page_layout.h"

namespace talmorek::render {

// The platform's name and version, `printerName` as the selected printer,
// the printing fonts at hand and the election dates as the main window
// shows them.
print::TestPageFacts testPageFacts(const std::string& printerName, const std::string& electionDates);

}  // namespace talmorek::render
