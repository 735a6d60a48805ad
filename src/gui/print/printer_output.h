#pragma once
// Recorded pages on a printer: the paged output of the renderer, with the
// two things only a printer needs — the whole sheet as drawing area (the
// forms measure from the paper's edge, not from the printable area) and its
// own report of a failed job.

#include <optional>

#include "core/print/recorded_page.h"
#include "render/paged_output.h"

class QPrinter;

namespace talmorek::gui {

// Sends pages to `printer` one at a time; the job starts with the first page.
// A printer that writes a PDF file gets its pages all at once at the end,
// through render::writePdf: the file is made whole beside its target and
// replaces it in one step, so a full disk leaves the earlier file, not a
// truncated or empty one.
class PrinterOutput {
public:
    explicit PrinterOutput(QPrinter& printer);

    // Raises render::PrintOutputError when the printer cannot take a job
    // (none installed, a queue refusing jobs; see ensurePrinterTakesJobs),
    // refuses to start, or refuses to add a page.
    void addPage(const print::RecordedPage& page);
    // Ends the job; raises render::PrintOutputError when the printer reports
    // a failure or the PDF file cannot be written.
    void finish();

private:
    QPrinter& printer_;
    std::optional<render::PagedOutput> output_;  // a real printer
    std::optional<print::RecordedDocument> pdf_;  // a PDF file
};

// Prints pages from..to (1-based, inclusive, clamped to the document)
// `copies` times (at least once) under the job title. A printer that does
// not make copies itself gets the pages that many times, collated.
void printPages(QPrinter& printer, const print::RecordedDocument& document, int from, int to, int copies);

}  // namespace talmorek::gui
