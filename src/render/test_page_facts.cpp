#include "render/test_page_facts.h"

#include <QSysInfo>

#include "render/font_resolution.h"

namespace talmorek::render {

print::TestPageFacts testPageFacts(const std::string& printerName, const std::string& electionDates) {
    print::TestPageFacts facts;
    facts.systemName = QSysInfo::prettyProductName().toStdString();
    facts.servicePack = QSysInfo::kernelVersion().toStdString();
    facts.printerName = printerName;
    // The page lists the fonts "the printer offers". Printers here take
    // finished pages with the fonts embedded and offer no font list of their
    // own, so the list names each form font whose stand-in family is
    // installed on this computer: that is what the printouts are drawn with.
    for (const char* name : {"Arial", "Arial CE", "Courier New", "Courier New CE"})
        if (formFontInstalled(name)) facts.printerFonts.emplace_back(name);
    facts.electionDates = electionDates;
    return facts;
}

}  // namespace talmorek::render
